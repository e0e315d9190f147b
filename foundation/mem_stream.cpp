// MemStream and MemReadStream: the window is the caller's block itself.
#include "foundation/mem_stream.h"

#include <algorithm>

namespace Qor {

MemStream::MemStream(void* data, int size)
{
    buffer = current = (byte*)data;
    read_limit = write_limit = buffer + size;
    style = STRM_READ | STRM_WRITE | STRM_SEEK;
}

void MemStream::PutBlock(const void* data, uint32 size)
{
    ptrdiff_t room = write_limit - current;
    if(room < (ptrdiff_t)size) {
        SetError(); // the block cannot grow: write nothing
        return;
    }
    if(size) {
        std::memcpy(current, data, size);
        current += size;
    }
}

uint32 MemStream::GetBlock(void* data, uint32 size)
{
    ptrdiff_t left = read_limit - current;
    uint32 n = left > 0 ? (uint32)std::min<int64>(size, left) : 0;
    if(n) {
        std::memcpy(data, current, n);
        current += n;
    }
    return n;
}

void MemStream::Seek(int64 pos)
{
    current = buffer + std::clamp<int64>(pos, 0, read_limit - buffer);
}

int64 MemStream::GetSize() const
{
    return read_limit - buffer;
}

MemReadStream::MemReadStream(const void* data, int size)
{
    buffer = current = write_limit = (byte*)data;
    read_limit = buffer + size;
    style = STRM_LOADING | STRM_READ | STRM_SEEK;
}

} // namespace Qor
