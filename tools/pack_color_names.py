#!/usr/bin/env python3
"""Packs the CSS named colours into picker/color_names_table.inc.

The names, in alphabetical order, are front-coded in 5-bit symbols, low bits
first: 0 to 25 are the letters a to z; 26 to 30 end a name, the next one
keeping the first 0 to 4 letters of it; 31 ends a name, and the symbol after
it says how many letters the next one keeps. Each name's value follows in a
second table, red, green, blue, a byte each.

    pack_color_names.py           write picker/color_names_table.inc
    pack_color_names.py --check   exit 1 when the committed file differs
"""

import argparse
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUTPUT = os.path.join(ROOT, "picker", "color_names_table.inc")

# The named colours of CSS Color 4, without "transparent".
NAMES = """
aliceblue f0f8ff
antiquewhite faebd7
aqua 00ffff
aquamarine 7fffd4
azure f0ffff
beige f5f5dc
bisque ffe4c4
black 000000
blanchedalmond ffebcd
blue 0000ff
blueviolet 8a2be2
brown a52a2a
burlywood deb887
cadetblue 5f9ea0
chartreuse 7fff00
chocolate d2691e
coral ff7f50
cornflowerblue 6495ed
cornsilk fff8dc
crimson dc143c
cyan 00ffff
darkblue 00008b
darkcyan 008b8b
darkgoldenrod b8860b
darkgray a9a9a9
darkgreen 006400
darkgrey a9a9a9
darkkhaki bdb76b
darkmagenta 8b008b
darkolivegreen 556b2f
darkorange ff8c00
darkorchid 9932cc
darkred 8b0000
darksalmon e9967a
darkseagreen 8fbc8f
darkslateblue 483d8b
darkslategray 2f4f4f
darkslategrey 2f4f4f
darkturquoise 00ced1
darkviolet 9400d3
deeppink ff1493
deepskyblue 00bfff
dimgray 696969
dimgrey 696969
dodgerblue 1e90ff
firebrick b22222
floralwhite fffaf0
forestgreen 228b22
fuchsia ff00ff
gainsboro dcdcdc
ghostwhite f8f8ff
gold ffd700
goldenrod daa520
gray 808080
green 008000
greenyellow adff2f
grey 808080
honeydew f0fff0
hotpink ff69b4
indianred cd5c5c
indigo 4b0082
ivory fffff0
khaki f0e68c
lavender e6e6fa
lavenderblush fff0f5
lawngreen 7cfc00
lemonchiffon fffacd
lightblue add8e6
lightcoral f08080
lightcyan e0ffff
lightgoldenrodyellow fafad2
lightgray d3d3d3
lightgreen 90ee90
lightgrey d3d3d3
lightpink ffb6c1
lightsalmon ffa07a
lightseagreen 20b2aa
lightskyblue 87cefa
lightslategray 778899
lightslategrey 778899
lightsteelblue b0c4de
lightyellow ffffe0
lime 00ff00
limegreen 32cd32
linen faf0e6
magenta ff00ff
maroon 800000
mediumaquamarine 66cdaa
mediumblue 0000cd
mediumorchid ba55d3
mediumpurple 9370db
mediumseagreen 3cb371
mediumslateblue 7b68ee
mediumspringgreen 00fa9a
mediumturquoise 48d1cc
mediumvioletred c71585
midnightblue 191970
mintcream f5fffa
mistyrose ffe4e1
moccasin ffe4b5
navajowhite ffdead
navy 000080
oldlace fdf5e6
olive 808000
olivedrab 6b8e23
orange ffa500
orangered ff4500
orchid da70d6
palegoldenrod eee8aa
palegreen 98fb98
paleturquoise afeeee
palevioletred db7093
papayawhip ffefd5
peachpuff ffdab9
peru cd853f
pink ffc0cb
plum dda0dd
powderblue b0e0e6
purple 800080
rebeccapurple 663399
red ff0000
rosybrown bc8f8f
royalblue 4169e1
saddlebrown 8b4513
salmon fa8072
sandybrown f4a460
seagreen 2e8b57
seashell fff5ee
sienna a0522d
silver c0c0c0
skyblue 87ceeb
slateblue 6a5acd
slategray 708090
slategrey 708090
snow fffafa
springgreen 00ff7f
steelblue 4682b4
tan d2b48c
teal 008080
thistle d8bfd8
tomato ff6347
turquoise 40e0d0
violet ee82ee
wheat f5deb3
white ffffff
whitesmoke f5f5f5
yellow ffff00
yellowgreen 9acd32
"""

