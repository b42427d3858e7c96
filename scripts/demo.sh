#!/usr/bin/env bash
# The newcomer's main-job command: set up, build, and run the demo (the sample project with the sample
# catalogue items imported; results in out/demo). Arguments are global options of corvana-host.
# Only what the demo runs is built: the command-line host with the simulated host, and the module with its
# resources. The test programs are built by scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh corvana-host Corvana
exec "${BUILD_DIR:-build}/Tools/corvana-host/corvana-host" "$@" demo --out out/demo
