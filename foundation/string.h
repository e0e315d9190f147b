// String: the 16-byte 8-bit text value (inline up to 14 characters, a private
// 32-byte block up to 31, a shared counted block beyond), and TextBuffer, its builder.
// Lengths, positions and counts are int32 and not checked: a negative count, a position outside
// the text or a text that would pass INT32_MAX bytes is the caller's error.
#pragma once

#include "foundation/hash.h"
#include "foundation/types.h"

#include <cstring>

namespace Qor {

class TextBuffer;
class WString;

class String {
public:
    String() { Zero(); }
    String(const char* text);
    String(const char* text, int length);
    String(const String& s) { if(s.IsSmall()) std::memcpy((void*)this, (const void*)&s, 16); else CopyLarge(s); }
    String(String&& s) noexcept { std::memcpy((void*)this, (const void*)&s, 16); s.Zero(); }
    String(TextBuffer& buffer);
    String(const WString& s); // encoded in the default charset, 0x1F for what it lacks
    ~String() { if(IsLarge()) ReleaseLarge(); }

    String& operator=(const String& s) { Assign(s); return *this; }
    String& operator=(String&& s) noexcept;
    String& operator=(const char* text) { Assign(text, text ? (int)std::strlen(text) : 0); return *this; }

    void Assign(const String& s)
    {
        if(IsSmall() && s.IsSmall()) std::memcpy((void*)this, (const void*)&s, 16);
        else AssignLarge(s);
    }
    void Assign(const char* text, int length);

    int GetLength() const { return IsSmall() ? chr[15] : len; }
    bool IsEmpty() const { return GetLength() == 0; }
    const char* Begin() const { return IsSmall() ? chr : ptr; }
    const char* End() const { return Begin() + GetLength(); }
    const char* begin() const { return Begin(); }
    const char* end() const { return End(); }
    int operator[](int i) const { return (byte)Begin()[i]; }
    int GetCapacity() const;

    // Changing operations keep the NUL after the text.
    char* Insert(int pos, int count, const char* source = nullptr);
    void Insert(int pos, const char* text) { Insert(pos, (int)std::strlen(text), text); }
    void Insert(int pos, const String& s) { Insert(pos, s.GetLength(), s.Begin()); }
    // Into the room left in the 16 bytes or in an unshared block without a call; a source
    // inside the text itself lies before the room it is copied to.
    void Append(const char* source, int count)
    {
        int k = KindByte();
        if(k == 0) {
            int old = (byte)chr[15];
            if(count >= 0 && old + count < 14) {
                std::memcpy(chr + old, source, count);
                chr[15] = (char)(old + count);
                return;
            }
        }
        else if(k == 31 ? (unsigned)count < (unsigned)(31 - len)
                        : k >= 32 && k < 255 && (unsigned)count < (unsigned)(k - len) && RefCount() == 1) {
            std::memcpy(ptr + len, source, count);
            len += count;
            ptr[len] = 0;
            return;
        }
        AppendSlow(source, count);
    }
    void Append(const char* text) { Append(text, (int)std::strlen(text)); }
    void Append(const String& s) { Append(s.Begin(), s.GetLength()); }
    void AppendChar(int c)
    {
        int k = KindByte();
        if(k == 31 ? len < 31 : k >= 32 && len < (k < 255 ? k : BlockCapacity()) && RefCount() == 1) {
            ptr[len] = (char)c;
            ptr[++len] = 0;
        }
        else
            AppendCharSlow(c);
    }
    void Reserve(int n);
    void Truncate(int length);
    void SetChar(int pos, int c);
    void Remove(int pos, int count = 1);
    void Clear() { if(IsLarge()) ReleaseLarge(); Zero(); }

    String& operator+=(const String& s) { Append(s); return *this; }
    String& operator+=(const char* text) { Append(text); return *this; }
    String& operator+=(char c) { AppendChar((byte)c); return *this; }

    // Pieces and searches (positions are byte indexes; -1 when not found).
    String Mid(int pos, int count) const;
    String Mid(int pos) const { return Mid(pos, GetLength() - pos); }
    String Left(int count) const { return Mid(0, count); }
    String Right(int count) const { return Mid(GetLength() - count, count); }
    int Find(int c, int from = 0) const;
    int Find(const char* text, int from = 0) const { return FindText(text, (int)std::strlen(text), from); }
    int FindLast(int c) const;
    bool StartsWith(const char* text) const;
    bool EndsWith(const char* text) const;

    int CharacterCount() const;

    bool IsVoid() const;
    void MakeVoid();
    static String GetVoid();

    static bool Differs(const String& a, const String& b);
    static int Compare(const String& a, const String& b);
    static int Compare(const String& a, const char* text);
    int Compare(const String& s) const { return Compare(*this, s); }
    uint32 GetHashValue() const;

    // Layout queries, for code that shares these 16 bytes (Value) and for tests.
    bool IsSmall() const { return chr[14] == 0; }
    bool IsLarge() const { return chr[14] != 0; }
    int KindByte() const { return (byte)chr[14]; }
    bool IsShared() const;
    const char* RawBytes() const { return chr; } // the 16 bytes themselves

private:
    union {
        char chr[16];
        struct {
            char* ptr;
            int32 len;
            char pad[4];
        };
    };

