#!/usr/bin/env bash
# Measures the add-on at model scale in the simulated host: each scenario at two sizes, one corvana-host
# process per run, printing wall time of the page call, the process's peak memory and the host calls.
# Generated projects are kept in $BENCH_DIR (default out/bench) and reused; delete it to start afresh.
#   scripts/bench.sh            every scenario
#   scripts/bench.sh calc       only the scenarios whose name contains "calc"
set -euo pipefail
cd "$(dirname "$0")/.."
# BENCH_HOST and BENCH_ADDON measure another build (a copy of an older one, for before/after numbers).
host=${BENCH_HOST:-${BUILD_DIR:-build}/Tools/corvana-host/corvana-host}
addon=(${BENCH_ADDON:+--addon "$BENCH_ADDON"})
work=${BENCH_DIR:-out/bench}
only=${1:-}
mkdir -p "$work"
[ -x "$host" ] || { echo "bench: $host is missing; run scripts/build.sh first" >&2; exit 1; }

# generate NAME ARGS...: $work/NAME.json and its catalogue items in $work/NAME-payloads
generate() {
    local name=$1
    shift
    [ -f "$work/$name.json" ] && return 0
    "$host" "${addon[@]}" --home "$work/home" --save "$work/$name.json" generate "$@" --payloads "$work/$name-payloads" \
        >/dev/null 2>"$work/$name-generate.log" || { echo "bench: generating $name failed" >&2; exit 1; }
}

# run MODEL FUNCTION ARGUMENT-FILE [host options...]: the bench line of one run in a fresh process, or nothing
run() {
    local model=$1 function=$2 argument=$3
    shift 3
    timeout "${BENCH_TIMEOUT:-1200}" "$host" "${addon[@]}" --home "$work/home" --project "$work/$model.json" \
        "$@" bench "$function" ${argument:+--text-file "$work/$argument"} 2>/dev/null | tail -n 1 || true
}

# measure SCENARIO FUNCTION SMALL-SIZE SMALL-MODEL SMALL-ARGUMENT LARGE-SIZE LARGE-MODEL LARGE-ARGUMENT [options...]
# Runs both sizes $BENCH_RUNS times (default 3), alternately, and prints the median time of each with its
# range, and the growth as the median of the ratios of runs made one after the other: a shared machine's
# speed changes over minutes, and comparing runs made far apart would measure that instead.
measure() {
    local scenario=$1 function=$2 smallSize=$3 smallModel=$4 smallArgument=$5 largeSize=$6 largeModel=$7
    local largeArgument=$8
    shift 8
    local small="" large="" line run
    for ((run = 0; run < ${BENCH_RUNS:-3}; ++run)); do
        line=$(run "$smallModel" "$function" "$smallArgument" "$@")
        small+="$line"$'\n'
        line=$(run "$largeModel" "$function" "$largeArgument" "$@")
        large+="$line"$'\n'
    done
    python3 - "$scenario" "$smallSize" "$largeSize" "$small" "$large" "${BENCH_TIMEOUT:-1200}" <<'PY'
import json, statistics, sys
scenario, small_size, large_size, small, large, timeout = sys.argv[1:7]

def runs(lines):
    return [json.loads(line) if line else None for line in lines.split("\n")[:-1]]

def row(size, results):
    done = [r for r in results if r]
    if len(done) < len(results):
        print(f"{scenario:<16} {size:>8}  did not finish within {timeout} s")
        return
    times = sorted(r["seconds"] for r in done)
    spread = f"({times[0]:.3f}-{times[-1]:.3f}, {len(times)} runs)"
    memory = max(r["peakMemoryKB"] for r in done) / 1024
    print(f"{scenario:<16} {size:>8}  {statistics.median(times):8.3f} s {spread:<24} {memory:8.1f} MB"
          f"  {done[-1]['hostCalls']:>10} calls")

small_runs, large_runs = runs(small), runs(large)
row(small_size, small_runs)
row(large_size, large_runs)
pairs = [b["seconds"] / a["seconds"] for a, b in zip(small_runs, large_runs) if a and b]
if pairs and len(pairs) == len(small_runs):
    print(f"{scenario:<16} growth    {statistics.median(pairs):.1f} times for {int(large_size) / int(small_size):g} times"
          f" the size (paired runs: {', '.join(f'{p:.1f}' for p in pairs)})")
PY
}

wanted() { case "$1" in *"$only"*) return 0 ;; *) return 1 ;; esac; }

printf '%-16s %8s  %-35s %11s  %16s\n' scenario size "median time (range, runs)" "peak memory" "host calls"
if wanted calculation; then
    generate calc-10000 --elements 10000
    generate calc-100000 --elements 100000
    measure calculation getCalculationData 10000 calc-10000 "" 100000 calc-100000 ""
fi
if wanted status; then
    generate status-1000 --elements 1000 --materials 1000
    generate status-10000 --elements 1000 --materials 10000
    measure status updateStatus 1000 status-1000 status-1000-payloads/status-request.json \
        10000 status-10000 status-10000-payloads/status-request.json
fi
if wanted system-import; then
    generate walls-100 --elements 2000 --first-system-walls 100
    generate walls-1000 --elements 2000 --first-system-walls 1000
    measure system-import import 100 walls-100 walls-100-payloads/system-0001.json \
        1000 walls-1000 walls-1000-payloads/system-0001.json --answer Continue
fi
if wanted bulk-import; then
    generate bulk-5000 --elements 5000 --systems 50
    generate bulk-20000 --elements 20000 --systems 50
    measure bulk-import bulkImport 5000 bulk-5000 bulk-5000-payloads/bulk-systems.json \
        20000 bulk-20000 bulk-20000-payloads/bulk-systems.json --dialog model
fi
