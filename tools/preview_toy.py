#!/usr/bin/python3
"""Lays the generated pictures out as the program shows them, for eyeballing art.

    preview_toy.py TREE OUT.png [--zoom N]

TREE is a folder made by gen_data.py. The sheet shows the front (with the egg
and every icon lit, then unlit with button B held) and the back, outside the window
outline left white.
"""

import argparse
import os
import sys

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from nibdata import layout  # noqa: E402
from nibdata.outline import WINDOW_SIZE, inside_window  # noqa: E402


def load(tree, name):
    return Image.open(os.path.join(tree, *name.split("/"))).convert("RGBA")


def front_view(tree, lit=True, pressed=""):
    window = Image.new("RGBA", WINDOW_SIZE, (255, 255, 255, 255))
    window.alpha_composite(load(tree, "other/nibscr.gif"), layout.GLASS_ORIGIN)
    if lit:
        light_lcd(tree, window)
    window.alpha_composite(load(tree, "colors/Default/front.gif"), layout.FRONT_ORIGIN)
    for name, origin in sorted(layout.BUTTON_ORIGINS.items()):
        state = "1" if name in pressed else "0"
        window.alpha_composite(load(tree, f"colors/Default/button{state}.gif"), origin)
    return whiten_outside(window)


def light_lcd(tree, window):
    for n, origin in enumerate(layout.ICON_ORIGINS):
        window.alpha_composite(load(tree, f"other/nibicon{n}.gif"), origin)
    window.alpha_composite(load(tree, "other/attend.gif"), layout.ATTEND_ORIGIN)
    egg = load(tree, "Chars/00/0.gif")
    left, top, width, height = layout.DOT_MATRIX
    window.alpha_composite(egg, (left + (width - egg.width) // 4 * 2, top + height - egg.height))


def back_view(tree):
    window = Image.new("RGBA", WINDOW_SIZE, (255, 255, 255, 255))
    window.alpha_composite(load(tree, "colors/Default/back.gif"), layout.BACK_ORIGIN)
    window.alpha_composite(load(tree, "other/reset0.gif"), layout.RESET_ORIGIN)
    return whiten_outside(window)


def whiten_outside(window):
    for y in range(window.height):
        for x in range(window.width):
            if not inside_window(x, y):
                window.putpixel((x, y), (255, 255, 255, 255))
    return window


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("tree")
    parser.add_argument("out")
    parser.add_argument("--zoom", type=int, default=3)
    args = parser.parse_args()
    views = [front_view(args.tree), front_view(args.tree, lit=False, pressed="B"), back_view(args.tree)]
    width, height = WINDOW_SIZE
    sheet = Image.new("RGBA", (len(views) * (width + 8) + 8, height + 16), (255, 255, 255, 255))
    for i, view in enumerate(views):
        sheet.alpha_composite(view, (8 + i * (width + 8), 8))
    sheet = sheet.resize((sheet.width * args.zoom, sheet.height * args.zoom), Image.NEAREST)
    sheet.convert("RGB").save(args.out)


if __name__ == "__main__":
    main()
