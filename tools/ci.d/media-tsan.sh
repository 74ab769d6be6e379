#!/usr/bin/env bash
# The media layers and jobs once more under ThreadSanitizer, in a build folder
# of their own beside the main one ($1). Only the media tests and the worker
# thread's test are built and run.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build="${1:?build folder}-tsan"
flags="-fsanitize=thread -g -O1"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMEROVANT_TESTS=ON \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread" >/dev/null
cmake --build "$build" -j"$(nproc)" --target media_set_make media_ct_test media_py_probe_test media_py_test media_jobs_test media_playjob_test \
  app_signals_test
# A report fails the test; the toolkit's own libraries are not instrumented.
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$top/tools/ci.d/media-tsan.supp"
source "$top/tools/ci.d/sanitizer-start.bash"
start_or_skip media-tsan "$build/tests/bin/media_ct_test" --gtest_list_tests
"$top/tools/run-ctest.sh" "$build" --timeout 300 \
  -R '^(CtTest|QuotedArgsTest|PyTest|PyNoSoundTest|ImportJobTest|ConvertJobTest|ConvertProgressTest|PlayJobTest)\.'
# A worker that still runs when its job reports its end shows up only now and
# then (and at the program's exit): the worker thread's test, 200 times.
for run in $(seq 1 200); do
  if ! "$build/tests/bin/app_signals_test" --gtest_filter='TaskThreadTest.*' >"$build/tasktest.log" 2>&1; then
    echo "TaskThreadTest failed on run $run:" >&2
    cat "$build/tasktest.log" >&2
    exit 1
  fi
done
echo "TaskThreadTest: 200 runs passed"
