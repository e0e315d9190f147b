#!/usr/bin/env python3
"""Writes foundation/values/language_table.cpp, the compiled-in language table.

The rows (codes in table order) are fixed below. Each row gets:
  - its Windows locale identifier from Python's locale.windows_locale, the
    rows of one code taking that code's identifiers in ascending order;
  - its English name from Debian's iso-codes (ISO 639-3, falling back to
    ISO 639-2), with the script added for a language that has a Latin and a
    Cyrillic row (the lower identifier being the Latin one);
  - its native name from glibc's locale sources (LC_ADDRESS lang_name), taken
    from the locale of the same language and country when there is one, else
    from any locale of the language, in the row's script. No source, no name.

Usage: tools/gen_language_table.py > foundation/values/language_table.cpp
"""

import json
import locale
import os
import re
import sys
import unicodedata

LOCALES = "/usr/share/i18n/locales"
ISO = "/usr/share/iso-codes/json"

ROWS = """
AR-SA BG-BG CA-ES ZH-TW CS-CZ DA-DK DE-DE EL-GR EN-US ES-ES FI-FI FR-FR HE-IL HU-HU
IS-IS IT-IT JA-JP KO-KR NL-NL NB-NO PL-PL PT-BR RO-RO RU-RU HR-HR SK-SK SQ-AL SV-SE
TH-TH TR-TR UR-PK ID-ID UK-UA BE-BY SL-SI ET-EE LV-LV LT-LT FA-IR VI-VN HY-AM AZ-AZ
EU-ES MK-MK AF-ZA KA-GE FO-FO HI-IN MS-MY KK-KZ KY-KG SW-KE UZ-UZ TT-RU PA-IN GU-IN
TA-IN TE-IN KN-IN MR-IN SA-IN MN-MN GL-ES KO-IN SY-SY DI-MV AR-IQ ZH-CN DE-CH EN-GB
ES-MX FR-BE IT-CH NL-BE NN-NO PT-PT SR-SP SV-FI AZ-AZ MS-BN UZ-UZ AR-EG ZH-HK DE-AT
EN-AU ES-ES FR-CA SR-SP AR-LY ZH-SG DE-LU EN-CA ES-GT FR-CH AR-DZ ZH-MO DE-LI EN-NZ
ES-CR FR-LU AR-MA EN-IE ES-PA FR-MC AR-TN EN-ZA ES-DO AR-OM EN-JM ES-VE AR-YE EN-CB
ES-CO AR-SY EN-BZ ES-PE AR-JO EN-TT ES-AR AR-LB EN-ZW ES-EC AR-KW EN-PH ES-CL AR-AE
ES-UY AR-BH ES-PY AR-QA ES-BO ES-SV ES-HN ES-NI ES-PR HR-BA BS-BA SR-BA CY-GB MI-NZ
MT-MT QU-BO QU-EC QU-PE TN-ZA XH-ZA ZU-ZA NS-ZA SE-NO SE-SE SE-FI SE-NO SE-SE SE-NO
SE-SE SE-FI SE-FI SR-BA BS-BA FI-PH LB-LU PS-AF FY-NL AR-CL NE-NP IU-CA GA-IE MO-CA
RM-CH BN-IN ML-IN
""".split()

# Python's table spells two country codes that ISO 3166 does not know: 0x2009
# is Jamaica (JM) and 0x380A Uruguay (UY).
COUNTRY_FIXES = {0x2009: "JM", 0x380A: "UY"}
# Python's table uses "ns" for Northern Sotho, whose ISO 639 code is "nso".
LANGUAGE_ALIASES = {"ns": "nso"}
# The table files every Sami language under the code SE.
ROW_LANGUAGE = {"smj": "se", "sma": "se", "sms": "se", "smn": "se"}


def fail(msg):
    sys.stderr.write("gen_language_table: " + msg + "\n")
    sys.exit(1)


def row_code(lang, country):
    lang = ROW_LANGUAGE.get(lang, lang)
    return (lang[:2] + "-" + country).upper()


def pack_code(code):
    v = 0
    for ch in code.replace("-", ""):
        v = v << 5 | (ord(ch) - ord("A") + 1)
    return v


def lcid_lists():
    by_code = {}
    for lcid in sorted(locale.windows_locale):
        name = locale.windows_locale[lcid]
        if "_" not in name:
            continue
        lang, country = name.split("_", 1)
        country = COUNTRY_FIXES.get(lcid, country)
        by_code.setdefault(row_code(lang, country), []).append((lcid, lang))
    return by_code


