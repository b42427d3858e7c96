#!/usr/bin/env bash
# Installs every build and test dependency from Debian packages. Safe to run again: a package that is
# already installed is skipped, and the package lists are refreshed only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  nlohmann-json3-dev libcurl4-openssl-dev
  googletest libgtest-dev libgmock-dev
  openssl ca-certificates
  python3
  libcpp-httplib-dev
  chromium
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
else
  echo "setup: all packages present"
fi

# npm_modules FOLDER MODULE PURPOSE: the node modules pinned by FOLDER/package-lock.json, from the npm
# registry, unless MODULE is there already. Node and npm are the machine's own (not Debian's packages,
# which would clash with a Node.js installed otherwise).
npm_modules() {
  local folder=$1 module=$2 purpose=$3
  if [ -d "$folder/node_modules/$module" ]; then
    return 0
  fi
  if ! command -v npm >/dev/null; then
    echo "setup: npm is missing; $purpose needs Node.js 20 or later with npm" >&2
    exit 1
  fi
  echo "setup: installing $purpose's node modules"
  (cd "$folder" && npm ci --no-audit --no-fund)
}

tests="$(dirname "$0")/../Tests"
npm_modules "$tests/Browser" playwright-core "the browser test"   # its driver
npm_modules "$tests/IfcReader" web-ifc "the IFC reader test"      # the IFC library it reads with

# The JSON library is pinned: replies and stored texts are compared byte by byte in tests.
version=$(dpkg-query -W -f='${Version}' nlohmann-json3-dev)
case "$version" in
  3.11.2*) ;;
  *) echo "setup: nlohmann-json3-dev $version found, 3.11.2 required" >&2; exit 1 ;;
esac
