"""Pixel-grid text: sprites, icon entries and cursors.

A file is a few statements followed by one or more grids:

    ; comment
    palette lcd           ; load data/palettes/lcd.palette
    colour o #2b3326      ; character -> colour ('.' is transparent already)
    scale 2               ; output pixels per grid cell
    grid
    ..oo..
    .o..o.

A grid is every following line up to a blank line or the end of the file.
"""

from dataclasses import dataclass, field

from PIL import Image

from .source_text import (SourceError, expect_words, is_comment, is_skippable,
                          parse_colour, parse_int, read_lines, statement_words)

TRANSPARENT = None


@dataclass
class Grid:
    line: int
    args: list
    rows: list = field(default_factory=list)
    row_lines: list = field(default_factory=list)

    @property
    def width(self):
        return len(self.rows[0]) if self.rows else 0

    @property
    def height(self):
        return len(self.rows)


@dataclass
class SpriteText:
    path: str
    palette: dict = field(default_factory=lambda: {".": TRANSPARENT})
    scale: int = 1
    hotspot: tuple = None
    backdrop: tuple = None
    mirror: str = None
    grids: list = field(default_factory=list)
    seen: dict = field(default_factory=dict)

    def require_single_grid(self):
        if len(self.grids) != 1:
            raise SourceError(self.path, 0, f"expected exactly one grid, found {len(self.grids)}")
        return self.grids[0]


def parse_sprite_text(path, palette_dir, allowed):
    """Parses `path`; `allowed` names the statements this kind of file may use."""
    text = SpriteText(path)
    lines = read_lines(path)
    i = 0
    while i < len(lines):
        number, line = lines[i]
        i += 1
        if is_skippable(line):
            continue
        words = statement_words(line)
        if words[0] not in allowed:
            raise SourceError(path, number, f"unknown statement '{words[0]}' here")
        if words[0] == "grid":
            grid = Grid(number, words[1:])
            if "from" not in grid.args:        # entries made from elsewhere have no rows
                i = _read_rows(lines, i, grid, path)
            text.grids.append(grid)
        else:
            _apply_statement(text, words, number, palette_dir)
    _check_grids(text)
    return text


def _read_rows(lines, i, grid, path):
    while i < len(lines) and lines[i][1].strip():
        number, row = lines[i]
        i += 1
        if is_comment(row):
            continue
        if any(c.isspace() for c in row):
            raise SourceError(path, number, "grid rows may not contain spaces")
        grid.rows.append(row)
        grid.row_lines.append(number)
    return i


def _apply_statement(text, words, number, palette_dir):
    key, path = words[0], text.path
    if key in text.seen and key != "colour":
        raise SourceError(path, number, f"'{key}' already given on line {text.seen[key]}")
    text.seen[key] = number
    if key == "colour":
        expect_words(words, 3, path, number, "colour CHAR #rrggbb|none")
        _set_colour(text.palette, words[1], words[2], path, number)
    elif key == "palette":
        expect_words(words, 2, path, number, "palette NAME")
        _load_palette(text.palette, words[1], palette_dir, path, number)
    elif key == "scale":
        expect_words(words, 2, path, number, "scale N")
        text.scale = parse_int(words[1], path, number, "scale", 1, 16)
    elif key == "hotspot":
        expect_words(words, 3, path, number, "hotspot X Y")
        text.hotspot = tuple(parse_int(w, path, number, "hotspot", 0, 255) for w in words[1:])
    elif key == "mirror":
        expect_words(words, 2, path, number, "mirror OTHER.sprite")
        text.mirror = words[1]
    elif key == "backdrop":
        expect_words(words, 2, path, number, "backdrop #rrggbb")
        text.backdrop = parse_colour(words[1], path, number)


def _set_colour(palette, char, value, path, number):
    if len(char) != 1 or char == ";":
        raise SourceError(path, number, f"colour key must be one character other than ';', got '{char}'")
    palette[char] = parse_colour(value, path, number)


def _load_palette(palette, name, palette_dir, path, number):
    palette_path = f"{palette_dir}/{name}.palette"
    try:
        lines = read_lines(palette_path)
    except FileNotFoundError:
        raise SourceError(path, number, f"no palette '{name}' ({palette_path})") from None
    for line_no, line in lines:
        if is_skippable(line):
            continue
        words = statement_words(line)
        if words[0] != "colour" or len(words) != 3:
            raise SourceError(palette_path, line_no, "expected 'colour CHAR #rrggbb|none'")
        _set_colour(palette, words[1], words[2], palette_path, line_no)


def _check_grids(text):
    for grid in text.grids:
        if not grid.rows:
            continue
        for row, number in zip(grid.rows, grid.row_lines):
            if len(row) != grid.width:
                raise SourceError(text.path, number,
                                  f"row is {len(row)} wide, first row of this grid is {grid.width}")
            for column, char in enumerate(row, start=1):
                if char not in text.palette:
                    raise SourceError(text.path, number,
                                      f"column {column}: character '{char}' has no colour")


def render_grid(rows, palette, scale):
    """Turns grid rows into an RGBA image, each cell a scale x scale block."""
    image = Image.new("RGBA", (len(rows[0]) * scale, len(rows) * scale), (0, 0, 0, 0))
    for y, row in enumerate(rows):
        for x, char in enumerate(row):
            colour = palette[char]
            if colour is not TRANSPARENT:
                box = (x * scale, y * scale, (x + 1) * scale, (y + 1) * scale)
                image.paste(colour + (255,), box)
    return image
