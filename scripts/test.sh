#!/usr/bin/env bash
# The newcomer's test command: set up, check that every include of Sources runs down the module's layers
# (scripts/check-layers.py), build, run every test; then the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer (clang, ./build-sanitize), which also replays every saved
# fuzz input and runs each fuzz program for a few seconds; then the whole project as Windows code, built
# with mingw-w64, its tests run under Wine and its answers compared with the Linux build's
# (scripts/check-windows.sh). After the first tests, scripts/check-devkit.sh compiles the module against the
# Archicad 27 development kit when it is on the machine, and scripts/lint-workflows.sh checks the real-host
# build workflow. SKIP_SANITIZE=1 leaves out the sanitizer run, SKIP_WINDOWS=1 the Windows check.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# Quick, and a wrong-way include fails here before the long build.
python3 scripts/check-layers.py
bash scripts/build.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j"$(nproc)"
# The module's sources and resources against the real Archicad 27 kit; one line when the kit is absent.
bash scripts/check-devkit.sh
# The workflow that builds the add-on against the kit on Windows and macOS runners cannot run here: linted.
bash scripts/lint-workflows.sh

if [ "${SKIP_SANITIZE:-0}" != 1 ]; then
  sanitize_dir=${SANITIZE_BUILD_DIR:-build-sanitize}
  CC=clang CXX=clang++ BUILD_DIR=$sanitize_dir BUILD_TYPE=Debug CMAKE_EXTRA_ARGS="-DCORVANA_FUZZ=ON -DCORVANA_SANITIZE_OPTIMIZATION=-O0" \
    bash scripts/build.sh
  export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  ctest --test-dir "$sanitize_dir" --output-on-failure -j"$(nproc)"
  for program in "$sanitize_dir"/Tests/Fuzz/fuzz-*; do
    SANITIZE_BUILD_DIR=$sanitize_dir bash scripts/fuzz.sh "${program##*/fuzz-}" "${FUZZ_SECONDS:-5}"
  done
fi

if [ "${SKIP_WINDOWS:-0}" != 1 ]; then
  bash scripts/check-windows.sh
fi
