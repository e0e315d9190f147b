// The code-page registry: names and codes, the forward tables (checked against
// the C library's iconv where it knows the page), the editions the registry
// insists on, and the reverse maps.
#include "foundation/charset.h"
#include "foundation/charset_registry.h"
#include "foundation/string.h"
#include "foundation/wstring.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <map>
#include <set>
#include <vector>

using namespace Qor;

namespace {

// The code point iconv gives for one byte, -1 when it refuses the byte.
int IconvByte(iconv_t cd, int b)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in = char(b);
    char32_t out[8];
    char* ip = &in;
    char* op = (char*)out;
    size_t il = 1, ol = sizeof(out);
    if(iconv(cd, &ip, &il, &op, &ol) == (size_t)-1 || il)
        return -1;
    iconv(cd, nullptr, nullptr, &op, &ol); // pages with combining marks hold a character back
    size_t n = (sizeof(out) - ol) / sizeof(char32_t);
    return n == 1 && out[0] < 0x10000 ? int(out[0]) : -1;
}

struct IconvPage {
    const char* name;
    const char* iconv_name;
    std::set<int> edition; // bytes where the registry's edition differs on purpose
};

const IconvPage iconv_pages[] = {
    {"NONE", "ISO-8859-1", {}},
    {"iso8859-1", "ISO-8859-1", {}}, {"iso8859-2", "ISO-8859-2", {}}, {"iso8859-3", "ISO-8859-3", {}},
    {"iso8859-4", "ISO-8859-4", {}}, {"iso8859-5", "ISO-8859-5", {}}, {"iso8859-6", "ISO-8859-6", {}},
    {"iso8859-7", "ISO-8859-7", {0xA4, 0xA5, 0xAA}}, {"iso8859-8", "ISO-8859-8", {}},
    {"iso8859-9", "ISO-8859-9", {}}, {"iso8859-10", "ISO-8859-10", {}}, {"iso8859-13", "ISO-8859-13", {}},
    {"iso8859-14", "ISO-8859-14", {}}, {"iso8859-15", "ISO-8859-15", {}}, {"iso8859-16", "ISO-8859-16", {}},
    {"windows-1250", "CP1250", {}}, {"windows-1251", "CP1251", {}}, {"windows-1252", "CP1252", {}},
    {"windows-1253", "CP1253", {}}, {"windows-1254", "CP1254", {}}, {"windows-1255", "CP1255", {}},
    {"windows-1256", "CP1256", {}}, {"windows-1257", "CP1257", {}}, {"windows-1258", "CP1258", {}},
    {"koi8-r", "KOI8-R", {0x9A}}, {"cp852", "CP852", {}}, {"cp850", "CP850", {}},
    {"ARMSCII-8", "ARMSCII-8", {}}, {"cp1046", "CP1046", {}}, {"cp1124", "CP1124", {}},
    {"cp1125", "CP1125", {}}, {"cp1129", "CP1129", {}}, {"cp1133", "CP1133", {}}, {"cp1161", "CP1161", {}},
    {"cp1162", "CP1162", {}}, {"cp1163", "CP1163", {}},
    {"cp1250", "CP1250", {}}, {"cp1251", "CP1251", {}}, {"cp1252", "CP1252", {}}, {"cp1253", "CP1253", {}},
    {"cp1254", "CP1254", {}}, {"cp1255", "CP1255", {}}, {"cp1256", "CP1256", {}}, {"cp1257", "CP1257", {}},
    {"cp1258", "CP1258", {}},
    {"cp437", "CP437", {}}, {"cp737", "CP737", {}}, {"cp775", "CP775", {}}, {"cp855", "CP855", {}},
    {"cp856", "CP856", {}}, {"cp857", "CP857", {}}, {"cp858", "CP858", {}}, {"cp860", "CP860", {}},
    {"cp861", "CP861", {}}, {"cp862", "CP862", {}}, {"cp863", "CP863", {}}, {"cp864", "CP864", {}},
    {"cp865", "CP865", {}}, {"cp866", "CP866", {}}, {"cp869", "CP869", {}}, {"cp874", "CP874", {}},
    {"cp922", "CP922", {}}, {"Georgian-Academy", "GEORGIAN-ACADEMY", {}}, {"Georgian-PS", "GEORGIAN-PS", {}},
    {"HP-ROMAN8", "HP-ROMAN8", {}}, {"koi8-ru", "KOI8-RU", {}}, {"koi8-t", "KOI8-T", {}}, {"koi8-u", "KOI8-U", {}},
    {"MacCentralEurope", "MAC-CENTRALEUROPE", {}}, {"MacCyrillic", "MAC-CYRILLIC", {}},
    {"MacIceland", "MAC-IS", {0xBD, 0xF0}}, {"MacRoman", "MACINTOSH", {0xBD, 0xDB, 0xF0}},
    {"MacUkraine", "MAC-UK", {}}, {"TCVN", "TCVN5712-1", {}}, {"VISCII", "VISCII", {}},
    {"TIS-620", "TIS-620", {}},
};

} // namespace

