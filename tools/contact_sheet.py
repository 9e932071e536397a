#!/usr/bin/python3
"""One PNG with every LCD picture of a program folder, for reviewing the art.

    contact_sheet.py DIR OUT.png [--zoom N]

DIR is a folder made by gen_data.py. Each character folder (Chars/NN/*.gif) and
the "other" folder get a section; every picture is drawn on the LCD glass with
its faint dot grid and labelled with its file name. The tray icons of both
groups follow, on white, so their own tiles show. A review aid only: nothing
here goes into the program folder.
"""

import argparse
import os
import re
import sys

from PIL import Image, ImageDraw, ImageFont

GLASS = (0xB7, 0xC4, 0xA4)
DOT = (0xAF, 0xBC, 0x9C)
PAPER = (255, 255, 255)
INK = (40, 40, 40)
SHEET_WIDTH = 1400          # pixels, after zooming
PAD = 6                     # around each picture, in picture pixels
LABEL_HEIGHT = 14


def child(folder, name):
    """The entry of `folder` called `name`, ignoring letter case (as the program does)."""
    try:
        for entry in os.listdir(folder):
            if entry.lower() == name.lower():
                return os.path.join(folder, entry)
    except FileNotFoundError:
        pass
    return None


def natural_key(name):
    # l2 before l10, second9 before second10
    return [int(part) if part.isdigit() else part.lower() for part in re.split(r"(\d+)", name)]


def files_with(folder, extension):
    if folder is None:
        return []
    names = [n for n in os.listdir(folder) if n.lower().endswith(extension)]
    return [os.path.join(folder, n) for n in sorted(names, key=natural_key)]


def glass_colours(tree):
    """Glass and dot colours from the generated glass, so the sheet matches the toy."""
    path = child(child(tree, "other") or tree, "nibscr.gif")
    if path is None:
        return GLASS, DOT
    glass = Image.open(path).convert("RGB")
    return glass.getpixel((1, 1)), glass.getpixel((6, 20))


def on_glass(picture, colours):
    glass, dot = colours
    width, height = picture.width + 2 * PAD, picture.height + 2 * PAD
    tile = Image.new("RGBA", (width, height), glass + (255,))
    for y in range(0, height, 2):
        for x in range(0, width, 2):
            tile.putpixel((x, y), dot + (255,))
    tile.alpha_composite(picture, (PAD, PAD))
    return tile


def on_paper(picture):
    tile = Image.new("RGBA", (picture.width + 2 * PAD, picture.height + 2 * PAD), PAPER + (255,))
    tile.alpha_composite(picture, (PAD, PAD))
    return tile


def load_gif(path):
    return Image.open(path).convert("RGBA")


def load_icon_sizes(path):
    """Every size of an icon file, smallest first, side by side."""
    icon = Image.open(path)
    sizes = sorted(icon.info.get("sizes", {icon.size}))
    frames = []
    for size in sizes:
        icon.size = size
        frames.append(icon.convert("RGBA"))
    strip = Image.new("RGBA", (sum(f.width for f in frames) + PAD * (len(frames) - 1),
                               max(f.height for f in frames)), (0, 0, 0, 0))
    x = 0
    for frame in frames:
        strip.alpha_composite(frame, (x, strip.height - frame.height))
        x += frame.width + PAD
    return strip


def sections(tree):
    """(title, [(label, tile)]) for every group of pictures found."""
    colours = glass_colours(tree)
    found = []
    chars = child(tree, "Chars")
    folders = sorted(os.listdir(chars), key=natural_key) if chars else []
    char_folders = [(f"Chars/{n}", os.path.join(chars, n)) for n in folders
                    if os.path.isdir(os.path.join(chars, n))]
    other = child(tree, "other")
    for title, folder in char_folders + [("other", other)]:
        gifs = [(os.path.basename(p), on_glass(load_gif(p), colours)) for p in files_with(folder, ".gif")]
        if gifs:
            found.append((title, gifs))
    for title, folder in char_folders + [("other", other)]:
        icons = [(os.path.basename(p), on_paper(load_icon_sizes(p))) for p in files_with(folder, ".ico")]
        if icons:
            found.append((title + " (tray icons)", icons))
    return found


def lay_out(groups, zoom):
    """Places zoomed tiles in rows under each group's heading; returns the sheet."""
    font = ImageFont.load_default()
    placed, y = [], PAD * zoom
    for title, tiles in groups:
        placed.append(("title", title, (PAD * zoom, y)))
        y += LABEL_HEIGHT + 4
        x, row_height = PAD * zoom, 0
        for label, tile in tiles:
            big = tile.resize((tile.width * zoom, tile.height * zoom), Image.NEAREST)
            if x + big.width > SHEET_WIDTH - PAD * zoom and x > PAD * zoom:
                x, y = PAD * zoom, y + row_height
                row_height = 0
            placed.append(("tile", (label, big), (x, y)))
            x += big.width + PAD
            row_height = max(row_height, big.height + LABEL_HEIGHT + PAD)
        y += row_height + LABEL_HEIGHT
    sheet = Image.new("RGB", (SHEET_WIDTH, max(y, 1)), PAPER)
    draw = ImageDraw.Draw(sheet)
    for kind, what, (x, y) in placed:
        if kind == "title":
            draw.text((x, y), what, fill=(0, 0, 0), font=font)
            draw.line((x, y + LABEL_HEIGHT, SHEET_WIDTH - PAD * zoom, y + LABEL_HEIGHT), fill=(160, 160, 160))
        else:
            label, big = what
            sheet.paste(big.convert("RGB"), (x, y))
            draw.text((x, y + big.height + 1), label, fill=INK, font=font)
    return sheet


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tree", help="program folder made by gen_data.py")
    parser.add_argument("out", help="PNG to write")
    parser.add_argument("--zoom", type=int, default=3, choices=(1, 2, 3, 4))
    args = parser.parse_args(argv)
    groups = sections(args.tree)
    if not groups:
        print(f"contact_sheet: no pictures under {args.tree}", file=sys.stderr)
        return 1
    lay_out(groups, args.zoom).save(args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
