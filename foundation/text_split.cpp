// SplitText: one scan of the text, a piece at each separator and one at the end.
#include "foundation/text_split.h"

#include <cstring>

namespace Qor {

const char* CharFilterTextTest::Find(const char* p) const
{
    return filter((byte)*p) ? p + 1 : nullptr;
}

const char* StringSplit::Find(const char* p) const
{
    int n = delimiter.GetLength();
    if(n == 0)
        return nullptr;
    // Compares byte by byte, so a shorter rest of the text stops at its NUL.
    const char* d = delimiter.Begin();
    for(int i = 0; i < n; i++)
        if(p[i] != d[i])
            return nullptr;
    return p + n;
}

// next(p, end) returns the start of the first separator at or after p and sets end
// just past it, or returns null when none is left before the NUL.
template <class Next>
static Vector<String> Split(const char* text, bool ignore_empty, Next next)
{
    Vector<String> pieces;
    const char* s = text;
    const char* e;
    while(const char* p = next(s, e)) {
        if(p > s || !ignore_empty)
            pieces.Add(String(s, int(p - s)));
        s = e;
    }
    int rest = (int)std::strlen(s);
    if(rest > 0 || !ignore_empty)
        pieces.Add(String(s, rest));
    return pieces;
}

Vector<String> SplitText(const char* text, const TextTest& test, bool ignore_empty)
{
    return Split(text, ignore_empty, [&](const char* p, const char*& e) -> const char* {
        for(; *p; p++)
            if((e = test.Find(p)) != nullptr)
                return p;
        return nullptr;
    });
}

// The byte searches of the C library find the same separators far sooner than a test
// at every position.
Vector<String> SplitText(const char* text, int separator, bool ignore_empty)
{
    bool can_match = separator != 0 && separator >= -128 && separator <= 127;
    return Split(text, ignore_empty, [=](const char* p, const char*& e) -> const char* {
        const char* at = can_match ? std::strchr(p, separator) : nullptr;
        e = at ? at + 1 : nullptr;
        return at;
    });
}

Vector<String> SplitText(const char* text, const String& delimiter, bool ignore_empty)
{
    // A delimiter with a NUL inside could never lie within the text.
    int n = delimiter.GetLength();
    if(std::strlen(delimiter.Begin()) != size_t(n))
        n = 0;
    return Split(text, ignore_empty, [&](const char* p, const char*& e) -> const char* {
        const char* at = n > 0 ? std::strstr(p, delimiter.Begin()) : nullptr;
        e = at ? at + n : nullptr;
        return at;
    });
}

} // namespace Qor
