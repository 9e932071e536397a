"""Bitmap lettering: labels moulded into the shell, and the text of pages.

    height 5
    glyph A        ; 'space' names the blank glyph, 'semicolon' the ';'
    .#.
    #.#
    ...            ; exactly `height` rows of '#' and '.'
"""

from dataclasses import dataclass, field

from .source_text import (SourceError, expect_words, is_skippable, parse_int,
                          read_lines, statement_words)


# Characters a `glyph` line cannot name as themselves.
NAMED_GLYPHS = {" ": "space", ";": "semicolon"}


@dataclass
class Font:
    path: str
    height: int = 0
    glyphs: dict = field(default_factory=dict)

    def text_width(self, text):
        return sum(len(self._glyph(c)[0]) for c in text) + max(len(text) - 1, 0)

    def text_pixels(self, text, left, top):
        """Window pixels set by `text` with its top-left at (left, top)."""
        pixels, x = [], left
        for char in text:
            rows = self._glyph(char)
            pixels += [(x + gx, top + gy) for gy, row in enumerate(rows)
                       for gx, c in enumerate(row) if c == "#"]
            x += len(rows[0]) + 1
        return pixels

    def glyph_width(self, char):
        return len(self._glyph(char)[0])

    def _glyph(self, char):
        key = NAMED_GLYPHS.get(char, char)
        if key not in self.glyphs:
            raise SourceError(self.path, 0, f"font has no glyph '{char}'")
        return self.glyphs[key]


def load_font(path):
    font, current = Font(path), None
    for number, line in read_lines(path):
        if is_skippable(line):
            continue
        words = statement_words(line)
        if words[0] == "height":
            expect_words(words, 2, path, number, "height N")
            font.height = parse_int(words[1], path, number, "height", 1, 32)
        elif words[0] == "glyph":
            expect_words(words, 2, path, number, "glyph CHAR")
            current = font.glyphs.setdefault(words[1], [])
        else:
            _add_row(font, current, line.strip(), path, number)
    _check(font)
    return font


def _add_row(font, rows, row, path, number):
    if rows is None or set(row) - set("#."):
        raise SourceError(path, number, "expected a 'glyph' line or a row of '#' and '.'")
    if rows and len(row) != len(rows[0]):
        raise SourceError(path, number, "glyph rows differ in width")
    if len(rows) >= font.height:
        raise SourceError(path, number, f"glyph has more than {font.height} rows")
    rows.append(row)


def _check(font):
    for name, rows in font.glyphs.items():
        if len(rows) != font.height:
            raise SourceError(font.path, 0, f"glyph '{name}' has {len(rows)} rows, not {font.height}")
