// Stream: the base behaviour of the virtual operations, the error rules, the
// checked reads, the line reader and the number output.
#include "foundation/stream.h"

#include <cstdio>

namespace Qor {

void ThrowLoadingError()
{
    throw LoadingError();
}

void Stream::PutOverflow(int)
{
    SetError(); // no write window and nowhere else to put the byte
}

int Stream::PeekUnderflow()
{
    return -1;
}

int Stream::GetUnderflow()
{
    return -1;
}

void Stream::PutBlock(const void* data, uint32 size)
{
    const byte* s = (const byte*)data;
    for(uint32 i = 0; i < size; i++)
        if(current < write_limit)
            *current++ = s[i];
        else
            PutOverflow(s[i]);
}

uint32 Stream::GetBlock(void* data, uint32 size)
{
    byte* t = (byte*)data;
    uint32 i = 0;
    while(i < size) {
        int c = current < read_limit ? *current++ : GetUnderflow();
        if(c < 0)
            break;
        t[i++] = (byte)c;
    }
    return i;
}

void Stream::Seek(int64) {}

int64 Stream::GetSize() const
{
    return 0;
}

void Stream::SetSize(int64) {}
void Stream::Flush() {}
void Stream::Close() {}

void Stream::SetLoadError()
{
    SetError();
    error_code = LOAD_ERROR_CODE;
    if(style & STRM_THROW)
        ThrowLoadingError();
}

void Stream::LoadSlow(void* x, uint32 size)
{
    byte tmp[8];
    if(GetBlock(tmp, size) < size)
        SetLoadError();
    else
        std::memcpy(x, tmp, size);
}

bool Stream::ReadExact(void* data, int size)
{
    if(size <= 0)
        return true;
    if(Get(data, (uint32)size) == (uint32)size)
        return true;
    SetLoadError();
    return false;
}

int Stream::Read16()
{
    byte b[2];
    if(!ReadExact(b, 2))
        return -1;
    return b[0] | b[1] << 8;
}

int Stream::Read32()
{
    uint32 v;
    if(!ReadExact(&v, 4))
        return -1;
    return (int)v;
}

String Stream::GetLine()
{
    // The common case: the whole line is in the window and is cut out in one piece.
    if(current < read_limit) {
        byte* lf = (byte*)std::memchr(current, '\n', read_limit - current);
        if(lf) {
            byte* e = lf > current && lf[-1] == '\r' ? lf - 1 : lf;
            String line((const char*)current, int(e - current));
            current = lf + 1;
            return line;
        }
    }
    TextBuffer line;
    bool any = false;
    for(;;) {
        if(current < read_limit) {
            any = true;
            byte* lf = (byte*)std::memchr(current, '\n', read_limit - current);
            byte* e = lf ? lf : read_limit;
            line.Append((const char*)current, int(e - current));
            current = e;
            if(lf) {
                current++;
                break;
            }
        }
        int c = GetUnderflow();
        if(c < 0) {
            if(!any)
                return String::GetVoid();
            break;
        }
        any = true;
        if(c == '\n')
            break;
        line.AppendChar(c);
    }
    int n = line.GetLength();
    if(n > 0 && line.Begin()[n - 1] == '\r')
        return String(line.Begin(), n - 1);
    return String(line);
}

namespace {

template <class T>
Stream& PutNumber(Stream& s, const char* format, T x)
{
    char text[32]; // room for any 64-bit number with its sign
    int n = std::snprintf(text, sizeof(text), format, x);
    s.Put(text, (uint32)n);
    return s;
}

} // namespace

Stream& operator<<(Stream& s, int x) { return PutNumber(s, "%d", x); }
Stream& operator<<(Stream& s, unsigned x) { return PutNumber(s, "%u", x); }
Stream& operator<<(Stream& s, long x) { return PutNumber(s, "%ld", x); }
Stream& operator<<(Stream& s, unsigned long x) { return PutNumber(s, "%lu", x); }
Stream& operator<<(Stream& s, long long x) { return PutNumber(s, "%lld", x); }

} // namespace Qor
