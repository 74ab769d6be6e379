#!/usr/bin/env bash
# Runs a command on an X server of its own, so GUI tests that move the
# pointer and grab the screen can run side by side.
#   own-display.sh [--screen WIDTHxHEIGHT] <command> [args...]
# The screen is 1280x1024 unless given.
set -u
screen=1280x1024
if [ "${1:-}" = "--screen" ]; then
  screen=$2
  shift 2
fi
dir=$(mktemp -d "${TMPDIR:-/tmp}/mv-display.XXXXXX")
mkfifo "$dir/number"
# The server writes its display number on fd 3 once it accepts clients.
# Keys do not repeat (-r): on a loaded machine the release of a simulated
# key can reach the server after the repeat delay, and the repeat would be
# a second press the test never made.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset -r \
  3>"$dir/number" >"$dir/server.log" 2>&1 &
server=$!
number=
read -r number <"$dir/number" || true
if [ -z "$number" ]; then
  echo "own-display: Xvfb did not start" >&2
  cat "$dir/server.log" >&2
  rm -rf "$dir"
  exit 1
fi
stop() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -rf "$dir"
}
trap 'stop; exit 143' TERM INT
DISPLAY=":$number" "$@" &
child=$!
trap 'kill "$child" 2>/dev/null; wait "$child"; stop; exit 143' TERM INT
wait "$child"
status=$?
stop
exit "$status"
