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
# The Windows build and its tests under Wine; Wine's recommendations (fonts, sound, 32-bit Wine) are not
# needed to run console programs.
windows_packages=(g++-mingw-w64-x86-64 wine64 libgnutls30)

# The packages of the list given that are not installed, one per line.
not_installed() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t missing < <(not_installed "${packages[@]}")
mapfile -t missing_windows < <(not_installed "${windows_packages[@]}")

if [ ${#missing[@]} -gt 0 ] || [ ${#missing_windows[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]} ${missing_windows[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  [ ${#missing[@]} -eq 0 ] || apt-get install -y -qq "${missing[@]}"
  [ ${#missing_windows[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${missing_windows[@]}"
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
