#!/usr/bin/env bash
# Compiles every source of the module (Sources/**/*.cpp) against the real Archicad 27 development kit,
# syntax only, as the official add-on template compiles on macOS: the kit's Inc folder and every folder
# under Modules/ on the include path, `macintosh` defined, GSRoot.hpp included first (the template's
# precompiled header does that), C++17. Nothing of Host/ is on the include path: the module must build
# against the kit alone.
#
# Then compiles every resource file (Resources/R*/*.grc) as the kit's Tools/CompileResources.py does on
# Windows: the C preprocessor (clang standing in for `cl /EP`, with the kit's Inc and DGLib folders and
# Sources/ on the include path and WINDOWS defined), then the kit's ResConv.exe under Wine with
# RFIX/Images and RFIX as its resource folders. A file passes when ResConv accepts it without a message
# and writes a non-empty .rc2. Wine (Debian's wine64) is installed here when missing.
#
#   AC_API_DEVKIT_DIR=/opt/archicad-api-devkit-27/Support bash scripts/check-devkit.sh
#
# Without the kit it prints one line and exits 0. Exit status 1 when any source or resource fails.
set -uo pipefail
cd "$(dirname "$0")/.."

kit=${AC_API_DEVKIT_DIR:-/opt/archicad-api-devkit-27/Support}
if [ ! -d "$kit/Inc" ] || [ ! -d "$kit/Modules" ]; then
  echo "check-devkit: skipped, no Archicad 27 development kit at $kit (set AC_API_DEVKIT_DIR to its Support folder)"
  exit 0
fi
compiler=${DEVKIT_CXX:-clang++}
if ! command -v "$compiler" >/dev/null; then
  echo "check-devkit: $compiler is missing (scripts/setup.sh installs clang)" >&2
  exit 1
fi

flags=(-std=c++17 -fsyntax-only -Dmacintosh=1 -DACExtension -Wall -Wextra -Werror
       -Wno-multichar -Wno-ctor-dtor-privacy -Wno-invalid-offsetof -Wno-ignored-qualifiers -Wno-reorder
       -Wno-overloaded-virtual -Wno-unused-parameter -Wno-unused-value -Wno-unused-private-field
       -Wno-deprecated -Wno-unknown-pragmas -Wno-missing-braces -Wno-missing-field-initializers
       -Wno-non-c-typedef-for-linkage -Wno-uninitialized-const-reference -Wno-shorten-64-to-32
       -Wno-sign-compare -Wno-switch
       -include cstring -include GSRoot.hpp
       -isystem scripts/devkit -isystem "$kit/Inc")
for module in "$kit"/Modules/*/; do
  flags+=(-isystem "${module%/}")
done
flags+=(-ISources -IResources)

mapfile -t sources < <(find Sources -name '*.cpp' | LC_ALL=C sort)
total=${#sources[@]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One compiler per core; each source's messages go to a file of its own, printed in order at the end.
jobs=${DEVKIT_JOBS:-$(nproc)}
index=0
for source in "${sources[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
  ( "$compiler" "${flags[@]}" "$source" >"$work/$index.out" 2>&1 || echo "$source" >"$work/$index.failed" ) &
  index=$((index + 1))
done
wait

failed=0
for ((i = 0; i < total; i++)); do
  if [ -f "$work/$i.failed" ]; then
    failed=$((failed + 1))
    echo "== ${sources[$i]}"
    cat "$work/$i.out"
  fi
done
passed=$((total - failed))
echo "$passed of $total module sources compile against the Archicad 27 kit"
sources_failed=$failed

# ---- Resources, as the kit's resource compiler takes them on Windows ----

resconv="$kit/Tools/Win/ResConv.exe"
if [ ! -f "$resconv" ]; then
  echo "check-devkit: the kit at $kit has no Tools/Win/ResConv.exe" >&2
  exit 1
fi
# Debian's wine64 keeps its loader out of PATH.
find_wine() {
  wine=$(command -v wine64 || true)
  if [ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ]; then
    wine=/usr/lib/wine/wine64
  fi
}
find_wine
if [ -z "$wine" ]; then
  if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "check-devkit: Wine is missing; install Debian's wine64 package (as root: apt-get install wine64)" >&2
    exit 1
  fi
  echo "check-devkit: installing wine64 for the kit's resource compiler"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq wine64 >/dev/null
  find_wine
  if [ -z "$wine" ]; then
    echo "check-devkit: wine64 was installed, but its loader is not to be found" >&2
    exit 1
  fi
fi

# A Wine prefix of this run only, without the runtimes Wine would offer to download into it.
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
windows_path() { printf 'Z:%s' "$(realpath "$1" | tr / '\\')"; }

mapfile -t grcs < <(find Resources -mindepth 2 -maxdepth 2 -path 'Resources/R*/*.grc' | LC_ALL=C sort)
root=$(pwd)
search="$(windows_path Resources/RFIX/Images);$(windows_path Resources/RFIX)"
objects="$work/ResourceObjects"
mkdir -p "$objects"
refused=0
for grc in "${grcs[@]}"; do
  name=$(basename "$grc")
  precompiled="$objects/$name.i"
  native="$objects/$name.rc2"
  log="$objects/$name.log"
  if ! clang -x c++ -E -P -nostdinc -nostdinc++ -DWINDOWS -I "$kit/Inc" -I "$kit/Modules/DGLib" -I "$root/Sources" \
       "$grc" -o "$precompiled" >"$log" 2>&1; then
    refused=$((refused + 1))
    echo "== $grc (preprocessor)"
    cat "$log"
    continue
  fi
  # ResConv writes its objects beside its output; Wine's own notes start with "wine:".
  (cd "$objects" && "$wine" "$resconv" -m r -T W -q utf8 utf8 -w 2 -p "$search" \
     -i "$(windows_path "$precompiled")" -o "$(windows_path "$native")") >"$log.all" 2>&1
  status=$?
  grep -v -e '^wine: ' -e '^[[:space:]]*$' "$log.all" >"$log" || true
  if [ "$status" -ne 0 ] || [ -s "$log" ] || [ ! -s "$native" ]; then
    refused=$((refused + 1))
    echo "== $grc (ResConv exit status $status)"
    cat "$log"
    [ -s "$native" ] || echo "no $name.rc2 written"
  fi
done
# Let this run's Wine server end before its prefix goes.
server=$(command -v wineserver || true)
[ -n "$server" ] || server="$(dirname "$wine")/wineserver64"
[ ! -x "$server" ] || "$server" -w || true
echo "$(( ${#grcs[@]} - refused )) of ${#grcs[@]} resource files compile with the Archicad 27 kit's resource compiler"
[ "$sources_failed" -eq 0 ] && [ "$refused" -eq 0 ] && [ "${#grcs[@]}" -gt 0 ]
