// MemStream: a stream over a caller-owned memory block; MemReadStream reads one
// and has no writable room.
#pragma once

#include "foundation/stream.h"

namespace Qor {

class MemStream : public Stream {
public:
    // A readable and writable stream over size bytes at data (all of them data).
    MemStream(void* data, int size);

    void PutBlock(const void* data, uint32 size) override;
    uint32 GetBlock(void* data, uint32 size) override;
    void Seek(int64 pos) override;
    int64 GetSize() const override;
    bool IsOpen() const override { return true; }

protected:
    MemStream() = default;
};

// Reads a block that must outlive the stream; every write fails.
class MemReadStream : public MemStream {
public:
    MemReadStream(const void* data, int size);
};

} // namespace Qor
