// WString storage: the static empty text, 48-byte private blocks for up to 23
// units and reference-counted blocks beyond, with copy on write.
#include "foundation/wstring.h"

#include "foundation/heap.h"

#include <cstring>
#include <utility>

namespace Qor {

static_assert(sizeof(WString) == 16, "WString is pointer, length and capacity");

// Never written: every operation that would write into it takes a block first.
static wchar16 s_empty_text[1];

wchar16* WString::EmptyText() { return s_empty_text; }

int WideTextLength(const wchar16* text)
{
    const wchar16* p = text;
    while(*p)
        p++;
    return int(p - text);
}

static void CopyUnits(wchar16* to, const wchar16* from, int count)
{
    if(count > 0)
        std::memcpy(to, from, (size_t)count * sizeof(wchar16));
}

static void MoveUnits(wchar16* to, const wchar16* from, int count)
{
    if(count > 0)
        std::memmove(to, from, (size_t)count * sizeof(wchar16));
}

// Short texts take the 48-byte fast path (24 units, capacity 23); longer ones a
// counted block: int32 count, then capacity + 1 units.
wchar16* WString::NewBlock(int length, int& capacity)
{
    if(length < 24) {
        capacity = 23;
        return (wchar16*)HeapAllocate48();
    }
    capacity = length;
    int32* block = (int32*)HeapAllocate((size_t)(length + 1) * sizeof(wchar16) + 4);
    *block = 1;
    return (wchar16*)(block + 1);
}

void WString::ReleaseBlock(wchar16* text, int capacity)
{
    if(capacity <= 0)
        return;
    if(capacity <= 23) {
        HeapRelease48(text);
        return;
    }
    int32* counter = (int32*)((byte*)text - 4);
    if(--*counter == 0)
        HeapRelease(counter);
}

void WString::Release() { ReleaseBlock(ptr, cap); }

WString::WString(const wchar16* text, int count)
{
    ptr = NewBlock(count, cap);
    CopyUnits(ptr, text, count);
    ptr[count] = 0;
    len = count;
}

void WString::CopyFrom(const WString& s)
{
    if(s.cap <= 0) {
        ptr = EmptyText();
        len = 0;
        cap = s.cap;
    }
    else if(s.len == 0)
        SetEmpty();
    else if(s.cap > 23) {
        ptr = s.ptr;
        len = s.len;
        cap = s.cap;
        ++*Counter();
    }
    else {
        ptr = (wchar16*)HeapAllocate48();
        std::memcpy(ptr, s.ptr, 48);
        len = s.len;
        cap = 23;
    }
}

WString& WString::operator=(const WString& s)
{
    if(this != &s) {
        WString old(std::move(*this));
        CopyFrom(s);
    }
    return *this;
}

WString& WString::operator=(WString&& s) noexcept
{
    if(this != &s) {
        Release();
        ptr = s.ptr;
        len = s.len;
        cap = s.cap;
        s.SetEmpty();
    }
    return *this;
}

WString::WString(WideTextBuffer& buffer)
{
    ptr = buffer.begin;
    len = int(buffer.end - buffer.begin);
    cap = int(buffer.limit - buffer.begin);
    if(cap > 0) // a fresh buffer still points at the static text
        *buffer.end = 0;
    buffer.begin = buffer.end = buffer.limit = EmptyText();
}

wchar16* WString::Insert(int pos, int count, const wchar16* source)
{
    int new_len = len + count;
    bool shared = cap > 23 && *Counter() >= 2;
    bool from_self = source && source >= ptr && source <= ptr + len;
    if(new_len < cap && !shared && !from_self) {
        MoveUnits(ptr + pos + count, ptr + pos, len - pos);
        len = new_len;
        ptr[len] = 0;
        if(source)
            CopyUnits(ptr + pos, source, count);
        return ptr + pos;
    }
    int new_cap;
    wchar16* p = NewBlock(new_len > 2 * len ? new_len : 2 * len, new_cap);
    CopyUnits(p, ptr, pos);
    CopyUnits(p + pos + count, ptr + pos, len - pos);
    if(source) // may point into the old block, which is still alive
        CopyUnits(p + pos, source, count);
    p[new_len] = 0;
    Release();
    ptr = p;
    len = new_len;
    cap = new_cap;
    return ptr + pos;
}

void WString::Append(const wchar16* source, int count)
{
    int new_len = len + count;
    bool shared = cap > 23 && *Counter() >= 2;
    if(new_len < cap && !shared) {
        // A source inside the text lies before the room, so it stays intact.
        CopyUnits(ptr + len, source, count);
        len = new_len;
        ptr[len] = 0;
        return;
    }
    Insert(len, count, source);
}

void WString::AppendChar(int unit)
{
    if(len + 1 < cap && !(cap > 23 && *Counter() >= 2)) {
        ptr[len++] = (wchar16)unit;
        ptr[len] = 0;
        return;
    }
    wchar16 c = (wchar16)unit;
    Insert(len, 1, &c);
}

void WString::Unshare()
{
    if(!(cap > 23 && *Counter() >= 2))
        return;
    int new_cap;
    wchar16* p = NewBlock(len, new_cap);
    CopyUnits(p, ptr, len + 1);
    --*Counter();
    ptr = p;
    cap = new_cap;
}

void WString::Remove(int pos, int count)
{
    if(count <= 0) // nothing to do, and the static text must stay untouched
        return;
    Unshare();
    MoveUnits(ptr + pos, ptr + pos + count, len - pos - count + 1);
    len -= count;
}

void WString::Truncate(int length)
{
    if(cap <= 0) // the static text is already empty
        return;
    Unshare();
    len = length;
    ptr[len] = 0;
}

int WString::Find(int unit, int from) const
{
    for(int i = from; i < len; i++)
        if(ptr[i] == unit)
            return i;
    return -1;
}

int WString::Find(const WString& s, int from) const
{
    int n = s.len;
    for(int i = from; i + n <= len; i++)
        if(std::memcmp(ptr + i, s.ptr, (size_t)n * sizeof(wchar16)) == 0)
            return i;
    return -1;
}

int WString::Compare(const WString& a, const WString& b)
{
    int n = a.len < b.len ? a.len : b.len;
    for(int i = 0; i < n; i++)
        if(a.ptr[i] != b.ptr[i])
            return a.ptr[i] < b.ptr[i] ? -1 : 1;
    return a.len < b.len ? -1 : a.len > b.len ? 1 : 0;
}

WideTextBuffer::~WideTextBuffer() { WString::ReleaseBlock(begin, GetCapacity()); }

void WideTextBuffer::SetLength(int n)
{
    int capacity = GetCapacity();
    if(capacity < n) {
        int new_cap;
        wchar16* p = WString::NewBlock(n, new_cap);
        int length = GetLength();
        CopyUnits(p, begin, length);
        WString::ReleaseBlock(begin, capacity);
        begin = p;
        limit = p + new_cap;
    }
    end = begin + n;
}

} // namespace Qor
