// Appending the pieces of PDF syntax (texts, whole numbers, numbers in points) to a text buffer.
#pragma once

#include "foundation/string.h"
#include "foundation/values/number_text.h"

namespace Qor {

inline void PdfAppendPart(TextBuffer& b, const char* s) { b.Append(s); }
inline void PdfAppendPart(TextBuffer& b, const String& s) { b.Append(s); }
inline void PdfAppendPart(TextBuffer& b, int n) { b.Append(IntToText(n)); }
inline void PdfAppendPart(TextBuffer& b, double x) { b.Append(DoubleToText(x)); }

// Whole numbers as integers, doubles in their shortest exact text.
template <class... T>
void PdfAppend(TextBuffer& b, const T&... parts)
{
    (PdfAppendPart(b, parts), ...);
}

// The buffer's bytes as a String; the buffer is left empty.
inline String TakeText(TextBuffer& b)
{
    String s(b);
    b.SetLength(0);
    return s;
}

} // namespace Qor
