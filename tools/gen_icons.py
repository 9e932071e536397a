#!/usr/bin/python3
"""Makes the application icon in the desktop's icon sizes from the built program folder.

    gen_icons.py --program DIR --out DIR --name ID

Writes OUT/<size>x<size>/apps/ID.png for 16, 32, 48, 64, 128 and 256 (the
hicolor theme's layout). The small sizes are the window icon's own frames,
drawn for them, doubled pixel for pixel where one is missing; the large ones
are the toy's front with the LCD glass and the egg on it, as a new toy shows.
"""

import argparse
import io
import os
import sys

from PIL import Image

from gen_data import write_if_changed

SIZES = (16, 32, 48, 64, 128, 256)
TWIPS_PER_PIXEL = 15
# Above this the hand-drawn frames would be blown up into blocks.
LARGEST_PIXEL_ART = 64


def read_layout(path):
    """The "key = value" lines of a layout file, keys in lower case."""
    values = {}
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.split(";", 1)[0]
            if "=" in line:
                key, value = line.split("=", 1)
                values[key.strip().lower()] = value.strip()
    return values


def pixels(layout, key, path):
    try:
        return int(layout[key]) // TWIPS_PER_PIXEL
    except (KeyError, ValueError):
        sys.exit(f"gen_icons: {path} has no number for {key}")


def icon_frames(path):
    """The square frames of an .ico, by width."""
    with open(path, "rb") as f:
        ico = Image.open(io.BytesIO(f.read()))
        return {size[0]: ico.ico.getimage(size).convert("RGBA")
                for size in ico.info["sizes"] if size[0] == size[1]}


def toy_front(program):
    front = Image.open(os.path.join(program, "colors", "Default", "front.gif")).convert("RGBA")
    glass = Image.open(os.path.join(program, "other", "nibscr.gif")).convert("RGBA")
    egg = Image.open(os.path.join(program, "Chars", "00", "0.gif")).convert("RGBA")
    base_path = os.path.join(program, "default.ini")
    char_path = os.path.join(program, "Chars", "00", "char.ini")
    base, char = read_layout(base_path), read_layout(char_path)
    front.alpha_composite(glass, (pixels(base, "nibscr.left", base_path),
                                  pixels(base, "nibscr.top", base_path)))
    front.alpha_composite(egg, (pixels(char, "eggleft", char_path),
                                pixels(char, "eggtop", char_path)))
    return front.crop(front.getbbox())


def fit(picture, size):
    """The picture as large as fits a square of size, centred."""
    scale = size / max(picture.size)
    scaled = picture.resize((max(1, round(picture.width * scale)),
                             max(1, round(picture.height * scale))), Image.LANCZOS)
    square = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    square.alpha_composite(scaled, ((size - scaled.width) // 2, (size - scaled.height) // 2))
    return square


def pixel_art(frames, size):
    """The frame drawn for size, else the largest one that repeats whole pixels to it."""
    if size in frames:
        return frames[size]
    whole = [w for w in frames if size % w == 0]
    if not whole:
        return None
    frame = frames[max(whole)]
    return frame.resize((size, size), Image.NEAREST)


def icons(program):
    frames = icon_frames(os.path.join(program, "colors", "Default", "color.ico"))
    front = None
    for size in SIZES:
        picture = pixel_art(frames, size) if size <= LARGEST_PIXEL_ART else None
        if picture is None:
            if front is None:
                front = toy_front(program)
            picture = fit(front, size)
        yield size, picture


def png_bytes(picture):
    out = io.BytesIO()
    picture.save(out, "PNG", optimize=True)
    return out.getvalue()


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the built program folder")
    parser.add_argument("--out", required=True, help="the icon theme folder to write into")
    parser.add_argument("--name", required=True, help="the icon's name, without .png")
    args = parser.parse_args(argv)
    for size, picture in icons(args.program):
        name = os.path.join(args.out, f"{size}x{size}", "apps", args.name + ".png")
        write_if_changed(name, png_bytes(picture))
    return 0


if __name__ == "__main__":
    sys.exit(main())
