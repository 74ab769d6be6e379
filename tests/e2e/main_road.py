#!/usr/bin/env python3
"""The main road on the staged program, driven with real X events (xdotool):
add three clips of which one is unreadable, convert with the first shown
profile, pause and resume during the first file, finish with both finish
actions, then cancel a second run during its second of three files.

Runs on the X display in $DISPLAY (1280x1024 or larger, no window manager).
HOME and the XDG folders point into a temporary tree; the program's system
actions are recorded in MEROVANT_ACTION_LOG instead of being carried out.
Screenshots go to --shots (kept) or into the temporary tree."""

import argparse
import glob
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET

# ffmpeg encoder -> the codec name ffprobe reports.
CODEC_OF_ENCODER = {
    "libx264": "h264", "libx265": "hevc", "mpeg4": "mpeg4", "libxvid": "mpeg4",
    "libvpx": "vp8", "libvpx-vp9": "vp9", "libaom-av1": "av1", "libsvtav1": "av1",
    "libtheora": "theora", "mpeg2video": "mpeg2video", "wmv2": "wmv2", "flv": "flv1",
    "aac": "aac", "libmp3lame": "mp3", "libopus": "opus", "libvorbis": "vorbis",
    "ac3": "ac3", "mp2": "mp2", "flac": "flac", "pcm_s16le": "pcm_s16le",
}

# Geometry of the windows (client coordinates).
ADD_BUTTON = (20 + 66, 56 + 22)          # toolbar pane at (0, 56), button 132 x 44 at x 20
START_BUTTON = (690 + 68, 450 + 32)      # start pane at (690, 450), 136 x 64
RUN_DIALOG_SIZE = (640, 440)
LOG_DIALOG_SIZE = (420, 392)
LOG_TEXT = (20 + 40, 68 + 40)            # inside the log dialog's text (at 20, 68)
CLOSE_OFFSET = (-8 - 7, 6 + 7)           # dialog close button: 8 from the right, 6 down
OPEN_BOX = (48, 332)
SHUTDOWN_BOX = (48, 361)
CANCEL_BUTTON = (640 - 30 - 50, 440 - 12 - 15)
PAUSE_BUTTON = (640 - 30 - 100 - 12 - 50, 440 - 12 - 15)
STATE_CELL = (40 + 2 * 186 + 2, 72 + 21, 180, 22)  # first row's State cell (x, y, w, h)

failures = []
shots = None  # the screenshot folder


def check(condition, text):
    print(("ok   " if condition else "FAIL ") + text + time.strftime("  [%H:%M:%S]"), flush=True)
    if not condition:
        failures.append(text)
    return condition


def run(argv, **kw):
    return subprocess.run(argv, check=False, capture_output=True, text=True, **kw)


def xdo(*args):
    return run(["xdotool", *[str(a) for a in args]]).stdout.strip()


def windows():
    """Visible top-level windows: id -> (x, y, w, h, name)."""
    found = {}
    for wid in xdo("search", "--onlyvisible", "--name", "").split():
        shell = dict(line.split("=", 1) for line in
                     xdo("getwindowgeometry", "--shell", wid).splitlines() if "=" in line)
        w, h = int(shell.get("WIDTH", 0)), int(shell.get("HEIGHT", 0))
        if w > 1 and h > 1 and w < 1280:
            found[wid] = (int(shell["X"]), int(shell["Y"]), w, h, xdo("getwindowname", wid))
    return found


# How long a wait for something that must happen may take: a hang, not a
# loaded machine.
HANG = 120


def wait_for(condition, seconds, step=0.1):
    end = time.time() + seconds
    while time.time() < end:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


def window_of_size(size, seconds=HANG):
    def find():
        for wid, (x, y, w, h, _) in windows().items():
            if (w, h) == size:
                return (x, y)
        return None
    return wait_for(find, seconds)