TEST(CharsetRegistry, RegistersTheCodePagesInOrder)
{
    EXPECT_EQ(CharsetCount(), 89);
    CharsetRegistry& r = CharsetRegistryInit();
    EXPECT_EQ(&r, &CharsetRegistryInit());
    EXPECT_EQ(r.GetCount(), 89); // a second call registers nothing
    struct Case {
        int code;
        const char* name;
    };
    const Case cases[] = {{1, "iso8859-1"}, {2, "iso8859-2"}, {14, "iso8859-16"}, {15, "windows-1250"},
                          {23, "windows-1258"}, {24, "koi8-r"}, {26, "mjk"}, {28, "ARMSCII-8"}, {34, "cp1161"},
                          {37, "cp1250"}, {45, "cp1258"}, {46, "cp437"}, {70, "MacArabic"}, {77, "MacRoman"},
                          {85, "TCVN"}, {87, "TIS-620"}, {88, "JIS-X0201"}};
    for(const Case& c : cases)
        EXPECT_STREQ(NameOfCharset(c.code), c.name) << c.code;
    EXPECT_STREQ(r.GetName(0).Begin(), "NONE");
}

TEST(CharsetRegistry, NamesAndLookups)
{
    ASSERT_EQ(DefaultCharset(), CHARSET_UTF8);
    EXPECT_STREQ(NameOfCharset(0), "UTF-8");
    EXPECT_STREQ(NameOfCharset(255), "UTF-8");
    EXPECT_STREQ(NameOfCharset(89), "");
    EXPECT_STREQ(NameOfCharset(200), "");
    EXPECT_STREQ(NameOfCharset(256 + 2), "iso8859-2"); // only the low 8 bits count
    struct Case {
        const char* name;
        int code;
    };
    const Case cases[] = {
        {"utf-8", 255}, {"UTF-8", 255}, {"utf8", 255}, {"Utf_8", 255}, {"Latin1", 0}, {"", 0}, {"NONE", 0},
        {"none", 0}, {"ISO-8859-2", 2}, {"iso8859-2", 2}, {"Windows-1250", 15}, {"windows-1250", 15},
        {"CP1250", 37}, {"cp1250", 37}, {"KOI8-R", 24}, {"macroman", 77}, {"jis x0201", 88}, {"nonsense", 0},
    };
    for(const Case& c : cases)
        EXPECT_EQ(FindCharset(c.name), c.code) << c.name;
    EXPECT_EQ(FindCharset(nullptr), 0);
    for(int code = 1; code < CharsetCount(); code++) // every name leads back to its first registration
        EXPECT_EQ(NameOfCharset(FindCharset(NameOfCharset(code))), String(NameOfCharset(code))) << code;
}

TEST(CharsetRegistry, DefaultCharsetResolvesCodeZero)
{
    SetDefaultCharset(2);
    EXPECT_EQ(DefaultCharset(), 2);
    EXPECT_STREQ(NameOfCharset(0), "iso8859-2");
    EXPECT_EQ(DecodeChar(0xA9), 0x0160); // Š in Latin-2
    EXPECT_EQ(EncodeText(DecodeText("\xA9")), "\xA9");
    SetDefaultCharset(0x100 + 15); // low 8 bits
    EXPECT_EQ(DefaultCharset(), 15);
    SetDefaultCharset(CHARSET_UTF8);
    EXPECT_EQ(DefaultCharset(), CHARSET_UTF8);
}

