// What the fuzz targets share: a check that stops the run, and a stream that cannot
// tell its size.
#pragma once

#include "foundation/stream.h"

#include <cstdint>
#include <cstdlib>

namespace Qor {

// A broken property is a finding: stop so that the fuzzer keeps the input.
inline void FuzzCheck(bool ok)
{
    if(!ok)
        std::abort();
}

// The bytes behind a read window, without a size to tell: lengths cannot be checked
// against what is left, so a loader has to grow its buffers as data arrives.
class UnsizedStream : public Stream {
public:
    UnsizedStream(const uint8_t* data, size_t size)
    {
        style = STRM_LOADING | STRM_READ;
        buffer = current = const_cast<byte*>(data);
        read_limit = buffer + size;
    }
    bool IsOpen() const override { return true; }
};

} // namespace Qor
