#!/usr/bin/env bash
# The frame-size test once more under valgrind's memcheck, with the scaler
# writing straight into the player's buffers: AddressSanitizer does not see
# the stores libswscale makes, memcheck does. Uses the main build ($1).
# Whether valgrind runs is asked of the test binary itself (its test list,
# under valgrind); a memcheck report at any point fails the step.
#
# libhwy (loaded by libavcodec through libjxl) times its clock with RDTSCP
# in a static initializer; valgrind 3.19 cannot run RDTSCP on a CPU that does
# not list it, and the test dies of SIGILL before main. Then the test runs
# against a stand-in libhwy made here from the installed one's dynamic
# symbol table (the same soname and versioned symbols, each aborting when
# called), put first on the library path for this valgrind run only; only
# libjxl calls libhwy, to decode JPEG XL, which this test never does. The
# program and the test binary stay as built. Skipped, saying why, only where
# valgrind cannot start the test even so.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build="${1:?build folder}"
test="$build/tests/bin/media_py_frames_test"
work="$build/valgrind"
mkdir -p "$work"
if ! command -v valgrind >/dev/null; then
  echo "valgrind: not installed; skipped"
  exit 0
fi
export MV_SCALE_DIRECT=1 MV_STAGE_DIR="$build/stage" MV_SOURCE_DIR="$top" MV_BINARY_DIR="$build" \
  SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1
memcheck=(valgrind -q --error-exitcode=77 --suppressions="$top/tools/ci.d/valgrind.supp")

# The library path with folder $1 (none when empty) ahead of the caller's.
library_path() {
  if [ -n "$1" ]; then echo "$1${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"; else echo "${LD_LIBRARY_PATH:-}"; fi
}

# Lists the test's cases under valgrind, with folder $1 first on the library path.
# (In a shell of its own, whose report of a death by signal goes to the log.)
list_under_valgrind() {
  (
    LD_LIBRARY_PATH="$(library_path "$1")" "${memcheck[@]}" "$test" --gtest_list_tests
    exit $?
  ) >"$work/list.out" 2>"$work/list.err"
}

# True when the last listing died of SIGILL before main printed anything.
sigill_before_main() {
  [ "$1" -eq 132 ] && [ ! -s "$work/list.out" ] && grep -q "signal 4 (SIGILL)" "$work/list.err"
}

# The library the illegal instruction was in, from valgrind's report.
trapping_library() {
  sed -n '/Illegal opcode/,$ s/.*(in \(\/[^)]*\)).*/\1/p' "$work/list.err" | head -1
}

# Builds the stand-in for library $1 into folder $2.
make_stand_in() {
  local real=$1 dir=$2 soname
  soname=$(objdump -p "$real" | awk '$1 == "SONAME" { print $2 }')
  mkdir -p "$dir"
  nm -D --defined-only --with-symbol-versions -S -t d "$real" | awk -v c="$dir/stand-in.c" \
    -v map="$dir/stand-in.map" '
    BEGIN {
      print "#include <stdio.h>\n#include <stdlib.h>" > c
      print "static void called(const char* name)\n{\n  fprintf(stderr, \"stand-in " \
            "library: %s called\\n\", name);\n  abort();\n}" > c
    }
    NF == 4 {
      split($4, part, "@"); name = part[1]; version = (part[3] != "" ? part[3] : part[2])
      if (version == "") version = "-"
      if ($3 ~ /^[TtWi]$/) {
        printf "void s%d(void) __asm__(\"%s\");\nvoid s%d(void) { called(\"%s\"); }\n", n, name, n, name > c
      } else if ($3 ~ /^[BbDdRrVG]$/) {
        printf "char s%d[%d] __asm__(\"%s\");\n", n, $2 + 0, name > c
      } else next
      symbols[version] = symbols[version] "    " name ";\n"; n++
    }
    END {
      for (v in symbols)
        printf "%s {\n  global:\n%s  local: *;\n};\n", (v == "-" ? "" : v), symbols[v] > map
    }'
  "${CC:-cc}" -shared -fPIC -o "$dir/$soname" "$dir/stand-in.c" -Wl,-soname,"$soname" \
    -Wl,--version-script="$dir/stand-in.map"
}

path=""
status=0
list_under_valgrind "$path" || status=$?
if [ "$status" -ne 0 ] && sigill_before_main "$status"; then
  lib=$(trapping_library)
  case "$(basename "${lib:-none}")" in
    libhwy.so.*)
      flag="lists"
      grep -qw rdtscp /proc/cpuinfo || flag="does not list"
      echo "valgrind: $(basename "$lib") dies of SIGILL before main (this CPU $flag rdtscp);" \
        "memcheck runs with a stand-in for it"
      path="$work/stand-in"
      make_stand_in "$lib" "$path"
      status=0
      list_under_valgrind "$path" || status=$?
      ;;
  esac
  if [ "$status" -ne 0 ] && sigill_before_main "$status"; then
    echo "valgrind: the test dies of SIGILL before main under valgrind on this CPU" \
      "(in ${lib:-an unknown library}); skipped"
    exit 0
  fi
fi
if [ "$status" -ne 0 ] || ! grep -q "^PyFrameSizesTest\." "$work/list.out"; then
  echo "valgrind: listing the tests failed (exit status $status):" >&2
  cat "$work/list.out" "$work/list.err" >&2
  exit 1
fi
LD_LIBRARY_PATH="$(library_path "$path")" "${memcheck[@]}" "$test" --gtest_filter='PyFrameSizesTest.*'
echo "valgrind: no findings"
