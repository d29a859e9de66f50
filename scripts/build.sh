#!/usr/bin/env bash
# Configures and builds Plandor into build/ (the program, libtolvo.so and the benchmark land in build/bin/).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
