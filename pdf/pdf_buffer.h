// PdfBuffer: a growable byte buffer that keeps its storage when emptied, so that the
// content stream of each page and the data of each image reuse the same memory.
#pragma once

#include "foundation/string.h"

#include <cstring>
#include <memory>

namespace Qor {

class PdfBuffer {
public:
    void Append(const char* s, int n) { std::memcpy(Extend(n), s, n); }
    void Append(const char* text) { Append(text, (int)std::strlen(text)); }
    void Append(const String& s) { Append(s.Begin(), s.GetLength()); }
    void AppendChar(int c)
    {
        if(length == capacity)
            Reserve(length + 1);
        data[length++] = (char)c;
    }
    // n more bytes at the end, for the caller to fill.
    char* Extend(int n)
    {
        if(n > capacity - length)
            Reserve(length + n);
        char* p = data.get() + length;
        length += n;
        return p;
    }
    // At least n bytes of storage, the content kept.
    void Reserve(int n);
    // Empty; the storage stays for the next use.
    void Clear() { length = 0; }

    const char* Begin() const { return data.get(); }
    int GetLength() const { return length; }

private:
    std::unique_ptr<char[]> data;
    int length = 0;
    int capacity = 0;
};

} // namespace Qor
