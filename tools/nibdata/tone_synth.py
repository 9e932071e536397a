"""Tune text -> piezo-like square-wave WAV (mono, 22050 Hz, 16-bit).

    ; comment
    volume 0.4              ; peak level, at most 0.5 of full scale
    C6 60, rest 20, E6 60   ; note (or Hz, or rest) and milliseconds
    C5>C6 80                ; glide from one pitch to another
"""

import io
import math
import re
import struct
import wave

from .source_text import (SourceError, expect_words, is_skippable, parse_float,
                          parse_int, read_lines, statement_words)

RATE = 22050
MAX_VOLUME = 0.5
HARMONIC_LIMIT_HZ = 9000.0    # keeps high notes from aliasing into hiss
ATTACK_S = 0.003
RELEASE_S = 0.005
MAX_SECONDS = 3.0
SEMITONES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
NOTE_RE = re.compile(r"^([A-Ga-g])([#b]?)(-?\d)$")


def parse_tune(path):
    """Returns (volume, events); an event is (start Hz, end Hz, seconds), Hz None for rest."""
    volume, events = 0.45, []
    for number, line in read_lines(path):
        if is_skippable(line):
            continue
        words = statement_words(line)
        if words[0] == "volume":
            expect_words(words, 2, path, number, "volume LEVEL")
            volume = parse_float(words[1], path, number, "volume", 0.01, MAX_VOLUME)
        else:
            events += [_parse_event(item, path, number) for item in line.split(";")[0].split(",")]
    _check_length(events, path)
    return volume, events


def _check_length(events, path):
    if not events:
        raise SourceError(path, 0, "no notes")
    seconds = sum(e[2] for e in events)
    if seconds > MAX_SECONDS:
        raise SourceError(path, 0, f"tune lasts {seconds:.2f} s, more than {MAX_SECONDS} s")


def _parse_event(item, path, number):
    words = item.split()
    if len(words) != 2:
        raise SourceError(path, number, f"expected 'NOTE MS', got '{item.strip()}'")
    ms = parse_int(words[1], path, number, "duration", 1, 3000)
    pitch = words[0]
    if pitch.lower() == "rest":
        return None, None, ms / 1000
    start, _, end = pitch.partition(">")
    f0 = _frequency(start, path, number)
    return f0, _frequency(end, path, number) if end else f0, ms / 1000


def _frequency(token, path, number):
    if token.lower().endswith("hz"):
        return parse_float(token[:-2], path, number, "frequency", 20, 10000)
    match = NOTE_RE.match(token)
    if not match:
        raise SourceError(path, number, f"bad pitch '{token}' (want e.g. C5, F#4, Bb3, 880hz, rest)")
    letter, accidental, octave = match.groups()
    semitone = SEMITONES[letter.upper()] + {"#": 1, "b": -1, "": 0}[accidental]
    midi = 12 * (int(octave) + 1) + semitone
    return 440.0 * 2 ** ((midi - 69) / 12)


def render_tune(volume, events):
    samples = []
    for f0, f1, seconds in events:
        count = round(seconds * RATE)
        if f0 is None:
            samples += [0.0] * count
        else:
            samples += _note(f0, f1, count)
    peak = max(abs(s) for s in samples) or 1.0
    return [s * volume / peak for s in samples]


def _note(f0, f1, count):
    harmonics = [k for k in range(1, 200, 2) if k * max(f0, f1) < HARMONIC_LIMIT_HZ] or [1]
    attack = min(round(ATTACK_S * RATE), count // 3)
    release = min(round(RELEASE_S * RATE), count // 3)
    out, phase = [], 0.0
    for i in range(count):
        freq = f0 * (f1 / f0) ** (i / count)   # glides move evenly in pitch
        wave_value = sum(math.sin(k * phase) / k for k in harmonics)
        out.append(wave_value * _envelope(i, count, attack, release))
        phase = (phase + 2 * math.pi * freq / RATE) % (2 * math.pi)
    return out


def _envelope(i, count, attack, release):
    if i < attack:
        return 0.5 - 0.5 * math.cos(math.pi * i / attack)
    if i >= count - release:
        return 0.5 - 0.5 * math.cos(math.pi * (count - 1 - i) / release)
    return 1.0


def encode_wav(samples):
    frames = struct.pack(f"<{len(samples)}h", *(round(s * 32767) for s in samples))
    out = io.BytesIO()
    with wave.open(out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)
    return out.getvalue()


def tune_to_wav(path):
    return encode_wav(render_tune(*parse_tune(path)))
