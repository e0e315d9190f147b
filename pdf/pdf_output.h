// PdfOutput: the document bytes as they are written, kept in pieces so that large streams
// are neither copied on arrival nor moved again each time the document grows.
#pragma once

#include "foundation/string.h"
#include "foundation/vector.h"

namespace Qor {

class PdfOutput {
public:
    void Append(const char* text) { tail.Append(text); }
    void Append(const char* data, int n);
    // Large texts are kept as shared pieces; small ones join the tail.
    void Append(const String& s);
    void Clear();

    int GetLength() const { return done + tail.GetLength(); }
    // All the bytes in one String; the output is left empty.
    String Take();

private:
    Vector<String> pieces;
    int done = 0; // the bytes in pieces
    TextBuffer tail;

    void Seal();
};

} // namespace Qor
