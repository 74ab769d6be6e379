"""One function per kind of picture: (width, height, state, args) -> SVG text.

The kinds are named in the picture list (pictures.tsv); every kind draws
with the palette, radii and glyphs of shapes.py and glyphs.py.
"""
from glyphs import glyph
from shapes import (P, RADIUS_BIG, RADIUS_BUTTON, RADIUS_CARD, RADIUS_WINDOW, baseline_for,
                    framed, heading, line, rect, shadow_filter, svg, text, text_width,
                    vgradient)

RECIPES = {}


def recipe(name):
    def register(fn):
        RECIPES[name] = fn
        return fn
    return register


def _content(w, h, icon, label, size, icon_size, colour, icon_colour=None, dy=0, gap=6):
    """An icon and a caption centred together in a w x h box."""
    tw = text_width(label, size) if label else 0
    total = (icon_size if icon else 0) + (gap if icon and label else 0) + tw
    x = (w - total) / 2.0
    cy = h / 2.0 + dy
    out = ""
    if icon:
        out += glyph(icon, icon_colour or colour, x, cy - icon_size / 2.0, icon_size)
        x += icon_size + gap
    if label:
        out += text(x, baseline_for(cy, size), label, size, colour)
    return out


# ---------------------------------------------------------------- buttons

@recipe("flat")
def flat_button(w, h, state, a):
    """Toolbar button on a light strip: no face until hovered."""
    inset = int(a.get("inset", 4))
    face = ""
    ink, icon_ink, dy = P["ink"], P["accent"], 0
    if state == "current":
        face = framed(0, inset, w, h - 2 * inset, RADIUS_CARD, P["accent-tint"], P["accent-tint-edge"])
    elif state == "pressed":
        face = framed(0, inset, w, h - 2 * inset, RADIUS_CARD, P["accent-press"], P["accent"])
        icon_ink, dy = P["accent-deep"], 1
    elif state == "disable":
        ink = icon_ink = P["ink-disabled"]
    return svg(w, h, face + _content(w, h, a.get("icon"), a.get("label"), float(a.get("size", 13)),
                                     int(a.get("iconsize", 24)), ink, icon_ink, dy, 8))


@recipe("secondary")
def secondary_button(w, h, state, a):
    """Small white button with an outline, for light surfaces."""
    fill, edge, ink, icon_ink, dy = "url(#face)", P["surface-edge"], P["ink"], P["ink-soft"], 0
    defs = vgradient("face", P["surface"], P["surface-alt"])
    if state == "current":
        fill, edge, icon_ink = P["accent-tint"], P["accent-tint-edge"], P["accent"]
    elif state == "pressed":
        fill, edge, icon_ink, dy = P["accent-press"], P["accent"], P["accent-deep"], 1
    elif state == "disable":
        fill, edge, ink, icon_ink = P["surface-alt"], P["divider"], P["ink-disabled"], P["ink-disabled"]
    body = framed(0, 0, w, h, RADIUS_BUTTON, fill, edge)
    if a.get("opaque"):
        body = rect(0, 0, w, h, 0, P[a["opaque"]]) + body
    body += _content(w, h, a.get("icon"), a.get("label"), float(a.get("size", 12)),
                     int(a.get("iconsize", 16)), ink, icon_ink, dy)
    return svg(w, h, body, defs)


@recipe("primary")
def primary_button(w, h, state, a):
    """Accent-filled button for the action that goes ahead."""
    top, bottom, ink, dy = P["accent-light"], P["accent"], P["on-accent"], 0
    if state == "current":
        top, bottom = "#3cc2f6", P["accent-light"]
    elif state == "pressed":
        top, bottom, dy = P["accent-dark"], P["accent-deep"], 1
    elif state == "disable":
        top, bottom, ink = P["divider"], P["surface-edge"], P["ink-faint"]
    big = a.get("big") == "1"
    r = RADIUS_BIG if big else RADIUS_BUTTON
    pad = 3 if big else 0
    defs = vgradient("face", top, bottom) + shadow_filter("sh", 1.5, 1.6, 0.35 if state != "pressed" else 0.15)
    shadow = ' filter="url(#sh)"' if big else ""
    body = ""
    if a.get("opaque"):
        body += rect(0, 0, w, h, 0, P[a["opaque"]])
    body += rect(pad, pad, w - 2 * pad, h - 2 * pad - (2 if big else 0), r, "url(#face)", extra=shadow)
    if big:
        body += rect(pad + 1, pad + 1, w - 2 * pad - 2, (h - 2 * pad) / 2.0 - 2, r - 1, "#ffffff",
                     extra='fill-opacity="%s"' % ("0.10" if state != "pressed" else "0.04"))
    else:
        body += framed(0, 0, w, h, r, "none", "#000000", 'stroke-opacity="0.12"')
    body += _content(w, h - (2 if big else 0), a.get("icon"), a.get("label"),
                     float(a.get("size", 12)), int(a.get("iconsize", 16)), ink, ink, dy, 8 if big else 6)
    return svg(w, h, body, defs)


@recipe("title-button")
def title_button(w, h, state, a):
    """Minimise and close on the header band."""
    body, ink = "", P["ink"]
    if state == "current":
        fill = P["danger"] if a.get("danger") else "#ffffff"
        opacity = "1" if a.get("danger") else "0.35"
        body += rect(0, 0, w, h, 3, fill, extra='fill-opacity="%s"' % opacity)
        if a.get("danger"):
            ink = "#ffffff"
    size = min(w, h) - 2
    body += glyph(a["icon"], ink, (w - size) / 2.0, (h - size) / 2.0, size)
    return svg(w, h, body)


