#!/usr/bin/env bash
# `cmake --install` lays out the same program folder as the staged one, and
# the installed program finds its libraries beside it.
# Usage: install_layout.sh <build folder> <stage folder>
set -euo pipefail
build=$1
stage=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT

DESTDIR=$dest cmake --install "$build" --prefix /opt/Merovant >/dev/null
installed=$dest/opt/Merovant

list() { (cd "$1" && find . \( -type f -o -type l \) | sort); }
if ! diff <(list "$stage") <(list "$installed"); then
  echo "installed tree differs from the staged one (< staged, > installed)" >&2
  exit 1
fi
for f in bin/Merovant option.cfg Themes/default.zip Plugin/FormatList/format_catalog.bin; do
  [ -s "$installed/$f" ] || { echo "missing: $f" >&2; exit 1; }
done
for f in $(cd "$stage" && find . -type f ! -name '*.so*' ! -path './bin/Merovant'); do
  cmp -s "$stage/$f" "$installed/$f" || { echo "differs: $f" >&2; exit 1; }
done

runpath=$(readelf -d "$installed/bin/Merovant" | sed -n 's/.*\(RUNPATH\|RPATH\).*\[\(.*\)\]/\2/p')
[ "$runpath" = '$ORIGIN' ] || { echo "program search path is '$runpath', not \$ORIGIN" >&2; exit 1; }
libs=$(ldd "$installed/bin/Merovant")
if grep -q "not found" <<<"$libs"; then
  echo "$libs" >&2
  exit 1
fi
for lib in ZR_Dvd ZR_Image ZR_Py ZR_Ct ZR_Tool; do
  grep -q "lib$lib.so => $installed/bin/" <<<"$libs" || {
    echo "lib$lib.so is not taken from the installed folder:" >&2
    echo "$libs" >&2
    exit 1
  }
done
echo "installed layout matches the stage"
