// The default charset, the registry of 8-bit code pages with their lazily built
// reverse maps, charset names, and one-character conversions.
#include "foundation/charset.h"

#include "foundation/char_filter.h"
#include "foundation/assert.h"
#include "foundation/charset_registry.h"

#include <cstring>

namespace Qor {

static byte default_charset = CHARSET_UTF8;

int DefaultCharset() { return default_charset; }

void SetDefaultCharset(int code)
{
    // 0 names the default itself and cannot be the default; it stands for UTF-8.
    code &= 255;
    default_charset = byte(code ? code : CHARSET_UTF8);
}

namespace {

struct StaticPages {
    byte identity[128];
    byte none[128];
    constexpr StaticPages() : identity(), none()
    {
        for(int i = 0; i < 128; i++) {
            identity[i] = byte(i);
            none[i] = 0x1F;
        }
    }
};

constexpr StaticPages static_pages;

} // namespace

CharsetRecord::CharsetRecord(const uint16* table)
{
    for(int i = 0; i < 128; i++) {
        decode[i] = uint16(i);
        decode[128 + i] = table[i] == 0x001F ? uint16(CHARSET_ESCAPE_BASE + 0x80 + i) : table[i];
    }
}

CharsetRecord::~CharsetRecord()
{
    for(const byte* p : page)
        if(p && p != static_pages.identity && p != static_pages.none)
            delete[] p;
}

void CharsetRecord::BuildReverse()
{
    byte* own[16] = {};
    for(int b = 0x80; b < 0x100; b++) {
        int u = decode[b];
        if(u < 0x80)
            continue; // ASCII always encodes as itself
        if(u < 0x800) {
            byte*& p = own[u >> 7];
            if(!p) {
                p = new byte[128];
                std::memset(p, 0x1F, 128);
            }
            p[u & 127] = byte(b); // a later byte for the same character wins
            continue;
        }
        if(IsByteEscape(u))
            continue;
        codes.Add(uint16(u));
        bytes.Add(byte(b));
        index.Add(GetHashValue(u));
    }
    for(int i = 1; i < 16; i++)
        page[i] = own[i] ? own[i] : static_pages.none;
    page[0] = static_pages.identity; // last: a set page 0 marks the map as built
}

int CharsetRecord::EncodeHigh(int ch)
{
    if((unsigned)(ch - CHARSET_ESCAPE_BASE) < 0x100)
        return ch & 0xFF;
    if(!page[0])
        BuildReverse();
    int head = index.Head(GetHashValue(ch));
    for(int i = head; i >= 0;) {
        if(codes[i] == ch)
            return bytes[i]; // the earliest byte of the character
        i = index.Next(i);
        if(i == head)
            break;
    }
    return 0x1F;
}

CharsetRegistry::~CharsetRegistry()
{
    for(CharsetRecord* r : records)
        delete r;
}

int CharsetRegistry::Register(const char* name, const uint16* table)
{
    int code = names.GetCount();
    names.Add(String(name));
    records.Add(new CharsetRecord(table));
    return code;
}

CharsetRegistry& CharsetRegistryInit()
{
    QOR_SINGLE_THREADED("The charset registry");
    static CharsetRegistry registry;
    static bool registering;
    if(!registering) {
        registering = true; // calls made while registering see the registry as it stands
        for(const CodePageData& d : code_page_data)
            registry.Register(d.name, d.table);
    }
    return registry;
}

int CharsetCount() { return CharsetRegistryInit().GetCount(); }

CharsetRecord& CharsetRecordOf(int code)
{
    CharsetRegistry& registry = CharsetRegistryInit();
    code = ResolveCharset(code);
    return registry.GetRecord(code < registry.GetCount() ? code : 0);
}

const char* NameOfCharset(int code)
{
    code = ResolveCharset(code);
    if(code == CHARSET_UTF8)
        return "UTF-8";
    CharsetRegistry& registry = CharsetRegistryInit();
    return code < registry.GetCount() ? registry.GetName(code).Begin() : "";
}

int FindCharset(const char* name)
{
    if(!name)
        return 0;
    String key = FilterText(name, CharFilterLowerAlnum);
    if(key.IsEmpty())
        return 0;
    if(key == "utf8")
        return CHARSET_UTF8;
    CharsetRegistry& registry = CharsetRegistryInit();
    for(int code = 1; code < registry.GetCount(); code++)
        if(FilterText(registry.GetName(code).Begin(), CharFilterLowerAlnum) == key)
            return code;
    return 0;
}

int DecodeChar(int b, int charset)
{
    b &= 255;
    if(ResolveCharset(charset) == CHARSET_UTF8) // not an 8-bit charset: keep bytes lossless
        return b < 0x80 ? b : CHARSET_ESCAPE_BASE + b;
    return CharsetRecordOf(charset).Decode(b);
}

int EncodeChar(int ch, int charset, int substitute)
{
    int b;
    if(ResolveCharset(charset) == CHARSET_UTF8)
        b = (unsigned)ch < 0x80 ? ch : (unsigned)(ch - CHARSET_ESCAPE_BASE) < 0x100 ? ch & 0xFF : 0x1F;
    else
        b = CharsetRecordOf(charset).Encode(ch);
    return b == 0x1F ? substitute : b;
}

} // namespace Qor
