#!/usr/bin/env python3
# Generates foundation/codepages_data.cpp: the forward tables (bytes 0x80-0xFF)
# of the 89 registered 8-bit code pages, with 0x001F for bytes a page leaves
# undefined.
#
# Sources, in order of preference: glibc's iconv (through ctypes), Perl's Encode
# for the Macintosh pages glibc does not know, and hand-typed rows from the
# published definitions for the few pages neither knows. The editions the
# registry wants (pre-euro Macintosh pages, iso8859-7 before 2003, ...) are then
# applied as explicit corrections. Development-time only: the output is committed.
import ctypes
import ctypes.util
import subprocess
import sys
import unicodedata

UNDEF = 0x001F

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t),
                       ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t)]
libc.iconv_close.argtypes = [ctypes.c_void_p]


def iconv_byte(name, b):
    """Code points iconv gives for the single byte b, or None when it refuses it."""
    cd = libc.iconv_open(b"UTF-32LE", name.encode())
    if cd in (None, ctypes.c_void_p(-1).value):
        raise SystemExit("iconv does not know " + name)
    try:
        src = ctypes.create_string_buffer(bytes([b]), 1)
        out = ctypes.create_string_buffer(64)
        inp = ctypes.c_char_p(ctypes.addressof(src))
        inleft = ctypes.c_size_t(1)
        outp = ctypes.c_char_p(ctypes.addressof(out))
        outleft = ctypes.c_size_t(64)
        r = libc.iconv(cd, ctypes.byref(inp), ctypes.byref(inleft), ctypes.byref(outp), ctypes.byref(outleft))
        if r == ctypes.c_size_t(-1).value or inleft.value:
            return None
        # Pages with combining characters hold the last character back: flush it.
        libc.iconv(cd, None, None, ctypes.byref(outp), ctypes.byref(outleft))
        data = out.raw[:64 - outleft.value]
        return [int.from_bytes(data[i:i + 4], "little") for i in range(0, len(data), 4)]
    finally:
        libc.iconv_close(cd)


def from_iconv(name):
    table = []
    for b in range(0x80, 0x100):
        cps = iconv_byte(name, b)
        table.append(cps[0] if cps and len(cps) == 1 and cps[0] < 0x10000 else UNDEF)
    return table


PERL_DECODER = r'''
use Encode;
my $name = shift;
for my $b (0x80..0xFF) {
    my $s = eval { decode($name, chr($b), Encode::FB_CROAK) };
    print defined $s ? join(" ", map { sprintf "%X", ord } split //, $s) : "-", "\n";
}
'''


def from_perl(name):
    lines = subprocess.run(["perl", "-e", PERL_DECODER, name], capture_output=True, text=True,
                           check=True).stdout.split("\n")[:128]
    table = []
    for line in lines:
        cps = [] if line == "-" else [int(x, 16) for x in line.split()]
        # Sequences (variant tags, ligatures) have no single code point.
        table.append(cps[0] if len(cps) == 1 and cps[0] != 0xFFFD else UNDEF)
    return table


def from_rows(rows):
    """Hand-typed pages: 128 code points, 0 for undefined."""
    assert len(rows) == 128
    return [r if r else UNDEF for r in rows]


def latin1():
    return list(range(0x80, 0x100))


# Kamenicky: Czech and Slovak letters in 0x80-0xAF only.
MJK = [
    0x010C, 0x00FC, 0x00E9, 0x010F, 0x00E4, 0x010E, 0x0164, 0x010D, 0x011B, 0x011A, 0x0139, 0x00CD, 0x013E, 0x013A, 0x00C4, 0x00C1,
    0x00C9, 0x017E, 0x017D, 0x00F4, 0x00F6, 0x00D3, 0x016F, 0x00DA, 0x00FD, 0x00D6, 0x00DC, 0x0160, 0x013D, 0x00DD, 0x0158, 0x0165,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0148, 0x0147, 0x016E, 0x00D4, 0x0161, 0x0159, 0x0155, 0x0154, 0x00BC, 0x00A7, 0x00AB, 0x00BB,
] + [0] * 80

