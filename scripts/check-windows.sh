#!/usr/bin/env bash
# The whole project as Windows code: builds the module, the simulated host, corvana-host.exe and every test
# program the Windows build has with mingw-w64 (cmake/mingw-w64.cmake), warnings as errors, into
# ./build-windows; runs them with ctest under Wine, with local servers on 127.0.0.1 for the platform
# layer's tests (Tests/Windows/server_hub.py, for the length of the run); then runs the same sessions with
# corvana-host.exe and with the Linux build and compares their answers byte for byte
# (scripts/compare-windows.py). Installs the cross compiler and Wine from Debian's packages when they are
# missing, and builds the Linux build when it is not there.
#
#   bash scripts/check-windows.sh            # build folder: ./build-windows (WINDOWS_BUILD_DIR)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
started=$(date +%s)

packages=(g++-mingw-w64-x86-64 wine64 libgnutls30 cmake ninja-build googletest python3 openssl)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "check-windows: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # Wine's recommendations (fonts, sound, 32-bit Wine) are not needed to run console programs.
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64   # Debian's wine64 package keeps it out of PATH
if [ ! -x "$wine" ]; then
  echo "check-windows: no wine64 found" >&2
  exit 1
fi

linux_build=${BUILD_DIR:-build}
[ -x "$linux_build/Tools/corvana-host/corvana-host" ] || bash scripts/build.sh

build=${WINDOWS_BUILD_DIR:-build-windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)
if [ ! -f "$build/build.ninja" ]; then
  # -O1: the tests and the comparison need Windows code, not the fastest; it halves the build's time.
  cmake -G Ninja -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" >"$build/configure.log" || { cat "$build/configure.log"; exit 1; }
fi
cmake --build "$build"

# A Wine prefix of the build's own: nothing of the user's ~/.wine is read or changed, and the test
# authority is trusted there only.
export WINEPREFIX=$build/wine-prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot --init >"$build/wineboot.log" 2>&1 || { cat "$build/wineboot.log"; exit 1; }
  # No display here: Wine's null display driver still makes windows, so a message box can be shown and
  # answered by the test.
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >>"$build/wineboot.log" 2>&1
  # The desktop process started by the first boot found no driver and stays without one until the
  # prefix's server ends: end it, so the next start reads the null driver.
  "${wine%64}server" -k 2>/dev/null || wineserver -k 2>/dev/null || true
  "${wine%64}server" -w 2>/dev/null || wineserver -w 2>/dev/null || true
fi

hub_folder=$build/hub
rm -rf "$hub_folder"
mkdir -p "$hub_folder"
python3 Tests/Windows/server_hub.py --port-file "$hub_folder/port" --work-folder "$hub_folder" \
  2>"$hub_folder/hub.log" &
hub=$!
finish() {
  kill "$hub" 2>/dev/null || true
  wait "$hub" 2>/dev/null || true
  "${wine%64}server" -k 2>/dev/null || wineserver -k 2>/dev/null || true
}
trap finish EXIT
for _ in $(seq 200); do
  [ -f "$hub_folder/port" ] && break
  kill -0 "$hub" 2>/dev/null || { cat "$hub_folder/hub.log"; exit 1; }
  sleep 0.1
done
[ -f "$hub_folder/port" ] || { echo "check-windows: the server hub did not start" >&2; cat "$hub_folder/hub.log"; exit 1; }
export CORVANA_TEST_HUB_PORT=$(cat "$hub_folder/port")

# Wine's certificate checks read the trusted roots once per process: the test authority goes in first.
(cd "$build" && "$wine" AddOn/TestWindows.exe --trust-test-authority)

status=0
ctest --test-dir "$build" --output-on-failure --timeout 600 -j"$(nproc)" || status=1

python3 scripts/compare-windows.py --linux-host "$linux_build/Tools/corvana-host/corvana-host" \
  --windows-host "$build/AddOn/corvana-host.exe" --wine "$wine" --work "$build/compare" \
  --hub-port "$CORVANA_TEST_HUB_PORT" || status=1

echo "check-windows: $(( $(date +%s) - started )) s"
[ "$status" -eq 0 ]
