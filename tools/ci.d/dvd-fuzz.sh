#!/usr/bin/env bash
# Fuzzes the disc service's IFO readers for about a minute, in a build folder
# of its own made with clang; fails when libFuzzer finds a crash, a leak, a
# sanitizer report or a slow input.
#   tools/ci.d/dvd-fuzz.sh <main build folder> [seconds]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
main_build=${1:-$top/build}
seconds=${2:-60}
build="$main_build-dvd-fuzz"
if ! command -v clang++ >/dev/null; then
  echo "dvd-fuzz: clang++ is not installed, skipped"
  exit 0
fi
mkdir -p "$build"
log="$build/build.log"
cmake -S "$top" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMEROVANT_FUZZ=ON -DMEROVANT_TESTS=OFF >"$log" 2>&1 ||
  { cat "$log"; exit 1; }
cmake --build "$build" --target dvd_ifo_fuzz dvd_fuzz_seeds -j"$(nproc)" >>"$log" 2>&1 ||
  { tail -50 "$log"; exit 1; }

source "$top/tools/ci.d/sanitizer-start.bash"
start_or_skip dvd-fuzz "$build/fuzz/dvd_ifo_fuzz" -help=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/seeds" "$work/corpus" "$build/artifacts"
folders=()
if command -v dvdauthor >/dev/null && command -v ffmpeg >/dev/null; then
  ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=720x480:rate=30000/1001:duration=2 \
    -f lavfi -i sine=r=48000:d=2 -f lavfi -i sine=f=800:r=48000:d=2 -map 0:v -map 1:a -map 2:a \
    -target ntsc-dvd -c:a:0 ac3 -c:a:1 mp2 -b:a:1 192k "$work/clip.mpg"
  VIDEO_FORMAT=NTSC dvdauthor -o "$work/disc" -t -c 0,0:01 -a en,zh "$work/clip.mpg" >/dev/null 2>&1
  VIDEO_FORMAT=NTSC dvdauthor -o "$work/disc" -T >/dev/null 2>&1
  folders+=("$work/disc")
fi
"$build/fuzz/dvd_fuzz_seeds" "$work/seeds" "${folders[@]}"
ASAN_OPTIONS=quarantine_size_mb=64:malloc_context_size=10 "$build/fuzz/dvd_ifo_fuzz" -max_total_time="$seconds" -timeout=2 -rss_limit_mb=1024 \
  -print_final_stats=1 -artifact_prefix="$build/artifacts/" "$work/corpus" "$work/seeds" \
  2>"$build/fuzz-run.log" || { tail -60 "$build/fuzz-run.log"; exit 1; }
grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb)" "$build/fuzz-run.log" || true
echo "dvd-fuzz: no findings in ${seconds}s"