# IBM code page 853 (Turkish, Maltese, Esperanto).
CP853 = [
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x0109, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x0108,
    0x00C9, 0x010B, 0x010A, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x0130, 0x00D6, 0x00DC, 0x011D, 0x00A3, 0x011C, 0x00D7, 0x0135,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x011E, 0x011F, 0x0124, 0x0125, 0x0000, 0x00BD, 0x0134, 0x015F, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x015E, 0x2563, 0x2551, 0x2557, 0x255D, 0x017B, 0x017C, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x015C, 0x015D, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x0000, 0x0000, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x0000, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x0120, 0x0121, 0x00B5, 0x0126, 0x0127, 0x00DA, 0x00DB, 0x00D9, 0x016C, 0x016D, 0x0000, 0x00B4,
    0x00AD, 0x0000, 0x2113, 0x0149, 0x02D8, 0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x02D9, 0x0000, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
]

# Acorn RISC OS Latin 1: its own 0x80-0x9F, ISO 8859-1 above.
RISCOS_LATIN1 = [
    0x221A, 0x0174, 0x0175, 0x0000, 0x2573, 0x0176, 0x0177, 0x0000, 0x21E6, 0x21E8, 0x21E9, 0x21E7, 0x2026, 0x2122, 0x2030, 0x2022,
    0x2018, 0x2019, 0x2039, 0x203A, 0x201C, 0x201D, 0x201E, 0x2013, 0x2014, 0x2212, 0x0152, 0x0153, 0x2020, 0x2021, 0xFB01, 0xFB02,
] + list(range(0xA0, 0x100))


def mule_lao():
    """C1 controls, no-break space, then the Lao block at U+0E81 + (b - 0xA1) where Unicode 3.2 has a letter."""
    table = list(range(0x80, 0xA0)) + [0x00A0]
    for b in range(0xA1, 0x100):
        cp = 0x0E00 + b - 0x20
        table.append(cp if unicodedata.ucd_3_2_0.category(chr(cp)) != "Cn" else UNDEF)
    return table


def jis_x0201():
    """Only the half-width katakana 0xA1-0xDF."""
    return [0xFF61 + b - 0xA1 if 0xA1 <= b <= 0xDF else UNDEF for b in range(0x80, 0x100)]


# --- edition corrections ---------------------------------------------------

def undefine(*bytes_):
    def fix(t):
        for b in bytes_:
            t[b - 0x80] = UNDEF
    return fix


def undefine_range(lo, hi):
    return undefine(*range(lo, hi + 1))


def set_bytes(**values):
    def fix(t):
        for key, cp in values.items():
            t[int(key[1:], 16) - 0x80] = cp
    return fix


def mac_pre_euro(t):
    """Macintosh pages as they were before the euro: currency sign for the euro,
    OHM SIGN at 0xBD in the Roman-based pages, no Apple logo or other private-use
    characters."""
    for i, cp in enumerate(t):
        if cp == 0x20AC:
            t[i] = 0x00A4
        elif 0xE000 <= cp <= 0xF8FF:
            t[i] = UNDEF
    if t[0xBD - 0x80] == 0x03A9:
        t[0xBD - 0x80] = 0x2126


def mac_arabic(t):
    """Bytes that duplicate ASCII punctuation are left undefined."""
    mac_pre_euro(t)
    for i, cp in enumerate(t):
        if cp < 0x80:
            t[i] = UNDEF


def mac_greek(t):
    """Before the euro, 0x9C held the soft hyphen and 0xFF was unused."""
    mac_pre_euro(t)
    t[0x9C - 0x80] = 0x00AD
    t[0xFF - 0x80] = UNDEF


def mac_hebrew(t):
    mac_pre_euro(t)
    t[0x81 - 0x80] = 0xFB1F  # the yod-yod-patah ligature as one code point


