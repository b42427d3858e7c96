#!/usr/bin/env bash
# Compiles every source of the module (Sources/**/*.cpp) against the real Archicad 27 development kit,
# syntax only, as the official add-on template compiles on macOS: the kit's Inc folder and every folder
# under Modules/ on the include path, `macintosh` defined, GSRoot.hpp included first (the template's
# precompiled header does that), C++17. Nothing of Host/ is on the include path: the module must build
# against the kit alone.
#
#   AC_API_DEVKIT_DIR=/opt/archicad-api-devkit-27/Support bash scripts/check-devkit.sh
#
# Without the kit it prints one line and exits 0. Exit status 1 when any source fails to compile.
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
[ "$failed" -eq 0 ]
