"""Line-level reading shared by every text source format."""

import os


class SourceError(Exception):
    """A problem in a source file, reported as `file:line: message`."""

    def __init__(self, path, line, message):
        super().__init__(message)
        self.path = path
        self.line = line
        self.message = message

    def __str__(self):
        where = display_path(self.path)
        if self.line:
            where += f":{self.line}"
        return f"{where}: {self.message}"


def display_path(path):
    rel = os.path.relpath(path)
    return path if rel.startswith("..") else rel


def read_lines(path):
    """Returns (line number, text) pairs with line endings and trailing blanks removed."""
    try:
        with open(path, encoding="utf-8") as f:
            text = f.read()
    except UnicodeDecodeError as e:
        raise SourceError(path, 0, f"not UTF-8 text ({e.reason})") from None
    return [(n, line.rstrip()) for n, line in enumerate(text.splitlines(), start=1)]


def is_comment(text):
    return text.lstrip().startswith(";")


def is_skippable(text):
    return not text.strip() or is_comment(text)


def statement_words(text):
    """Splits a statement line, dropping a trailing `; comment`."""
    return text.split(";", 1)[0].split()


def parse_colour(word, path, line):
    """`#rrggbb` -> (r, g, b); `none` -> None (transparent)."""
    if word.lower() == "none":
        return None
    digits = word[1:] if word.startswith("#") else ""
    if len(digits) != 6 or any(c not in "0123456789abcdefABCDEF" for c in digits):
        raise SourceError(path, line, f"bad colour '{word}' (want #rrggbb or none)")
    return tuple(int(digits[i:i + 2], 16) for i in (0, 2, 4))


def parse_int(word, path, line, what, low=None, high=None):
    try:
        value = int(word)
    except ValueError:
        raise SourceError(path, line, f"{what} must be a whole number, got '{word}'") from None
    if (low is not None and value < low) or (high is not None and value > high):
        raise SourceError(path, line, f"{what} {value} out of range {low}..{high}")
    return value


def parse_float(word, path, line, what, low=None, high=None):
    try:
        value = float(word)
    except ValueError:
        raise SourceError(path, line, f"{what} must be a number, got '{word}'") from None
    if (low is not None and value < low) or (high is not None and value > high):
        raise SourceError(path, line, f"{what} {value} out of range {low}..{high}")
    return value


def expect_words(words, count, path, line, usage):
    if len(words) != count:
        raise SourceError(path, line, f"expected '{usage}'")


class Settings:
    """`key value...` lines; each key may appear once unless listed as repeatable."""

    def __init__(self, path, allowed, repeatable=()):
        self.path = path
        self.entries = {}
        for number, line in read_lines(path):
            if is_skippable(line):
                continue
            words = statement_words(line)
            if words[0] not in allowed:
                raise SourceError(path, number, f"unknown setting '{words[0]}'")
            if words[0] in self.entries and words[0] not in repeatable:
                raise SourceError(path, number, f"'{words[0]}' given twice")
            self.entries.setdefault(words[0], []).append((number, words[1:]))

    def _one(self, key, count, usage):
        if key not in self.entries:
            raise SourceError(self.path, 0, f"missing setting '{key}'")
        number, values = self.entries[key][0]
        expect_words(values, count, self.path, number, usage)
        return number, values

    def colour(self, key):
        number, values = self._one(key, 1, f"{key} #rrggbb")
        colour = parse_colour(values[0], self.path, number)
        if colour is None:
            raise SourceError(self.path, number, f"'{key}' must be a colour, not none")
        return colour

    def integers(self, key, count, low, high):
        number, values = self._one(key, count, f"{key} " + " ".join(["N"] * count))
        return [parse_int(v, self.path, number, key, low, high) for v in values]

    def all(self, key):
        return self.entries.get(key, [])
