#!/usr/bin/env bash
# The frame-size test once more under valgrind's memcheck, with the scaler
# writing straight into the player's buffers: AddressSanitizer does not see
# the stores libswscale makes, memcheck does. Uses the main build ($1).
# Skipped, with a line saying so, where valgrind cannot run on the CPU.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build="${1:?build folder}"
if ! valgrind -q true >/dev/null 2>&1; then
  echo "valgrind: cannot run on this machine; skipped"
  exit 0
fi
MV_SCALE_DIRECT=1 MV_STAGE_DIR="$build/stage" MV_SOURCE_DIR="$top" MV_BINARY_DIR="$build" \
  SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1 \
  valgrind -q --error-exitcode=77 "$build/tests/bin/media_py_frames_test" \
  --gtest_filter='PyFrameSizesTest.*'
echo "valgrind: no findings"
