#!/bin/sh
# Looks at the skin: starts the staged program under Xvfb and saves the screen
# once its main window is up, then composes every dialog from the rendered
# pictures at the places the windows put them. Nothing here runs in CI.
#   tests/art/look.sh <build dir> <output dir>
set -eu
build=$(cd "$1" && pwd)
out=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)

python3 "$here/../../data/skin/mockup.py" "$build/data/skin/render" "$out/mockup"

program="$build/stage/bin/Merovant"
if [ -x "$program" ]; then
    MEROVANT_ACTION_LOG="$out/actions.log" GDK_BACKEND=x11 \
    xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
        "$1" & pid=$!
        sleep "${LOOK_WAIT:-4}"
        import -window root "$2/main.png"
        kill $pid 2>/dev/null || true
        wait $pid 2>/dev/null || true' look "$program" "$out"
    echo "screen: $out/main.png"
else
    echo "no program at $program; only the composed windows were made" >&2
fi
echo "composed windows: $out/mockup"
