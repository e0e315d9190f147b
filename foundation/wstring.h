// WString: the 16-byte UTF-16 text value (pointer, length, capacity) with no
// inline form, and WideTextBuffer, the builder whose block it takes over.
#pragma once

#include "foundation/hash.h"
#include "foundation/types.h"

namespace Qor {

class String;
class WideTextBuffer;

// Units before the first zero unit.
int WideTextLength(const wchar16* text);

class WString {
public:
    WString() { SetEmpty(); }
    WString(const wchar16* text, int count);
    WString(const wchar16* text) : WString(text, WideTextLength(text)) {}
    WString(const WString& s) { CopyFrom(s); }
    WString(WString&& s) noexcept : ptr(s.ptr), len(s.len), cap(s.cap) { s.SetEmpty(); }
    WString(WideTextBuffer& buffer);
    // 8-bit text in the default charset; a null text gives the empty WString.
    WString(const char* text);
    WString(const char* text, int length);
    WString(const String& s);
    ~WString() { Release(); }

    WString& operator=(const WString& s);
    WString& operator=(WString&& s) noexcept;

    int GetLength() const { return len; }
    bool IsEmpty() const { return len == 0; }
    // The stored capacity: 0 or less for the static empty text, 23 for a
    // 48-byte block, more for a counted block.
    int GetCapacity() const { return cap; }
    const wchar16* Begin() const { return ptr; }
    const wchar16* End() const { return ptr + len; }
    const wchar16* begin() const { return Begin(); }
    const wchar16* end() const { return End(); }
    int operator[](int i) const { return ptr[i]; }

    // Changing operations keep the zero unit after the text.
    wchar16* Insert(int pos, int count, const wchar16* source = nullptr);
    void Insert(int pos, const WString& s) { Insert(pos, s.len, s.ptr); }
    void Append(const wchar16* source, int count);
    void Append(const WString& s) { Append(s.ptr, s.len); }
    void AppendChar(int unit);
    void Remove(int pos, int count = 1);
    void Truncate(int length);
    void Clear() { Release(); SetEmpty(); }

    WString& operator+=(const WString& s) { Append(s); return *this; }
    WString& operator+=(wchar16 unit) { AppendChar(unit); return *this; }

    WString Mid(int pos, int count) const { return WString(ptr + pos, count); }
    WString Mid(int pos) const { return Mid(pos, len - pos); }
    WString Left(int count) const { return Mid(0, count); }
    WString Right(int count) const { return Mid(len - count, count); }
    int Find(int unit, int from = 0) const;
    int Find(const WString& s, int from = 0) const;

    // Unit by unit as unsigned 16-bit values; a prefix sorts first.
    static int Compare(const WString& a, const WString& b);
    uint32 GetHashValue() const { return HashBytes(ptr, (size_t)len * sizeof(wchar16)); }

    // The text in the default charset; unrepresentable characters become byte 31.
    String ToString() const;

    // Layout queries for tests and code that inspects the block.
    bool IsShared() const { return cap > 23 && RefCount() >= 2; }
    int32 RefCount() const { return *Counter(); }

private:
    wchar16* ptr;
    int32 len;
    int32 cap;

    static wchar16* EmptyText();
    void SetEmpty() { ptr = EmptyText(); len = 0; cap = 0; }
    int32* Counter() const { return (int32*)((byte*)ptr - 4); }
    void CopyFrom(const WString& s);
    void Release();
    static void ReleaseBlock(wchar16* text, int capacity);
    static wchar16* NewBlock(int length, int& capacity);
    void Unshare();
    void FromDecoded(const WString& decoded);

    friend class WideTextBuffer;
};

inline bool operator==(const WString& a, const WString& b)
{
    return a.GetLength() == b.GetLength() && WString::Compare(a, b) == 0;
}
inline bool operator!=(const WString& a, const WString& b) { return !(a == b); }
inline bool operator<(const WString& a, const WString& b) { return WString::Compare(a, b) < 0; }
inline bool operator>(const WString& a, const WString& b) { return WString::Compare(a, b) > 0; }
inline bool operator<=(const WString& a, const WString& b) { return WString::Compare(a, b) <= 0; }
inline bool operator>=(const WString& a, const WString& b) { return WString::Compare(a, b) >= 0; }

inline uint32 GetHashValue(const WString& s) { return s.GetHashValue(); }

// Builds a 16-bit text in a block of WString's formats; the finished text is
// handed to a WString without a copy.
class WideTextBuffer {
public:
    WideTextBuffer() { begin = end = limit = WString::EmptyText(); }
    ~WideTextBuffer();
    WideTextBuffer(const WideTextBuffer&) = delete;
    WideTextBuffer& operator=(const WideTextBuffer&) = delete;

    // Makes room for n units when needed (exactly n, no growth factor) and
    // sets the length to n; the units already written are kept.
    void SetLength(int n);

    int GetLength() const { return int(end - begin); }
    int GetCapacity() const { return int(limit - begin); }
    wchar16* Begin() { return begin; }
    wchar16* End() { return end; }

private:
    wchar16* begin;
    wchar16* end;
    wchar16* limit;

    friend class WString;
};

} // namespace Qor
