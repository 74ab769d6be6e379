#!/usr/bin/env bash
# Installs the packages, builds everything and runs every test (GUI tests
# each on an X server of their own). Extra checks live in tools/ci.d/*.sh and run
# after the tests with the build folder as their first argument.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${MV_BUILD_DIR:-$top/build}
jobs=$(nproc)

"$top/tools/install-deps.sh" --test
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMEROVANT_TESTS=ON
cmake --build "$build" -j"$jobs"
"$top/tools/run-ctest.sh" "$build" --timeout 600
for extra in "$top"/tools/ci.d/*.sh; do
  [ -e "$extra" ] || continue
  echo "== $(basename "$extra")"
  bash "$extra" "$build"
done
