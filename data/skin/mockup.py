#!/usr/bin/env python3
"""Looks at the rendered skin the way the windows will place it.

    mockup.py <render dir> <output dir>

Composes the main frame and the dialogs from the rendered pictures at the
positions the windows use, with stand-ins for the texts and native controls
the program draws itself, and writes one PNG per window. A development aid;
nothing of it is shipped.
"""
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from shapes import esc  # noqa: E402


def size_of(theme, name):
    with open(os.path.join(theme, name), "rb") as f:
        head = f.read(24)
    return struct.unpack(">II", head[16:24])


class Mock:
    def __init__(self, theme, background):
        self.theme = theme
        self.w, self.h = size_of(theme, background)
        self.parts = []
        self.image(background, 0, 0)

    def image(self, name, x, y, w=None, h=None):
        iw, ih = size_of(self.theme, name)
        self.parts.append('<image href="%s" x="%d" y="%d" width="%d" height="%d"/>'
                          % (name, x, y, w or iw, h or ih))
        return iw, ih

    def text(self, x, y, s, size=12, bold=False, colour="#000000", italic=False):
        self.parts.append('<text x="%d" y="%g" font-family="DejaVu Sans" font-size="%g" font-weight="%s" '
                          'font-style="%s" fill="%s">%s</text>'
                          % (x, y + size * 0.93, size, "bold" if bold else "normal",
                             "italic" if italic else "normal", colour, esc(s)))

    def field(self, x, y, w, h, value=""):
        self.parts.append('<rect x="%g" y="%g" width="%d" height="%d" fill="#fff" stroke="#9aa5b1"/>'
                          % (x + .5, y + .5, w - 1, h - 1))
        if value:
            self.text(x + 5, y + 4, value, 11)

    def check(self, x, y, label, checked=False):
        self.parts.append('<rect x="%g" y="%g" width="15" height="15" rx="2" fill="%s" stroke="#7c7c7c"/>'
                          % (x + .5, y + .5, "#1a8fd6" if checked else "#fff"))
        self.text(x + 22, y + 1, label, 12, True)

    def box(self, x, y, w, h, label):
        self.parts.append('<rect x="%g" y="%g" width="%d" height="%d" rx="3" fill="none" stroke="#c0c8d0"/>'
                          % (x + .5, y + 7.5, w - 1, h - 8))
        self.parts.append('<rect x="%d" y="%d" width="%d" height="14" fill="#fff"/>' % (x + 8, y, len(label) * 8))
        self.text(x + 10, y, label, 11)

    def write(self, path):
        svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d">%s</svg>'
               % (self.w, self.h, "".join(self.parts)))
        src = os.path.join(self.theme, "_mock.svg")
        with open(src, "w") as f:
            f.write(svg)
        subprocess.run(["rsvg-convert", "-o", path, src], check=True)
        os.remove(src)


def main_frame(theme):
    m = Mock(theme, "surface/base/background.png")
    W = m.w
    m.image("application/application.png", 13, 5, 16, 16)
    m.text(34, 6, "Tarvelin Merovant", 11, True)
    sw, _ = size_of(theme, "surface/top/small.png")
    cw, _ = size_of(theme, "surface/top/close.png")
    m.image("surface/top/small.png", W - sw - cw - 10, 6)
    m.image("surface/top/close_over.png", W - cw - 10, 6)
    x = 20
    for i, t in enumerate(("File", "Edit", "Option", "Help")):
        m.text(x, 26 + 4, t, 12, colour="#ffffff" if i == 1 else "#000000")
        x += len(t) * 8 + 8 + 5
    m.image("surface/window/toolbar-add-normal.png", 20, 56)
    # file list
    # preview pane at (514,110)
    px, py = 514, 110
    m.text(px + 68, py + 6, "holiday.mp4", 11, colour="#ffffff")
    m.text(px + 322 - 8 - 130, py + 254, "00:00:12/00:01:40", 11, colour="#ffffff")
    sy = py + 254 + 15
    m.image("surface/window/preview-mp-channel.png", px + 2 + 15, sy + 2)
    m.parts.append('<rect x="%d" y="%d" width="%d" height="6" fill="rgb(14,177,242)"/>' % (px + 2 + 19, sy + 5, 60 - 4 - 15))
    m.image("surface/window/preview-play-thumb.png", px + 2 + 60, sy)
    by = sy + 14 + 6
    pw, _ = m.image("surface/window/preview-pause-current.png", px + 36, by)
    stw, _ = m.image("surface/window/preview-stop-normal.png", px + 36 + pw + 4, by)
    x = px + 36 + pw + 4 + stw + 8
    phw, _ = m.image("surface/window/preview-photo-normal.png", x, by)
    x += phw
    sew, _ = m.image("surface/window/preview-select-normal.png", x, by)
    x += sew + 10
    vw, _ = m.image("surface/window/preview-volume.png", x, by)
    x += vw
    m.image("surface/window/preview-volume-channel.png", x + 8, by + 2 + 6)
    m.parts.append('<rect x="%d" y="%d" width="%d" height="5" fill="rgb(14,177,242)"/>' % (x + 10, by + 2 + 8, 40 - 2 - 8))
    m.image("surface/window/preview-volume-thumb.png", x + 40, by + 2)
    # profile row (40,456)
    m.text(40, 456 + 2, "Profile:", 13, True)
    m.field(40 + 62, 456 + 2, 288, 22, "MP4 Video (*.mp4)")
    gw, _ = m.image("surface/window/settings-normal.png", 40 + 358, 456)
    m.check(40 + 358 + gw + 8, 456 + 6, "Apply to All", True)
    # output row (40,490)
    m.text(40, 490 + 2, "Output:", 13, True)
    m.field(40 + 62, 490, 202, 22, "/home/user/Documents/Tarvelin")
    bw, _ = m.image("surface/window/browse-normal.png", 40 + 272, 490)
    m.image("surface/window/find-target-normal.png", 40 + 272 + bw + 8, 490)
    m.image("surface/window/start-normal.png", 690, 450)
    return m


