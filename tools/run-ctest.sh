#!/usr/bin/env bash
# Runs ctest in a build folder under a private X server, with GUI tests
# bounded to half the cores at once (each has a display of its own).
#   tools/run-ctest.sh <build folder> [ctest arguments...]
set -euo pipefail
build=${1:?build folder}
shift
jobs=${MV_JOBS:-$(nproc)}
slots=${MV_GUI_SLOTS:-$(( jobs / 2 > 0 ? jobs / 2 : 1 ))}
spec="$(cd "$build" && pwd)/gui-slots.json"
printf '{"version":{"major":1,"minor":0},"local":[{"display":[{"id":"x","slots":%d}]}]}\n' \
  "$slots" >"$spec"
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$build" --output-on-failure -j"$jobs" --resource-spec-file "$spec" "$@"
