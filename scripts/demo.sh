#!/usr/bin/env bash
# The newcomer's main-job command: set up, build, start the add-on in the command-line host.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec "${BUILD_DIR:-build}/Tools/corvana-host/corvana-host" "$@"
