#!/usr/bin/env bash
# Runs one fuzz program for a while: bash scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
# TARGET is one of page-calls, stored-texts, project-file, upload-arguments, serve-requests (Tests/Fuzz/*Fuzz.cpp). New
# inputs that reach new code go to build-sanitize/fuzz/TARGET (copy the useful ones to
# Tests/Fuzz/corpus/TARGET); a crash goes straight to Tests/Fuzz/regressions/TARGET, which the tests replay.
# The program comes from build-fuzz, an optimised (-O1) sanitizer build made on first use; the test command
# passes its own unoptimised build-sanitize (SANITIZE_BUILD_DIR) for its short runs. The entropic schedule
# is off: with the thousands of features one input of the module reaches, its bookkeeping took four fifths
# of the time. Allocation stacks are kept 10 frames deep rather than 30: recording them was a tenth of a
# run, and a finding replays with full stacks from Tests/Fuzz/regressions in the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)  # the fuzz programs work in a sandbox folder of their own: every path they get is absolute
if [ $# -lt 2 ]; then
  echo "usage: bash scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]" >&2
  exit 2
fi
target=$1 seconds=$2
shift 2
build_dir=${SANITIZE_BUILD_DIR:-build-fuzz}
case $build_dir in /*) ;; *) build_dir=$root/$build_dir ;; esac
if [ ! -x "$build_dir/Tests/Fuzz/fuzz-$target" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANA_FUZZ=ON >/dev/null
  cmake --build "$build_dir" --target "fuzz-$target"
fi
work="$build_dir/fuzz/$target"
regressions="$root/Tests/Fuzz/regressions/$target"
mkdir -p "$work" "$regressions"
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}malloc_context_size=10
exec "$build_dir/Tests/Fuzz/fuzz-$target" "$work" "$root/Tests/Fuzz/corpus/$target" "$regressions" \
  -max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 -print_final_stats=1 -close_fd_mask=1 -entropic=0 \
  -artifact_prefix="$regressions/" "$@"