def window_named(name, seconds=HANG):
    def find():
        for wid, (x, y, w, h, n) in windows().items():
            if n == name:
                return (x, y, w, h)
        return None
    return wait_for(find, seconds)


def click(origin, point):
    xdo("mousemove", origin[0] + point[0], origin[1] + point[1])
    time.sleep(0.15)
    xdo("click", "1")
    time.sleep(0.25)


def shot(folder, name):
    path = os.path.join(folder, name + ".png")
    run(["import", "-window", "root", path])
    return path


def cell_pixels(folder, name, origin):
    """The first row's State cell as raw pixels, from a fresh screenshot."""
    x, y, w, h = STATE_CELL
    path = os.path.join(folder, name + ".rgb")
    run(["import", "-window", "root", "-crop", f"{w}x{h}+{origin[0] + x}+{origin[1] + y}",
         "-depth", "8", "rgb:" + path])
    with open(path, "rb") as f:
        return f.read()


def log_text(origin):
    """The log dialog's text, as a user would copy it: a click into the text,
    select all, copy, and the clipboard read back."""
    click(origin, LOG_TEXT)
    xdo("key", "ctrl+a")
    time.sleep(0.1)
    xdo("key", "ctrl+c")
    time.sleep(0.3)
    try:
        return run(["xclip", "-selection", "clipboard", "-o"], timeout=5).stdout
    except subprocess.TimeoutExpired:
        return ""


def make_clip(path, seconds):
    r = run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25",
             "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100", "-t", str(seconds),
             "-c:v", "mpeg4", "-c:a", "mp2", "-shortest", path])
    if r.returncode != 0:
        sys.exit("cannot generate " + path + ": " + r.stderr)


def probe(path, entry, stream=None):
    argv = ["ffprobe", "-v", "error"]
    if stream:
        argv += ["-select_streams", stream]
    argv += ["-show_entries", entry, "-of", "default=noprint_wrappers=1:nokey=1", path]
    return run(argv).stdout.strip()


def first_shown_profile(catalog):
    for section in ET.parse(catalog).getroot():
        if section.get("isShow", "0").strip() in ("", "0"):
            continue
        for profile in section:
            if profile.get("isShow", "0").strip() not in ("", "0"):
                return profile
    sys.exit("no shown profile in " + catalog)


def expected_codecs(params):
    words = params.split()
    out = {}
    for option, kind in (("-vcodec", "v"), ("-acodec", "a")):
        if option in words:
            encoder = words[words.index(option) + 1]
            out[kind] = CODEC_OF_ENCODER.get(encoder, encoder)
    return out


def temp_files(folder, stem):
    return [p for p in glob.glob(os.path.join(glob.escape(folder), ".*"))
            if stem in os.path.basename(p)]


def total_size(paths):
    return sum(os.path.getsize(p) for p in paths if os.path.exists(p))


def md5(path):
    with open(path, "rb") as f:
        return hashlib.md5(f.read()).hexdigest()