@recipe("dialog-close")
def dialog_close(w, h, state, a):
    body, ink = "", P["ink-soft"]
    if state == "current":
        body = rect(0, 0, w, h, RADIUS_BUTTON, P["danger"])
        ink = "#ffffff"
    body += glyph("cross", ink, 3, 3, w - 6)
    return svg(w, h, body)


@recipe("player")
def player_button(w, h, state, a):
    """Round icon button on the dark player surfaces."""
    ink, disc = P["player-glyph"], None
    primary = a.get("primary") == "1"
    if primary:
        disc = {"normal": P["accent"], "current": P["accent-light"],
                "pressed": P["accent-deep"], "disable": P["player-raised"]}[state]
        ink = "#ffffff" if state != "disable" else P["player-glyph-disabled"]
    elif state == "current":
        disc, ink = P["player-hover"], "#ffffff"
    elif state == "pressed":
        disc, ink = P["accent-deep"], "#ffffff"
    elif state == "disable":
        ink = P["player-glyph-disabled"]
    body = ""
    d = min(w, h)
    if disc:
        if a.get("shape") == "box":
            body += rect(0.5, 0.5, w - 1, h - 1, RADIUS_BUTTON, disc)
        else:
            body += '<circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (w / 2.0, h / 2.0, d / 2.0 - 0.5, disc)
    size = float(a.get("iconsize", d * 0.62))
    dy = 1 if state == "pressed" else 0
    label = a.get("label")
    if label:
        body += _content(w, h, a.get("icon"), label, float(a.get("size", 11)), int(size), ink, ink, dy, 4)
    else:
        body += glyph(a["icon"], ink, (w - size) / 2.0, (h - size) / 2.0 + dy, size)
    return svg(w, h, body)


# ---------------------------------------------------------------- sliders

@recipe("track")
def slider_track(w, h, state, a):
    """Groove of a slider; top and bottom rows give room for the fill inset."""
    top, bottom = int(a.get("top", 2)), int(a.get("bottom", 0))
    gh = h - top - bottom
    dark = a.get("surface", "dark") == "dark"
    fill = P["player-track"] if dark else P["divider"]
    edge = P["player-track-edge"] if dark else P["surface-edge"]
    return svg(w, h, framed(0, top, w, gh, gh / 2.0, fill, edge))


@recipe("thumb")
def slider_thumb(w, h, state, a):
    defs = vgradient("knob", "#ffffff", "#d5dde5") + shadow_filter("sh", 0.8, 0.8, 0.45)
    if a.get("shape") == "capsule":
        kh = h - 2
        body = rect(1, 0.5, w - 2, kh, kh / 2.0, "url(#knob)", P["frame-edge"], 1, 'filter="url(#sh)"')
        cx = w / 2.0
        for dx in (-3, 0, 3):
            body += line(cx + dx, 4, cx + dx, kh - 3, P["ink-faint"], 1)
    else:
        r = min(w, h) / 2.0 - 1.5
        body = ('<circle cx="%g" cy="%g" r="%g" fill="url(#knob)" stroke="%s" stroke-width="1" filter="url(#sh)"/>'
                % (w / 2.0, h / 2.0 - 0.5, r, P["frame-edge"]))
        body += '<circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (w / 2.0, h / 2.0 - 0.5, r * 0.35, P["accent"])
    return svg(w, h, body, defs)


# ---------------------------------------------------------------- icons

@recipe("app-icon")
def app_icon(w, h, state, a):
    # Drawn on a 4-pixel grid with a 4-pixel margin at the bottom, so that the
    # 16 x 16 reduction in the title bar stays crisp and unclipped.
    s = w / 64.0
    defs = vgradient("bg", P["accent-light"], P["accent-dark"])
    body = ('<g transform="scale(%g)">' % s +
            rect(4, 0, 56, 56, 14, "url(#bg)") +
            rect(4, 0, 56, 28, 14, "#ffffff", extra='fill-opacity="0.12"') +
            '<path d="M22 14v28l24-14z" fill="#ffffff" stroke="#ffffff" stroke-width="4" stroke-linejoin="round"/>'
            '<path d="M46 40a16 16 0 0 1-12 8" fill="none" stroke="#ffffff" stroke-width="4" stroke-linecap="round"/>'
            "</g>")
    return svg(w, h, body, defs)


@recipe("icon")
def plain_icon(w, h, state, a):
    colour = P[a.get("colour", "accent")]
    if state == "disable":
        colour = P["ink-disabled"]
    size = min(w, h)
    body = glyph(a["icon"], colour, (w - size) / 2.0, (h - size) / 2.0, size)
    return svg(w, h, body)


@recipe("badge")
def badge_icon(w, h, state, a):
    """Category mark: a rounded tile of the category colour with a white glyph."""
    colour = P[a.get("colour", "accent")]
    defs = vgradient("bg", colour, colour)
    r = max(3, w // 5)
    body = rect(0.5, 0.5, w - 1, h - 1, r, "url(#bg)")
    body += rect(0.5, 0.5, w - 1, (h - 1) / 2.0, r, "#ffffff", extra='fill-opacity="0.15"')
    g = w * 0.68
    body += glyph(a["icon"], "#ffffff", (w - g) / 2.0, (h - g) / 2.0, g)
    return svg(w, h, body, defs)


@recipe("checkbox")
def checkbox(w, h, state, a):
    checked = a.get("checked") == "1"
    if checked:
        body = rect(1, 1, w - 2, h - 2, 3, P["accent"])
        body += glyph("check", "#ffffff", 1, 1, w - 2)
    else:
        body = framed(1, 1, w - 2, h - 2, 3, P["surface"], P["frame-edge"])
    return svg(w, h, body)
