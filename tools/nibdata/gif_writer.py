"""RGBA image -> GIF bytes with one transparent palette slot."""

import io

from PIL import Image

MAX_COLOURS = 255  # one slot stays free for transparency


def encode_gif(image):
    """Alpha must be 0 or 255: GIF transparency is all or nothing."""
    rgba = image.convert("RGBA")
    pixels = list(rgba.getdata())
    if any(0 < p[3] < 255 for p in pixels):
        raise ValueError("GIF pictures need fully opaque or fully transparent pixels")
    opaque = [p[:3] for p in pixels if p[3] == 255]
    palette, index_of = _palette_for(opaque)
    clear = len(palette)
    indices = [index_of[p[:3]] if p[3] == 255 else clear for p in pixels]
    return _save(rgba.size, palette, indices, clear if clear in indices else None)


def _palette_for(colours):
    unique = sorted(set(colours))
    if len(unique) <= MAX_COLOURS:
        return unique, {c: i for i, c in enumerate(unique)}
    return _quantized_palette(colours, unique)


def _quantized_palette(colours, unique):
    # Median cut without dithering is deterministic for a given pixel order.
    strip = Image.new("RGB", (len(unique), 1))
    strip.putdata(unique)
    weighted = Image.new("RGB", (len(colours), 1))
    weighted.putdata(colours)
    reduced = weighted.quantize(MAX_COLOURS, method=Image.Quantize.MEDIANCUT,
                                dither=Image.Dither.NONE)
    mapped = strip.quantize(palette=reduced, dither=Image.Dither.NONE)
    flat = reduced.getpalette()[:3 * MAX_COLOURS]
    palette = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
    return palette, dict(zip(unique, mapped.getdata()))


def _save(size, palette, indices, transparent_index):
    indexed = Image.new("P", size)
    flat = [v for colour in palette for v in colour] + [0, 0, 0]  # + the clear slot
    indexed.putpalette(flat)
    indexed.putdata(indices)
    out = io.BytesIO()
    options = {"optimize": False}
    if transparent_index is not None:
        options["transparency"] = transparent_index
    indexed.save(out, "GIF", **options)
    return out.getvalue()