def dialog(theme, background, close_x=-8, close_y=6, hover_close=False):
    m = Mock(theme, background)
    cw, _ = size_of(theme, "surface/base/close-normal.png")
    m.image("surface/base/close-%s.png" % ("over" if hover_close else "normal"), m.w + close_x - cw, close_y)
    return m


def about(theme):
    m = dialog(theme, "surface/base/info_bg.png")
    iw, _ = size_of(theme, "application/application.png")
    m.image("application/application.png", (m.w - iw) // 2, 28)
    y = 160
    for line, size in (("Tarvelin Merovant ", 12), ("Version: 2.1.9", 14), ("https://www.tarvelin.example", 14),
                       ("Copyright (C) 2026 Tarvelin. All rights reserved.", 14)):
        w = int(len(line) * size * 0.6)
        m.text((m.w - w) // 2, y, line, size, colour="#1565c0" if "http" in line else "#000000")
        y += size + 6 + 10
    return m


def loading(theme):
    m = dialog(theme, "surface/base/loading.png")
    m.text(40, 42, "holiday-2026-beach.mp4", 11)
    m.parts.append('<rect x="40.5" y="64.5" width="339" height="23" fill="#fff" stroke="rgb(124,124,124)"/>')
    m.parts.append('<rect x="40" y="64" width="200" height="24" fill="rgb(14,177,242)"/>')
    return m


def fileinfo(theme):
    m = dialog(theme, "surface/window/fileinformation-bg.png")
    m.text(20, 6, "File Information", 12, True)
    vx = 64 + 62
    y = 46
    for label, value in (("File Name:", "holiday.mp4"), ("Media Length:", "00:01:40")):
        m.text(24, y, label, 12)
        m.field(vx, y, 200, 22, value)
        y += 15 + 10
    for title, rows in (("Video", (("Resolution:", "1280 x 720"), ("Bit Rate:", "2400 kbps"), ("Frame Rate:", "25 fps"))),
                        ("Audio", (("Sample Rate:", "48000 Hz"), ("Channel:", "2 channel stereo"), ("Bit Rate:", "128 kbps")))):
        m.box(24, y, m.w - 48, 130, title)
        for i, (label, value) in enumerate(rows):
            m.text(32, y + 28 + 32 * i, label, 12)
            m.field(vx, y + 28 + 32 * i, 200, 22, value)
        y += 140
    return m


def log(theme):
    m = dialog(theme, "surface/window/fileinformation-bg.png", hover_close=True)
    m.text(20, 6, "Information", 12, True)
    m.text(20, 34, "2 files failed.", 12)
    m.text(20, 48, "unloaded files:", 12)
    m.field(20, 68, m.w - 40, 300, "notes.txt")
    return m


def progress(theme):
    m = dialog(theme, "surface/window/progress-convert.png")
    W, H = m.w, m.h
    m.parts.append('<rect x="40.5" y="72.5" width="%d" height="239" fill="#fff" stroke="#7c7c7c"/>' % (W - 81))
    m.parts.append('<rect x="41" y="73" width="%d" height="20" fill="rgb(232,232,232)"/>' % (W - 82))
    w3 = (W - 80) // 3
    for i, t in enumerate(("Destination File", "Estimated Length", "State")):
        m.text(44 + i * w3, 75, t, 11)
    for r, (name, pct) in enumerate((("holiday.mp4", 100), ("party.mp4", 46), ("talk.mp4", 0))):
        y = 93 + r * 25
        m.text(44, y + 5, name, 11)
        m.text(44 + w3, y + 5, "00:01:40", 11)
        if pct:
            m.parts.append('<rect x="%d" y="%d" width="%d" height="24" fill="rgb(252,156,0)" stroke="#000"/>'
                           % (41 + 2 * w3, y, (W - 80 - 2 * w3 - 2) * pct // 100))
        m.text(41 + 2 * w3 + 80, y + 1, "%d%%" % pct if pct else "Waiting...", 11)
    m.check(40, 324, "Open output folder when conversion completed")
    m.check(40, 324 + 16 + 12, "Shutdown computer when conversion completed")
    cw, ch = size_of(theme, "surface/base/cancel-normal.png")
    m.image("surface/base/cancel-normal.png", W - cw - 30, H - ch - 12)
    pw, _ = size_of(theme, "surface/base/pause-normal.png")
    m.image("surface/base/pause-current.png", W - cw - 30 - 12 - pw, H - ch - 12)
    return m


def clip(theme):
    m = dialog(theme, "surface/window/clip-background.png", close_x=-16)
    W = m.w
    m.text(24, 6, "Clip", 12)
    tw, th = size_of(theme, "surface/window/clip-thumb.png")
    trw, trh = size_of(theme, "surface/window/clip-mp-channel.png")
    m.image("surface/window/clip-mp-channel.png", 26 + tw // 2, 334 + (th - trh) // 2)
    m.image("surface/window/clip-thumb.png", 26 + 120, 334)
    iw, ih = size_of(theme, "surface/window/clip-left-normal.png")
    ow, oh = size_of(theme, "surface/window/clip-right-normal.png")
    sx, sy = 26 + tw // 2 - iw, 334 + th
    m.image("surface/window/clip-left-normal.png", sx + 40, sy)
    m.image("surface/window/clip-right-normal.png", sx + iw + 300, sy)
    m.parts.append('<line x1="%d" y1="%d" x2="%d" y2="%d" stroke="rgb(128,0,255)"/>' % (sx + 40 + iw, sy + ih // 2, sx + iw + 300, sy + oh // 2))
    R = sy + ih + 6
    x = 20
    pw, _ = m.image("surface/window/clip-pause-normal.png", x, R)
    x += pw + 10
    for n in ("next-frame", "make-in", "make-out", "play-section"):
        w, _ = m.image("surface/window/clip-%s-%s.png" % (n, "current" if n == "make-in" else "normal"), x, R)
        x += w + 10
    m.text(410, R, "/00:01:40", 12, colour="#ffffff")
    m.text(410 - 62, R, "00:00:12", 12, colour="#ffffff")
    S = R + 50
    m.text(20, S, "Set start time:", 11, colour="#ffffff")
    bx = 20 + 90 + 6
    m.field(bx, S - 4, 58, 22, "00:00:03")
    okw, _ = m.image("surface/window/clip-ok-normal.png", bx + 58 + 10, S - 5)
    m.image("surface/window/clip-ok-normal.png", W - okw - 20, S - 5)
    ex = W - okw - 20 - 10 - 58
    m.field(ex, S - 4, 58, 22, "00:01:40")
    m.text(ex - 6 - 82, S, "Set end time:", 11, colour="#ffffff")
    T = S + 42
    rw, _ = m.image("surface/base/reset-normal.png", 20, T)
    m.text(20 + rw + 10, T + 4, "Length: 00:01:37", 11)
    cw, _ = size_of(theme, "surface/base/cancel-normal.png")
    m.image("surface/base/cancel-normal.png", W - 20 - cw, T)
    ow2, _ = size_of(theme, "surface/base/ok-normal.png")
    m.image("surface/base/ok-normal.png", W - 20 - cw - 10 - ow2, T)
    return m


def edit(theme):
    m = dialog(theme, "surface/window/edit-background.png", close_x=-14, close_y=8)
    W, H = m.w, m.h
    m.text(24, 8, "Edit", 12)
    m.parts.append('<rect x="22" y="102" width="396" height="222" fill="#345"/>')
    m.parts.append('<rect x="432" y="102" width="396" height="222" fill="#345"/>')
    m.parts.append('<rect x="22.5" y="102.5" width="395" height="221" fill="none" stroke="red"/>')
    B = 372
    pw, _ = m.image("surface/window/edit-pause-normal.png", 24, B)
    sw, _ = m.image("surface/window/edit-stop-normal.png", 24 + pw + 16, B)
    x = 24 + pw + 16 + sw + 12
    tw, th = size_of(theme, "surface/window/edit-slider-thumb.png")
    trw, trh = size_of(theme, "surface/window/edit-slider-channel.png")
    m.image("surface/window/edit-slider-channel.png", x + tw // 2, B + 4 + (th - trh) // 2)
    m.image("surface/window/edit-slider-thumb.png", x + 80, B + 4)
    x += trw + tw + 16
    vw, _ = m.image("surface/window/preview-volume.png", x, B + 4)
    x += vw
    vtw, vth = size_of(theme, "surface/window/preview-volume-thumb.png")
    vtrw, vtrh = size_of(theme, "surface/window/preview-volume-channel.png")
    m.image("surface/window/preview-volume-channel.png", x + vtw // 2, B + 6 + (vth - vtrh) // 2)
    m.image("surface/window/preview-volume-thumb.png", x + vtrw // 2, B + 6)
    x += vtrw + vtw + 16
    for n in ("rotate", "level", "vertical"):
        w, _ = m.image("surface/window/edit-%s-normal.png" % n, x, B)
        x += w + 16
    x = 15
    for i, n in enumerate(("crop", "effect", "watermark", "subtitle")):
        w, h = m.image("surface/window/edit-%s-%s.png" % (n, "pressed" if i == 0 else ("current" if i == 2 else "normal")), x, B + 50)
        x += w + 2
    P = B + 50 + h
    Y = P + 30
    x = 34
    for label, field in (("Zoom:", 98), ("Left:", 60), ("Top:", 60), ("Cropped Area Size:", 60), ("X", 60)):
        m.text(x, Y, label, 10.5)
        x += int(len(label) * 6.2) + 8
        m.field(x, Y - 2, field, 22)
        x += field + 16
    m.check(x, Y + 2, "Keep Aspect Ratio")
    m.text(34, Y + 36, "Ctrl+Arrow Keys: Adjust the crop area location; Shift+Arrow Keys: Zoom the crop area.", 10.5)
    rw, _ = size_of(theme, "surface/base/reset-normal.png")
    m.image("surface/base/reset-normal.png", W - rw - 40, H - 90)
    cw, _ = size_of(theme, "surface/base/cancel-normal.png")
    m.image("surface/base/cancel-normal.png", W - cw - 20, H - 44)
    ow, _ = size_of(theme, "surface/base/ok-normal.png")
    m.image("surface/base/ok-normal.png", W - cw - 20 - cw - 10, H - 44)
    return m


def setting(theme):
    m = Mock(theme, "surface/setting/setting_window.png")
    W, H = m.w, m.h
    m.image("surface/setting/setting_title.png", 0, 0)
    cw, _ = m.image("surface/setting/close_over.png", W - 20 - 20, 5)
    m.text(20, 94, "Format Preset:", 12)
    m.field(20 + 96 + 2, 94, (W // 6) * 3 + 10, 22, "MP4 Video (*.mp4)")
    sw, _ = size_of(theme, "surface/setting/saveAs.png")
    m.image("surface/setting/saveAs.png", W - sw - 30, 94)
    for i, title in enumerate(("Video", "Audio")):
        by = 130 + 100 * i
        m.box(20, by, 415, 100, title)
        for ry, (l1, l2) in zip((20, 55), ((("Resolution:", "Frame Rate:"), ("Encoder:", "Bit Rate:"))[0],
                                            (("Resolution:", "Frame Rate:"), ("Encoder:", "Bit Rate:"))[1])):
            m.text(25, by + ry + 3, l1, 11)
            m.field(20 + 89, by + ry, 100, 22, "1280x720")
            m.text(20 + 212, by + ry + 3, l2, 11)
            m.field(20 + 292, by + ry, 100, 22, "25")
    m.image("surface/setting/default.png", 15, H - 40)
    m.image("surface/setting/ok.png", 270, H - 40)
    m.image("surface/setting/cancel_over.png", 355, H - 40)
    return m


def customise(theme):
    m = Mock(theme, "surface/customise/customise_bg.png")
    W = m.w
    m.text(20, 5, "Customize Profile", 14, True, italic=True)
    cw, _ = m.image("surface/customise/close.png", W - 20 - 10, 5)
    tx = (W - 290) // 2 - 13
    m.field(tx, 40, 319, 342)
    for i, (name, checked) in enumerate((("General Video", True), ("MP4 Video", True), ("AVI Video", False),
                                         ("Web Video", False), ("Audio", True))):
        indent = 0 if i in (0, 3, 4) else 20
        m.image("surface/customise/%s.png" % ("checked" if checked else "unchecked"), tx + 20 + indent, 48 + i * 22)
        m.text(tx + 42 + indent, 48 + i * 22, name, 11)
    x = 18
    for name, step in (("checkall", 80), ("uncheckall_over", 100), ("ok", 80), ("cancel", 0)):
        m.image("surface/customise/%s.png" % name, x, 400)
        x += step
    return m


def popup(theme):
    m = Mock(theme, "surface/base/background.png")
    m.parts = []
    m.w, m.h = 560, 360
    m.parts.append('<rect x="0" y="0" width="560" height="360" fill="#e9eef4"/>')
    x0, y0, pw, ph = 10, 10, 150, 330
    m.parts.append('<rect x="%g" y="%g" width="%d" height="%d" fill="#fff" stroke="#000"/>' % (x0 + .5, y0 + .5, pw - 1, ph - 1))
    cats = ("recent", "general", "web", "dvd", "windows", "apple", "android", "mobile", "audio", "user")
    names = ("Recent", "General Video", "Web Video", "DVD and TV", "Windows Media", "Apple Devices", "Android Devices",
             "Mobile Phones", "Audio", "User Defined")
    for i, (c, n) in enumerate(zip(cats, names)):
        y = y0 + i * 28
        if i == 1:
            m.parts.append('<rect x="%d" y="%d" width="%d" height="26" fill="rgb(49,106,197)" stroke="#fff"/>' % (x0 + 1, y + 1, pw - 2))
        iw, ih = m.image("surface/profile/category/%s.png" % c, x0, y + (28 - 18) // 2)
        m.text(x0 + iw + 10, y + 6, n, 11, colour="#fff" if i == 1 else "#000")
    lx = x0 + pw - 49
    m.image("surface/mypopmenu/custom.png", lx - 65, y0 + ph - 25)
    lw, _ = m.image("surface/mypopmenu/spinButton/left.png", lx, y0 + ph - 25)
    m.image("surface/mypopmenu/spinButton/right_over.png", lx + lw + 1, y0 + ph - 25)
    # leaf menu
    x1 = x0 + pw
    m.parts.append('<rect x="%g" y="%g" width="399" height="%d" fill="#fff" stroke="#000"/>' % (x1 + .5, y0 + .5, ph - 1))
    for i, (f, alias, desc) in enumerate((("mp4", "MP4 Video (*.mp4)", "H.264 video with AAC audio"),
                                          ("avi", "AVI Video (*.avi)", "MPEG-4 video with MP3 audio"),
                                          ("mkv", "MKV Video (*.mkv)", "H.264 video in Matroska"),
                                          ("webm", "WebM Video (*.webm)", "VP9 video for the web"),
                                          ("mp3", "MP3 Audio (*.mp3)", "MPEG layer 3 audio"),
                                          ("android", "Android Phone (*.mp4)", "Video for Android phones"),
                                          ("apple", "iPad (*.mp4)", "Video for tablets"))):
        y = y0 + i * 45
        hl = i == 0
        if hl:
            m.parts.append('<rect x="%d" y="%d" width="398" height="43" fill="rgb(49,106,197)" stroke="#fff"/>' % (x1 + 1, y + 1))
            m.image("surface/mypopmenu/close.png", x1 + 300, y + 3)
        iw, _ = m.image("surface/profile/format/%s.png" % f, x1, y + 3)
        m.text(x1 + iw + 10, y + 2, alias, 11, True, colour="#fff" if hl else "#000")
        m.text(x1 + iw + 10, y + 22, desc, 11, colour="#fff" if hl else "#000")
    return m


def main():
    render, out = sys.argv[1], sys.argv[2]
    theme = os.path.join(render, "theme")
    os.makedirs(out, exist_ok=True)
    for name, build in MOCKS.items():
        build(theme).write(os.path.join(out, name + ".png"))


MOCKS = {"main": main_frame, "about": about, "loading": loading, "fileinfo": fileinfo, "log": log,
         "progress": progress, "clip": clip, "edit": edit, "setting": setting, "customise": customise,
         "popup": popup}

if __name__ == "__main__":
    main()
