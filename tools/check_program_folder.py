#!/usr/bin/python3
"""Checks that a program folder holds every file the simulator loads, and that each decodes.

    check_program_folder.py DIR [-v]

Looks files up the way the program does (letter case ignored), opens pictures,
icons and cursors with PIL and sounds with the wave module, and reads the text
files with the program's line syntax so that a misspelt key, which the program
would silently ignore, is caught here. Colour sets and plugins found in the
folder are checked too. Prints each problem, then "N passed, M failed"; exits 1
on any failure. -v also prints one line per check that passed.
"""

import argparse
import os
import re
import sys
import wave

from PIL import Image

# ---------------------------------------------------------------- what the program loads

OTHER_PICTURES = (
    ["nibscr.gif", "attend.gif", "feedmenu.gif", "water.gif", "larrow.gif", "rarrow.gif",
     "lightmnu.gif", "skull.gif", "yr.gif", "angel.gif", "playtitl.gif", "playresu.gif",
     "colon.gif", "heart.gif", "smallbar.gif", "about.gif", "inssheet.gif"]
    + [f"{stem}{n}.gif" for n in range(10) for stem in ("second", "l", "s")]
    + [f"change{n}.gif" for n in range(8)]
    + [f"nibicon{n}.gif" for n in range(7)]
    + [f"{stem}{n}.gif" for n in range(2) for stem in ("ampm", "reset", "dung", "sleep", "stars")]
    + [f"{stem}{n}.gif" for n in range(4) for stem in ("meter", "meal", "snack")]
    + [f"dark{n}.gif" for n in range(3)])
OTHER_ICONS = ([f"{stem}{n}.ico" for n in range(2) for stem in ("dung", "sleep", "angel")]
               + ["skull.ico", "attend.ico", "null.ico"])
OTHER_CURSORS = ["front.cur", "back.cur", "push.cur", "point.cur", "inssheet.cur", "instruct.cur"]

COLOUR_FILES = ["color.ini", "color.ico", "front.gif", "back.gif", "button0.gif", "button1.gif"]
COLOUR_OPTIONAL = ["reset0.gif", "reset1.gif"]

EGG_FILES = [f"{n}.gif" for n in range(3)] + [f"{n}.ico" for n in range(3)] + ["char.ini"]
CHARACTER_FILES = (
    [f"{n}.gif" for n in range(4)] + [f"{n}.ico" for n in range(8)]
    + [f"{stem}{n}.gif" for stem in ("eat", "no", "sick", "happy", "sleep", "stool") for n in range(2)]
    + ["unhp0.gif", "unhp1.gif", "unhp2.gif"] + [f"play{n}.gif" for n in range(4)] + ["char.ini"])

SOUNDS = ["attend", "beep", "change", "discipln", "hatch", "hide", "restore", "pageup", "pagedown",
          "plystart", "playing", "plyhappy", "plyunhap", "plystop", "reset", "turn", "turnsnd"]

# ---------------------------------------------------------------- keys of the text files

DESCRIPTIVE_KEYS = {"name", "description", "defaultcolor"}
TEXT_KEYS = {
    "cheats", "characters", "nibbet", "pobblin", "pimbo", "wembic", "quillop", "fennick", "tovrin",
    "zelmoc", "drubbel", "vossel", "ompadu", "xerblix", "angel", "attention", "hungry", "unhappy",
    "discipline", "sick", "poop", "sleep", "dying", "hide", "sound on", "soundon", "sound type",
    "soundtype", "wave", "beep", "back", "always on top", "alwaysontop", "auto show", "autoshow",
    "games", "turn", "number", "colors", "plugins", "instructions", "insulatingsheet", "about",
    "close", "ok", "cancel", "button a", "buttona", "button b", "buttonb", "button c", "buttonc",
    "reset button", "resetbutton", "agetooltip", "weighttooltip", "hungrytooltip", "happytooltip",
    "disciplinetooltip"}


def _both(stems):
    return {f"{stem}.{side}" for stem in stems for side in ("left", "top")}


