// TextBuffer: grows a text in a 256-byte inline area, then in String-format blocks that a
// String takes over without copying.
#include "foundation/string.h"

#include "foundation/heap.h"
#include "foundation/text_capacity.h"

#include <algorithm>

namespace Qor {

namespace {

// A block in String's formats for the given capacity: a 32-byte block (capacity 31) up to 31,
// else a counted block with count 1. Returns the text start; capacity becomes the real one.
char* NewBufferBlock(int& capacity)
{
    if(capacity <= 31) {
        capacity = 31;
        return (char*)HeapAllocate32();
    }
    int32* h = (int32*)HeapAllocate((size_t)capacity + 9);
    h[0] = 1;
    h[1] = capacity;
    return (char*)(h + 2);
}

} // namespace

void TextBuffer::ReleaseBlock()
{
    if(IsInline())
        return;
    if(GetCapacity() == 31)
        HeapRelease32(begin);
    else
        HeapRelease(begin - 8);
}

TextBuffer::~TextBuffer()
{
    ReleaseBlock();
}

void TextBuffer::AppendSlow(const char* source, int n)
{
    if(n <= limit - end) {
        if(source) {
            std::memcpy(end, source, n);
            end += n;
        }
        return;
    }
    int length = GetLength();
    int capacity = GrowTextCapacity(length, AddTextLength(length, n));
    char* p = NewBufferBlock(capacity);
    std::memcpy(p, begin, length);
    int added = 0;
    if(source) {
        std::memcpy(p + length, source, n); // the source may lie in the old block: read it first
        added = n;
    }
    ReleaseBlock();
    begin = p;
    end = p + length + added;
    limit = p + capacity;
}

void TextBuffer::Grow()
{
    int length = GetLength();
    int capacity = GrowTextCapacity(length, AddTextLength(length, 1));
    char* p = NewBufferBlock(capacity);
    std::memcpy(p, begin, length);
    ReleaseBlock();
    begin = p;
    end = p + length;
    limit = p + capacity;
}

void TextBuffer::SetLength(int len)
{
    int capacity = len;
    char* p = NewBufferBlock(capacity);
    std::memcpy(p, begin, std::min(len, GetLength()));
    ReleaseBlock();
    begin = p;
    end = p + len;
    limit = p + capacity;
}

TextBuffer::TextBuffer(String& s)
{
    if(s.IsShared())
        s.Unshare();
    if(s.IsSmall()) {
        int n = s.GetLength();
        begin = (char*)HeapAllocate32();
        std::memcpy(begin, s.chr, n);
        end = begin + n;
        limit = begin + 31;
    }
    else {
        begin = s.ptr;
        end = begin + s.len;
        limit = begin + s.GetCapacity();
    }
    s.Zero();
}

String::String(TextBuffer& b)
{
    int n = b.GetLength();
    if(b.IsInline()) {
        if(n <= 14)
            SetSmall(b.begin, n);
        else
            SetLarge(b.begin, n);
        return;
    }
    if(n < 15) {
        SetSmall(b.begin, n);
        b.ReleaseBlock();
    }
    else {
        int capacity = b.GetCapacity();
        ptr = b.begin;
        ptr[n] = 0;
        len = n;
        chr[12] = chr[13] = 0;
        chr[14] = (char)(capacity < 255 ? capacity : 255);
        chr[15] = 15;
    }
    b.begin = b.end = b.inline_area;
    b.limit = b.inline_area + 255;
}

} // namespace Qor
