#!/usr/bin/env bash
# Builds the application core, catalog, disc, image, start-up, run dialog,
# profile, settings and editor tests (and the program they start) with AddressSanitizer and UndefinedBehaviorSanitizer
# in a build folder of their own, and runs them; any report fails.
#   tools/ci.d/sanitizers.sh <main build folder>
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
main_build=${1:-$top/build}
build="$main_build-sanitize"
jobs=${MV_JOBS:-$(nproc)}
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
mkdir -p "$build"
log="$build/build.log"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DMEROVANT_TESTS=ON \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" >"$log" 2>&1 ||
  { cat "$log"; exit 1; }

wanted="core_util_test core_bitmap_test catalog_files catalog_shipped catalog_update
  dvd_tool_test dvd_ifo_test dvd_drive_test dvd_authored_test image_filter_test
  app_signals_test app_events_test app_services_test app_startup_catalog_test
  app_main_frame_test app_program_test run_dialog_test run_panes_test
  profiles_chooser_test profiles_catalog_edit_test profiles_pane_test profiles_conversion_test
  profiles_frame_wiring_test settings_customize_test settings_editor_test settings_open_test
  editors_dialogs_test editors_filelist_test editors_radio_test Merovant mv_skin_archive media_set_make
  mv_data_format_catalog mv_data_settings mv_data_supportformat mv_data_mappings mv_data_option"
known=$(cmake --build "$build" --target help | sed -n 's/^\.\.\. \([^ ]*\).*/\1/p')
targets=()
for t in $wanted; do
  if grep -qx "$t" <<<"$known"; then targets+=("$t"); fi
done
cmake --build "$build" -j"$jobs" --target "${targets[@]}" >>"$log" 2>&1 ||
  { tail -50 "$log"; exit 1; }

# The toolkit's own libraries keep caches until exit; only our leaks count.
supp="$build/lsan.supp"
printf 'leak:%s\n' libfontconfig.so libgtk-3.so libgdk-3.so libglib-2.0.so libgobject-2.0.so \
  libgio-2.0.so libpango libcairo libharfbuzz libX11.so libatk libdbus >"$supp"
export LSAN_OPTIONS="suppressions=$supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
source "$top/tools/ci.d/sanitizer-start.bash"
start_or_skip sanitizers "$build/tests/bin/core_util_test" --gtest_list_tests
# Tests whose executable is not among the targets above show up as *_NOT_BUILT;
# the install check needs the whole tree.
MV_JOBS=$jobs "$top/tools/run-ctest.sh" "$build" --timeout 600 \
  -E "NOT_BUILT|app_install_layout"
echo "sanitizers: no findings"
