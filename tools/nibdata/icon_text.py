"""Icon text: several square grids, one per size, in the sprite grid syntax.

    grid 16                ; drawn here, 16 rows of 16
    grid 32 from 16        ; the 16 entry scaled up 2x
    grid 32 from 0.sprite x2   ; a sprite (path beside this file) centred
    backdrop #b7c4a4       ; rounded tile behind sprite entries
"""

import os

from PIL import Image, ImageDraw

from .source_text import SourceError, parse_int
from .sprite_text import parse_sprite_text, render_grid

ALLOWED = {"palette", "colour", "backdrop", "grid"}


def icon_images(path, palette_dir):
    text = parse_sprite_text(path, palette_dir, ALLOWED)
    if not text.grids:
        raise SourceError(path, 0, "no grid entries")
    entries = {}
    for grid in text.grids:
        size = _entry_size(grid, path)
        if size in entries:
            raise SourceError(path, grid.line, f"a {size}x{size} entry already exists")
        entries[size] = _entry_image(text, grid, size, entries, palette_dir)
    return [entries[size] for size in sorted(entries)]


def _entry_size(grid, path):
    if not grid.args:
        raise SourceError(path, grid.line, "expected 'grid SIZE [from SOURCE [xN]]'")
    return parse_int(grid.args[0], path, grid.line, "icon size", 1, 256)


def _entry_image(text, grid, size, entries, palette_dir):
    path, args = text.path, grid.args
    if len(args) == 1:
        if grid.height != size or grid.width != size:
            raise SourceError(path, grid.line,
                              f"'grid {size}' needs {size}x{size} rows, found {grid.width}x{grid.height}")
        return render_grid(grid.rows, text.palette, 1)
    if len(args) not in (3, 4) or args[1] != "from":
        raise SourceError(path, grid.line, "expected 'grid SIZE from SOURCE [xN]' with no rows")
    factor = _factor(args[3], path, grid.line) if len(args) == 4 else 1
    if args[2].isdigit():
        return _scaled_entry(entries, int(args[2]), size, path, grid.line)
    sprite_path = os.path.join(os.path.dirname(path), args[2])
    return _sprite_entry(text, sprite_path, size, factor, palette_dir, grid.line)


def _factor(word, path, line):
    if not word.startswith("x"):
        raise SourceError(path, line, f"expected a scale like x2, got '{word}'")
    return parse_int(word[1:], path, line, "scale", 1, 16)


def _scaled_entry(entries, source_size, size, path, line):
    if source_size not in entries or size % source_size:
        raise SourceError(path, line, f"no earlier {source_size} entry that scales evenly to {size}")
    return entries[source_size].resize((size, size), Image.NEAREST)


def _sprite_entry(text, sprite_path, size, factor, palette_dir, line):
    if not os.path.isfile(sprite_path):
        raise SourceError(text.path, line, f"no sprite file {sprite_path}")
    art = _sprite_art(sprite_path, palette_dir, factor, set())
    if art.width > size or art.height > size:
        raise SourceError(text.path, line, f"sprite at x{factor} does not fit in {size}x{size}")
    icon = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    if text.backdrop:
        ImageDraw.Draw(icon).rounded_rectangle((0, 0, size - 1, size - 1), size // 5,
                                               fill=text.backdrop + (255,))
    icon.alpha_composite(art, ((size - art.width) // 2, (size - art.height) // 2))
    return icon


def _sprite_art(sprite_path, palette_dir, factor, seen):
    # A mirrored sprite makes its icon from the sprite it mirrors, turned.
    sprite = parse_sprite_text(sprite_path, palette_dir, {"palette", "colour", "scale", "grid", "mirror"})
    if sprite.mirror is not None:
        other = os.path.join(os.path.dirname(sprite_path), sprite.mirror)
        if not os.path.isfile(other) or other in seen:
            raise SourceError(sprite_path, sprite.seen["mirror"], f"cannot mirror '{sprite.mirror}'")
        art = _sprite_art(other, palette_dir, factor, seen | {sprite_path})
        return art.transpose(Image.Transpose.FLIP_LEFT_RIGHT)
    grid = sprite.require_single_grid()
    return render_grid(grid.rows, sprite.palette, factor)