BUTTON_KEYS = _both(["buttona", "buttonb", "buttonc", "reset"])
NUMBER_KEYS = (
    _both(["nibscr", "attend", "feedmenu", "lightmenu", "dark", "playtitle", "playresult", "skull",
           "sleep", "yr", "colon", "ampm", "second", "change", "leftnumber", "rightnumber",
           "yourscore", "nibscore", "water", "angel", "agedigit0", "agedigit1", "agedigit0death",
           "agedigit1death", "stars", "laidegg", "rarrow", "larrow"])
    | _both([f"nibicon{n}" for n in range(7)] + [f"meter{n}" for n in range(4)]
            + [f"dung{n}" for n in range(8)]
            + [f"{stem}{n}" for stem in ("hourdigit", "minutedigit", "seconddigit", "weightdigit")
               for n in range(2)])
    | BUTTON_KEYS
    | {f"smallbar{n}.left" for n in range(14)} | {"allsmallbars.top"}
    | {f"heart{n}.left" for n in range(4)} | {"allhearts.top"}
    | {"angelinagescreen.left", "rarrowselectmenu.left", "rarrowselectmenu0.top",
       "rarrowselectmenu1.top", "mealsnack.left", "mealsnack0.top", "mealsnack1.top"})
CHARACTER_KEYS = ({"eggleft", "eggtop", "eggshakeleft", "eggshakeright", "egghatchleft",
                   "egghatchtop", "walk"}
                  | _both(["original", "eat", "no", "sick", "happy", "unhappy", "play", "sleep",
                           "stool0", "stool1", "dying", "layanegg"]))
COLOUR_KEYS = BUTTON_KEYS | {"name", "description"}

LEADING_NUMBER = re.compile(r"^-?[\d ]*\d")


# ---------------------------------------------------------------- looking files up

def find(root, relative):
    """Path of `relative` ('a/b/c') under root, matching each part without regard to case."""
    path = root
    for part in relative.split("/"):
        try:
            entries = os.listdir(path)
        except (FileNotFoundError, NotADirectoryError):
            return None
        match = [e for e in entries if e.lower() == part.lower()]
        if not match:
            return None
        path = os.path.join(path, sorted(match)[0])
    return path


def subfolders(root, relative):
    folder = find(root, relative)
    if folder is None or not os.path.isdir(folder):
        return []
    return sorted(e for e in os.listdir(folder) if os.path.isdir(os.path.join(folder, e)))


# ---------------------------------------------------------------- decoding

PICTURE_FORMATS = {".gif": "GIF", ".ico": "ICO", ".cur": "CUR"}


def decode_picture(path):
    expected = PICTURE_FORMATS[os.path.splitext(path)[1].lower()]
    with Image.open(path) as image:
        if image.format != expected:
            raise ValueError(f"is {image.format}, not {expected}")
        image.load()
        if image.width == 0 or image.height == 0:
            raise ValueError("is empty")


def decode_wave(path):
    with wave.open(path) as sound:
        if sound.getnframes() == 0:
            raise ValueError("holds no samples")
        sound.readframes(sound.getnframes())


def read_pairs(path):
    """(line number, key, value) for each line the program would treat as a setting."""
    pairs = []
    with open(path, encoding="latin-1") as f:
        for number, line in enumerate(f, start=1):
            line = line.strip()
            if not line or line.startswith(";") or "=" not in line:
                continue
            key, value = line.split("=", 1)
            pairs.append((number, key.strip().lower(), value.strip()))
    return pairs


def check_keys(path, known, numbers, required=()):
    problems = []
    pairs = read_pairs(path)
    for number, key, value in pairs:
        if key not in known:
            problems.append(f"line {number}: unknown key '{key}'")
        elif key in numbers and value and not LEADING_NUMBER.match(value):
            problems.append(f"line {number}: '{key}' wants a number, got '{value}'")
    given = {key for _, key, value in pairs if value}
    missing = sorted(set(required) - given)
    if missing:
        problems.append("does not give " + ", ".join(missing))
    if problems:
        raise ValueError("; ".join(problems))


