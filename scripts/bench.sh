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

# measure SCENARIO SIZE MODEL FUNCTION [ARGUMENT FILE] [host options...]
measure() {
    local scenario=$1 size=$2 model=$3 function=$4 argument=$5
    shift 5
    local line
    line=$(timeout "${BENCH_TIMEOUT:-1200}" "$host" "${addon[@]}" --home "$work/home" --project "$work/$model.json" \
        "$@" bench "$function" ${argument:+--text-file "$work/$argument"} 2>/dev/null | tail -n 1) || true
    if [ -z "$line" ]; then
        printf '%-28s %8s  did not finish within %s s\n' "$scenario" "$size" "${BENCH_TIMEOUT:-1200}"
        return 0
    fi
    python3 - "$scenario" "$size" "$line" <<'PY'
import json, sys
scenario, size, line = sys.argv[1:4]
r = json.loads(line)
print(f"{scenario:<28} {size:>8}  {r['seconds']:9.3f} s  {r['peakMemoryKB'] / 1024:8.1f} MB  {r['hostCalls']:>10} calls")
PY
}

wanted() { case "$1" in *"$only"*) return 0 ;; *) return 1 ;; esac; }

echo "scenario                         size       time        peak memory   host calls"
if wanted calculation; then
    generate calc-10000 --elements 10000
    generate calc-100000 --elements 100000
    measure calculation 10000 calc-10000 getCalculationData ""
    measure calculation 100000 calc-100000 getCalculationData ""
fi
if wanted status; then
    generate status-1000 --elements 1000 --materials 1000
    generate status-10000 --elements 1000 --materials 10000
    measure status 1000 status-1000 updateStatus status-1000-payloads/status-request.json
    measure status 10000 status-10000 updateStatus status-10000-payloads/status-request.json
fi
if wanted system-import; then
    generate walls-100 --elements 2000 --first-system-walls 100
    generate walls-1000 --elements 2000 --first-system-walls 1000
    measure system-import 100 walls-100 import walls-100-payloads/system-0001.json --answer Continue
    measure system-import 1000 walls-1000 import walls-1000-payloads/system-0001.json --answer Continue
fi
if wanted bulk-import; then
    generate bulk-5000 --elements 5000 --systems 50
    generate bulk-20000 --elements 20000 --systems 50
    measure bulk-import 5000 bulk-5000 bulkImport bulk-5000-payloads/bulk-systems.json --dialog model
    measure bulk-import 20000 bulk-20000 bulkImport bulk-20000-payloads/bulk-systems.json --dialog model
fi
