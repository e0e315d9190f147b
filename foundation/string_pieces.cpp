// String helpers built on the core: concatenation, pieces, searches and whitespace stripping.
#include "foundation/string.h"

#include "foundation/heap.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace Qor {

namespace {

// A String of exactly the joined length, built by the constructor's rules.
String Join(const char* a, int na, const char* b, int nb)
{
    int n = na + nb;
    if(n <= 14) {
        char small[14];
        std::memcpy(small, a, na);
        std::memcpy(small + na, b, nb);
        return String(small, n);
    }
    TextBuffer buffer;
    buffer.SetLength(na + nb);
    std::memcpy(buffer.Begin(), a, na);
    std::memcpy(buffer.Begin() + na, b, nb);
    return String(buffer);
}

bool IsSpace(int c) { return c == ' ' || (c >= 9 && c <= 13); }

} // namespace

String StringConcat(const String& a, const char* text)
{
    return Join(a.Begin(), a.GetLength(), text ? text : "", text ? (int)std::strlen(text) : 0);
}

String operator+(const String& a, const String& b) { return Join(a.Begin(), a.GetLength(), b.Begin(), b.GetLength()); }
String operator+(const String& a, const char* b) { return StringConcat(a, b); }
String operator+(const char* a, const String& b) { return Join(a, (int)std::strlen(a), b.Begin(), b.GetLength()); }
String operator+(const String& a, char c) { return Join(a.Begin(), a.GetLength(), &c, 1); }

String String::Mid(int pos, int count) const
{
    int n = GetLength();
    pos = pos < 0 ? 0 : pos > n ? n : pos;
    count = count < 0 ? 0 : count > n - pos ? n - pos : count;
    if(pos == 0 && count == n)
        return *this;
    return String(Begin() + pos, count);
}

int String::Find(int c, int from) const
{
    int n = GetLength();
    if(from < 0 || from >= n)
        return -1;
    const char* b = Begin();
    const void* q = std::memchr(b + from, c, n - from);
    return q ? int((const char*)q - b) : -1;
}

int String::FindText(const char* text, int m, int from) const
{
    int n = GetLength();
    if(from < 0 || from > n - m)
        return -1;
    const char* b = Begin();
    if(m <= 1) {
        const void* q = m ? std::memchr(b + from, text[0], size_t(n - from)) : b + from;
        return q ? int((const char*)q - b) : -1;
    }
    const char* p = b + from;
    const char* last = b + n - m; // the last place the text can start
#ifdef __SSE2__
    // Sixteen places a step: only those whose first and last bytes both match are compared.
    const __m128i head = _mm_set1_epi8(text[0]);
    const __m128i tail = _mm_set1_epi8(text[m - 1]);
    auto places = [&](const char* q) {
        __m128i h = _mm_cmpeq_epi8(_mm_loadu_si128((const __m128i*)q), head);
        __m128i t = _mm_cmpeq_epi8(_mm_loadu_si128((const __m128i*)(q + m - 1)), tail);
        return (unsigned)_mm_movemask_epi8(_mm_and_si128(h, t));
    };
    for(; p + 15 <= last; p += 16) {
        unsigned mask = places(p);
        if(!mask && p + 31 <= last) { // two steps a turn while nothing matches
            p += 16;
            mask = places(p);
        }
        for(; mask; mask &= mask - 1) {
            const char* at = p + __builtin_ctz(mask);
            if(std::memcmp(at + 1, text + 1, size_t(m - 2)) == 0)
                return int(at - b);
        }
    }
#endif
    for(; p <= last; p++)
        if(p[0] == text[0] && p[m - 1] == text[m - 1] && std::memcmp(p + 1, text + 1, size_t(m - 2)) == 0)
            return int(p - b);
    return -1;
}

int String::FindLast(int c) const
{
    const char* b = Begin();
    for(int i = GetLength() - 1; i >= 0; i--)
        if(b[i] == (char)c)
            return i;
    return -1;
}

bool String::StartsWith(const char* text) const
{
    int m = (int)std::strlen(text);
    return m <= GetLength() && std::memcmp(Begin(), text, m) == 0;
}

bool String::EndsWith(const char* text) const
{
    int m = (int)std::strlen(text);
    return m <= GetLength() && std::memcmp(End() - m, text, m) == 0;
}

// Whitespace is the space and tab to carriage return. Nothing stripped gives a plain copy.
static String Strip(const String& s, bool leading, bool trailing)
{
    const char* b = s.Begin();
    const char* e = s.End();
    const char* p = b;
    const char* q = e;
    if(leading)
        while(p < q && IsSpace((byte)*p))
            p++;
    if(trailing)
        while(q > p && IsSpace((byte)q[-1]))
            q--;
    if(p == b && q == e)
        return s;
    return String(p, int(q - p));
}

String StripLeadingSpace(const String& s) { return Strip(s, true, false); }
String StripTrailingSpace(const String& s) { return Strip(s, false, true); }
String StripOuterSpace(const String& s) { return Strip(s, true, true); }

} // namespace Qor