def iso_names():
    names = {}
    for fname, key in (("iso_639-2.json", "639-2"), ("iso_639-3.json", "639-3")):
        with open(os.path.join(ISO, fname), encoding="utf-8") as f:
            for e in json.load(f)[key]:
                name = e["name"]
                if key == "639-2":
                    name = name.split(";")[0]
                name = re.sub(r" \((macrolanguage|\d+-\d*)\)$", "", name)
                for code in (e.get("alpha_2"), e["alpha_3"]):
                    if code:
                        names[code] = name  # 639-3 is read last and wins
    return names


def decode_locale_text(text):
    return re.sub(r"<U([0-9A-Fa-f]{4,6})>", lambda m: chr(int(m.group(1), 16)), text)


def glibc_native_names():
    """locale file name -> lang_name, for files that state one."""
    out = {}
    for fname in os.listdir(LOCALES):
        path = os.path.join(LOCALES, fname)
        try:
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
        except OSError:
            continue
        m = re.search(r'^lang_name\s+"([^"]*)"', text, re.M)
        if m and m.group(1):
            out[fname] = decode_locale_text(m.group(1))
    return out


def script_of(text):
    for ch in text:
        if ch.isalpha():
            name = unicodedata.name(ch, "")
            return "Cyrillic" if name.startswith("CYRILLIC") else \
                   "Latin" if name.startswith("LATIN") else "other"
    return "other"


def native_name(lang, country, script, natives):
    lang = LANGUAGE_ALIASES.get(lang, lang)
    exact = [f for f in natives if f.split("@")[0] == lang + "_" + country]
    others = sorted(f for f in natives if f.split("_")[0] == lang and f not in exact)
    for f in sorted(exact) + others:
        if script is None or script_of(natives[f]) == script:
            return natives[f]
    return ""


def c_text(s):
    out = []
    for ch in s:
        if ch in '"\\':
            out.append("\\" + ch)
        elif ch == "\t":
            out.append("\\t")
        else:
            out.append(ch)
    return "".join(out)


def main():
    by_code = lcid_lists()
    names = iso_names()
    natives = glibc_native_names()
    used = {}
    rows = []
    for code in ROWS:
        lst = by_code.get(code)
        n = used.get(code, 0)
        if not lst or n >= len(lst):
            fail("no locale identifier for " + code)
        used[code] = n + 1
        lcid, lang = lst[n]
        rows.append((code, lcid, lang))
    # A language with exactly two rows of one code written in two scripts:
    # Serbian, Bosnian, Azerbaijani and Uzbek.
    two_scripts = {"sr", "bs", "az", "uz"}
    out_rows = []
    for code, lcid, lang in rows:
        iso = LANGUAGE_ALIASES.get(lang, lang)
        english = names.get(iso)
        if not english:
            fail("no English name for " + lang)
        script = None
        if lang in two_scripts:
            pair = sorted(r[1] for r in rows if r[0] == code)
            if len(pair) != 2:
                fail("expected a Latin and a Cyrillic row for " + code)
            script = "Latin" if lcid == pair[0] else "Cyrillic"
            english += " (" + script + ")"
        native = native_name(iso, code[3:], script, natives)
        out_rows.append((code, lcid, english, native))

    w = sys.stdout.write
    w("// The compiled-in language table: codes in a fixed order ending with 0 and,\n")
    w("// parallel to them, \"English name TAB native name TAB\" followed by the two\n")
    w("// bytes of the Windows locale identifier, high byte first.\n")
    w("// Generated by tools/gen_language_table.py; do not edit.\n\n")
    w('#include "foundation/values/language_info.h"\n\n')
    w("namespace Qor {\n\n")
    w("extern const LanguageCode language_table_codes[] = {\n")
    for code, lcid, english, native in out_rows:
        w("    0x%05X, // %s\n" % (pack_code(code), code))
    w("    0,\n};\n\n")
    w("extern const char* const language_table_texts[] = {\n")
    for code, lcid, english, native in out_rows:
        hi, lo = lcid >> 8, lcid & 0xFF
        if not hi or not lo:
            fail("identifier byte 0 in " + code)
        w('    "%s\\t%s\\t\\%03o\\%03o",\n' % (c_text(english), c_text(native), hi, lo))
    w("};\n\n")
    w("extern const int language_table_size = %d;\n\n" % len(out_rows))
    w("} // namespace Qor\n")


if __name__ == "__main__":
    main()
