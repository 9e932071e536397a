#!/usr/bin/python3
"""Lays the generated pictures out as the program shows them, for eyeballing art.

    preview_toy.py TREE OUT.png [--zoom N] [--color NAME] [--plugin NAME]

TREE is a folder made by gen_data.py. The sheet shows the front (with the egg
and every icon lit, then unlit with button B held) and the back, outside the window
outline left white. --color shows another colour folder (its buttons where its
"color.ini" puts them, its reset pictures if it has them); --plugin takes the
LCD pictures from that plugin's folder first and its icon positions from its
"plugin.ini", the way the program does.
"""

import argparse
import os
import sys

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from nibdata import layout  # noqa: E402
from nibdata.outline import WINDOW_SIZE, inside_window  # noqa: E402


COLOR = "Default"
PLUGIN = ""


def load(tree, name):
    if PLUGIN and not name.startswith("colors/"):
        plugin_file = os.path.join(tree, "plugins", PLUGIN, *name.split("/"))
        if os.path.isfile(plugin_file):
            return Image.open(plugin_file).convert("RGBA")
    return Image.open(os.path.join(tree, *name.split("/"))).convert("RGBA")


def color_file(tree, name):
    own = f"colors/{COLOR}/{name}"
    return own if os.path.isfile(os.path.join(tree, *own.split("/"))) else f"colors/Default/{name}"


def ini_numbers(path):
    """Number keys of a layout file, read the simple way: key=value, ';' comments."""
    values = {}
    if os.path.isfile(path):
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                line = line.strip()
                if "=" in line and not line.startswith(";"):
                    key, value = line.split("=", 1)
                    try:
                        values[key.strip().lower()] = round(float(value.strip()))
                    except ValueError:
                        pass
    return values


def button_origins(tree):
    keys = ini_numbers(os.path.join(tree, "colors", COLOR, "color.ini"))
    origins = {}
    for name, (x, y) in layout.BUTTON_ORIGINS.items():
        stem = "button" + name.lower()
        origins[name] = (round(keys.get(stem + ".left", x * 15) / 15),
                         round(keys.get(stem + ".top", y * 15) / 15))
    return origins


def icon_origins(tree):
    keys = ini_numbers(os.path.join(tree, "plugins", PLUGIN, "plugin.ini")) if PLUGIN else {}
    stems = [f"nibicon{n}" for n in range(7)] + ["attend"]
    return [(round(keys.get(stem + ".left", x * 15) / 15), round(keys.get(stem + ".top", y * 15) / 15))
            for stem, (x, y) in zip(stems, layout.ICON_ORIGINS + [layout.ATTEND_ORIGIN])]


def front_view(tree, lit=True, pressed=""):
    window = Image.new("RGBA", WINDOW_SIZE, (255, 255, 255, 255))
    window.alpha_composite(load(tree, "other/nibscr.gif"), layout.GLASS_ORIGIN)
    if lit:
        light_lcd(tree, window)
    window.alpha_composite(load(tree, color_file(tree, "front.gif")), layout.FRONT_ORIGIN)
    for name, origin in sorted(button_origins(tree).items()):
        state = "1" if name in pressed else "0"
        window.alpha_composite(load(tree, color_file(tree, f"button{state}.gif")), origin)
    return whiten_outside(window)


def light_lcd(tree, window):
    origins = icon_origins(tree)
    for n, origin in enumerate(origins[:7]):
        window.alpha_composite(load(tree, f"other/nibicon{n}.gif"), origin)
    window.alpha_composite(load(tree, "other/attend.gif"), origins[7])
    egg = load(tree, "Chars/00/0.gif")
    left, top, width, height = layout.DOT_MATRIX
    window.alpha_composite(egg, (left + (width - egg.width) // 4 * 2, top + height - egg.height))


def back_view(tree):
    window = Image.new("RGBA", WINDOW_SIZE, (255, 255, 255, 255))
    window.alpha_composite(load(tree, color_file(tree, "back.gif")), layout.BACK_ORIGIN)
    own_reset = os.path.join(tree, "colors", COLOR, "reset0.gif")
    window.alpha_composite(load(tree, color_file(tree, "reset0.gif") if os.path.isfile(own_reset)
                                else "other/reset0.gif"), layout.RESET_ORIGIN)
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
    parser.add_argument("--color", default="Default")
    parser.add_argument("--plugin", default="")
    args = parser.parse_args()
    global COLOR, PLUGIN
    COLOR, PLUGIN = args.color, args.plugin
    views = [front_view(args.tree), front_view(args.tree, lit=False, pressed="B"), back_view(args.tree)]
    width, height = WINDOW_SIZE
    sheet = Image.new("RGBA", (len(views) * (width + 8) + 8, height + 16), (255, 255, 255, 255))
    for i, view in enumerate(views):
        sheet.alpha_composite(view, (8 + i * (width + 8), 8))
    sheet = sheet.resize((sheet.width * args.zoom, sheet.height * args.zoom), Image.NEAREST)
    sheet.convert("RGB").save(args.out)


if __name__ == "__main__":
    main()
