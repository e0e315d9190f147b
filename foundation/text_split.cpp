// SplitText: one scan of the text, a piece at each separator and one at the end.
#include "foundation/text_split.h"

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

// Find(p) returns the end of a separator starting at p, or null.
template <class Finder>
static Vector<String> Split(const char* text, bool ignore_empty, Finder find)
{
    Vector<String> pieces;
    const char* s = text;
    const char* p = text;
    while(*p) {
        const char* e = find(p);
        if(!e) {
            p++;
            continue;
        }
        if(p > s || !ignore_empty)
            pieces.Add(String(s, int(p - s)));
        s = p = e;
    }
    if(p > s || !ignore_empty)
        pieces.Add(String(s, int(p - s)));
    return pieces;
}

Vector<String> SplitText(const char* text, const TextTest& test, bool ignore_empty)
{
    return Split(text, ignore_empty, [&](const char* p) { return test.Find(p); });
}

Vector<String> SplitText(const char* text, int separator, bool ignore_empty)
{
    return Split(text, ignore_empty, [=](const char* p) -> const char* {
        return (signed char)*p == separator ? p + 1 : nullptr;
    });
}

Vector<String> SplitText(const char* text, const String& delimiter, bool ignore_empty)
{
    return SplitText(text, StringSplit(delimiter), ignore_empty);
}

} // namespace Qor
