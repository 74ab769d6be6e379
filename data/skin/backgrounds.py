"""Window faces: the main frame and the dialog backgrounds, and their shape masks.

The rectangles here are the places where the program puts its panes and
controls; the faces are drawn so that each of those places gets a fitting
piece of skin.
"""
from glyphs import glyph
from recipes import recipe
from shapes import (P, RADIUS_CARD, RADIUS_WINDOW, framed, heading, line, rect, shadow_filter,
                    svg, text, vgradient)

# Pane rectangles of the main frame: x, y, width, height
TITLE = (0, 0, None, 20)
MENU = (0, 26, None, 24)
TOOLBAR = (0, 56, None, 44)
FILE_LIST = (10, 108, 502, 320)
PREVIEW = (514, 110, 322, 322)
PROFILE = (40, 456, 560, 28)
OUTPUT = (40, 490, 600, 28)
START = (690, 450, 136, 64)

HEADER_BOTTOM = 52     # the title bar and the menu strip share one band
TOOLBAR_BOTTOM = 104


def _window_edge(w, h):
    return framed(0, 0, w, h, RADIUS_WINDOW, "none", P["frame-edge"])


def player_panel(x, y, w, h, canvas, caption=None):
    """Dark player surface with a sunken black canvas at canvas = (cx, cy, cw, ch)."""
    cx, cy, cw, ch = canvas
    out = rect(x, y, w, h, RADIUS_CARD, "url(#player)")
    out += framed(x, y, w, h, RADIUS_CARD, "none", P["player-edge"])
    out += framed(x + cx - 1, y + cy - 1, cw + 2, ch + 2, 2, "#000000", P["player-edge"])
    out += line(x + cx - 1, y + cy + ch + 1.5, x + cx + cw + 1, y + cy + ch + 1.5, P["player-raised"])
    if caption:
        out += text(x + 10, y + 17, caption, 9.5, P["player-glyph-disabled"], extra='letter-spacing="1"')
    return out


def _player_defs():
    return vgradient("player", P["player-raised"], P["player"])


@recipe("main-background")
def main_background(w, h, state, a):
    defs = (vgradient("header", P["header-top"], P["header-bottom"]) +
            vgradient("toolbar", P["surface"], P["surface-alt"]) +
            _player_defs() + shadow_filter("card", 1, 1.5, 0.12))
    b = rect(0, 0, w, h, 0, P["frame"])
    # Header band: title bar (0..20) and menu strip (26..50)
    b += rect(0, 0, w, HEADER_BOTTOM, 0, "url(#header)")
    b += rect(0, 0, w, 20, 0, "#ffffff", extra='fill-opacity="0.10"')
    b += line(0, 22.5, w, 22.5, P["header-edge"], 1, 'stroke-opacity="0.45"')
    b += line(0, 23.5, w, 23.5, P["header-gloss"], 1, 'stroke-opacity="0.18"')
    b += line(0, HEADER_BOTTOM - 0.5, w, HEADER_BOTTOM - 0.5, P["header-edge"])
    # Toolbar strip
    b += rect(0, HEADER_BOTTOM, w, TOOLBAR_BOTTOM - HEADER_BOTTOM, 0, "url(#toolbar)")
    b += line(0, TOOLBAR_BOTTOM - 0.5, w, TOOLBAR_BOTTOM - 0.5, P["surface-edge"])
    # File list card with its empty-list hint
    x, y, fw, fh = FILE_LIST
    b += rect(x, y, fw, fh, RADIUS_CARD, P["surface"], extra='filter="url(#card)"')
    b += framed(x, y, fw, fh, RADIUS_CARD, "none", P["surface-edge"])
    cx, cy = x + fw / 2.0, y + fh / 2.0
    b += '<circle cx="%g" cy="%g" r="38" fill="%s"/>' % (cx, cy - 34, P["accent-tint"])
    b += glyph("film", P["accent-tint-edge"], cx - 24, cy - 58, 48)
    b += text(cx, cy + 28, "No videos yet", 15, P["ink-soft"], anchor="middle")
    b += text(cx, cy + 50, "Add video files with the button above,", 11.5, P["ink-faint"], "normal", "middle")
    b += text(cx, cy + 67, "or drop files and folders here.", 11.5, P["ink-faint"], "normal", "middle")
    # Preview player
    px, py, pw, ph = PREVIEW
    b += player_panel(px, py, pw, ph, (9, 30, 304, 218), "PREVIEW")
    # Bottom card: profile and output rows, start button
    top = PROFILE[1] - 14
    b += rect(10, top, w - 20, h - top - 8, RADIUS_CARD + 2, P["surface"], extra='filter="url(#card)"')
    b += framed(10, top, w - 20, h - top - 8, RADIUS_CARD + 2, "none", P["surface-edge"])
    sep_x = START[0] - 22
    b += line(sep_x + 0.5, top + 12, sep_x + 0.5, h - 20, P["divider"])
    b += _window_edge(w, h)
    return svg(w, h, b, defs)


