// Helpers shared by the charset sources: building a String or WString of a
// known length in one allocation.
#pragma once

#include "foundation/string.h"
#include "foundation/wstring.h"

namespace Qor {

// A String of exactly n bytes written by fill(char*); short texts are built on
// the stack so that a String holding them inline needs no heap block at all.
template <class Fill>
String MakeStringOf(int n, Fill fill)
{
    if(n <= 256) {
        char buffer[256];
        fill(buffer);
        return String(buffer, n);
    }
    TextBuffer b;
    b.SetLength(n);
    fill(b.Begin());
    return String(b);
}

// As MakeStringOf, for a fill that writes at most n bytes and returns how many.
template <class Fill>
String MakeStringUpTo(int n, Fill fill)
{
    if(n <= 256) {
        char buffer[256];
        return String(buffer, fill(buffer));
    }
    TextBuffer b;
    b.SetLength(n);
    int m = fill(b.Begin());
    if(m == n)
        return String(b);
    return String(b.Begin(), m);
}

template <class Fill>
WString MakeWStringOf(int n, Fill fill)
{
    WideTextBuffer b;
    b.SetLength(n);
    fill(b.Begin());
    return WString(b);
}

} // namespace Qor
