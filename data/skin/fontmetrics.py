"""Advance widths of a TrueType font, so captions can be laid out beside icons.

Reads only the tables needed for that (head, hhea, hmtx, cmap format 4).
"""
import struct


class FontMetrics:
    def __init__(self, path):
        with open(path, "rb") as f:
            self._data = f.read()
        self._tables = self._read_directory()
        self._units_per_em = struct.unpack(">H", self._table("head")[18:20])[0]
        hhea = self._table("hhea")
        self._metric_count = struct.unpack(">H", hhea[34:36])[0]
        self._hmtx = self._table("hmtx")
        self._cmap = self._read_cmap()

    def _read_directory(self):
        count = struct.unpack(">H", self._data[4:6])[0]
        tables = {}
        for i in range(count):
            entry = self._data[12 + 16 * i: 28 + 16 * i]
            tag = entry[:4].decode("latin-1")
            offset, length = struct.unpack(">II", entry[8:16])
            tables[tag] = (offset, length)
        return tables

    def _table(self, tag):
        offset, length = self._tables[tag]
        return self._data[offset:offset + length]

    def _read_cmap(self):
        cmap = self._table("cmap")
        count = struct.unpack(">H", cmap[2:4])[0]
        for i in range(count):
            platform, encoding, offset = struct.unpack(">HHI", cmap[4 + 8 * i: 12 + 8 * i])
            if platform == 3 and encoding == 1:
                return self._read_format4(cmap[offset:])
        raise ValueError("font has no Unicode BMP character map")

    @staticmethod
    def _read_format4(sub):
        if struct.unpack(">H", sub[0:2])[0] != 4:
            raise ValueError("unsupported character map format")
        segments = struct.unpack(">H", sub[6:8])[0] // 2
        ends = struct.unpack(">%dH" % segments, sub[14:14 + 2 * segments])
        base = 16 + 2 * segments
        starts = struct.unpack(">%dH" % segments, sub[base:base + 2 * segments])
        deltas = struct.unpack(">%dh" % segments, sub[base + 2 * segments:base + 4 * segments])
        range_base = base + 4 * segments
        offsets = struct.unpack(">%dH" % segments, sub[range_base:range_base + 2 * segments])
        glyphs = {}
        for s in range(segments):
            for code in range(starts[s], min(ends[s], 0x2FFF) + 1):
                if offsets[s] == 0:
                    glyph = (code + deltas[s]) & 0xFFFF
                else:
                    at = range_base + 2 * s + offsets[s] + 2 * (code - starts[s])
                    glyph = struct.unpack(">H", sub[at:at + 2])[0]
                    if glyph:
                        glyph = (glyph + deltas[s]) & 0xFFFF
                glyphs[code] = glyph
        return glyphs

    def _advance(self, glyph):
        index = min(glyph, self._metric_count - 1)
        return struct.unpack(">H", self._hmtx[4 * index:4 * index + 2])[0]

    def width(self, text, size):
        """Width in pixels of text set at the given pixel size (no kerning)."""
        units = sum(self._advance(self._cmap.get(ord(c), 0)) for c in text)
        return units * size / self._units_per_em