def mac_thai(t):
    """Before Unicode 3.2 added WORD JOINER, 0xDB was the zero-width no-break space."""
    mac_pre_euro(t)
    t[0xDB - 0x80] = 0xFEFF


# name, source, corrections
PAGES = [
    ("NONE", lambda: latin1(), []),
    ("iso8859-1", lambda: from_iconv("ISO-8859-1"), []),
    ("iso8859-2", lambda: from_iconv("ISO-8859-2"), []),
    ("iso8859-3", lambda: from_iconv("ISO-8859-3"), []),
    ("iso8859-4", lambda: from_iconv("ISO-8859-4"), []),
    ("iso8859-5", lambda: from_iconv("ISO-8859-5"), []),
    ("iso8859-6", lambda: from_iconv("ISO-8859-6"), []),
    ("iso8859-7", lambda: from_iconv("ISO-8859-7"), [undefine(0xA4, 0xA5, 0xAA)]),
    ("iso8859-8", lambda: from_iconv("ISO-8859-8"), []),
    ("iso8859-9", lambda: from_iconv("ISO-8859-9"), []),
    ("iso8859-10", lambda: from_iconv("ISO-8859-10"), []),
    ("iso8859-13", lambda: from_iconv("ISO-8859-13"), []),
    ("iso8859-14", lambda: from_iconv("ISO-8859-14"), []),
    ("iso8859-15", lambda: from_iconv("ISO-8859-15"), []),
    ("iso8859-16", lambda: from_iconv("ISO-8859-16"), []),
] + [("windows-%d" % n, (lambda n=n: from_iconv("CP%d" % n)), []) for n in range(1250, 1259)] + [
    ("koi8-r", lambda: from_iconv("KOI8-R"), [undefine(0x9A)]),
    ("cp852", lambda: from_iconv("CP852"), []),
    ("mjk", lambda: from_rows(MJK), []),
    ("cp850", lambda: from_iconv("CP850"), []),
    ("ARMSCII-8", lambda: from_iconv("ARMSCII-8"), []),
    ("cp1046", lambda: from_iconv("CP1046"), []),
    ("cp1124", lambda: from_iconv("CP1124"), []),
    ("cp1125", lambda: from_iconv("CP1125"), []),
    ("cp1129", lambda: from_iconv("CP1129"), []),
    ("cp1133", lambda: from_iconv("CP1133"), []),
    ("cp1161", lambda: from_iconv("CP1161"), []),
    ("cp1162", lambda: from_iconv("CP1162"), []),
    ("cp1163", lambda: from_iconv("CP1163"), []),
] + [("cp%d" % n, (lambda n=n: from_iconv("CP%d" % n)), []) for n in range(1250, 1259)] + [
    ("cp437", lambda: from_iconv("CP437"), []),
    ("cp737", lambda: from_iconv("CP737"), []),
    ("cp775", lambda: from_iconv("CP775"), []),
    ("cp853", lambda: from_rows(CP853), []),
    ("cp855", lambda: from_iconv("CP855"), []),
    ("cp856", lambda: from_iconv("CP856"), []),
    ("cp857", lambda: from_iconv("CP857"), []),
    ("cp858", lambda: from_iconv("CP858"), []),
    ("cp860", lambda: from_iconv("CP860"), []),
    ("cp861", lambda: from_iconv("CP861"), []),
    ("cp862", lambda: from_iconv("CP862"), []),
    ("cp863", lambda: from_iconv("CP863"), []),
    ("cp864", lambda: from_iconv("CP864"), []),
    ("cp865", lambda: from_iconv("CP865"), []),
    ("cp866", lambda: from_iconv("CP866"), []),
    ("cp869", lambda: from_iconv("CP869"), []),
    ("cp874", lambda: from_iconv("CP874"), []),
    ("cp922", lambda: from_iconv("CP922"), []),
    ("Georgian-Academy", lambda: from_iconv("GEORGIAN-ACADEMY"), []),
    ("Georgian-PS", lambda: from_iconv("GEORGIAN-PS"), []),
    ("HP-ROMAN8", lambda: from_iconv("HP-ROMAN8"), []),
    ("koi8-ru", lambda: from_iconv("KOI8-RU"), []),
    ("koi8-t", lambda: from_iconv("KOI8-T"), []),
    ("koi8-u", lambda: from_iconv("KOI8-U"), []),
    ("MacArabic", lambda: from_perl("MacArabic"), [mac_arabic]),
    ("MacCentralEurope", lambda: from_iconv("MAC-CENTRALEUROPE"), [mac_pre_euro]),
    ("MacCroatian", lambda: from_perl("MacCroatian"), [mac_pre_euro]),
    ("MacCyrillic", lambda: from_iconv("MAC-CYRILLIC"), [mac_pre_euro]),
    ("MacGreek", lambda: from_perl("MacGreek"), [mac_greek]),
    ("MacHebrew", lambda: from_perl("MacHebrew"), [mac_hebrew]),
    ("MacIceland", lambda: from_iconv("MAC-IS"), [mac_pre_euro]),
    ("MacRoman", lambda: from_iconv("MACINTOSH"), [mac_pre_euro]),
    ("MacRomania", lambda: from_perl("MacRumanian"), [mac_pre_euro]),
    ("MacThai", lambda: from_perl("MacThai"), [mac_thai]),
    ("MacTurkish", lambda: from_perl("MacTurkish"), [mac_pre_euro]),
    ("MacUkraine", lambda: from_iconv("MAC-UK"), [mac_pre_euro]),
    ("MuleLao-1", mule_lao, []),
    ("NEXTSTEP", lambda: from_perl("nextstep"), []),
    ("RISCOS-LATIN1", lambda: from_rows(RISCOS_LATIN1), []),
    ("TCVN", lambda: from_iconv("TCVN5712-1"), []),
    ("VISCII", lambda: from_iconv("VISCII"), []),
    ("TIS-620", lambda: from_iconv("TIS-620"), [undefine_range(0x80, 0x9F)]),
    ("JIS-X0201", jis_x0201, []),
]


