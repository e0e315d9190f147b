#!/usr/bin/python3
# Cuts the fonts of limited coverage the drawing tests need out of DejaVu, under family
# names of their own, into the folder given as the only argument:
#   QorLatin.ttf      "Qor Latin": Latin-1 and the spacing accents, with a shorter
#                     ascent and descent, so replacement faces must shrink to fit it
#   QorLatinMono.ttf  "Qor Latin Mono": the same cut of the monospaced face
#   QorPair.ttc       "Qor Pair Sans" and "Qor Pair Serif" in one collection
#   QorMissing.ttf    "Qor Missing": listed, but the configuration sends its matches to
#                     a file that does not exist, so it can never be opened
#   QorBrokenA.ttf    "Qor Broken A": ASCII, with the outline of A cut shorter than an
#                     outline's header, so the font opens but cannot be subset with A
#   QorSlant*.ttf     "Qor Slant": ASCII in an upright, an italic (the serif's) and an
#                     oblique (the sans') style, so the slant a request names decides;
#                     the upright's PostScript name "Qor Slant(Book)" holds bytes a PDF
#                     name cannot hold as they are
import os
import subprocess
import sys

from fontTools.ttLib import TTFont
from fontTools.ttLib.ttCollection import TTCollection

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
LATIN = "U+0020-00FF,U+02C6-02DD"


def cut(source, target, unicodes):
    # The module behind the pyftsubset command.
    subprocess.run([sys.executable, "-m", "fontTools.subset", DEJAVU + source, "--unicodes=" + unicodes,
                    "--output-file=" + target, "--name-IDs=*", "--notdef-outline"], check=True)


def rename(path, family, shrink=1.0, style=None, postscript=None):
    font = TTFont(path)
    full = family + " " + style if style else family
    postscript = postscript or full.replace(" ", "")
    for record in font["name"].names:
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID in (2, 17) and style:
            record.string = style
        elif record.nameID in (4, 18):
            record.string = full
        elif record.nameID == 6:
            record.string = postscript
    if shrink != 1.0:
        hhea = font["hhea"]
        hhea.ascent = int(hhea.ascent * shrink)
        hhea.descent = int(hhea.descent * shrink)
        os2 = font["OS/2"]
        os2.usWinAscent = int(os2.usWinAscent * shrink)
        os2.usWinDescent = int(os2.usWinDescent * shrink)
        os2.sTypoAscender = int(os2.sTypoAscender * shrink)
        os2.sTypoDescender = int(os2.sTypoDescender * shrink)
    font.save(path)


def break_glyph(path, char):
    font = TTFont(path)
    glyph = font.getGlyphID(font.getBestCmap()[ord(char)])
    long_offsets = font["head"].indexToLocFormat == 1
    with open(path, "rb") as f:
        data = bytearray(f.read())
    for i in range(int.from_bytes(data[4:6], "big")):
        record = 12 + 16 * i
        if data[record:record + 4] == b"loca":
            loca = int.from_bytes(data[record + 8:record + 12], "big")
    size = 4 if long_offsets else 2
    at = loca + size * glyph
    start = int.from_bytes(data[at:at + size], "big")
    # Four bytes of outline: the next glyph starts early and runs longer, still inside the table.
    data[at + size:at + 2 * size] = (start + (4 if long_offsets else 2)).to_bytes(size, "big")
    with open(path, "wb") as f:
        f.write(data)


def main():
    out = sys.argv[1]
    latin = os.path.join(out, "QorLatin.ttf")
    cut("DejaVuSans.ttf", latin, LATIN)
    rename(latin, "Qor Latin", 0.8)
    missing = os.path.join(out, "QorMissing.ttf")
    cut("DejaVuSans.ttf", missing, "U+0020-007E")
    rename(missing, "Qor Missing")
    broken = os.path.join(out, "QorBrokenA.ttf")
    cut("DejaVuSans.ttf", broken, "U+0020-007E")
    rename(broken, "Qor Broken A")
    break_glyph(broken, "A")
    for source, style in (("DejaVuSans.ttf", "Book"), ("DejaVuSerif-Italic.ttf", "Italic"),
                          ("DejaVuSans-Oblique.ttf", "Oblique")):
        slant = os.path.join(out, "QorSlant" + style + ".ttf")
        cut(source, slant, "U+0020-007E")
        rename(slant, "Qor Slant", style=style, postscript="Qor Slant(Book)" if style == "Book" else None)
    mono = os.path.join(out, "QorLatinMono.ttf")
    cut("DejaVuSansMono.ttf", mono, LATIN)
    rename(mono, "Qor Latin Mono")
    parts = []
    for source, family in (("DejaVuSans.ttf", "Qor Pair Sans"), ("DejaVuSerif.ttf", "Qor Pair Serif")):
        part = os.path.join(out, family.replace(" ", "") + ".part")
        cut(source, part, LATIN)
        rename(part, family)
        parts.append(part)
    collection = TTCollection()
    collection.fonts = [TTFont(p) for p in parts]
    collection.save(os.path.join(out, "QorPair.ttc"))
    for p in parts:
        os.remove(p)


main()
