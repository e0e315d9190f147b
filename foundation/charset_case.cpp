// Case operations and ASCII base letters, driven by the character table.
//
// On UTF-8 they work on the bytes directly, with the same result as decoding,
// mapping each unit and encoding again: units from U+0800 and escaped bytes are
// copied as they stand, so undecodable bytes come back unchanged.
#include "foundation/charset.h"

#include "foundation/charset_internal.h"
#include "foundation/charset_utf8.h"
#include "foundation/chartable.h"
#include "foundation/charset_registry.h"

#include <cstring>

namespace Qor {

namespace {

// Runs map over the units the UTF-8 decoder would produce from [p, p + len)
// and writes their encoding, each unit below U+0800 replaced by map's result;
// map sees every unit (escapes as U+EE00 + byte) so that it can keep state.
// A unit below U+0800 maps to one below U+0800, which never takes more bytes
// than a unit of the same or a higher range, so the output fits in len bytes.
template <class Map>
int MapUtf8(char* out, const byte* s, const byte* e, Map& map)
{
    char* t = out;
    while(s < e) {
        int b = *s;
        if(b < 0x80) {
            *t++ = char(map(b));
            s++;
            continue;
        }
        int n = 1;
        int unit = CHARSET_ESCAPE_BASE + b;
        if(b >= 0xC2 && b < 0xE0 && e - s >= 2) {
            n = 2;
            if(Utf8IsContinuation(s[1]))
                unit = ((b - 0xC0) << 6) + (s[1] - 0x80);
            else {
                map(unit);
                unit = CHARSET_ESCAPE_BASE + s[1];
                *t++ = char(b);
                s++;
                n = 1;
            }
        }
        else if(b >= 0xE0 && b < 0xF0) {
            if(e - s < 3) { // a cut three-byte form: every remaining byte is escaped
                for(; s < e; s++) {
                    map(CHARSET_ESCAPE_BASE + *s);
                    *t++ = char(*s);
                }
                break;
            }
            n = 3;
            int v = Utf8Valid3(s);
            if(v >= 0)
                unit = v;
            else {
                map(unit);
                map(CHARSET_ESCAPE_BASE + s[1]);
                unit = CHARSET_ESCAPE_BASE + s[2];
                *t++ = char(s[0]);
                *t++ = char(s[1]);
                s += 2;
                n = 1;
            }
        }
        int m = map(unit);
        if(unit < 0x800)
            t = Utf8PutUnit(t, m);
        else {
            std::memcpy(t, s, n);
            t += n;
        }
        s += n;
    }
    return int(t - out);
}

template <class Map>
String MapUtf8Text(const char* p, int len, Map map)
{
    if(!p || len <= 0)
        return String();
    const byte* s = (const byte*)p;
    return MakeStringUpTo(len, [&](char* out) { return MapUtf8(out, s, s + len, map); });
}

// Byte by byte in an 8-bit charset: decode, map, encode into the same charset;
// a character without a byte there becomes 0x1F.
template <class Map>
String Map8BitText(const char* p, int len, int charset, Map map)
{
    if(!p || len <= 0)
        return String();
    CharsetRecord& r = CharsetRecordOf(charset);
    const byte* s = (const byte*)p;
    return MakeStringOf(len, [&](char* t) {
        for(int i = 0; i < len; i++)
            t[i] = char(r.Encode(map(r.Decode(s[i]))));
    });
}

struct ToLower {
    int operator()(int c) const { return LowerCaseChar(c); }
};

struct ToCapital {
    int operator()(int c) const { return CapitalCaseChar(c); }
};

// Capitalizes the first letter of each word: a word starts after any unit that
// is neither a digit nor a letter, judged before its conversion.
struct WordCapitalizer {
    bool word_start = true;
    int operator()(int c)
    {
        int r = word_start ? CapitalCaseChar(c) : LowerCaseChar(c);
        word_start = !(c >= '0' && c <= '9') && !IsLetterChar(c);
        return r;
    }
};

} // namespace

int AsciiBaseChar(int ch, int charset)
{
    charset = ResolveCharset(charset);
    if(charset == CHARSET_UTF8)
        return BaseAsciiChar(ch);
    return BaseAsciiChar(CharsetRecordOf(charset).Decode(ch & 0xFF));
}

int CapitalAsciiLetter(int ch)
{
    return CapitalCaseChar(AsciiBaseChar(ch, CHARSET_DEFAULT));
}

String LowerCaseText(const String& text, int charset)
{
    charset = ResolveCharset(charset);
    if(charset == CHARSET_UTF8)
        return MapUtf8Text(text.Begin(), text.GetLength(), ToLower());
    return Map8BitText(text.Begin(), text.GetLength(), charset, ToLower());
}

String CapitalCaseText(const String& text, int charset)
{
    charset = ResolveCharset(charset);
    if(charset == CHARSET_UTF8)
        return MapUtf8Text(text.Begin(), text.GetLength(), ToCapital());
    return Map8BitText(text.Begin(), text.GetLength(), charset, ToCapital());
}

String CapitalizeWords(const char* text, int charset)
{
    if(!text)
        return String();
    charset = ResolveCharset(charset);
    int len = (int)std::strlen(text);
    if(charset == CHARSET_UTF8)
        return MapUtf8Text(text, len, WordCapitalizer());
    return Map8BitText(text, len, charset, WordCapitalizer());
}

WString CapitalizeWords(const WString& text)
{
    WordCapitalizer map;
    const wchar16* s = text.Begin();
    return MakeWStringOf(text.GetLength(), [&](wchar16* t) {
        for(int i = 0; i < text.GetLength(); i++)
            t[i] = wchar16(map(s[i]));
    });
}

} // namespace Qor
