#!/usr/bin/env python3
"""Turns the pixel-row sources in res/art/ into res/tanzel.ico and res/dropper.cur.

Each source is plain text: a size line, a legend that gives every character a
colour of the standard 16-colour palette (or "transparent"), an optional hot
spot, then one text row per pixel row, top row first. The output bytes depend
on the sources only, so the committed binaries can be checked against them.

    make_art.py              write res/tanzel.ico and res/dropper.cur
    make_art.py --out DIR    write them into DIR instead
    make_art.py --check      exit 1 when the committed files differ from the sources
"""

import argparse
import os
import struct
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART_DIR = os.path.join(ROOT, "res", "art")
RES_DIR = os.path.join(ROOT, "res")

# The standard 16-colour VGA palette, in the order Windows uses for 4-bpp images.
PALETTE = [
    ("black", (0x00, 0x00, 0x00)),
    ("dark-red", (0x80, 0x00, 0x00)),
    ("dark-green", (0x00, 0x80, 0x00)),
    ("dark-yellow", (0x80, 0x80, 0x00)),
    ("dark-blue", (0x00, 0x00, 0x80)),
    ("dark-magenta", (0x80, 0x00, 0x80)),
    ("dark-cyan", (0x00, 0x80, 0x80)),
    ("light-grey", (0xC0, 0xC0, 0xC0)),
    ("dark-grey", (0x80, 0x80, 0x80)),
    ("red", (0xFF, 0x00, 0x00)),
    ("green", (0x00, 0xFF, 0x00)),
    ("yellow", (0xFF, 0xFF, 0x00)),
    ("blue", (0x00, 0x00, 0xFF)),
    ("magenta", (0xFF, 0x00, 0xFF)),
    ("cyan", (0x00, 0xFF, 0xFF)),
    ("white", (0xFF, 0xFF, 0xFF)),
]
PALETTE_INDEX = {name: index for index, (name, _) in enumerate(PALETTE)}
TRANSPARENT = "transparent"

# Monochrome cursors carry a two-entry palette: black, white.
MONO_PALETTE = [PALETTE[0][1], PALETTE[15][1]]

ICON_SOURCES = ["tanzel-32.txt", "tanzel-16.txt"]
CURSOR_SOURCE = "dropper.txt"


class ArtError(Exception):
    pass


class Image:
    def __init__(self, path, width, height, hotspot, pixels):
        self.path = path
        self.width = width
        self.height = height
        self.hotspot = hotspot  # (x, y) or None
        self.pixels = pixels  # rows of palette indices or None (transparent)


def parse_source(path):
    """Reads one pixel-row source. Lines starting with '#' are comments."""
    with open(path, encoding="ascii") as source:
        lines = source.read().splitlines()
    size = None
    hotspot = None
    legend = {}
    rows = None
    for number, line in enumerate(lines, 1):
        where = "%s:%d" % (os.path.relpath(path, ROOT), number)
        if rows is not None:
            if line.startswith("#") or not line:
                continue
            rows.append((where, line))
            continue
        words = line.split()
        if not words or words[0].startswith("#"):
            continue
        if words[0] == "size" and len(words) == 3:
            size = (int(words[1]), int(words[2]))
        elif words[0] == "hotspot" and len(words) == 3:
            hotspot = (int(words[1]), int(words[2]))
        elif words[0] == "legend" and len(words) == 3 and len(words[1]) == 1:
            char, colour = words[1], words[2]
            if colour != TRANSPARENT and colour not in PALETTE_INDEX:
                raise ArtError("%s: unknown colour %r" % (where, colour))
            if char in legend:
                raise ArtError("%s: %r is in the legend twice" % (where, char))
            legend[char] = None if colour == TRANSPARENT else PALETTE_INDEX[colour]
        elif words == ["pixels"]:
            rows = []
        else:
            raise ArtError("%s: cannot read %r" % (where, line))
    if size is None or rows is None:
        raise ArtError("%s: needs a size line and a pixels section" % path)
    width, height = size
    if len(rows) != height:
        raise ArtError("%s: %d rows, size says %d" % (path, len(rows), height))
    pixels = []
    for where, row in rows:
        if len(row) != width:
            raise ArtError("%s: row of %d pixels, size says %d" % (where, len(row), width))
        for char in row:
            if char not in legend:
                raise ArtError("%s: %r is not in the legend" % (where, char))
        pixels.append([legend[char] for char in row])
    if hotspot is not None and not (0 <= hotspot[0] < width and 0 <= hotspot[1] < height):
        raise ArtError("%s: hot spot outside the image" % path)
    return Image(path, width, height, hotspot, pixels)


