// PdfOutput: the document bytes as they are written, in one buffer that the finished
// document's String takes over without a copy.
#pragma once

#include "foundation/string.h"

namespace Qor {

class PdfOutput {
public:
    void Append(const char* text) { all.Append(text); }
    void Append(const char* data, int n) { all.Append(data, n); }
    void Append(const String& s) { all.Append(s); }
    void Clear() { all.SetLength(0); }

    int GetLength() const { return all.GetLength(); }
    // All the bytes as a String; the output is left empty.
    String Take() { return String(all); }

private:
    TextBuffer all;
};

} // namespace Qor
