// Per-language information: names, number separators, month and day names
// from the C library's locale, and the language's text order and index
// letter. One record per language, built on first request and kept until exit.
#pragma once

#include "foundation/string.h"
#include "foundation/values/language_code.h"
#include "foundation/values/time.h"
#include "foundation/wstring.h"

namespace Qor {

// Orders two 16-bit texts: -1, 0 or 1.
using LanguageCompareFunction = int (*)(const wchar16* a, int la, const wchar16* b, int lb);
// The heading letter under which a (NUL-terminated) text is listed; empty for none.
using IndexLetterFunction = WString (*)(const wchar16* text);

// Base letters first, then accents, then capitals before small letters; digit
// runs by their numeric value; space < other < digit < letter.
int CompareTextDefault(const wchar16* a, int la, const wchar16* b, int lb);
// The default order with CH as a letter after H and before I, and hacek
// letters (Č, Ř, Š, Ž ...) as letters of their own after their base.
int CompareTextCzech(const wchar16* a, int la, const wchar16* b, int lb);
// Compares the digit runs at a and b (leading zeros skipped, then length, then
// digits). When they are equal both positions move past their runs.
int CompareDigitRuns(const wchar16*& a, const wchar16* a_end, const wchar16*& b, const wchar16* b_end);

WString IndexLetterDefault(const wchar16* text);
WString IndexLetterCzech(const wchar16* text);

// Copies the leading non-digits of text and its first digit run to out, with
// separator between groups of three digits; returns the position after the run.
const char* GroupDigits(const char* text, String& out, const String& separator);

struct LanguageInfo {
    LanguageCode language = 0;
    String english_name;
    String native_name; // UTF-8
    String thousand_separator;
    String decimal_point;
    String date_format; // patterns of FormatDateByPattern / FormatTimeByPattern;
    String time_format; // empty selects the standard texts
    // Default character set; days start with Monday.
    String month[12], short_month[12], day[7], short_day[7];
    LanguageCompareFunction compare = CompareTextDefault;
    IndexLetterFunction index_letter = IndexLetterDefault;
    WString wmonth[12], wshort_month[12], wday[7], wshort_day[7];

    // Fills the record for code from the language table and the C library's
    // locale; switches the process locale while it reads and restores it.
    void Set(LanguageCode code);

    // DoubleToGeneralText with the language's separators. Flag 0x80 writes ','
    // as the point, flag 0x100 leaves out the thousands separator.
    String FormatDouble(int count, unsigned flags, int exponent_digits, double x) const;
    String FormatDate(Date date) const;
    String FormatTime(Time time) const;

    int Compare(const wchar16* a, int la, const wchar16* b, int lb) const { return compare(a, la, b, lb); }
    int Compare(const WString& a, const WString& b) const
    {
        return compare(a.Begin(), a.GetLength(), b.Begin(), b.GetLength());
    }
    WString IndexLetter(const wchar16* text) const { return index_letter(text); }
};

// The record of language (0: the current language); character-set bits are
// ignored. Records are filled once and never refreshed. One thread only.
LanguageInfo& GetLanguageInfo(LanguageCode language = 0);

// The compiled-in table: codes ending with 0 and, parallel to them, texts
// "English TAB native TAB" followed by the two bytes of the Windows locale
// identifier, high byte first. The first row of a code is the one that counts.
extern const LanguageCode language_table_codes[];
extern const char* const language_table_texts[];
extern const int language_table_size;

// Row of code (character-set bits ignored) in the table, -1 when absent.
int FindLanguageRow(LanguageCode code);
// "cs_CZ" for CS-CZ: the name setlocale is asked for.
String LanguageLocaleName(LanguageCode code);

// Sends the "nl"/"vl" formatters and CompareValues through the language records; run
// before the entry point.
void RegisterLanguageCollation();

} // namespace Qor
