// String: construction, copy on write, growth, comparison and hashing of the 16-byte text value.
#include "foundation/string.h"

#include "foundation/charset.h"

#include "foundation/heap.h"
#include "foundation/text_capacity.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace Qor {

namespace {

// Counted block of capacity 0 shared by every void String. Its count stays 2, so it always
// counts as shared and no change ever writes into it; it is never released.
struct alignas(8) EmptyBlock {
    int32 refcount;
    int32 capacity;
    char text[8];
};
EmptyBlock empty_block = { 2, 0, {} };

char* EmptyText() { return empty_block.text; }

const int KIND_BLOCK32 = 31;
const int KIND_VOID = 50;
const int KIND_BIG = 255;

} // namespace

// Allocates the block that the given length calls for and points this String at it; the
// length, the text and the NUL are left to the caller.
char* String::NewBlock(int length)
{
    char* p;
    int kind;
    if(length < 32) {
        p = (char*)HeapAllocate32();
        kind = KIND_BLOCK32;
    }
    else {
        int32* h = (int32*)HeapAllocate((size_t)length + 9);
        h[0] = 1;
        h[1] = length;
        p = (char*)(h + 2);
        kind = length < 255 ? length : KIND_BIG;
    }
    ptr = p;
    chr[12] = chr[13] = 0;
    chr[14] = (char)kind;
    chr[15] = 15;
    return p;
}

void String::SetSmall(const char* text, int length)
{
    Zero();
    std::memcpy(chr, text, length);
    chr[15] = (char)length;
}

void String::SetLarge(const char* text, int length)
{
    char* p = NewBlock(length);
    std::memcpy(p, text, length);
    p[length] = 0;
    len = length;
}

String::String(const char* text, int length)
{
    if(length <= 14)
        SetSmall(text, length);
    else
        SetLarge(text, length);
}

String::String(const char* text)
{
    if(!text) {
        Zero();
        return;
    }
    int length = (int)std::strlen(text);
    if(length <= 14)
        SetSmall(text, length);
    else
        SetLarge(text, length);
}

void String::CopyLarge(const String& s)
{
    std::memcpy((void*)this, (const void*)&s, 16);
    if(s.KindByte() == KIND_BLOCK32) {
        ptr = (char*)HeapAllocate32();
        std::memcpy(ptr, s.ptr, s.len + 1);
    }
    else if(ptr != EmptyText())
        RefCount()++;
}

void String::ReleaseLarge()
{
    if(KindByte() == KIND_BLOCK32)
        HeapRelease32(ptr);
    else if(ptr != EmptyText() && --RefCount() == 0)
        HeapRelease(ptr - 8);
}

void String::AssignLarge(const String& s)
{
    if(this == &s)
        return;
    if(IsLarge())
        ReleaseLarge();
    if(s.IsSmall())
        std::memcpy((void*)this, (const void*)&s, 16);
    else
        CopyLarge(s);
}

String& String::operator=(String&& s) noexcept
{
    if(this != &s) {
        if(IsLarge())
            ReleaseLarge();
        Take(s);
    }
    return *this;
}

void String::Assign(const char* text, int length)
{
    const char* b = Begin();
    if(text < b || text > b + GetLength()) {
        if(IsLarge())
            ReleaseLarge();
        if(length <= 14)
            SetSmall(text, length);
        else
            SetLarge(text, length);
        return;
    }
    String n(text, length); // the source is our own text: build before releasing
    if(IsLarge())
        ReleaseLarge();
    Take(n);
}

int String::GetCapacity() const
{
    int kind = KindByte();
    if(kind == 0)
        return 14;
    if(kind == KIND_BIG || ptr == EmptyText())
        return BlockCapacity();
    return kind;
}

bool String::IsShared() const
{
    return KindByte() >= 32 && RefCount() != 1;
}

bool String::IsVoid() const
{
    return KindByte() >= 32 && ptr == EmptyText();
}

void String::MakeVoid()
{
    if(IsLarge())
        ReleaseLarge();
    ptr = EmptyText();
    len = 0;
    chr[12] = chr[13] = 0;
    chr[14] = (char)KIND_VOID;
    chr[15] = 15;
}

String String::GetVoid()
{
    String s;
    s.MakeVoid();
    return s;
}

// Moves the first keep bytes into a new block fit for new_length and releases the old one.
// The length and the NUL are left to the caller.
char* String::Realloc(int new_length, int keep)
{
    String old;
    std::memcpy((void*)&old, (const void*)this, 16); // old releases the block (or is small)
    char* p = NewBlock(new_length);
    std::memcpy(p, old.Begin(), keep);
    return p;
}

