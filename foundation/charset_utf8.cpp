// UTF-8 with a lossless escape: every byte that is not part of a valid one- to
// three-byte sequence decodes to U+EE00 + byte, and every encoder writes such a
// unit back as that byte, so any byte sequence survives a round trip.
#include "foundation/charset.h"
#include "foundation/charset_utf8.h"

#include "foundation/charset_internal.h"

#include <cstring>

namespace Qor {

int Utf8DecodedLength(const char* p, int len)
{
    const byte* s = (const byte*)p;
    const byte* e = s + (len > 0 ? len : 0);
    int n = 0;
    while(s < e) {
        if(e - s >= 8) {
            int k = Utf8AsciiPrefix8(s);
            s += k;
            n += k;
            if(k == 8)
                continue;
        }
        else if(*s < 0x80) {
            s++;
            n++;
            continue;
        }
        int b = *s;
        if(b < 0xC2 || b >= 0xF0) { // ASCII, stray continuation, overlong or 4-byte lead
            s++;
            n++;
        }
        else if(b < 0xE0) {
            if(e - s < 2)
                return n + 1;
            n += Utf8IsContinuation(s[1]) ? 1 : 2;
            s += 2;
        }
        else {
            if(e - s < 3)
                return n + int(e - s);
            n += Utf8Valid3(s) >= 0 ? 1 : 3;
            s += 3;
        }
    }
    return n;
}

// Bytes 0x80-0xBF among the len bytes at s.
static int CountContinuationBytes(const byte* s, int len)
{
    using U8x16 = byte __attribute__((vector_size(16)));
    using I8x16 = int8 __attribute__((vector_size(16)));
    int count = 0;
    int i = 0;
    while(len - i >= 16) {
        I8x16 acc = {}; // -1 per continuation byte; 100 steps stay inside 8 bits
        int stop = len - i > 16 * 100 ? i + 16 * 100 : len;
        for(; i + 16 <= stop; i += 16) {
            U8x16 v;
            std::memcpy(&v, s + i, 16);
            acc += (I8x16)((v & 0xC0) == 0x80);
        }
        for(int k = 0; k < 16; k++)
            count -= acc[k];
    }
    for(; i < len; i++)
        count += (s[i] & 0xC0) == 0x80;
    return count;
}

// Writes the units of the bytes [s, e) to t, which the caller sized by
// Utf8DecodedLength. The STRICT form gives up (false) at the first byte that
// needs an escape; until then every sequence is valid, so t needs no more room
// than the number of bytes that are not continuation bytes.
template <bool STRICT>
static bool DecodeUtf8Into(wchar16* t, const byte* s, const byte* e)
{
    // Main loop: at least four bytes remain after the current one, so no step
    // can run past the end and none needs an end test.
    while(e - s > 4) {
        if(e - s >= 8) {
            // Only the ASCII prefix is written: the 8 bytes may decode to fewer
            // units than the room left in t.
            int k = Utf8AsciiPrefix8(s);
            if(k == 8) {
                for(int i = 0; i < 8; i++)
                    t[i] = s[i];
            }
            else
                for(int i = 0; i < k; i++)
                    t[i] = s[i];
            s += k;
            t += k;
            if(k == 8 || e - s <= 4)
                continue;
        }
        int b = *s;
        if(b < 0x80) {
            *t++ = wchar16(b);
            s++;
        }
        else if(b < 0xC2 || b >= 0xF0) {
            if(STRICT)
                return false;
            *t++ = wchar16(CHARSET_ESCAPE_BASE + b);
            s++;
        }
        else if(b < 0xE0) {
            int c = s[1];
            if(Utf8IsContinuation(c))
                *t++ = wchar16(((b - 0xC0) << 6) + (c - 0x80));
            else {
                if(STRICT)
                    return false;
                *t++ = wchar16(CHARSET_ESCAPE_BASE + b);
                *t++ = wchar16(CHARSET_ESCAPE_BASE + c);
            }
            s += 2;
        }
        else {
            int v = Utf8Valid3(s);
            if(v >= 0)
                *t++ = wchar16(v);
            else {
                if(STRICT)
                    return false;
                t[0] = wchar16(CHARSET_ESCAPE_BASE + s[0]);
                t[1] = wchar16(CHARSET_ESCAPE_BASE + s[1]);
                t[2] = wchar16(CHARSET_ESCAPE_BASE + s[2]);
                t += 3;
            }
            s += 3;
        }
    }
    // The last bytes, by the same rules with end tests.
    while(s < e) {
        int b = *s;
        if(b < 0x80) {
            *t++ = wchar16(b);
            s++;
        }
        else if(b < 0xC2 || b >= 0xF0) {
            if(STRICT)
                return false;
            *t++ = wchar16(CHARSET_ESCAPE_BASE + b);
            s++;
        }
        else if(b < 0xE0) {
            if(e - s < 2) {
                if(STRICT)
                    return false;
                *t++ = wchar16(CHARSET_ESCAPE_BASE + b);
                return true;
            }
            int c = s[1];
            if(Utf8IsContinuation(c))
                *t++ = wchar16(((b - 0xC0) << 6) + (c - 0x80));
            else {
                if(STRICT)
                    return false;
                *t++ = wchar16(CHARSET_ESCAPE_BASE + b);
                *t++ = wchar16(CHARSET_ESCAPE_BASE + c);
            }
            s += 2;
        }
        else {
            if(e - s < 3) {
                if(STRICT)
                    return false;
                while(s < e)
                    *t++ = wchar16(CHARSET_ESCAPE_BASE + *s++);
                return true;
            }
            int v = Utf8Valid3(s);
            if(v >= 0)
                *t++ = wchar16(v);
            else {
                if(STRICT)
                    return false;
                t[0] = wchar16(CHARSET_ESCAPE_BASE + s[0]);
                t[1] = wchar16(CHARSET_ESCAPE_BASE + s[1]);
                t[2] = wchar16(CHARSET_ESCAPE_BASE + s[2]);
                t += 3;
            }
            s += 3;
        }
    }
    return true;
}

WString DecodeUtf8(const char* p, int len)
{
    if(!p || len <= 0)
        return WString();
    // Text without a byte to escape decodes to one unit per byte that is not a
    // continuation byte, which is cheaper to count than the general rules; the
    // strict pass confirms it. Text with escapes takes the exact count and a
    // second pass into a block of that size.
    const byte* s = (const byte*)p;
    WideTextBuffer b;
    b.SetLength(len - CountContinuationBytes(s, len));
    if(!DecodeUtf8Into<true>(b.Begin(), s, s + len)) {
        b.SetLength(Utf8DecodedLength(p, len));
        DecodeUtf8Into<false>(b.Begin(), s, s + len);
    }
    return WString(b);
}

int DecodeUtf8(wchar16* out, const char* p, int len)
{
    if(!p || len <= 0)
        return 0;
    DecodeUtf8Into<false>(out, (const byte*)p, (const byte*)p + len);
    return Utf8DecodedLength(p, len);
}

WString DecodeUtf8(const char* text) { return text ? DecodeUtf8(text, (int)std::strlen(text)) : WString(); }

WString DecodeUtf8(const String& s) { return DecodeUtf8(s.Begin(), s.GetLength()); }

namespace {

using U16x8 = uint16 __attribute__((vector_size(16)));
using I16x8 = int16 __attribute__((vector_size(16)));

} // namespace

int Utf8EncodedLength(const wchar16* p, int n)
{
    // Eight units at a time: every unit is one byte, plus one from U+0080 and
    // one more from U+0800, minus two for an escape. Comparisons give -1 per
    // lane, so the lanes add up the negated extra bytes; 8192 steps of at most
    // 2 each keep them inside 16 bits.
    int m = n;
    int i = 0;
    while(n - i >= 8) {
        I16x8 acc = {};
        int stop = n - i > 8 * 8192 ? i + 8 * 8192 : n;
        for(; i + 8 <= stop; i += 8) {
            U16x8 u;
            std::memcpy(&u, p + i, 16);
            acc += (I16x8)(u >= 0x80) + (I16x8)(u >= 0x800) - 2 * (I16x8)((u & 0xFF00) == 0xEE00);
        }
        for(int k = 0; k < 8; k++)
            m -= acc[k];
    }
    for(; i < n; i++)
        m += Utf8UnitLength(p[i]) - 1;
    return m;
}

char* EncodeUtf8Into(char* t, const wchar16* p, int n)
{
    const wchar16* e = p + n;
    while(e - p >= 4) {
        int k = Utf8AsciiUnits4(p);
        for(int i = 0; i < 4; i++) // all 4 narrowed; only the ASCII ones count
            t[i] = char(p[i]);
        p += k;
        t += k;
        if(k < 4)
            t = Utf8PutUnit(t, *p++);
    }
    while(p < e)
        t = Utf8PutUnit(t, *p++);
    return t;
}

String EncodeUtf8(const wchar16* p, int n)
{
    if(!p || n <= 0)
        return String();
    return MakeStringOf(Utf8EncodedLength(p, n), [&](char* t) { EncodeUtf8Into(t, p, n); });
}

String EncodeUtf8(int ch)
{
    wchar16 unit = wchar16(ch);
    return EncodeUtf8(&unit, 1);
}

String EncodeUtf8(const WString& s) { return EncodeUtf8(s.Begin(), s.GetLength()); }

} // namespace Qor
