#!/usr/bin/env bash
# Sets up the machine, builds Plandor and starts it (arguments go to the program, e.g. a model file).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh"
exec "$here/../build/bin/plandor" "$@"
