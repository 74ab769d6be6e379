#!/usr/bin/env python3
"""Renders the skin pictures named in pictures.tsv.

    render.py --list pictures.tsv --out <dir> [--rsvg rsvg-convert] [--jobs N]

Writes <dir>/svg/<name>.svg (the vector source of each picture),
<dir>/theme/<name> (the PNG) and <dir>/files.txt (the entry names, one a line,
relative to <dir>/theme, for the archiver).
"""
import argparse
import concurrent.futures
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import backgrounds  # noqa: E402,F401  (registers the window faces)
from recipes import RECIPES  # noqa: E402


def read_list(path):
    """Rows of the picture list: (name, width, height, kind, state, args)."""
    rows = []
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            cells = line.split("\t")
            if len(cells) < 4:
                raise SystemExit("%s:%d: expected name, size, kind, state[, arguments]" % (path, number))
            name, size, kind, state = cells[:4]
            w, h = (int(v) for v in size.lower().split("x"))
            args = {}
            for item in (cells[4] if len(cells) > 4 else "").split(";"):
                if item.strip():
                    key, _, value = item.partition("=")
                    args[key.strip()] = value.strip()
            if kind not in RECIPES:
                raise SystemExit("%s:%d: unknown kind %r" % (path, number, kind))
            rows.append((name, w, h, kind, state, args))
    return rows


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s is not a PNG file" % path)
    return struct.unpack(">II", head[16:24])


def render(row, out, rsvg):
    name, w, h, kind, state, args = row
    svg_path = os.path.join(out, "svg", name[:-4] + ".svg")
    png_path = os.path.join(out, "theme", name)
    os.makedirs(os.path.dirname(svg_path), exist_ok=True)
    os.makedirs(os.path.dirname(png_path), exist_ok=True)
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write(RECIPES[kind](w, h, state, args))
    subprocess.run([rsvg, "-w", str(w), "-h", str(h), "-f", "png", "-o", png_path, svg_path], check=True)
    if png_size(png_path) != (w, h):
        raise SystemExit("%s came out %dx%d, expected %dx%d" % ((name,) + png_size(png_path) + (w, h)))
    return name


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--rsvg", default="rsvg-convert")
    parser.add_argument("--jobs", type=int, default=4)
    opts = parser.parse_args()
    rows = read_list(opts.list)
    names = [r[0] for r in rows]
    seen = set()
    for n in names:
        if n in seen:
            raise SystemExit("picture listed twice: " + n)
        seen.add(n)
    with concurrent.futures.ThreadPoolExecutor(max_workers=opts.jobs) as pool:
        list(pool.map(lambda r: render(r, opts.out, opts.rsvg), rows))
    with open(os.path.join(opts.out, "files.txt"), "w", encoding="utf-8") as f:
        f.write("".join(n + "\n" for n in names))


if __name__ == "__main__":
    main()