void String::Unshare()
{
    int n = GetLength();
    char* p = Realloc(n, n + 1);
    (void)p;
    len = n;
}

// A source inside our own 16 bytes moves with them into keep before they are overwritten.
const char* String::Redirect(const char* source, const String& keep) const
{
    uintptr_t s = (uintptr_t)source, b = (uintptr_t)chr;
    return s >= b && s < b + 16 ? keep.chr + (s - b) : source;
}

char* String::Insert(int pos, int count, const char* source)
{
    int old = GetLength();
    int L = AddTextLength(old, count);
    char* b = (char*)Begin();
    bool inside = source && source >= b && source <= b + old;
    if(!inside && L < GetCapacity() && !IsShared()) {
        std::memmove(b + pos + count, b + pos, old - pos);
        b[L] = 0;
        if(IsSmall())
            chr[15] = (char)L;
        else
            len = L;
        if(source)
            std::memcpy(b + pos, source, count);
        return b + pos;
    }
    String keep;
    std::memcpy((void*)&keep, (const void*)this, 16); // released when done, after the source is read
    source = Redirect(source, keep);
    char* p = NewBlock(GrowTextCapacity(old, L));
    const char* ob = keep.Begin();
    std::memcpy(p, ob, pos);
    std::memcpy(p + pos + count, ob + pos, old - pos);
    if(source)
        std::memcpy(p + pos, source, count);
    p[L] = 0;
    len = L;
    return p + pos;
}

void String::AppendSlow(const char* source, int count)
{
    int old = GetLength();
    int L = AddTextLength(old, count);
    if(IsSmall()) {
        if(L < 14) {
            std::memcpy(chr + old, source, count);
            chr[15] = (char)L;
            return;
        }
    }
    else if(L < GetCapacity() && !IsShared()) {
        std::memcpy(ptr + old, source, count);
        ptr[L] = 0;
        len = L;
        return;
    }
    String keep;
    std::memcpy((void*)&keep, (const void*)this, 16);
    source = Redirect(source, keep);
    char* p = NewBlock(GrowTextCapacity(old, L));
    std::memcpy(p, keep.Begin(), old);
    std::memcpy(p + old, source, count);
    p[L] = 0;
    len = L;
}

void String::AppendCharSlow(int c)
{
    if(IsSmall()) {
        // Moves into a 32-byte block first: text built by characters rarely stays short.
        char* p = (char*)HeapAllocate32();
        std::memcpy(p, chr, 16);
        int n = chr[15];
        ptr = p;
        len = n;
        chr[14] = (char)KIND_BLOCK32;
        chr[15] = 15;
    }
    int old = len;
    int kind = KindByte();
    bool in_place = kind == KIND_BLOCK32 ? old < 31 : old < GetCapacity() && RefCount() == 1;
    if(!in_place)
        Realloc(GrowTextCapacity(old, AddTextLength(old, 1)), old);
    ptr[old] = (char)c;
    ptr[old + 1] = 0;
    len = old + 1;
}

void String::Reserve(int n)
{
    int old = GetLength();
    int L = AddTextLength(old, n);
    if(L < GetCapacity() && !IsShared())
        return;
    char* p = Realloc(GrowTextCapacity(old, L), old);
    p[old] = 0;
    len = old;
}

void String::Truncate(int length)
{
    if(IsShared())
        Unshare();
    if(IsSmall()) {
        std::memset(chr + length, 0, 14 - length);
        chr[15] = (char)length;
    }
    else {
        ptr[length] = 0;
        len = length;
    }
}

void String::SetChar(int pos, int c)
{
    if(IsShared())
        Unshare();
    ((char*)Begin())[pos] = (char)c;
}

void String::Remove(int pos, int count)
{
    if(IsShared())
        Unshare();
    char* b = (char*)Begin();
    int n = GetLength();
    std::memmove(b + pos, b + pos + count, n - pos - count);
    Truncate(n - count);
}

bool String::Equal64(const String& s) const
{
    uint64 a0, a1, b0, b1;
    std::memcpy(&a0, chr, 8);
    std::memcpy(&a1, chr + 8, 8);
    std::memcpy(&b0, s.chr, 8);
    std::memcpy(&b1, s.chr + 8, 8);
    return a0 == b0 && a1 == b1;
}