TEST(CharsetRegistry, ForwardTablesAgreeWithIconv)
{
    int checked_pages = 0;
    for(const IconvPage& p : iconv_pages) {
        int code = String(p.name) == "NONE" ? 0 : FindCharset(p.name);
        ASSERT_TRUE(code > 0 || String(p.name) == "NONE") << p.name;
        iconv_t cd = iconv_open("UTF-32LE", p.iconv_name);
        if(cd == (iconv_t)-1)
            continue; // a C library without this page
        checked_pages++;
        for(int b = 0x80; b < 0x100; b++) {
            if(p.edition.count(b))
                continue;
            int u = IconvByte(cd, b);
            int expected = u < 0 ? 0xEE00 + b : u;
            int got = code ? DecodeChar(b, code) : CharsetRegistryInit().GetRecord(0).Decode(b);
            EXPECT_EQ(got, expected) << p.name << " byte " << std::hex << b;
        }
        iconv_close(cd);
    }
    EXPECT_GT(checked_pages, 60);
}

TEST(CharsetRegistry, EditionsOfTheRegistry)
{
    struct Case {
        const char* name;
        int byte;
        int code_point; // 0: undefined
    };
    const Case cases[] = {
        {"iso8859-7", 0xA4, 0}, {"iso8859-7", 0xA5, 0}, {"iso8859-7", 0xAA, 0}, {"iso8859-7", 0xC1, 0x0391},
        {"koi8-r", 0x9A, 0}, {"koi8-r", 0xC1, 0x0430},
        {"TIS-620", 0x80, 0}, {"TIS-620", 0x9F, 0}, {"TIS-620", 0xA1, 0x0E01},
        {"JIS-X0201", 0xA0, 0}, {"JIS-X0201", 0xA1, 0xFF61}, {"JIS-X0201", 0xDF, 0xFF9F}, {"JIS-X0201", 0xE0, 0},
        {"JIS-X0201", 0x80, 0},
        {"mjk", 0x80, 0x010C}, {"mjk", 0xAF, 0x00BB}, {"mjk", 0xB0, 0}, {"mjk", 0xFF, 0},
        {"MacRoman", 0xDB, 0x00A4}, {"MacRoman", 0xBD, 0x2126}, {"MacRoman", 0xF0, 0},
        {"MacIceland", 0xDB, 0x00A4}, {"MacIceland", 0xBD, 0x2126}, {"MacIceland", 0xF0, 0},
        {"MacCroatian", 0xDB, 0x00A4}, {"MacCroatian", 0xBD, 0x2126}, {"MacCroatian", 0xD8, 0},
        {"MacArabic", 0xA0, 0}, {"MacArabic", 0xAA, 0}, {"MacArabic", 0xC1, 0x0621},
        {"NONE", 0xE9, 0x00E9},
    };
    for(const Case& c : cases) {
        int code = String(c.name) == "NONE" ? -1 : FindCharset(c.name);
        ASSERT_NE(code, 0) << c.name;
        int got = code < 0 ? CharsetRegistryInit().GetRecord(0).Decode(c.byte) : DecodeChar(c.byte, code);
        EXPECT_EQ(got, c.code_point ? c.code_point : 0xEE00 + c.byte) << c.name << " " << std::hex << c.byte;
    }
    for(int n = 1250; n <= 1258; n++) {
        int w = FindCharset(("windows-" + std::to_string(n)).c_str());
        int cp = FindCharset(("cp" + std::to_string(n)).c_str());
        for(int b = 0x80; b < 0x100; b++)
            EXPECT_EQ(DecodeChar(b, w), DecodeChar(b, cp)) << n << " " << b;
    }
}