LETTERS = 26
SHORTEST_END = 26  # 26 + letters kept, up to 30
LONG_END = 31


def read_names():
    entries = []
    for line in NAMES.strip().splitlines():
        name, value = line.split()
        entries.append((name, int(value, 16)))
    names = [name for name, _ in entries]
    if len(entries) != 148 or names != sorted(names) or len(set(names)) != len(names):
        sys.exit("the list must hold the 148 names once each, in order")
    if any(not name.isalpha() or not name.islower() or len(name) > 20 for name in names):
        sys.exit("names are 1 to 20 letters a to z")
    return entries


def kept_letters(previous, name):
    kept = 0
    while kept < min(len(previous), len(name)) and previous[kept] == name[kept]:
        kept += 1
    return kept


def symbols_of(names):
    symbols = []
    for index, name in enumerate(names):
        kept = kept_letters(names[index - 1], name) if index > 0 else 0
        if index > 0:
            # The previous name's end says how much of it this one keeps.
            if kept <= LONG_END - 1 - SHORTEST_END:
                symbols.append(SHORTEST_END + kept)
            else:
                symbols += [LONG_END, kept]
        symbols += [ord(letter) - ord("a") for letter in name[kept:]]
    symbols.append(SHORTEST_END)
    return symbols


def pack(symbols):
    bits = 0
    count = 0
    out = bytearray()
    for symbol in symbols:
        bits |= symbol << count
        count += 5
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    out.append(bits & 0xFF)
    # The reader takes two bytes at a time.
    out.append(0)
    return bytes(out)


def unpack(packed, count):
    """The reader's own steps, to prove the table before it is written."""
    bit = 0

    def read():
        nonlocal bit
        byte = bit >> 3
        symbol = (packed[byte] | packed[byte + 1] << 8) >> (bit & 7) & 31
        bit += 5
        return symbol

    names = []
    name = ""
    kept = 0
    for _ in range(count):
        name = name[:kept]
        symbol = read()
        while symbol < LETTERS:
            name += chr(ord("a") + symbol)
            symbol = read()
        kept = symbol - SHORTEST_END if symbol < LONG_END else read()
        names.append(name)
    return names


def byte_rows(data):
    rows = []
    for start in range(0, len(data), 16):
        rows.append("    " + ", ".join("%d" % byte for byte in data[start : start + 16]) + ",")
    return "\n".join(rows)


def render(entries):
    names = [name for name, _ in entries]
    packed = pack(symbols_of(names))
    if unpack(packed, len(names)) != names:
        sys.exit("the packed names do not read back")
    values = bytearray()
    for _, value in entries:
        values += bytes([value >> 16, value >> 8 & 0xFF, value & 0xFF])
    return (
        "// Generated by tools/pack_color_names.py from its list; do not edit.\n"
        "// %d names in %d bytes, their values in %d.\n"
        "const int kColorNameCount = %d;\n"
        "const unsigned char kPackedColorNames[] = {\n%s\n};\n"
        "const unsigned char kColorNameValues[] = {\n%s\n};\n"
        % (len(names), len(packed), len(values), len(names), byte_rows(packed), byte_rows(values))
    )


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the committed file")
    args = parser.parse_args()
    text = render(read_names())
    if args.check:
        with open(OUTPUT, encoding="ascii") as committed:
            if committed.read() != text:
                sys.exit("%s differs from what the list makes" % os.path.relpath(OUTPUT, ROOT))
        return
    with open(OUTPUT, "w", encoding="ascii", newline="\n") as out:
        out.write(text)


if __name__ == "__main__":
    main()