def check(name, table):
    assert len(table) == 128, name
    seen = {}
    for i, cp in enumerate(table):
        if cp == UNDEF or cp < 0x80:
            continue
        if cp in seen:
            sys.stderr.write("%s: 0x%02X and 0x%02X both give U+%04X\n" % (name, seen[cp], 0x80 + i, cp))
        seen[cp] = 0x80 + i
        if 0xE000 <= cp <= 0xF8FF:
            sys.stderr.write("%s: private-use U+%04X at 0x%02X\n" % (name, cp, 0x80 + i))


def main():
    assert len(PAGES) == 89
    out = ["// Generated by tools/gen_charsets.py; do not edit.",
           "// Forward tables of the registered code pages: the code points of the bytes",
           "// 0x80-0xFF, 0x001F where a page leaves the byte undefined.",
           '#include "foundation/charset_registry.h"',
           "",
           "namespace Qor {",
           ""]
    names = []
    for index, (name, source, fixes) in enumerate(PAGES):
        table = source()
        for fix in fixes:
            fix(table)
        check(name, table)
        names.append(name)
        out.append("static const uint16 page_%d[128] = { // %s" % (index, name))
        for i in range(0, 128, 16):
            out.append("    " + ",".join("0x%04x" % v for v in table[i:i + 16]) + ",")
        out.append("};")
    out.append("")
    out.append("const CodePageData code_page_data[CODE_PAGE_COUNT] = {")
    for index, name in enumerate(names):
        out.append('    { "%s", page_%d },' % (name, index))
    out.append("};")
    out.append("")
    out.append("} // namespace Qor")
    text = "\n".join(out) + "\n"
    if len(sys.argv) > 1:
        with open(sys.argv[1], "w") as f:
            f.write(text)
    else:
        sys.stdout.write(text)


if __name__ == "__main__":
    main()