def decode(path):
    kind = os.path.splitext(path)[1].lower()
    if kind in PICTURE_FORMATS:
        decode_picture(path)
    elif kind == ".wav":
        decode_wave(path)
    elif kind == ".ini":
        read_pairs(path)


# ---------------------------------------------------------------- the checks

class Checker:
    def __init__(self, root, verbose):
        self.root, self.verbose = root, verbose
        self.passed = self.failed = 0

    def result(self, name, problem):
        if problem:
            self.failed += 1
            print(f"FAIL {name}: {problem}")
        else:
            self.passed += 1
            if self.verbose:
                print(f"ok   {name}")

    def file(self, relative, then=None):
        """The file must exist and decode; `then(path)` may check more."""
        path = find(self.root, relative)
        if path is None or not os.path.isfile(path):
            self.result(relative, "missing")
            return
        try:
            decode(path)
            if then:
                then(path)
        except Exception as e:      # any decoder complaint is the finding
            self.result(relative, str(e) or type(e).__name__)
            return
        self.result(relative, None)

    def optional(self, relative, then=None):
        path = find(self.root, relative)
        if path is not None and os.path.isfile(path):
            self.file(relative, then)

    def run(self):
        self.file("default.ini", lambda p: check_keys(
            p, TEXT_KEYS | NUMBER_KEYS | DESCRIPTIVE_KEYS, NUMBER_KEYS, required=NUMBER_KEYS))
        for name in OTHER_PICTURES + OTHER_ICONS + OTHER_CURSORS:
            self.file("other/" + name)
        self.colours()
        self.characters()
        for name in SOUNDS:
            self.file(f"sounds/{name}.wav")
        self.instructions()
        self.plugins()
        return self.failed == 0

    def colours(self):
        names = subfolders(self.root, "colors")
        if not any(n.lower() == "default" for n in names):
            names = ["Default"] + names     # reported file by file below
        for name in names:
            for file in COLOUR_FILES:
                then = ((lambda p: check_keys(p, COLOUR_KEYS, BUTTON_KEYS))
                        if file == "color.ini" else None)
                self.file(f"colors/{name}/{file}", then)
            for file in COLOUR_OPTIONAL:
                self.optional(f"colors/{name}/{file}")

    def characters(self):
        def char_ini(path):
            check_keys(path, CHARACTER_KEYS, CHARACTER_KEYS - {"walk"})
        for number in range(13):
            for file in EGG_FILES if number == 0 else CHARACTER_FILES:
                self.file(f"Chars/{number:02d}/{file}", char_ini if file == "char.ini" else None)

    def instructions(self):
        self.file("instruct/page01.gif")
        page = 2
        while find(self.root, f"instruct/page{page:02d}.gif"):
            self.file(f"instruct/page{page:02d}.gif")
            page += 1

    def plugins(self):
        for plugin in subfolders(self.root, "plugins"):
            base = f"plugins/{plugin}"
            self.optional(f"{base}/plugin.ini", lambda p: check_keys(
                p, TEXT_KEYS | NUMBER_KEYS | DESCRIPTIVE_KEYS, NUMBER_KEYS))
            folder = find(self.root, base)
            for where, _, names in sorted(os.walk(folder)):
                for name in sorted(names):
                    kind = os.path.splitext(name)[1].lower()
                    relative = os.path.relpath(os.path.join(where, name), self.root).replace(os.sep, "/")
                    if kind in PICTURE_FORMATS or kind == ".wav":
                        self.file(relative)
                    elif name.lower() == "char.ini":
                        self.file(relative, lambda p: check_keys(p, CHARACTER_KEYS, CHARACTER_KEYS - {"walk"}))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder", help="the program folder (as made by gen_data.py --out)")
    parser.add_argument("-v", "--verbose", action="store_true", help="list the checks that pass too")
    args = parser.parse_args(argv)
    if not os.path.isdir(args.folder):
        print(f"check_program_folder: no folder {args.folder}", file=sys.stderr)
        return 1
    checker = Checker(args.folder, args.verbose)
    ok = checker.run()
    print(f"{checker.passed} passed, {checker.failed} failed")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
