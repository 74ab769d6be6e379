"""One function per kind of picture: (width, height, state, args) -> SVG text.

The kinds are named in the picture list (pictures.tsv); every kind draws
with the palette, radii and glyphs of shapes.py and glyphs.py.
"""
from glyphs import glyph
from shapes import (P, RADIUS_BIG, RADIUS_BUTTON, RADIUS_CARD, baseline_for,
                    framed, line, rect, shadow_filter, svg, text, text_width,
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
            '<path d="M24 16v24l20-12z" fill="#ffffff" stroke="#ffffff" stroke-width="4" stroke-linejoin="round"/>'
            "</g>")
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


# ---------------------------------------------------------------- more controls

@recipe("tab")
def tab(w, h, state, a):
    """Page tab of the edit dialog: the pressed picture is the open page's tab."""
    ink, fill, edge = P["ink-soft"], P["surface-alt"], P["surface-edge"]
    if state == "current":
        ink, fill, edge = P["accent-dark"], P["accent-tint"], P["accent-tint-edge"]
    elif state == "pressed":
        ink, fill, edge = P["ink"], P["surface"], P["surface-edge"]
    elif state == "disable":
        ink = P["ink-disabled"]
    r = RADIUS_BUTTON
    path = ('M0.5 %g V%g a%g %g 0 0 1 %g -%g H%g a%g %g 0 0 1 %g %g V%g'
            % (h, r + 0.5, r, r, r, r, w - r - 0.5, r, r, r, r, h))
    body = '<path d="%s z" fill="%s"/>' % (path, fill)
    body += '<path d="%s" fill="none" stroke="%s"/>' % (path, edge)
    if state == "pressed":
        body += rect(1, 1, w - 2, 2.5, 1.2, P["accent"])
    else:
        body += line(0, h - 0.5, w, h - 0.5, P["surface-edge"])
    body += _content(w, h + 1, a.get("icon"), a.get("label"), float(a.get("size", 12)),
                     int(a.get("iconsize", 14)), ink, ink if state != "pressed" else P["accent"], 0, 6)
    return svg(w, h, body)


@recipe("mark")
def trim_mark(w, h, state, a):
    """In and out marks of the trim slider: a bracket flag pointing into the range."""
    colour = {"normal": "#a46bff", "current": "#c29bff", "pressed": "#8040ff",
              "disable": P["player-glyph-disabled"]}[state]
    if a.get("side") == "in":
        d = "M1 1h%g v%g l-%g %g H1z" % (w - 2, h - 8, w - 2, 6)
    else:
        d = "M%g 1H1v%g l%g %g H%gz" % (w - 1, h - 8, w - 2, 6, w - 1)
    body = '<path d="%s" fill="%s" stroke="%s" stroke-width="1" stroke-linejoin="round"/>' % (
        d, colour, P["player-edge"])
    return svg(w, h, body)


@recipe("combo-button")
def combo_button(w, h, state, a):
    """Drop button of a button combo box: a small glyph on a light face."""
    ink = P["ink-soft"] if state != "disable" else P["ink-disabled"]
    fill = {"current": P["accent-tint"], "pressed": P["accent-press"]}.get(state, P["surface-alt"])
    body = rect(0, 0, w, h, 0, fill) + line(0.5, 0, 0.5, h, P["surface-edge"])
    size = min(w, h) - 6
    body += glyph(a["icon"], ink, (w - size) / 2.0 + 0.5, (h - size) / 2.0, size)
    return svg(w, h, body)


@recipe("popup-button")
def popup_button(w, h, state, a):
    """Buttons on the white strip of the profile popup (opaque: they have no snapshot)."""
    hover = state == "current"
    body = rect(0, 0, w, h, 0, P["surface"])
    body += framed(0, 0, w, h, 3, P["accent-tint"] if hover else P["surface-alt"],
                   P["accent-tint-edge"] if hover else P["surface-edge"])
    ink = P["accent-dark"] if hover else P["ink-soft"]
    body += _content(w, h, a.get("icon"), a.get("label"), float(a.get("size", 10)),
                     int(a.get("iconsize", 14)), ink, ink, 0, 3)
    return svg(w, h, body)


@recipe("leaf-close")
def leaf_close(w, h, state, a):
    """Remove mark of a user profile, shown on the highlighted (blue) row."""
    if state == "current":
        body = '<circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (w / 2.0, h / 2.0, w / 2.0 - 1, P["danger"])
    else:
        body = ('<circle cx="%g" cy="%g" r="%g" fill="#ffffff" fill-opacity="0.22" stroke="#ffffff" '
                'stroke-opacity="0.6"/>' % (w / 2.0, h / 2.0, w / 2.0 - 1.5))
    body += glyph("cross", "#ffffff", 4, 4, w - 8)
    return svg(w, h, body)


FORMAT_COLOURS = {"video": "cat-video", "audio": "cat-audio", "device": "cat-device",
                  "web": "cat-web", "hd": "cat-hd"}


@recipe("format")
def format_icon(w, h, state, a):
    """Profile icon: a document with a folded corner and the format's name on a band."""
    colour = P[FORMAT_COLOURS[a.get("family", "video")]]
    x0, y0, dw, dh, fold = 5, 2, w - 10, h - 4, 9
    doc = ("M%g %g H%g L%g %g V%g a2 2 0 0 1 -2 2 H%g a2 2 0 0 1 -2 -2 V%g a2 2 0 0 1 2 -2z"
           % (x0 + 2, y0, x0 + dw - fold, x0 + dw, y0 + fold, y0 + dh - 2, x0 + 2, y0 + 2))
    body = '<path d="%s" fill="%s" stroke="%s"/>' % (doc, P["surface"], P["frame-edge"])
    body += ('<path d="M%g %g V%g a1.5 1.5 0 0 0 1.5 1.5 H%g z" fill="%s" stroke="%s" stroke-linejoin="round"/>'
             % (x0 + dw - fold, y0, y0 + fold - 1.5, x0 + dw, P["divider"], P["frame-edge"]))
    band_y = y0 + dh * 0.52
    body += rect(x0 - 2, band_y, dw + 4, 12, 2, colour)
    label = a.get("label", "")
    if label:
        size = 8.5 if len(label) <= 3 else 7.5
        body += text(x0 + dw / 2.0, band_y + 9.2, label, size, "#ffffff", anchor="middle")
    if a.get("icon"):
        body += glyph(a["icon"], colour, x0 + dw / 2.0 - 7, y0 + 4, 14)
    else:
        for i in range(3):
            body += line(x0 + 5, y0 + 6.5 + 3.5 * i, x0 + dw - fold - (0 if i else 0) - 1, y0 + 6.5 + 3.5 * i,
                         P["divider"], 1.5)
    return svg(w, h, body)


@recipe("category")
def category_icon(w, h, state, a):
    """Category mark: a small tile of the category colour with a white glyph."""
    colour = P[a.get("colour", "cat-video")]
    t = min(w, h) - 2
    x, y = w - t - 1, (h - t) / 2.0
    defs = vgradient("bg", colour, colour)
    body = rect(x, y, t, t, 4, "url(#bg)")
    body += rect(x, y, t, t / 2.0, 4, "#ffffff", extra='fill-opacity="0.16"')
    g = t * 0.74
    body += glyph(a["icon"], "#ffffff", x + (t - g) / 2.0, y + (t - g) / 2.0, g)
    return svg(w, h, body, defs)
