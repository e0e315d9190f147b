// The registry of 8-bit code pages: each registration holds the forward table
// of the bytes 0x80-0xFF and a reverse map built at the first encoding.
#pragma once

#include "foundation/hash_index.h"
#include "foundation/string.h"
#include "foundation/vector.h"

namespace Qor {

enum { CODE_PAGE_COUNT = 89 };

// One generated page: its registered name and 128 code points, 0x001F for a
// byte the page leaves undefined.
struct CodePageData {
    const char* name;
    const uint16* table;
};

extern const CodePageData code_page_data[CODE_PAGE_COUNT];

class CharsetRecord {
public:
    explicit CharsetRecord(const uint16* table);
    ~CharsetRecord();
    CharsetRecord(const CharsetRecord&) = delete;
    CharsetRecord& operator=(const CharsetRecord&) = delete;

    // Undefined bytes give U+EE00 + byte.
    int Decode(int b) const { return decode[b & 255]; }
    // The byte of a character, 0x1F when the page has none.
    int Encode(int ch)
    {
        if((unsigned)ch < 0x800) {
            if(!page[0])
                BuildReverse();
            return page[ch >> 7][ch & 127];
        }
        return EncodeHigh(ch);
    }
    // All 256 bytes, ASCII included, for conversions without a branch per byte.
    const uint16* DecodeTable() const { return decode; }
    const uint16* Forward() const { return decode + 128; }
    // The reverse pages, built on the first call.
    const byte* const* Pages() { if(!page[0]) BuildReverse(); return page; }
    int EncodeHigh(int ch);

private:
    uint16 decode[256]; // the forward table behind the identity for ASCII
    const byte* page[16] = {};
    Vector<uint16> codes;   // code points from U+0800 up, escapes excluded
    Vector<byte> bytes;     // the byte of each of them
    HashIndex index;        // over codes

    void BuildReverse();
};

class CharsetRegistry {
public:
    ~CharsetRegistry();
    int Register(const char* name, const uint16* table);
    int GetCount() const { return names.GetCount(); }
    const String& GetName(int code) const { return names[code]; }
    CharsetRecord& GetRecord(int code) { return *records[code]; }

private:
    Vector<String> names;
    Vector<CharsetRecord*> records;
};

// The record of an 8-bit charset code (0 resolved first); codes that name no
// registration fall back to entry 0 rather than reaching outside the registry.
CharsetRecord& CharsetRecordOf(int code);

} // namespace Qor
