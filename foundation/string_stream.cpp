// StringStream: mode changes, growth, seeking and sizing.
#include "foundation/string_stream.h"

#include "foundation/text_capacity.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace Qor {

namespace {

// The builder holds an int length; keep room for the seek slack below it.
constexpr int64 MAX_TEXT = TEXT_MAX_LENGTH;

} // namespace

void StringStream::EmptyBuilder()
{
    builder.~TextBuffer();
    new(&builder) TextBuffer;
}

void StringStream::StartReading(const String& s)
{
    text = s;
    EmptyBuilder();
    style = STRM_LOADING | STRM_READ | STRM_WRITE | STRM_SEEK;
    position = 0;
    size = 0;
    write_mode = false;
    buffer = current = write_limit = (byte*)text.Begin();
    read_limit = buffer + text.GetLength();
}

void StringStream::StartWriting()
{
    text = String();
    EmptyBuilder();
    style = STRM_READ | STRM_WRITE | STRM_SEEK;
    position = 0;
    size = 0;
    write_mode = false;
    buffer = current = read_limit = write_limit = nullptr;
    SetWriteMode();
}

void StringStream::SetWriteMode()
{
    if(write_mode)
        return;
    ptrdiff_t offset = current - buffer;
    int n = text.GetLength();
    size = (uint32)n;
    EmptyBuilder();
    if(n <= builder.GetCapacity()) {
        // A short text is written in the builder's inline area: no block until it outgrows it.
        std::memcpy(builder.Begin(), text.Begin(), n);
        text = String();
        buffer = read_limit = (byte*)builder.Begin();
        write_limit = buffer + builder.GetCapacity();
    }
    else {
        builder.~TextBuffer();
        new(&builder) TextBuffer(text); // takes the text over, leaving it empty
        buffer = read_limit = (byte*)builder.Begin();
        write_limit = (byte*)builder.End();
    }
    current = buffer + offset;
    write_mode = true;
}

void StringStream::SetReadMode()
{
    if(!write_mode)
        return;
    ptrdiff_t offset = current - buffer;
    if(builder.IsInline())
        text = String((const char*)buffer, (int)GetSize());
    else {
        builder.SetLength((int)GetSize());
        text = String(builder);
    }
    buffer = write_limit = (byte*)text.Begin();
    current = buffer + offset;
    read_limit = buffer + text.GetLength();
    write_mode = false;
}

bool StringStream::Reserve(int64 len)
{
    if(len > MAX_TEXT) {
        SetError();
        return false;
    }
    ptrdiff_t offset = current - buffer;
    if(builder.IsInline()) {
        if(len <= builder.GetCapacity())
            return true; // the window already spans the inline area
        // The builder's length stays 0 over the inline area, so SetLength copies nothing:
        // the text is copied from the area, which stays in place.
        int64 written = GetSize();
        builder.SetLength((int)len);
        std::memcpy(builder.Begin(), buffer, (size_t)written);
    }
    else
        builder.SetLength((int)len);
    buffer = read_limit = (byte*)builder.Begin();
    current = buffer + offset;
    write_limit = (byte*)builder.End();
    return true;
}

String StringStream::GetText()
{
    SetReadMode();
    return text;
}

void StringStream::PutBlock(const void* data, uint32 n)
{
    if(n == 0)
        return;
    SetWriteMode();
    if((ptrdiff_t)n >= write_limit - current) {
        int64 sz = GetSize();
        int64 len = std::max<int64>(sz + n, 2 * sz);
        if(len <= 127)
            len = 128;
        if(len > MAX_TEXT && sz + n <= MAX_TEXT)
            len = MAX_TEXT;
        if(!Reserve(len))
            return;
    }
    std::memcpy(current, data, n);
    current += n;
}

void StringStream::PutOverflow(int c)
{
    byte b = (byte)c;
    PutBlock(&b, 1);
}

int StringStream::PeekUnderflow()
{
    SetReadMode();
    return current < read_limit ? *current : -1;
}

int StringStream::GetUnderflow()
{
    SetReadMode();
    return current < read_limit ? *current++ : -1;
}

uint32 StringStream::GetBlock(void* data, uint32 n)
{
    SetReadMode();
    ptrdiff_t left = read_limit - current;
    uint32 m = left > 0 ? (uint32)std::min<int64>(n, left) : 0;
    if(m) {
        std::memcpy(data, current, m);
        current += m;
    }
    return m;
}

int64 StringStream::GetSize() const
{
    if(write_mode)
        return std::max<int64>(current - buffer, size);
    return text.GetLength();
}

void StringStream::Seek(int64 p)
{
    if(p < 0)
        p = 0;
    size = (uint32)GetSize(); // keeps the extent written when current moves back
    if(p > size) {
        SetWriteMode();
        if(!Reserve(p + 100))
            return;
        // The gap between the old end and p reads as zeros, never as stale heap bytes.
        std::memset(buffer + size, 0, size_t(p - size));
        size = (uint32)p;
    }
    current = buffer + std::min<int64>(p, GetSize());
}

void StringStream::SetSize(int64 n)
{
    if(n < 0)
        n = 0;
    SetWriteMode();
    int64 pos = GetPos();
    Seek(n);
    if(GetSize() < n) // no room could be made
        return;
    size = (uint32)n;
    Seek(std::min(pos, n));
}

} // namespace Qor
