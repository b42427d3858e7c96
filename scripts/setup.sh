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

# The browser test's driver, pinned by Tests/Browser/package-lock.json, from the npm registry. Node and npm
# are the machine's own (not Debian's packages, which would clash with a Node.js installed otherwise).
browser_tests="$(dirname "$0")/../Tests/Browser"
if [ ! -d "$browser_tests/node_modules/playwright-core" ]; then
  if ! command -v npm >/dev/null; then
    echo "setup: npm is missing; the browser test needs Node.js 20 or later with npm" >&2
    exit 1
  fi
  echo "setup: installing the browser test's node modules"
  (cd "$browser_tests" && npm ci --no-audit --no-fund)
fi

# The IFC reader test's library, pinned by Tests/IfcReader/package-lock.json, from the npm registry.
ifc_reader_tests="$(dirname "$0")/../Tests/IfcReader"
if [ ! -d "$ifc_reader_tests/node_modules/web-ifc" ]; then
  if ! command -v npm >/dev/null; then
    echo "setup: npm is missing; the IFC reader test needs Node.js 20 or later with npm" >&2
    exit 1
  fi
  echo "setup: installing the IFC reader test's node modules"
  (cd "$ifc_reader_tests" && npm ci --no-audit --no-fund)
fi

# The JSON library is pinned: replies and stored texts are compared byte by byte in tests.
version=$(dpkg-query -W -f='${Version}' nlohmann-json3-dev)
case "$version" in
  3.11.2*) ;;
  *) echo "setup: nlohmann-json3-dev $version found, 3.11.2 required" >&2; exit 1 ;;
esac
