// The binary forms of the Serialize family: raw blocks, packed counts and
// lengths, flags, String, WString and Vector<String>.
#include "foundation/stream.h"
#include "foundation/wstring.h"

#include <algorithm>

namespace Qor {

namespace {

// A stored length is never trusted to allocate at once when the stream cannot
// tell how much it still holds: the target grows by at most this much beyond
// what has arrived, doubling as bytes keep coming.
constexpr int64 TRUSTED_CHUNK = 64 * 1024;

bool Load32(Stream& s, uint32& v)
{
    return s.Get(&v, 4) == 4;
}

void Store32(Stream& s, uint32 v)
{
    s.Put(&v, 4);
}

// The bytes still to come when the stream knows its size, else -1.
int64 Remaining(Stream& s)
{
    return s.IsSeekable() ? s.GetSize() - s.GetPos() : -1;
}

// Reads units of 'unit' bytes into a buffer that grows only as data arrives.
// Buffer is TextBuffer or WideTextBuffer (SetLength keeps the units written).
template <class Buffer>
bool LoadGrowing(Stream& s, Buffer& b, int count, int unit)
{
    int got = 0;
    while(got < count) {
        int64 target = std::min<int64>(count, std::max<int64>(2 * (int64)got, TRUSTED_CHUNK / unit));
        b.SetLength((int)target);
        uint32 bytes = uint32((target - got) * unit);
        s.SerializeRaw((byte*)b.Begin() + (size_t)got * unit, bytes);
        if(s.IsError())
            return false;
        got = (int)target;
    }
    return true;
}

} // namespace

Stream& Stream::SerializeRaw(void* data, uint32 size)
{
    if(IsError())
        return *this;
    if(IsLoading()) {
        if(Get(data, size) < size)
            SetLoadError();
    }
    else
        Put(data, size);
    return *this;
}

Stream& Stream::Serialize(bool& x)
{
    byte b = x;
    Serialize(b);
    if(IsLoading() && !IsError())
        x = b != 0;
    return *this;
}

Stream& Stream::SerializeCount(uint32& n)
{
    if(IsLoading()) {
        n = (uint32)-1;
        if(IsError())
            return *this;
        int b = Get();
        uint32 c;
        if(b < 0)
            SetLoadError();
        else if(b < 255)
            n = b - 1;
        else if(Load32(*this, c))
            n = c - 1;
        else
            SetLoadError();
        return *this;
    }
    if(IsError())
        return *this;
    uint32 c = n + 1;
    if(c < 255)
        Put(c);
    else {
        Put(0xFF);
        Store32(*this, c);
    }
    return *this;
}

Stream& Stream::SerializeCount(int& n)
{
    uint32 v = (uint32)n;
    SerializeCount(v);
    n = (int)v;
    return *this;
}

Stream& Stream::Pack(uint32& n)
{
    if(IsError())
        return *this;
    if(IsStoring()) {
        if(n < 255)
            Put(n);
        else {
            Put(0xFF);
            Store32(*this, n);
        }
        return *this;
    }
    int b = Get();
    uint32 v;
    if(b < 0)
        SetLoadError();
    else if(b < 255)
        n = b;
    else if(Load32(*this, v))
        n = v;
    else
        SetLoadError();
    return *this;
}

Stream& Stream::Pack(bool& a, bool& b)
{
    byte f = (a ? 0x80 : 0) | (b ? 0x40 : 0) | (a || b ? 0x04 : 0);
    Serialize(f);
    if(IsLoading() && !IsError()) {
        a = f & 0x80;
        b = f & 0x40;
    }
    return *this;
}

Stream& Stream::Serialize(String& s)
{
    if(IsError())
        return *this;
    if(IsStoring()) {
        uint32 n = (uint32)s.GetLength();
        if(n <= 126)
            Put(n);
        else {
            Put(0xFF);
            Store32(*this, n);
        }
        Put(s.Begin(), n);
        return *this;
    }
    int b = Get();
    uint32 n;
    if(b < 0) {
        SetLoadError();
        return *this;
    }
    if(b == 0xFF) {
        if(!Load32(*this, n)) {
            SetLoadError();
            return *this;
        }
        if(n & 0x80000000) { // a flagged length: one byte follows it and is skipped
            n &= 0x7FFFFFFF;
            if(Get() < 0)
                SetLoadError();
        }
    }
    else if(b & 0x80) {
        n = b & 0x7F;
        if(Get() < 0)
            SetLoadError();
    }
    else
        n = b;
    if(IsError())
        return *this;
    int64 left = Remaining(*this);
    if(left >= 0 && n > left) {
        SetLoadError();
        return *this;
    }
    if(n < 256) { // short texts go through the stack, without a heap block
        char text[256];
        if(Get(text, n) < n)
            SetLoadError();
        else
            s = String(text, (int)n);
        return *this;
    }
    TextBuffer tb;
    bool ok = left >= 0 ? (tb.SetLength((int)n), SerializeRaw(tb.Begin(), n), !IsError())
                        : LoadGrowing(*this, tb, (int)n, 1);
    if(ok)
        s = String(tb);
    return *this;
}

Stream& Stream::Serialize(WString& s)
{
    if(IsError())
        return *this;
    uint32 n = (uint32)s.GetLength();
    Pack(n);
    if(IsError())
        return *this;
    if(IsStoring()) {
        Put(s.Begin(), n * (uint32)sizeof(wchar16));
        return *this;
    }
    // The units need 2 bytes each: check the bytes the stream can still give.
    int64 left = Remaining(*this);
    if(n > 0x3FFFFFFF || (left >= 0 && 2 * (int64)n > left)) {
        SetLoadError();
        return *this;
    }
    WideTextBuffer wb;
    bool ok = left >= 0 ? (wb.SetLength((int)n), SerializeRaw(wb.Begin(), 2 * n), !IsError())
                        : LoadGrowing(*this, wb, (int)n, 2);
    if(ok)
        s = WString(wb);
    return *this;
}

Stream& Stream::Serialize(Vector<String>& v)
{
    if(IsError())
        return *this;
    int n = v.GetCount();
    SerializeCount(n);
    if(IsStoring()) {
        for(String& s : v)
            Serialize(s);
        return *this;
    }
    if(IsError())
        return *this;
    if(n < 0) {
        SetLoadError();
        return *this;
    }
    v.Clear();
    // Each element needs at least a byte: stop at the first failure rather
    // than appending a corrupt count of empty texts.
    for(int i = 0; i < n && !IsError(); i++)
        Serialize(v.Add());
    return *this;
}

} // namespace Qor