    void Zero() { std::memset((void*)this, 0, 16); }
    void CopyLarge(const String& s);
    void ReleaseLarge();
    void AssignLarge(const String& s);
    void AppendCharSlow(int c);
    void AppendSlow(const char* source, int count);
    static int CompareLarge(const String& a, const String& b);
    int FindText(const char* text, int m, int from) const;   // inline above: a literal's length folds
    char* NewBlock(int length); // sets pointer and kind for a block fit for length
    void Take(String& s) { std::memcpy((void*)this, (const void*)&s, 16); s.Zero(); }
    int32& RefCount() const { return ((int32*)ptr)[-2]; }
    int32 BlockCapacity() const { return ((int32*)ptr)[-1]; }
    uint32 HashLargeForm() const;
    void SetSmall(const char* text, int length);
    void SetLarge(const char* text, int length);
    char* Realloc(int new_length, int keep); // moves the first keep bytes into a new block
    void Unshare();
    const char* Redirect(const char* source, const String& keep) const;
    bool Equal64(const String& s) const;

    friend class TextBuffer;
    friend class Value;
};

String StringConcat(const String& a, const char* text);
String operator+(const String& a, const String& b);
String operator+(const String& a, const char* b);
String operator+(const char* a, const String& b);
String operator+(const String& a, char c);

// Two small Strings: the first differing byte decides while it lies within both texts;
// past that the zero padding differs from text, and the lengths decide.
inline int String::Compare(const String& a, const String& b)
{
    if(a.IsSmall() && b.IsSmall()) {
        uint64 x, y;
        std::memcpy(&x, a.chr, 8);
        std::memcpy(&y, b.chr, 8);
        int i = 0;
        if(x == y) {
            std::memcpy(&x, a.chr + 8, 8);
            std::memcpy(&y, b.chr + 8, 8);
            if(x == y)
                return 0;
            i = 8;
        }
        i += __builtin_ctzll(x ^ y) >> 3; // the targets are little-endian
        int la = (byte)a.chr[15], lb = (byte)b.chr[15];
        return i < (la < lb ? la : lb) ? (byte)a.chr[i] - (byte)b.chr[i] : la - lb;
    }
    // Differing first bytes decide without the call; a zero may be an empty text's NUL,
    // where the lengths decide instead.
    byte p = (byte)*a.Begin(), q = (byte)*b.Begin();
    return p != q && p && q ? p - q : CompareLarge(a, b);
}

inline bool operator==(const String& a, const String& b)
{
    if(a.IsSmall() && b.IsSmall()) {
        uint64 a0, a1, b0, b1;
        std::memcpy(&a0, a.RawBytes(), 8);
        std::memcpy(&a1, a.RawBytes() + 8, 8);
        std::memcpy(&b0, b.RawBytes(), 8);
        std::memcpy(&b1, b.RawBytes() + 8, 8);
        return a0 == b0 && a1 == b1;
    }
    return !String::Differs(a, b);
}
inline bool operator!=(const String& a, const String& b) { return !(a == b); }
inline bool operator==(const String& a, const char* b) { return String::Compare(a, b) == 0; }
inline bool operator!=(const String& a, const char* b) { return String::Compare(a, b) != 0; }
inline bool operator<(const String& a, const String& b) { return String::Compare(a, b) < 0; }
inline bool operator>(const String& a, const String& b) { return String::Compare(a, b) > 0; }
inline bool operator<=(const String& a, const String& b) { return String::Compare(a, b) <= 0; }
inline bool operator>=(const String& a, const String& b) { return String::Compare(a, b) >= 0; }

inline uint32 GetHashValue(const String& s) { return s.GetHashValue(); }

String StripLeadingSpace(const String& s);
String StripTrailingSpace(const String& s);
String StripOuterSpace(const String& s);

// Builds a text piece by piece; its heap blocks have String's block formats,
// so the finished text is handed to a String without a copy.
class TextBuffer {
public:
    TextBuffer() { begin = end = inline_area; limit = inline_area + 255; }
    TextBuffer(String& s);
    ~TextBuffer();
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    void Append(const char* source, int n)
    {
        if(n <= limit - end && source) {
            std::memcpy(end, source, n);
            end += n;
        }
        else
            AppendSlow(source, n);
    }
    void Append(const char* text) { Append(text, (int)std::strlen(text)); }
    void Append(const String& s) { Append(s.Begin(), s.GetLength()); }
    void AppendChar(int c) { if(end < limit) *end++ = (char)c; else { char ch = (char)c; Append(&ch, 1); } }
    void Grow();
    void SetLength(int len);

    int GetLength() const { return int(end - begin); }
    int GetCapacity() const { return int(limit - begin); }
    char* Begin() { return begin; }
    char* End() { return end; }
    bool IsInline() const { return begin == inline_area; }

private:
    char* begin;
    char* end;
    char* limit;
    char inline_area[256];

    void ReleaseBlock();
    void AppendSlow(const char* source, int n);
    friend class String;
};

} // namespace Qor
