// PdfOutput: collecting the document in pieces and joining them once at the end.
#include "pdf/pdf_output.h"

#include <cstring>

namespace Qor {

namespace {

// Below this a copy costs less than keeping one more piece.
constexpr int SHARED_PIECE = 4096;

} // namespace

void PdfOutput::Seal()
{
    if(tail.GetLength() == 0)
        return;
    done += tail.GetLength();
    pieces.Add(String(tail));
    tail.SetLength(0);
}

void PdfOutput::Append(const char* data, int n)
{
    if(n < SHARED_PIECE)
        tail.Append(data, n);
    else
        Append(String(data, n));
}

void PdfOutput::Append(const String& s)
{
    if(s.GetLength() < SHARED_PIECE) {
        tail.Append(s);
        return;
    }
    Seal();
    pieces.Add(s);
    done += s.GetLength();
}

void PdfOutput::Clear()
{
    pieces.Clear();
    done = 0;
    tail.SetLength(0);
}

String PdfOutput::Take()
{
    Seal();
    TextBuffer b;
    b.SetLength(done);
    char* p = b.Begin();
    for(const String& s : pieces) {
        std::memcpy(p, s.Begin(), s.GetLength());
        p += s.GetLength();
    }
    Clear();
    return String(b);
}

} // namespace Qor