TEST(CharsetRegistry, BytesRoundTrip)
{
    // A byte whose character is its page's only byte for it (undefined bytes
    // included) encodes back to itself; a byte that shares its character with
    // another encodes to a byte of that character; one that decodes to ASCII
    // encodes as that ASCII byte.
    for(int code = 1; code < CharsetCount(); code++) {
        String all;
        for(int b = 1; b < 256; b++)
            all.AppendChar(b);
        String back = EncodeText(DecodeText(all, code), code);
        ASSERT_EQ(back.GetLength(), 255);
        std::map<int, int> uses;
        for(int b = 0x80; b < 0x100; b++)
            uses[DecodeChar(b, code)]++;
        for(int b = 1; b < 256; b++) {
            int u = DecodeChar(b, code);
            if(b == 0x1F) {
                EXPECT_EQ(back[b - 1], 0x1F) << "substitute of U+001F";
            }
            else if(u < 0x80) {
                EXPECT_EQ(back[b - 1], u) << NameOfCharset(code) << " byte " << b;
            }
            else if(uses[u] == 1) {
                EXPECT_EQ(back[b - 1], b) << NameOfCharset(code) << " byte " << b;
            }
            else {
                EXPECT_EQ(DecodeChar(back[b - 1], code), u) << NameOfCharset(code) << " byte " << b;
            }
        }
    }
    int koi = FindCharset("koi8-r");
    EXPECT_EQ(DecodeChar(0x9A, koi), 0xEE9A);
    EXPECT_EQ(EncodeChar(0xEE9A, koi), 0x9A);
    int cp1161 = FindCharset("cp1161");
    EXPECT_EQ(EncodeText(DecodeText(String("\xE8\xA0"), cp1161), cp1161), "\xA0\xA0");
}

TEST(CharsetRegistry, ReverseMaps)
{
    int latin2 = FindCharset("iso8859-2");
    int cp1161 = FindCharset("cp1161");
    struct Case {
        int ch;
        int charset;
        int substitute;
        int byte;
    };
    const Case cases[] = {
        {'A', latin2, '?', 'A'},
        {0x001F, latin2, '?', '?'},   // U+001F itself has no byte apart from the marker
        {0x0160, latin2, '?', 0xA9},  // below U+0800 through a page
        {0x00E9, latin2, '?', 0xE9},
        {0x00E8, latin2, '?', '?'},   // è is not in Latin-2
        {0x20AC, latin2, '?', '?'},   // above U+0800: not in the code list
        {0xEE85, latin2, '?', 0x85},  // escapes give their byte
        {0x20AC, FindCharset("windows-1250"), '?', 0x80},
        {0x0E48, cp1161, '?', 0xA0},  // the earlier byte wins above U+0800
        {0x0E4B, cp1161, '?', 0xDD},
        {0x00A0, cp1161, '?', 0xFF},
        {0x0E01, cp1161, '?', 0xA1},
        {0x1F, cp1161, 0x1F, 0x1F},
    };
    for(const Case& c : cases)
        EXPECT_EQ(EncodeChar(c.ch, c.charset, c.substitute), c.byte) << std::hex << c.ch;
    // The buffer form writes one byte per unit.
    std::u16string units = u"\u0160a\u20AC";
    char out[3];
    EncodeText(out, units.data(), 3, latin2, '#');
    EXPECT_EQ(String(out, 3), "\xA9" "a#");
    EXPECT_EQ(EncodeText(units.data(), 3, latin2, '#'), "\xA9" "a#");
}

TEST(CharsetRegistry, RecodeText)
{
    int latin1 = FindCharset("iso8859-1");
    int latin2 = FindCharset("iso8859-2");
    int cp1250 = FindCharset("cp1250");
    String utf = "\xC5\xA0\x61\xC3\xA9\xE2\x82\xAC\xFF"; // Š a é € and a stray byte
    EXPECT_EQ(RecodeText(latin2, utf, CHARSET_UTF8), "\xA9" "a\xE9\x1F\xFF");
    EXPECT_EQ(RecodeText(latin2, utf, CHARSET_UTF8, '_'), "\xA9" "a\xE9_\xFF");
    EXPECT_EQ(RecodeText(CHARSET_UTF8, "\xA9" "a\xE9", latin2), "\xC5\xA0" "a\xC3\xA9");
    EXPECT_EQ(RecodeText(cp1250, "\xA9\xE9\xB9", latin2), "\x8A\xE9\x9A"); // Š é š
    EXPECT_EQ(RecodeText(latin2, "x\xE8\x1F", latin1, '?'), "x??"); // è is not in Latin-2; 0x1F is the marker
    EXPECT_EQ(RecodeText(latin1, "\xA9\xE9", latin2, '?'), "?\xE9");
    EXPECT_EQ(RecodeText(latin2, "same", latin2), "same");
    EXPECT_EQ(RecodeText(0, utf, 0), utf);
}
