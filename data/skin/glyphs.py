"""Icon glyphs, each drawn once in a 24 x 24 box in one colour.

A glyph is a function of the colour that returns SVG markup; strokes are
2 units wide with round ends, so every icon of the skin has the same weight.
"""

import re

STROKE = 'fill="none" stroke="{c}" stroke-width="{w}" stroke-linecap="round" stroke-linejoin="round"'
_WIDE = re.compile(r'\{S\} stroke-width="([0-9.]+)"')


def _s(body):
    """Stroke-style glyph: elements use {S} for the stroke attributes, optionally
    followed by a stroke-width of their own."""
    def draw(c):
        out = _WIDE.sub(lambda m: STROKE.format(c=c, w=m.group(1)), body)
        return out.replace("{S}", STROKE.format(c=c, w="2")).replace("{c}", c)
    return draw


GLYPHS = {
    # film frame with a plus: add video files
    "add": _s('<rect x="2.5" y="5" width="14" height="14" rx="2.5" {S}/>'
              '<path d="M6 5v14M13 5v14M2.5 9h3.5M2.5 15h3.5M13 9h3.5M13 15h3.5" {S} stroke-width="1.5"/>'
              '<circle cx="18.5" cy="17.5" r="5" fill="{c}"/>'
              '<path d="M18.5 15v5M16 17.5h5" fill="none" stroke="#ffffff" stroke-width="1.8" stroke-linecap="round"/>'),
    "scissors": _s('<circle cx="6" cy="17.5" r="3" {S}/><circle cx="18" cy="17.5" r="3" {S}/>'
                   '<path d="M8 15.5L17 3.5M16 15.5L7 3.5" {S}/>'),
    "wand": _s('<path d="M4 20L15 9" {S} stroke-width="2.4"/><path d="M15 9l2-2" {S} stroke-width="3.2"/>'
               '<path d="M18 2.5v3M16.5 4h3M21 9v2.5M19.75 10.25h2.5M10 3v2M9 4h2" {S} stroke-width="1.5"/>'),
    "folder": _s('<path d="M3 7.5V18a1.5 1.5 0 0 0 1.5 1.5h15A1.5 1.5 0 0 0 21 18V9.5A1.5 1.5 0 0 0 19.5 8H12l-2-2.5H4.5A1.5 1.5 0 0 0 3 7z" {S}/>'),
    "folder-open": _s('<path d="M3 18V7a1.5 1.5 0 0 1 1.5-1.5H10l2 2.5h6a1.5 1.5 0 0 1 1.5 1.5V11" {S}/>'
                      '<path d="M3 18l3-6.5h15.5L18.5 18z" {S}/>'),
    "gear": _s('<circle cx="12" cy="12" r="3" {S}/>'
               '<path d="M12 2.8v2.6M12 18.6v2.6M2.8 12h2.6M18.6 12h2.6M5.5 5.5l1.85 1.85M16.65 16.65l1.85 1.85M5.5 18.5l1.85-1.85M16.65 7.35l1.85-1.85" {S}/>'
               '<circle cx="12" cy="12" r="6.6" {S}/>'),
    "play": lambda c: '<path d="M8 5.2v13.6a.8.8 0 0 0 1.2.7l10.6-6.8a.8.8 0 0 0 0-1.4L9.2 4.5A.8.8 0 0 0 8 5.2z" fill="%s"/>' % c,
    "pause": lambda c: '<rect x="6" y="5" width="4.2" height="14" rx="1.2" fill="%s"/><rect x="13.8" y="5" width="4.2" height="14" rx="1.2" fill="%s"/>' % (c, c),
    "stop": lambda c: '<rect x="6" y="6" width="12" height="12" rx="2" fill="%s"/>' % c,
    "camera": _s('<path d="M3.5 8.5A1.5 1.5 0 0 1 5 7h2.5l1.5-2.2h6L16.5 7H19a1.5 1.5 0 0 1 1.5 1.5v9A1.5 1.5 0 0 1 19 19H5a1.5 1.5 0 0 1-1.5-1.5z" {S}/>'
                 '<circle cx="12" cy="12.8" r="3.4" {S}/>'),
    "chevron-down": _s('<path d="M7 10l5 5 5-5" {S}/>'),
    "speaker": lambda c: ('<path d="M4 9.5h3.5L12 5.5v13l-4.5-4H4z" fill="%s"/>' % c) +
                         _s('<path d="M15.5 9a4.2 4.2 0 0 1 0 6M18 6.5a7.8 7.8 0 0 1 0 11" {S}/>')(c),
    "speaker-mute": lambda c: ('<path d="M4 9.5h3.5L12 5.5v13l-4.5-4H4z" fill="%s"/>' % c) +
                              _s('<path d="M15.5 9.5l5 5M20.5 9.5l-5 5" {S}/>')(c),
    "minimise": _s('<path d="M6 16h12" {S} stroke-width="2.4"/>'),
    "cross": _s('<path d="M6.5 6.5l11 11M17.5 6.5l-11 11" {S} stroke-width="2.4"/>'),
    "film": _s('<rect x="3" y="4" width="18" height="16" rx="2.5" {S}/>'
               '<path d="M7.5 4v16M16.5 4v16M3 8.5h4.5M3 12h4.5M3 15.5h4.5M16.5 8.5H21M16.5 12H21M16.5 15.5H21" {S} stroke-width="1.5"/>'),
    "next-frame": lambda c: '<path d="M5 6v12l9-6z" fill="%s"/><rect x="16" y="6" width="3" height="12" rx="1" fill="%s"/>' % (c, c),
    "mark-in": _s('<path d="M10 4H6v16h4" {S}/><path d="M13 8l4 4-4 4" {S}/>'),
    "mark-out": _s('<path d="M14 4h4v16h-4" {S}/><path d="M11 8l-4 4 4 4" {S}/>'),
    "play-section": lambda c: _s('<path d="M3.5 5v14M20.5 5v14" {S}/>')(c) +
                              '<path d="M8.5 7.5v9a.6.6 0 0 0 .9.5l7-4.5a.6.6 0 0 0 0-1l-7-4.5a.6.6 0 0 0-.9.5z" fill="%s"/>' % c,
    "rotate": _s('<path d="M19 12a7 7 0 1 1-2.05-4.95" {S}/><path d="M19.5 4v4h-4" {S}/>'),
    "flip-h": _s('<path d="M12 3v18" {S} stroke-dasharray="2 2.5"/><path d="M9 7L3.5 17H9z" {S}/><path d="M15 7l5.5 10H15z" {S}/>'),
    "flip-v": _s('<path d="M3 12h18" {S} stroke-dasharray="2 2.5"/><path d="M7 9L17 3.5V9z" {S}/><path d="M7 15l10 5.5V15z" {S}/>'),
    "crop": _s('<path d="M6 2.5V18h15.5" {S}/><path d="M2.5 6H18v15.5" {S}/>'),
    "sparkle": _s('<path d="M12 3l2 6.5L20.5 12 14 14.5 12 21l-2-6.5L3.5 12 10 9.5z" {S}/>'),
    "droplet": _s('<path d="M12 3.5s6 6.5 6 10.5a6 6 0 0 1-12 0c0-4 6-10.5 6-10.5z" {S}/>'),
    "subtitle": _s('<rect x="2.5" y="5" width="19" height="14" rx="2.5" {S}/><path d="M6 12.5h4M12.5 12.5H18M6 15.5h8M16 15.5h2" {S} stroke-width="1.6"/>'),
    "letter-t": _s('<path d="M5 5.5h14M12 5.5V19" {S} stroke-width="2.6"/>'),
    "reset": _s('<path d="M5 12a7 7 0 1 0 2.05-4.95" {S}/><path d="M4.5 4v4h4" {S}/>'),
    "arrow-left": _s('<path d="M14.5 6.5L9 12l5.5 5.5" {S} stroke-width="2.4"/>'),
    "arrow-right": _s('<path d="M9.5 6.5L15 12l-5.5 5.5" {S} stroke-width="2.4"/>'),
    "check": _s('<path d="M5.5 12.5l4 4 9-9.5" {S} stroke-width="2.6"/>'),
    "sliders": _s('<path d="M4 7h9M17 7h3M4 17h3M11 17h9" {S}/><circle cx="15" cy="7" r="2.2" {S}/><circle cx="9" cy="17" r="2.2" {S}/>'),
    # category marks
    "music": lambda c: _s('<path d="M9 18V6l10-2v12" {S}/>')(c) +
                       '<circle cx="6.5" cy="18" r="2.8" fill="%s"/><circle cx="16.5" cy="16" r="2.8" fill="%s"/>' % (c, c),
    "phone": _s('<rect x="6.5" y="2.5" width="11" height="19" rx="2.5" {S}/><path d="M10.5 18.5h3" {S}/>'),
    "globe": _s('<circle cx="12" cy="12" r="8.5" {S}/><path d="M3.5 12h17M12 3.5c-3.2 3.5-3.2 13.5 0 17M12 3.5c3.2 3.5 3.2 13.5 0 17" {S} stroke-width="1.6"/>'),
    "hd": lambda c: '<text x="12" y="16" font-family="DejaVu Sans" font-weight="bold" font-size="10" text-anchor="middle" fill="%s">HD</text>' % c,
    "star": lambda c: '<path d="M12 3.5l2.6 5.3 5.8.8-4.2 4.1 1 5.8L12 16.8l-5.2 2.7 1-5.8-4.2-4.1 5.8-.8z" fill="%s"/>' % c,
    "user": _s('<circle cx="12" cy="8.5" r="3.8" {S}/><path d="M4.5 20a7.5 7.5 0 0 1 15 0" {S}/>'),
    "clock": _s('<circle cx="12" cy="12" r="8.5" {S}/><path d="M12 7v5l3.5 2" {S}/>'),
    "monitor": _s('<rect x="2.5" y="4" width="19" height="13" rx="2" {S}/><path d="M9 20.5h6M12 17v3.5" {S}/>'),
    "tablet": _s('<rect x="4.5" y="2.5" width="15" height="19" rx="2.5" {S}/><circle cx="12" cy="18.3" r="1" fill="{c}"/>'),
    "disc": _s('<circle cx="12" cy="12" r="8.5" {S}/><circle cx="12" cy="12" r="2.2" {S}/>'),
}


def glyph(name, colour, x, y, size):
    """The glyph scaled from its 24-unit box into a size x size square at (x, y)."""
    scale = size / 24.0
    return '<g transform="translate(%.3f %.3f) scale(%.4f)">%s</g>' % (x, y, scale, GLYPHS[name](colour))
