// PdfDeflater: zlib compression of stream data with one compressor kept for many streams;
// at the default level it gives the bytes CompressZlib gives.
#pragma once

#include "pdf/pdf_buffer.h"

#include <memory>

namespace Qor {

class PdfDeflater {
public:
    // level as zlib takes it; the default is CompressZlib's.
    explicit PdfDeflater(int level = -1);
    ~PdfDeflater();
    PdfDeflater(const PdfDeflater&) = delete;
    PdfDeflater& operator=(const PdfDeflater&) = delete;

    // Compresses the n bytes into the result buffer; false when zlib fails.
    bool Compress(const char* data, int n);
    // The last result; valid until the next Compress.
    const char* Begin() const { return out.Begin(); }
    int GetLength() const { return out.GetLength(); }

private:
    struct State;
    std::unique_ptr<State> state;
    int level;
    PdfBuffer out;
};

} // namespace Qor
