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
// DoubleToText (x), remembered for the numbers met most recently.
String PdfNumberText(double x);
// DoubleToFixedText (2, 0, x), remembered likewise.
String PdfFixed2Text(double x);
// A colour channel of 0 to 255 as a fraction with at most three decimals, as "%3nf" gives it.
const String& PdfChannelText(int v);

template <class B>
void PdfAppendPart(B& b, double x)
{
    b.Append(PdfNumberText(x));
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
