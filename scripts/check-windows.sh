#!/usr/bin/env bash
# Builds the Windows platform layer (Host/Platform/Windows) and its tests (Tests/Windows) with mingw-w64,
# warnings as errors, and runs the tests under Wine against local servers on 127.0.0.1 (started by
# Tests/Windows/server_hub.py for the length of the run). Installs the cross compiler and Wine from
# Debian's packages when they are missing. The last line counts the tests: "N passed, M failed".
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
compiler=x86_64-w64-mingw32-g++-posix   # the POSIX thread model: GoogleTest needs std::mutex

build=${WINDOWS_BUILD_DIR:-build-windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)
if [ ! -f "$build/build.ninja" ]; then
  cmake -G Ninja -S Tests/Windows -B "$build" -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_CXX_COMPILER="$compiler" \
    -DCMAKE_CXX_FLAGS=-O1 >"$build/configure.log" || { cat "$build/configure.log"; exit 1; }
fi
ninja -C "$build"

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

cd "$build"
"$wine" ./TestWindows.exe --trust-test-authority
report=$build/results.xml
rm -f "$report"
status=0
timeout 240 "$wine" ./TestWindows.exe --gtest_output="xml:results.xml" || status=$?
cd "$root"

counts=$(python3 - "$report" <<'PY'
import sys
import xml.etree.ElementTree as ET
try:
    suites = ET.parse(sys.argv[1]).getroot()
except (OSError, ET.ParseError):
    print("0 1")  # the program ended before it wrote its results
    sys.exit()
ran = sum(1 for case in suites.iter("testcase") if case.get("result", "completed") == "completed" and case.get("status", "run") == "run")
failed = sum(1 for case in suites.iter("testcase") if case.find("failure") is not None)
print(ran - failed, failed)
PY
)
read -r passed failed <<<"$counts"
if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
  failed=1   # a crash or a time-out after the last result counts as a failure
fi
echo "check-windows: $(( $(date +%s) - started )) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