def add_files_with_dialog(main, keys):
    """Presses the toolbar's add button and works the file dialog with keys."""
    click(main, ADD_BUTTON)
    dialog = window_named("Select One or More Files")
    if not check(dialog is not None, "the add button opens the file dialog"):
        return False
    # No window manager: the keyboard follows the pointer.
    xdo("mousemove", dialog[0] + dialog[2] // 2, dialog[1] + dialog[3] // 2)
    time.sleep(0.5)
    for key in keys:
        if key.startswith("type:"):
            xdo("type", "--delay", "150", key[5:])
        else:
            xdo("key", key)
        time.sleep(0.4)
    closed = lambda: window_named("Select One or More Files", 0) is None
    if not wait_for(closed, 3):
        xdo("key", "Return")  # a typed name may first be completed
    if not wait_for(closed, HANG):
        shot(shots, "file-dialog-stuck")
    return check(closed(), "the file dialog closes")


def start_run(main, text):
    """Presses Start; the run dialog's position, or None."""
    click(main, START_BUTTON)
    dlg = window_of_size(RUN_DIALOG_SIZE)
    check(dlg is not None, text)
    return dlg


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--stage", required=True)
    parser.add_argument("--catalog", required=True)
    parser.add_argument("--shots")
    args = parser.parse_args()
    program = os.path.join(os.path.abspath(args.stage), "bin", "Merovant")

    global shots
    root = tempfile.mkdtemp(prefix="mv-e2e-")
    shots = args.shots or os.path.join(root, "shots")
    os.makedirs(shots, exist_ok=True)
    clips = os.path.join(root, "clips")
    home = os.path.join(root, "home")
    for d in (clips, home, os.path.join(root, "run")):
        os.makedirs(d)
    os.chmod(os.path.join(root, "run"), 0o700)
    # The first clip is long enough that, on a loaded machine, its conversion
    # is still going when the pause click lands.
    seconds_of = {"alpha": 20, "beta": 8}
    for stem, seconds in seconds_of.items():
        make_clip(os.path.join(clips, stem + ".avi"), seconds)
    with open(os.path.join(clips, "broken.avi"), "wb") as f:
        f.write(os.urandom(6000))

    actions = os.path.join(root, "actions.log")
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/.config",
               XDG_DATA_HOME=home + "/.local/share", XDG_CACHE_HOME=home + "/.cache",
               XDG_RUNTIME_DIR=os.path.join(root, "run"), MEROVANT_ACTION_LOG=actions,
               GDK_BACKEND="x11", NO_AT_BRIDGE="1")
    profile = first_shown_profile(args.catalog)
    codecs = expected_codecs(profile.get("transfer_extra_param", ""))
    extension = profile.get("id").rsplit(".", 1)[-1].rstrip(")")
    print("profile:", profile.get("id"), codecs, flush=True)

    # The file dialog opens in the working folder: the clips.
    log = open(os.path.join(root, "program.log"), "w")
    proc = subprocess.Popen([program], cwd=clips, env=env, stdout=log, stderr=log)
    try:
        main_win = window_named("Tarvelin Merovant")
        if not check(main_win is not None, "the main window opens"):
            return 1
        main_xy = main_win[:2]
        out = wait_for(lambda: next(iter(glob.glob(home + "/**/Tarvelin Merovant",
                                                   recursive=True)), None), 5)
        check(out is not None, "the default output folder exists")

        # Three clips at once; the unreadable one is named in the log dialog.
        add_files_with_dialog(main_xy, ["ctrl+a", "Return"])
        log_xy = window_of_size(LOG_DIALOG_SIZE)
        check(log_xy is not None, "the log dialog opens")
        shot(shots, "1-log-dialog")
        check(log_xy is not None and log_text(log_xy).splitlines() == ["broken.avi"],
              "the log dialog names the unreadable file")
        if log_xy:
            click(log_xy, (LOG_DIALOG_SIZE[0] + CLOSE_OFFSET[0], CLOSE_OFFSET[1]))
            check(wait_for(lambda: window_of_size(LOG_DIALOG_SIZE, 0) is None, HANG),
                  "the log dialog closes")
        time.sleep(0.5)
        shot(shots, "2-main-with-rows")

        # Run 1: both finish actions; pause during the first file.
        dlg = start_run(main_xy, "Start opens the run dialog")
        if not dlg:
            return 1
        click(dlg, OPEN_BOX)
        click(dlg, SHUTDOWN_BOX)
        first = wait_for(lambda: total_size(temp_files(out, "alpha")) > 20000 and
                         temp_files(out, "alpha"), HANG)
        check(bool(first), "the first file is being converted")
        click(dlg, PAUSE_BUTTON)
        time.sleep(1.0)
        shot(shots, "3-run-paused")
        check(bool(temp_files(out, "alpha")) and
              not os.path.exists(os.path.join(out, "alpha." + extension)),
              "paused in the middle of the first file")
        size_a = total_size(temp_files(out, "alpha"))
        cell_a = cell_pixels(root, "cell-a", dlg)
        time.sleep(2.0)
        check(total_size(temp_files(out, "alpha")) == size_a, "paused: the first file stops growing")
        check(cell_pixels(root, "cell-b", dlg) == cell_a, "paused: its percent stops")
        check(not temp_files(out, "beta") and not os.path.exists(os.path.join(out, "beta." + extension)),
              "paused: the second file does not start")
        click(dlg, PAUSE_BUTTON)  # resume sits where pause was
        wait_for(lambda: temp_files(out, "beta"), HANG)
        shot(shots, "4-run-second-file")
        done = wait_for(lambda: open(actions).read() if os.path.exists(actions) else "", HANG)
        time.sleep(0.5)
        lines = open(actions).read().splitlines() if os.path.exists(actions) else []
        check(lines == ["open-folder " + out, "poweroff"],
              "both finish actions recorded: %r" % lines)
        shot(shots, "5-run-finished")
        # The power-off took no effect: the dialog stays, and cancel closes it.
        check(window_of_size(RUN_DIALOG_SIZE, 0) is not None, "the dialog stays after power-off")
        click(dlg, CANCEL_BUTTON)
        check(wait_for(lambda: window_of_size(RUN_DIALOG_SIZE, 0) is None, HANG),
              "cancel closes the finished run")

        for stem, seconds in seconds_of.items():
            path = os.path.join(out, stem + "." + extension)
            if not check(os.path.exists(path), "output " + os.path.basename(path)):
                continue
            duration = float(probe(path, "format=duration") or 0)
            check(abs(duration - seconds) <= 0.5, "%s lasts %.2f s" % (stem, duration))
            for kind, codec in codecs.items():
                got = probe(path, "stream=codec_name", kind + ":0")
                check(got == codec, "%s %s codec %s (want %s)" % (stem, kind, got, codec))
        check(not glob.glob(os.path.join(glob.escape(out), "broken*")), "no output for the unreadable clip")
        check(not glob.glob(os.path.join(glob.escape(out), ".*")), "no temporary file left")
        kept = {p: md5(p) for p in glob.glob(os.path.join(glob.escape(out), "*"))}

        # Run 2: a third clip, then cancel during the second of three files.
        make_clip(os.path.join(clips, "gamma.avi"), 8)
        add_files_with_dialog(main_xy, ["ctrl+l", "type:gamma.avi", "Return"])
        time.sleep(1.5)
        shot(shots, "6-main-three-rows")
        dlg = start_run(main_xy, "Start opens the second run")
        if not dlg:
            return 1
        second = wait_for(lambda: total_size(temp_files(out, "beta")) > 20000, HANG)
        check(bool(second), "the second file of three is being converted")
        check(os.path.exists(os.path.join(out, "alpha_1." + extension)),
              "the first file got a new name beside the earlier output")
        shot(shots, "7-second-run-mid")
        click(dlg, CANCEL_BUTTON)
        check(wait_for(lambda: window_of_size(RUN_DIALOG_SIZE, 0) is None, HANG),
              "cancel closes the dialog")
        time.sleep(2.0)
        check(not glob.glob(os.path.join(glob.escape(out), "beta_1*")) and not temp_files(out, "beta"),
              "nothing left of the cancelled file")
        check(not glob.glob(os.path.join(glob.escape(out), "gamma*")) and not temp_files(out, "gamma"),
              "the third file never started")
        check(all(os.path.exists(p) and md5(p) == h for p, h in kept.items()),
              "earlier outputs untouched")
        check(proc.poll() is None, "the program still runs")
        shot(shots, "8-after-cancel")
    finally:
        if proc.poll() is None:
            proc.terminate()
            try:
                proc.wait(10)
            except subprocess.TimeoutExpired:
                proc.kill()
        log.close()
        if failures:
            print("program output:\n" + open(os.path.join(root, "program.log")).read())
        print("screenshots in", shots)
        if not args.shots:
            shutil.rmtree(root, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
