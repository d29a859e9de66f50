#!/usr/bin/env bash
# Sets up the machine, then builds and runs every test twice: the normal build (GUI tests under
# Xvfb), and a clang build with AddressSanitizer, UndefinedBehaviorSanitizer and the fuzz targets.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here/.."
"$here/setup.sh"

jobs=$(nproc)
export PLANDOR_REQUIRE_DE_LOCALE=1
# Tests write their logs and profiles below scratch folders, never into the user's own.
export XDG_STATE_HOME="$(mktemp -d)" XDG_CONFIG_HOME="$(mktemp -d)"
trap 'rm -rf "$XDG_STATE_HOME" "$XDG_CONFIG_HOME"' EXIT

echo "== normal build"
"$here/build.sh"
(cd build && xvfb-run -a ctest --output-on-failure -j"$jobs")

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPLANDOR_SANITIZE=ON -DPLANDOR_FUZZ=ON -DPLANDOR_GUI=OFF -DPLANDOR_BENCH=OFF >/dev/null
cmake --build build-asan
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$jobs")
