#!/usr/bin/python3
# Loads a subset font with every table checksum verified and compares its glyphs with the font it was cut from.
#   check_subset.py SUBSET SOURCE FIRST HEX...
# HEX are the characters given to the subset, in order; the character at position i has code FIRST + i.
# Prints "glyphs N" and one "composite GLYPH: COMPONENT..." line per composite glyph; any fault exits with 1.
import sys

from fontTools.ttLib import TTFont


def fail(message):
    print(message)
    sys.exit(1)


def whole_checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(int.from_bytes(data[i:i + 4], "big") for i in range(0, len(data), 4)) & 0xFFFFFFFF


def outline(font, name):
    glyf = font["glyf"]
    coordinates, ends, _ = glyf[name].getCoordinates(glyf)
    return list(coordinates), list(ends)


def main():
    subset_path, source_path, first = sys.argv[1], sys.argv[2], int(sys.argv[3])
    chars = [int(h, 16) for h in sys.argv[4:]]
    with open(subset_path, "rb") as f:
        raw = f.read()
    if whole_checksum(raw) != 0xB1B0AFBA:
        fail("whole font checksum is %08x" % whole_checksum(raw))
    try:
        subset = TTFont(subset_path, checkChecksums=2)
        for tag in subset.keys():
            subset[tag]  # decompiles the table
        glyf = subset["glyf"]
        order = subset.getGlyphOrder()
        for name in order:
            glyf[name].expand(glyf)
    except Exception as e:  # every kind of load failure is the fault being looked for
        fail("fontTools cannot load the subset: %r" % e)
    source = TTFont(source_path)
    source_map = source.getBestCmap()
    cmap = subset["cmap"].getcmap(1, 0)
    if cmap is None:
        fail("no (1, 0) character map")
    codes = cmap.cmap
    for i, ch in enumerate(chars):
        code = first + i
        wanted = source_map.get(ch)
        got = codes.get(code, ".notdef")
        if wanted is None:
            if order.index(got) != 0:
                fail("code %d of a missing character maps to %s" % (code, got))
            continue
        if outline(subset, got) != outline(source, wanted):
            fail("code %d: outline differs from U+%04X" % (code, ch))
        if subset["hmtx"][got] != source["hmtx"][wanted]:
            fail("code %d: metrics differ from U+%04X" % (code, ch))
    print("glyphs %d" % len(order))
    for index, name in enumerate(order):
        if glyf[name].isComposite():
            parts = " ".join(str(order.index(c.glyphName)) for c in glyf[name].components)
            print("composite %d: %s" % (index, parts))


main()