bool String::Differs(const String& a, const String& b)
{
    int n = a.GetLength();
    if(n != b.GetLength())
        return true;
    const char* p = a.Begin();
    const char* q = b.Begin();
    if(n >= 32) // long texts: the C library's wide compare tells equality fastest
        return std::memcmp(p, q, n) != 0;
    for(; n >= 8; n -= 8, p += 8, q += 8) {
        uint64 x, y;
        std::memcpy(&x, p, 8);
        std::memcpy(&y, q, 8);
        if(x != y)
            return true;
    }
    if(n >= 4) {
        uint32 x, y;
        std::memcpy(&x, p, 4);
        std::memcpy(&y, q, 4);
        if(x != y)
            return true;
        n -= 4, p += 4, q += 4;
    }
    if(n >= 2) {
        uint16 x, y;
        std::memcpy(&x, p, 2);
        std::memcpy(&y, q, 2);
        if(x != y)
            return true;
        n -= 2, p += 2, q += 2;
    }
    return n && *p != *q;
}

int String::CompareLarge(const String& a, const String& b)
{
    int la = a.GetLength();
    int lb = b.GetLength();
    int n = std::min(la, lb);
    const byte* p = (const byte*)a.Begin();
    const byte* q = (const byte*)b.Begin();
    int i = 0;
#ifdef __SSE2__
    if(n >= 16) { // 16 bytes a step; the last step overlaps the one before
        for(; i + 64 <= n; i += 64) { // while all is equal, 64 bytes a step
            __m128i e = _mm_cmpeq_epi8(_mm_loadu_si128((const __m128i*)(p + i)), _mm_loadu_si128((const __m128i*)(q + i)));
            for(int k = 16; k < 64; k += 16)
                e = _mm_and_si128(e, _mm_cmpeq_epi8(_mm_loadu_si128((const __m128i*)(p + i + k)),
                                                    _mm_loadu_si128((const __m128i*)(q + i + k))));
            if(_mm_movemask_epi8(e) != 0xffff)
                break;
        }
        if(i == n)
            return la - lb;
        for(;; i += 16) {
            if(i + 16 > n)
                i = n - 16;
            __m128i x = _mm_loadu_si128((const __m128i*)(p + i));
            __m128i y = _mm_loadu_si128((const __m128i*)(q + i));
            unsigned differ = ~(unsigned)_mm_movemask_epi8(_mm_cmpeq_epi8(x, y)) & 0xffff;
            if(differ) {
                i += __builtin_ctz(differ);
                return p[i] - q[i];
            }
            if(i + 16 == n)
                return la - lb;
        }
    }
#endif
    for(; i + 8 <= n; i += 8) {
        uint64 x, y;
        std::memcpy(&x, p + i, 8);
        std::memcpy(&y, q + i, 8);
        if(x != y) {
            i += __builtin_ctzll(x ^ y) >> 3; // lowest differing byte: the targets are little-endian
            return p[i] - q[i];
        }
    }
    for(; i < n; i++)
        if(p[i] != q[i])
            return p[i] - q[i];
    return la - lb;
}

int String::Compare(const String& a, const char* text)
{
    const byte* p = (const byte*)a.Begin();
    const byte* q = (const byte*)text;
    int n = a.GetLength();
    for(int i = 0;; i++) {
        if(i == n)
            return q[i] ? -1 : 0;
        if(!q[i])
            return 1;
        if(p[i] != q[i])
            return p[i] - q[i];
    }
}

static inline uint32 HashSmallWords(const char* b)
{
    uint32 w[4];
    std::memcpy(w, b, 16);
    return (((w[0] ^ 0xe2f62ff2u) * 17u ^ w[1]) * 17u ^ w[2]) * 17u ^ w[3];
}

uint32 String::HashLargeForm() const
{
    if(len > 14)
        return HashBytes(ptr, len);
    String s(ptr, len); // equal texts hash alike in either form
    return HashSmallWords(s.chr);
}

uint32 String::GetHashValue() const
{
    return IsSmall() ? HashSmallWords(chr) : HashLargeForm();
}

// The default character set is UTF-8: counts the UTF-16 units of the decoded text. A byte that
// starts no valid sequence stands for one unit (it decodes to U+EE00 + byte).
int String::CharacterCount() const
{
    return DefaultCharset() == CHARSET_UTF8 ? Utf8DecodedLength(Begin(), GetLength()) : GetLength();
}

} // namespace Qor