def dialog_face(w, h, title=None, header=30, body_fill=None, extra=""):
    """The common dialog face: light header band, white body, hairline frame."""
    defs = vgradient("hdr", P["surface-alt"], "#e8eff6")
    b = rect(0, 0, w, h, RADIUS_WINDOW, body_fill or P["surface"])
    b += ('<path d="M0 %d V%g a%g %g 0 0 1 %g -%g H%g a%g %g 0 0 1 %g %g V%d z" fill="url(#hdr)"/>'
          % (header, RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW,
             w - RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW, header))
    b += line(0, header - 0.5, w, header - 0.5, P["divider"])
    b += rect(0, header, 3, 0, 0, "none")
    b += extra
    if title:
        b += heading(20, 6, title)
    b += framed(0, 0, w, h, RADIUS_WINDOW, "none", P["frame-edge"])
    return defs, b


@recipe("dialog")
def dialog_background(w, h, state, a):
    defs, b = dialog_face(w, h, a.get("title"), int(a.get("header", 30)))
    return svg(w, h, b, defs)


@recipe("about")
def about_background(w, h, state, a):
    band = 140
    defs = vgradient("band", P["accent-tint"], P["surface"]) + vgradient("hdr", P["surface-alt"], P["surface"])
    b = rect(0, 0, w, h, RADIUS_WINDOW, P["surface"])
    b += rect(0, 0, w, band, RADIUS_WINDOW, "url(#band)")
    # soft rings behind the program's picture (64 px, top at 28), centred
    # where it is drawn and small enough to stay inside the window's top
    cx = w / 2.0
    for r, op in ((52, 0.35), (42, 0.5)):
        b += '<circle cx="%g" cy="60" r="%d" fill="none" stroke="%s" stroke-width="1" stroke-opacity="%g"/>' % (
            cx, r, P["accent-tint-edge"], op)
    b += line(40, band + 4.5, w - 40, band + 4.5, P["divider"])
    b += framed(0, 0, w, h, RADIUS_WINDOW, "none", P["frame-edge"])
    return svg(w, h, b, defs)


@recipe("mask")
def shape_mask(w, h, state, a):
    """Window shape: black where the window is, white where it is cut away."""
    body = rect(0, 0, w, h, 0, "#ffffff")
    body += rect(0, 0, w, h, RADIUS_WINDOW, "#000000")
    return svg(w, h, '<g shape-rendering="crispEdges">%s</g>' % body)


def _band(y0, y1, w, inset=0):
    """A dark player band across a dialog."""
    return rect(inset, y0, w - 2 * inset, y1 - y0, 0, "url(#player)") + \
        line(inset, y0 + 0.5, w - inset, y0 + 0.5, P["player-edge"]) + \
        line(inset, y1 - 0.5, w - inset, y1 - 0.5, P["player-edge"])


