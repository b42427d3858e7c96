#!/usr/bin/env bash
# Configures and builds into ./build (or $BUILD_DIR) with Ninja: everything, or only the targets named as
# arguments (and what they need).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} ${CMAKE_EXTRA_ARGS:-} >/dev/null
if [ "$#" -gt 0 ]; then
  cmake --build "$build_dir" --target "$@"
else
  cmake --build "$build_dir"
fi
