// BlockStream: the page logic. The buffer holds the page under the window; the
// read window is open while reading, the write window while writing, and a
// change of page writes out a dirty page before the next one is read.
#include "foundation/block_stream.h"

#include "foundation/heap.h"

#include <algorithm>
#include <cstring>

namespace Qor {

BlockStream::~BlockStream()
{
    if(buffer)
        HeapRelease(buffer);
}

uint32 BlockStream::ReadAt(int64, byte*, uint32)
{
    return 0;
}

void BlockStream::WriteAt(int64, const byte*, uint32) {}

void BlockStream::SetStorageSize(int64) {}

void BlockStream::StartStorage(int64 size, dword new_style)
{
    style = new_style;
    stream_size = size;
    position = 0;
    page_pos = -1;
    page_dirty = false;
    if(!buffer)
        buffer = (byte*)HeapAllocate(page_size);
    current = read_limit = write_limit = buffer;
}

bool BlockStream::LoadPage(int64 p)
{
    read_limit = write_limit = buffer;
    stream_size = std::max(stream_size, p);
    position = p & page_mask;
    current = buffer + (p - position);
    if(position != page_pos) {
        int64 n = std::min<int64>(page_size, stream_size - position);
        Flush();
        if(IsError())
            return false;
        page_pos = position;
        if(n > 0 && ReadAt(position, buffer, (uint32)n) != (uint32)n) {
            // The buffer no longer holds a known page.
            page_pos = -1;
            SetError();
            return false;
        }
    }
    return true;
}

void BlockStream::OpenReadWindow()
{
    read_limit = buffer + std::min<int64>(page_size, stream_size - position);
    write_limit = buffer;
}

void BlockStream::ZeroHeld(int64 from, int64 to)
{
    if(page_pos < 0)
        return;
    int64 a = std::max(from, page_pos);
    int64 b = std::min(to, page_pos + page_size);
    if(a < b)
        std::memset(buffer + (a - page_pos), 0, size_t(b - a));
}

int BlockStream::PeekUnderflow()
{
    if(IsError() || !IsOpen())
        return -1;
    if(current < read_limit)
        return *current;
    if(!LoadCurrentPage())
        return -1;
    OpenReadWindow();
    return current < read_limit ? *current : -1;
}

int BlockStream::GetUnderflow()
{
    int c = PeekUnderflow();
    if(c >= 0)
        current++;
    return c;
}

void BlockStream::PutOverflow(int c)
{
    if(!IsOpen())
        return;
    if(IsError() || !IsWritable()) {
        // Dropped: nothing may reach the storage (nor the page a reader sees).
        SetError();
        read_limit = write_limit = buffer;
        return;
    }
    if(!LoadCurrentPage())
        return;
    write_limit = buffer + page_size;
    read_limit = buffer;
    page_dirty = true;
    *current++ = (byte)c;
}

// Whole pages covered by a block go straight between the caller's memory and
// the storage; only the partial pages at its ends pass through the buffer.
void BlockStream::PutBlock(const void* data, uint32 size)
{
    if(IsError() || !IsOpen() || size == 0)
        return;
    if(!IsWritable()) {
        SetError();
        read_limit = write_limit = buffer;
        return;
    }
    const byte* s = (const byte*)data;
    int64 p0 = GetPos();
    int64 p1 = p0 + size;
    int64 a = (p0 + page_size - 1) & page_mask; // first page start at or after p0
    int64 b = p1 & page_mask;                   // start of the page of p1
    int64 head_end = std::min(a, p1);
    if(head_end > p0) {
        if(!LoadCurrentPage())
            return;
        std::memcpy(current, s, size_t(head_end - p0));
        current += head_end - p0;
        page_dirty = true;
        write_limit = buffer + page_size;
        if(head_end == p1)
            return;
    }
    if(b > a) {
        // A held page inside the run is superseded by it.
        if(page_pos >= a && page_pos < b) {
            page_pos = -1;
            page_dirty = false;
        }
        WriteAt(a, s + (a - p0), uint32(b - a));
        if(IsError())
            return;
    }
    stream_size = std::max(stream_size, b);
    position = b;
    current = read_limit = write_limit = buffer;
    if(p1 > b) {
        // Writes out the head page and reads the old bytes of the last one.
        if(!LoadPage(b))
            return;
        uint32 rest = uint32(p1 - b);
        std::memcpy(buffer, s + (size - rest), rest);
        current = buffer + rest;
        page_dirty = true;
        write_limit = buffer + page_size;
    }
}

uint32 BlockStream::GetBlock(void* data, uint32 size)
{
    if(IsError() || !IsOpen() || size == 0)
        return 0;
    int64 p0 = GetPos();
    stream_size = std::max(stream_size, p0);
    if(stream_size <= p0)
        return 0;
    uint32 n = (uint32)std::min<int64>(size, stream_size - p0);
    byte* t = (byte*)data;
    int64 p1 = p0 + n;
    int64 a = (p0 + page_size - 1) & page_mask;
    int64 b = p1 & page_mask;
    int64 head_end = std::min(a, p1);
    if(head_end > p0) {
        if(PeekUnderflow() < 0)
            return 0;
        std::memcpy(t, current, size_t(head_end - p0));
        current += head_end - p0;
        if(head_end == p1)
            return n;
    }
    if(b > a) {
        // The storage has to hold the newest bytes of a page inside the run.
        if(page_dirty && page_pos >= a && page_pos < b) {
            Flush();
            if(IsError())
                return 0;
        }
        uint32 m = uint32(b - a);
        if(ReadAt(a, t + (a - p0), m) != m) {
            SetError();
            return 0;
        }
    }
    position = b;
    current = read_limit = write_limit = buffer;
    if(p1 > b) {
        if(!LoadPage(b))
            return 0;
        OpenReadWindow();
        uint32 rest = uint32(p1 - b);
        std::memcpy(t + (n - rest), buffer, rest);
        current = buffer + rest;
    }
    return n;
}

void BlockStream::Seek(int64 pos)
{
    if(IsError() || !IsOpen())
        return;
    pos = std::max<int64>(pos, 0);
    int64 old = GetPos();
    read_limit = write_limit = buffer;
    stream_size = std::max(stream_size, old);
    if(IsWritable()) {
        if(pos > stream_size) {
            SetStorageSize(pos);
            ZeroHeld(stream_size, pos);
            stream_size = pos;
        }
    }
    else
        pos = std::min(pos, stream_size);
    position = pos & page_mask;
    current = buffer + (pos - position);
}

int64 BlockStream::GetSize() const
{
    return IsError() ? 0 : std::max(stream_size, GetPos());
}

void BlockStream::SetSize(int64 size)
{
    if(IsError() || !IsOpen())
        return;
    if(!IsWritable()) {
        SetError();
        return;
    }
    size = std::max<int64>(size, 0);
    int64 pos = GetPos();
    Flush();
    Seek(0);
    SetStorageSize(size);
    ZeroHeld(stream_size, size);
    stream_size = size;
    Seek(std::min(pos, size));
}

void BlockStream::Flush()
{
    if(!IsOpen() || IsError())
        return;
    if(page_dirty && page_pos >= 0) {
        stream_size = std::max(stream_size, GetPos());
        int64 n = std::min<int64>(page_size, stream_size - page_pos);
        if(n > 0)
            WriteAt(page_pos, buffer, (uint32)n);
        stream_size = std::max(stream_size, page_pos + n);
    }
    page_dirty = false;
    write_limit = buffer;
}

void BlockStream::SetBufferSize(uint32 size)
{
    uint32 ps = 2;
    while(ps < (1u << 30) && ps <= size / 2)
        ps *= 2;
    bool open = buffer && IsOpen();
    int64 pos = 0;
    if(open) {
        pos = GetPos();
        Flush();
        stream_size = std::max(stream_size, pos);
    }
    if(buffer)
        HeapRelease(buffer);
    page_size = (int32)ps;
    page_mask = -(int64)ps;
    buffer = (byte*)HeapAllocate(ps);
    position = 0;
    page_pos = -1;
    page_dirty = false;
    current = read_limit = write_limit = buffer;
    if(open)
        Seek(pos);
}

} // namespace Qor
