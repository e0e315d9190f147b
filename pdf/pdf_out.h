// Appending the pieces of PDF syntax (texts, whole numbers, numbers in points) to a text
// buffer or to the document output.
#pragma once

#include "foundation/string.h"
#include "foundation/values/number_text.h"

namespace Qor {

template <class B>
void PdfAppendPart(B& b, const char* s)
{
    b.Append(s);
}
template <class B>
void PdfAppendPart(B& b, const String& s)
{
    b.Append(s);
}
template <class B>
void PdfAppendPart(B& b, int n)
{
    b.Append(IntToText(n));
}
template <class B>
void PdfAppendPart(B& b, double x)
{
    b.Append(DoubleToText(x));
}

// Whole numbers as integers, doubles in their shortest exact text.
template <class B, class... T>
void PdfAppend(B& b, const T&... parts)
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
