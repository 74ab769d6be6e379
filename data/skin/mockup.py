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
from shapes import P, esc  # noqa: E402


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
    m.image("surface/window/toolbar-add-current.png", 20, 56)
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


def main():
    render, out = sys.argv[1], sys.argv[2]
    theme = os.path.join(render, "theme")
    os.makedirs(out, exist_ok=True)
    for name, build in MOCKS.items():
        build(theme).write(os.path.join(out, name + ".png"))


MOCKS = {"main": main_frame}

if __name__ == "__main__":
    main()
