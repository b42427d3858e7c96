#!/usr/bin/env bash
# Compiles every source of the module (Sources/**/*.cpp) against the real Archicad 27 development kit,
# syntax only, twice: as the official add-on template compiles on macOS (`macintosh` defined), and as the
# kit's examples compile an add-on on Windows (`WINDOWS`, `UNICODE`, `_UNICODE`, `_ITERATOR_DEBUG_LEVEL=0`),
# with clang for the mingw-w64 target and mingw-w64's headers standing in for Visual Studio's. Both with the
# kit's Inc folder and every folder under Modules/ on the include path, `ACExtension` defined, GSRoot.hpp
# included first (the template's precompiled header does that), C++17. Nothing of Host/ is on the include
# path: the module must build against the kit alone.
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

mapfile -t sources < <(find Sources -name '*.cpp' | LC_ALL=C sort)
total=${#sources[@]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# What both modes take: C++17, the kit's warnings that its own headers would raise left out, GSRoot.hpp
# first, the kit's Inc and every module folder, and nothing of Host/.
common=(-std=c++17 -fsyntax-only -DACExtension -Wall -Wextra -Werror
        -Wno-multichar -Wno-ctor-dtor-privacy -Wno-invalid-offsetof -Wno-ignored-qualifiers -Wno-reorder
        -Wno-overloaded-virtual -Wno-unused-parameter -Wno-unused-value -Wno-unused-private-field
        -Wno-deprecated -Wno-unknown-pragmas -Wno-missing-braces -Wno-missing-field-initializers
        -Wno-non-c-typedef-for-linkage -Wno-uninitialized-const-reference -Wno-shorten-64-to-32
        -Wno-sign-compare -Wno-switch)
kit_includes=(-isystem "$kit/Inc")
for module in "$kit"/Modules/*/; do
  kit_includes+=(-isystem "${module%/}")
done

# compile_all MODE FLAGS...: every module source with FLAGS, one compiler per core; each source's
# messages go to a file of its own, printed in order at the end. Leaves the number that failed in $failed.
compile_all() {
  local mode=$1
  shift
  local jobs=${DEVKIT_JOBS:-$(nproc)} index=0
  mkdir -p "$work/$mode"
  for source in "${sources[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
    ( "$compiler" "$@" "$source" >"$work/$mode/$index.out" 2>&1 || echo "$source" >"$work/$mode/$index.failed" ) &
    index=$((index + 1))
  done
  wait
  failed=0
  for ((i = 0; i < total; i++)); do
    if [ -f "$work/$mode/$i.failed" ]; then
      failed=$((failed + 1))
      echo "== ${sources[$i]} ($mode)"
      cat "$work/$mode/$i.out"
    fi
  done
}

# macOS, as the official add-on template compiles there; scripts/devkit stands in for the one system
# framework header the kit names.
compile_all macos "${common[@]}" -Dmacintosh=1 -include cstring -include GSRoot.hpp \
  -isystem scripts/devkit "${kit_includes[@]}" -ISources -IResources
echo "$((total - failed)) of $total module sources compile against the Archicad 27 kit"
sources_failed=$failed

# Windows, as the kit's examples compile an add-on there. No Visual Studio here: clang for the mingw-w64
# target stands in, with mingw-w64's system and C++ headers and its sal.h for the annotations the kit's
# headers carry.
mingw_compiler=x86_64-w64-mingw32-g++-posix
if ! command -v "$mingw_compiler" >/dev/null; then
  if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "check-devkit: $mingw_compiler is missing; install Debian's g++-mingw-w64-x86-64 package" >&2
    exit 1
  fi
  echo "check-devkit: installing mingw-w64 for the Windows mode"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq --no-install-recommends g++-mingw-w64-x86-64 >/dev/null
fi
# mingw-w64's C++ folders, in its compiler's own order; clang finds the system headers of the target itself.
mapfile -t mingw_cxx < <("$mingw_compiler" -x c++ -E -v - </dev/null 2>&1 |
  sed -n '/#include <...> search starts here:/,/End of search list./p' | grep '/include/c++' | sed 's/^ *//')
mingw_root=$("$mingw_compiler" -print-sysroot 2>/dev/null)
mingw_headers=${mingw_root:-/usr}/x86_64-w64-mingw32/include
[ -d "$mingw_headers" ] || mingw_headers=/usr/x86_64-w64-mingw32/include
if [ ${#mingw_cxx[@]} -eq 0 ] || [ ! -f "$mingw_headers/windows.h" ]; then
  echo "check-devkit: mingw-w64's headers are not to be found" >&2
  exit 1
fi
# The kit names Windows headers as Windows' own file system does, case aside (CommCtrl.h, ShlObj.h, ...);
# mingw-w64 has them in lower case. A folder of this run forwards each such name to mingw-w64's file.
case_folder="$work/windows-headers"
mkdir -p "$case_folder"
grep -rhoE '#[[:space:]]*include[[:space:]]*[<"][A-Za-z0-9_]+\.[hH][">]' "$kit/Inc" "$kit/Modules" |
  sed -E 's/.*[<"]([^">]+)[">]/\1/' | LC_ALL=C sort -u | while read -r header; do
    lower=$(printf '%s' "$header" | tr '[:upper:]' '[:lower:]')
    if [ "$header" != "$lower" ] && [ ! -e "$mingw_headers/$header" ] && [ -e "$mingw_headers/$lower" ]; then
      printf '#include <%s>\n' "$lower" >"$case_folder/$header"
    fi
  done
windows=(--target=x86_64-w64-mingw32 -nostdinc++)
for folder in "${mingw_cxx[@]}"; do
  windows+=(-isystem "$folder")
done
compile_all windows "${common[@]}" "${windows[@]}" -DWINDOWS -DUNICODE -D_UNICODE -D_ITERATOR_DEBUG_LEVEL=0 \
  -include sal.h -include cstring -include GSRoot.hpp -isystem "$case_folder" "${kit_includes[@]}" -ISources -IResources
echo "$((total - failed)) of $total module sources compile against the Archicad 27 kit in Windows mode"
sources_failed=$((sources_failed + failed))

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