@recipe("clip")
def clip_background(w, h, state, a):
    """Clip dialog: title on the light header, player band with the preview, the
    start and end boxes, then a light strip with reset, length, OK and cancel."""
    band_top, band_bottom = 34, int(a.get("band", 456))
    defs, b = dialog_face(w, h, None, band_top)
    defs += _player_defs()
    b2 = _band(band_top, band_bottom, w)
    b2 += framed(17, 41, 468, 286, 2, "#000000", P["player-edge"])
    # a quiet divider between the transport row and the start/end boxes
    b2 += line(20, band_bottom - 48.5, w - 20, band_bottom - 48.5, P["player-raised"])
    b = b.replace(framed(0, 0, w, h, RADIUS_WINDOW, "none", P["frame-edge"]), "")
    b += b2 + framed(0, 0, w, h, RADIUS_WINDOW, "none", P["frame-edge"])
    return svg(w, h, b, defs)


@recipe("edit")
def edit_background(w, h, state, a):
    """Edit dialog: header, player band with source and target panes and the
    transport row, then the page area under the tab strip, then the footer."""
    band_top, band_bottom = 40, 410
    page_top = int(a.get("pagetop", 450))
    footer = h - 56
    defs, b = dialog_face(w, h, None, band_top)
    defs += _player_defs()
    b = b.replace(framed(0, 0, w, h, RADIUS_WINDOW, "none", P["frame-edge"]), "")
    b += _band(band_top, band_bottom, w)
    for x in (22, 432):
        b += framed(x - 1, 65, 398, 296, 2, "#000000", P["player-edge"])
    b += text(22, 58, "SOURCE", 9.5, P["player-glyph-disabled"], extra='letter-spacing="1"')
    b += text(432, 58, "PREVIEW", 9.5, P["player-glyph-disabled"], extra='letter-spacing="1"')
    # page card under the tabs
    b += rect(0, band_bottom, w, h - band_bottom, 0, P["surface-alt"])
    b += framed(10, page_top - 1, w - 20, footer - page_top - 4, 4, P["surface"], P["surface-edge"])
    b += line(0, footer + 0.5, w, footer + 0.5, P["divider"])
    b += rect(0, footer + 1, w, h - footer - 1, RADIUS_WINDOW, P["surface-alt"])
    b += framed(0, 0, w, h, RADIUS_WINDOW, "none", P["frame-edge"])
    return svg(w, h, b, defs)


@recipe("footer-dialog")
def footer_dialog(w, h, state, a):
    defs, b = dialog_face(w, h, None, int(a.get("header", 40)),
                          extra=heading(20, 9, a.get("title", "")) if a.get("title") else "")
    footer = h - 52
    b = b.replace(framed(0, 0, w, h, RADIUS_WINDOW, "none", P["frame-edge"]), "")
    if a.get("note"):
        b += text(20, int(a.get("header", 40)) + 24, a["note"], 11, P["ink-soft"], "normal")
    b += line(0, footer + 0.5, w, footer + 0.5, P["divider"])
    b += ('<path d="M0 %d H%d V%g a%g %g 0 0 1 -%g %g H%g a%g %g 0 0 1 -%g -%g z" fill="%s"/>'
          % (footer + 1, w, h - RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW,
             RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW, RADIUS_WINDOW, P["surface-alt"]))
    b += framed(0, 0, w, h, RADIUS_WINDOW, "none", P["frame-edge"])
    return svg(w, h, b, defs)


@recipe("strip")
def setting_title(w, h, state, a):
    """The settings dialog's drag strip: the same pixels as the top left of its
    window face, so the strip is invisible as a separate piece."""
    full = int(a.get("window", w))
    window = footer_dialog(full, int(a.get("windowheight", 400)), state, a)
    inner = window[window.index(">") + 1: window.rindex("</svg>")]
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">%s</svg>\n'
            % (w, h, w, h, inner))
