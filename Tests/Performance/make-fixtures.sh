#!/usr/bin/env bash
# Writes the reference runs that EquivalenceTest compares against: a generated 200-element project, the
# catalogue items made for it, and what a system import with model stamping, a bulk import into the model,
# a status report and a calculation leave behind (project, reply, transcript). Run it only when a change
# is meant to change what ends up in the project, and say so in the commit.
set -euo pipefail
cd "$(dirname "$0")"
host=${CORVANA_HOST:-../../build/Tools/corvana-host/corvana-host}
out=fixtures
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out"

"$host" --home "$work/home" --save "$out/model.json" \
    generate --elements 200 --first-system-walls 40 --payloads "$work/payloads" >/dev/null 2>&1
cp "$work/payloads/system-0001.json" "$work/payloads/bulk-systems.json" "$work/payloads/status-request.json" "$out/"

run() {  # NAME FUNCTION [ARGUMENT FILE] [host options...]
    local name=$1 function=$2 argument=$3
    shift 3
    "$host" --home "$work/home" --project "$out/model.json" --save "$out/$name-project.json" \
        --transcript "$out/$name-transcript.jsonl" "$@" \
        call "$function" ${argument:+--text-file "$out/$argument"} >"$out/$name-reply.txt" 2>/dev/null
}
run system import system-0001.json --answer Continue
run bulk bulkImport bulk-systems.json --dialog model
run status updateStatus status-request.json
run calculation getCalculationData ""