def pack_rows(rows, bits):
    """Packs rows of small integers, bottom row first, each padded to 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        packed = bytearray()
        accumulator = 0
        filled = 0
        for value in row:
            accumulator = (accumulator << bits) | value
            filled += bits
            if filled == 8:
                packed.append(accumulator)
                accumulator = 0
                filled = 0
        if filled:
            packed.append(accumulator << (8 - filled))
        packed.extend(b"\0" * (-len(packed) % 4))
        out += packed
    return bytes(out)


def dib(image, bits, palette, colour_of):
    """BITMAPINFOHEADER, palette, colour (XOR) bits and mask (AND) bits of one image."""
    colour_rows = [[colour_of(p) for p in row] for row in image.pixels]
    mask_rows = [[1 if p is None else 0 for p in row] for row in image.pixels]
    colour_bits = pack_rows(colour_rows, bits)
    mask_bits = pack_rows(mask_rows, 1)
    header = struct.pack(
        "<IiiHHIIiiII",
        40,  # biSize
        image.width,
        image.height * 2,  # colour bits and mask together
        1,  # biPlanes
        bits,
        0,  # BI_RGB
        len(colour_bits) + len(mask_bits),
        0,
        0,
        0,
        0,
    )
    quads = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + quads + colour_bits + mask_bits


def icon_dib(image):
    # Transparent pixels are black in the colour bits, so they vanish on any background.
    return dib(image, 4, [rgb for _, rgb in PALETTE], lambda p: 0 if p is None else p)


def cursor_dib(image):
    def colour_of(p):
        if p is None or p == PALETTE_INDEX["black"]:
            return 0
        if p == PALETTE_INDEX["white"]:
            return 1
        raise ArtError("%s: a monochrome cursor has only black, white and transparent" % image.path)

    return dib(image, 1, MONO_PALETTE, colour_of)


def directory(kind, entries):
    """ICONDIR with its entries, then the images. entries: (w, h, colours, word1, word2, data)."""
    out = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    for width, height, colours, word1, word2, data in entries:
        out += struct.pack(
            "<BBBBHHII", width % 256, height % 256, colours, 0, word1, word2, len(data), offset
        )
        offset += len(data)
    return out + b"".join(entry[5] for entry in entries)


def make_icon(images):
    entries = []
    for image in images:
        if image.hotspot is not None:
            raise ArtError("%s: an icon has no hot spot" % image.path)
        entries.append((image.width, image.height, 16, 1, 4, icon_dib(image)))
    return directory(1, entries)


def make_cursor(image):
    if image.hotspot is None:
        raise ArtError("%s: a cursor needs a hot spot" % image.path)
    x, y = image.hotspot
    return directory(2, [(image.width, image.height, 2, x, y, cursor_dib(image))])


def build_all():
    """Maps output file name to its bytes."""
    icons = [parse_source(os.path.join(ART_DIR, name)) for name in ICON_SOURCES]
    cursor = parse_source(os.path.join(ART_DIR, CURSOR_SOURCE))
    return {"tanzel.ico": make_icon(icons), "dropper.cur": make_cursor(cursor)}


def write_all(outputs, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    for name, data in outputs.items():
        with open(os.path.join(out_dir, name), "wb") as out:
            out.write(data)


def check(outputs):
    """Regenerates into a temporary directory and compares byte for byte."""
    stale = []
    with tempfile.TemporaryDirectory() as scratch:
        write_all(outputs, scratch)
        for name in sorted(outputs):
            with open(os.path.join(scratch, name), "rb") as fresh:
                expected = fresh.read()
            committed_path = os.path.join(RES_DIR, name)
            try:
                with open(committed_path, "rb") as committed:
                    actual = committed.read()
            except OSError:
                actual = None
            if actual != expected:
                stale.append(name)
    for name in stale:
        print("res/%s does not match its source in res/art/; run tools/make_art.py" % name)
    return not stale


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", help="directory to write into (default: res/)")
    parser.add_argument("--check", action="store_true", help="compare with the committed files")
    args = parser.parse_args()
    try:
        outputs = build_all()
    except (ArtError, ValueError) as error:
        print(error, file=sys.stderr)
        return 2
    if args.check:
        return 0 if check(outputs) else 1
    write_all(outputs, args.out or RES_DIR)
    return 0


if __name__ == "__main__":
    sys.exit(main())
