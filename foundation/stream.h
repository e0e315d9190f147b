// Stream: the buffered byte-stream interface. A window of four pointers onto a
// buffer makes single bytes and small blocks an inline comparison and copy; only
// an exhausted window calls a virtual operation of the concrete stream. One
// Serialize call per value both loads and stores, by the stream's loading bit.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"

#include <bit>
#include <cstddef>
#include <cstring>

namespace Qor {

// The binary forms are little-endian and the typed serialisers copy host bytes.
static_assert(std::endian::native == std::endian::little, "streams copy integers in host order");

class WString;

// The only exception stream code throws is LoadingError, and only when asked.
class StreamError {};
class LoadingError : public StreamError {};

[[noreturn]] void ThrowLoadingError();

class Stream {
public:
    enum : dword {
        STRM_THROW = 0x01,   // throw LoadingError when a load fails
        STRM_LOADING = 0x02, // Serialize reads (otherwise it writes)
        STRM_READ = 0x04,
        STRM_WRITE = 0x08,
        STRM_SEEK = 0x10,
        STRM_ERROR = 0x20,   // an operation failed; serialisation does nothing further
    };

    Stream() = default;
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    // The virtual operations, in this order.
    virtual void PutOverflow(int c);
    virtual int PeekUnderflow();
    virtual int GetUnderflow();
    virtual void PutBlock(const void* data, uint32 size);
    virtual uint32 GetBlock(void* data, uint32 size);
    virtual void Seek(int64 pos);
    virtual int64 GetSize() const;
    virtual void SetSize(int64 size);
    virtual void Flush();
    virtual void Close();
    virtual bool IsOpen() const = 0;
    virtual ~Stream() = default;

    // Fast paths: a comparison against a limit, then a direct access or the virtual operation.
    void Put(int c)
    {
        if(current < write_limit)
            *current++ = (byte)c;
        else
            PutOverflow(c);
    }
    void Put(const void* data, uint32 size)
    {
        if(size && (ptrdiff_t)size <= write_limit - current) {
            std::memcpy(current, data, size);
            current += size;
        }
        else if(size)
            PutBlock(data, size);
    }
    void Put(const char* text) { Put(text, (uint32)std::strlen(text)); }
    void Put(const String& s) { Put(s.Begin(), (uint32)s.GetLength()); }
    void PutNewline() { Put('\n'); }
    void PutLine(const char* text) { Put(text); PutNewline(); }
    void PutLine(const String& s) { Put(s); PutNewline(); }

    int Get() { return current < read_limit ? *current++ : GetUnderflow(); }
    int Peek() { return current < read_limit ? *current : PeekUnderflow(); }
    uint32 Get(void* data, uint32 size)
    {
        if(size && (ptrdiff_t)size <= read_limit - current) {
            std::memcpy(data, current, size);
            current += size;
            return size;
        }
        return size ? GetBlock(data, size) : 0;
    }
    bool IsEof() { return Peek() < 0; }

    int64 GetPos() const { return position + (current - buffer); }

    bool IsError() const { return style & STRM_ERROR; }
    void SetError() { style |= STRM_ERROR; }
    void ClearError() { style &= ~STRM_ERROR; error_code = 0; }
    // The code of the last error; 0 when none was given, LOAD_ERROR_CODE for a failed load.
    int GetErrorCode() const { return error_code; }
    static constexpr int LOAD_ERROR_CODE = -2;
    bool IsLoading() const { return style & STRM_LOADING; }
    bool IsStoring() const { return !IsLoading(); }
    void SetLoading() { style |= STRM_LOADING; }
    void SetStoring() { style &= ~STRM_LOADING; }
    void SetLoadThrowing(bool b = true) { style = b ? style | STRM_THROW : style & ~STRM_THROW; }
    bool IsLoadThrowing() const { return style & STRM_THROW; }
    bool IsReadable() const { return style & STRM_READ; }
    bool IsWritable() const { return style & STRM_WRITE; }
    bool IsSeekable() const { return style & STRM_SEEK; }
    dword GetStyle() const { return style; }

    // Sets the error flag and LOAD_ERROR_CODE; throws LoadingError when the throw bit is set.
    void SetLoadError();

    // Checked reads: a short read is a load error.
    bool ReadExact(void* data, int size);
    int Read16();
    int Read32();
    // The next line without its LF (and a CR before it); void at end of data.
    String GetLine();

    // Serialisation: each does nothing once the error flag is set.
    Stream& SerializeRaw(void* data, uint32 size);
    Stream& Serialize(bool& x);
    Stream& Serialize(char& x) { return Fixed(x); }
    Stream& Serialize(signed char& x) { return Fixed(x); }
    Stream& Serialize(unsigned char& x) { return Fixed(x); }
    Stream& Serialize(int16& x) { return Fixed(x); }
    Stream& Serialize(uint16& x) { return Fixed(x); }
    Stream& Serialize(int32& x) { return Fixed(x); }
    Stream& Serialize(uint32& x) { return Fixed(x); }
    Stream& Serialize(int64& x) { return Fixed(x); }
    Stream& Serialize(uint64& x) { return Fixed(x); }
    Stream& Serialize(float& x) { return Fixed(x); }
    Stream& Serialize(double& x) { return Fixed(x); }
    Stream& Serialize(String& s);
    Stream& Serialize(WString& s);
    Stream& Serialize(Vector<String>& v);

    // Packed count: value + 1 in one byte below 255, else 0xFF and 32 bits.
    Stream& SerializeCount(int& n);
    Stream& SerializeCount(uint32& n);
    // Packed length without the offset: one byte below 255, else 0xFF and 32 bits.
    Stream& Pack(uint32& n);
    // Two flags in one byte: 0x80 first, 0x40 second, 0x04 when either is set.
    Stream& Pack(bool& a, bool& b);

protected:
    int64 position = 0;        // stream position of buffer[0]
    byte* buffer = nullptr;
    byte* current = nullptr;
    byte* read_limit = nullptr;
    byte* write_limit = nullptr;
    dword style = 0;
    int error_code = 0;

private:
    template <class T>
    Stream& Fixed(T& x)
    {
        if(style & STRM_ERROR)
            return *this;
        if(style & STRM_LOADING) {
            if((ptrdiff_t)sizeof(T) <= read_limit - current) {
                std::memcpy(&x, current, sizeof(T));
                current += sizeof(T);
            }
            else
                LoadSlow(&x, sizeof(T));
        }
        else {
            if((ptrdiff_t)sizeof(T) <= write_limit - current) {
                std::memcpy(current, &x, sizeof(T));
                current += sizeof(T);
            }
            else
                PutBlock(&x, sizeof(T));
        }
        return *this;
    }
    // Reads a small item through GetBlock; x stays unchanged on a short read.
    void LoadSlow(void* x, uint32 size);
};

// Text output.
inline Stream& operator<<(Stream& s, const char* text) { s.Put(text); return s; }
inline Stream& operator<<(Stream& s, const String& text) { s.Put(text); return s; }
inline Stream& operator<<(Stream& s, char c) { s.Put((byte)c); return s; }
Stream& operator<<(Stream& s, int x);
Stream& operator<<(Stream& s, unsigned x);
Stream& operator<<(Stream& s, long x);
Stream& operator<<(Stream& s, unsigned long x);
Stream& operator<<(Stream& s, long long x);

} // namespace Qor
