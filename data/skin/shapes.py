"""Shared drawing pieces of the skin: palette, fonts, radii and the SVG helpers
that every picture is built from."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

FONT_FAMILY = "DejaVu Sans"
FONT_FILES = {
    "bold": "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "normal": "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
}

# Corner radii, used everywhere by name
RADIUS_WINDOW = 9      # top-level windows and dialogs (their window shape)
RADIUS_CARD = 6        # panels inside a window
RADIUS_BUTTON = 5      # small buttons
RADIUS_BIG = 10        # the large start button

STATES = ("normal", "current", "pressed", "disable")


def load_palette(path=os.path.join(HERE, "palette.tsv")):
    colours = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            name, value = line.split("\t")
            colours[name] = value
    return colours


P = load_palette()

_metrics = {}


def text_width(text, size, weight="bold"):
    from fontmetrics import FontMetrics
    if weight not in _metrics:
        _metrics[weight] = FontMetrics(FONT_FILES[weight])
    return _metrics[weight].width(text, size)


def esc(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;"))


def svg(width, height, body, defs=""):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
            'viewBox="0 0 %d %d">%s%s</svg>\n'
            % (width, height, width, height, ("<defs>%s</defs>" % defs) if defs else "", body))


def vgradient(gid, top, bottom, stops=None):
    """A vertical linear gradient; stops is an optional list of (offset, colour)."""
    points = stops or [(0, top), (1, bottom)]
    return ('<linearGradient id="%s" x1="0" y1="0" x2="0" y2="1">%s</linearGradient>'
            % (gid, "".join('<stop offset="%g" stop-color="%s"/>' % (o, c) for o, c in points)))


def shadow_filter(fid, dy=1.5, blur=1.5, opacity=0.28):
    return ('<filter id="%s" x="-20%%" y="-20%%" width="140%%" height="150%%">'
            '<feGaussianBlur in="SourceAlpha" stdDeviation="%g"/>'
            '<feOffset dy="%g" result="b"/>'
            '<feComponentTransfer><feFuncA type="linear" slope="%g"/></feComponentTransfer>'
            '<feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge></filter>'
            % (fid, blur, dy, opacity))


def rect(x, y, w, h, r=0, fill="none", stroke=None, width=1, extra=""):
    s = '<rect x="%g" y="%g" width="%g" height="%g"' % (x, y, w, h)
    if r:
        s += ' rx="%g"' % r
    s += ' fill="%s"' % fill
    if stroke:
        s += ' stroke="%s" stroke-width="%g"' % (stroke, width)
    return s + (" " + extra if extra else "") + "/>"


def framed(x, y, w, h, r, fill, stroke, extra=""):
    """A rectangle with a crisp one-pixel outline inside the given box."""
    return rect(x + 0.5, y + 0.5, w - 1, h - 1, r, fill, stroke, 1, extra)


def line(x1, y1, x2, y2, colour, width=1, extra=""):
    return ('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="%g" %s/>'
            % (x1, y1, x2, y2, colour, width, extra))


def text(x, y, content, size, colour, weight="bold", anchor="start", extra=""):
    return ('<text x="%g" y="%g" font-family="%s" font-size="%g" font-weight="%s" '
            'fill="%s" text-anchor="%s" %s>%s</text>'
            % (x, y, FONT_FAMILY, size, weight, colour, anchor, extra, esc(content)))


def baseline_for(center_y, size):
    """Baseline that centres capitals and lower case of DejaVu Sans on center_y."""
    return center_y + size * 0.36


def heading(x, y_top, content, size=12, colour=None):
    """A dialog heading in the style the program draws its own titles."""
    return text(x, y_top + size * 0.93, content, size, colour or P["ink"])
