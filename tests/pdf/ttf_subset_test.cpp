// TTFReader::Subset on the installed DejaVu fonts: each subset is read back by this library and by fontTools.
#include "pdf/ttf_reader.h"

#include "tests/pdf/support/font_bytes.h"
#include "tests/pdf/support/subset_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Qor;
using namespace Qor::test;

namespace {

Vector<wchar16> Chars(const std::u16string& s)
{
    Vector<wchar16> v;
    for(char16_t c : s)
        v.Add(c);
    return v;
}

String Cut(const std::string& font, const std::u16string& chars, int first = 0, bool os2 = false)
{
    TTFReader r;
    EXPECT_TRUE(r.Open(ToString(font)));
    return r.Subset(Chars(chars), first, os2);
}

struct Entry {
    std::string tag;
    uint32 checksum, offset, length;
};

std::vector<Entry> Directory(const std::string& f)
{
    std::vector<Entry> d;
    for(int i = 0; i < Read16(f, 4); i++) {
        size_t r = 12 + 16 * i;
        d.push_back({ f.substr(r, 4), Read32(f, r + 4), Read32(f, r + 8), Read32(f, r + 12) });
    }
    return d;
}

ToolRun DejaVuCheck(const std::string& subset, const char* source, int first, const std::u16string& chars)
{
    return FontToolsCheck(subset, std::string("/usr/share/fonts/truetype/dejavu/") + source, first, chars);
}

int GlyphOfCode(const TTFReader& r, int code) { return r.glyphMap[0][code]; }

TEST(TTFSubset, CheckSumPadsTheLastWord)
{
    struct Case {
        std::string data;
        uint32 sum;
    } cases[] = {
        { "", 0 },
        { "\x01\x02\x03\x04", 0x01020304 },
        { std::string("\x01\x02\x03\x04\x05", 5), 0x06020304 },
        { std::string("\xFF\xFF\xFF\xFF\x00\x00\x00\x02", 8), 1 }, // wraps modulo 2^32
    };
    for(const Case& c : cases)
        EXPECT_EQ(TTFReader::CheckSum(ToString(c.data)), c.sum) << c.data.size();
}

TEST(TTFSubset, DirectoryLaysTablesOnWordBoundaries)
{
    struct Case {
        int count;
        int search_range, entry_selector, range_shift;
    } cases[] = { { 1, 16, 0, 0 }, { 3, 32, 1, 16 }, { 4, 64, 2, 0 }, { 12, 128, 3, 64 }, { 13, 128, 3, 80 } };
    for(const Case& c : cases) {
        Vector<TTFReader::NewTable> list;
        for(int i = 0; i < c.count; i++) {
            TTFReader::NewTable& t = list.Add();
            t.name = ToString(std::string("t") + char('a' + i) + "  ");
            t.data = ToString(std::string(i + 1, 'x')); // lengths 1, 2, 3... pad differently
            t.checksum = 1000 + i;
        }
        std::string d = Std(TTFReader::WriteDirectory(list));
        ASSERT_EQ(d.size(), size_t(12 + 16 * c.count));
        EXPECT_EQ(Read32(d, 0), 0x00010000u);
        EXPECT_EQ(Read16(d, 4), c.count);
        EXPECT_EQ(Read16(d, 6), c.search_range) << c.count;
        EXPECT_EQ(Read16(d, 8), c.entry_selector) << c.count;
        EXPECT_EQ(Read16(d, 10), c.range_shift) << c.count;
        uint32 offset = 12 + 16 * c.count;
        for(const Entry& e : Directory(d)) {
            EXPECT_EQ(e.offset, offset) << e.tag;
            EXPECT_EQ(e.offset % 4, 0u) << e.tag;
            offset += (e.length + 3) & ~3u;
        }
        EXPECT_EQ(Directory(d)[0].tag, "ta  ");
        EXPECT_EQ(Directory(d).back().checksum, uint32(1000 + c.count - 1));
        EXPECT_EQ(Directory(d).back().length, uint32(c.count));
    }
}

// The records of a naming table as "platform encoding language id: text bytes", in order.
std::vector<std::string> NameRecords(const std::string& table)
{
    std::vector<std::string> records;
    int strings = Read16(table, 4);
    for(int i = 0; i < Read16(table, 2); i++) {
        size_t r = 6 + 12 * i;
        std::string key;
        for(int k = 0; k < 4; k++)
            key += std::to_string(Read16(table, r + 2 * k)) + (k < 3 ? " " : ": ");
        records.push_back(key + table.substr(strings + Read16(table, r + 10), Read16(table, r + 8)));
    }
    return records;
}

std::string TableOf(const std::string& font, const std::string& tag)
{
    for(const Entry& e : Directory(font))
        if(e.tag == tag)
            return font.substr(e.offset, e.length);
    return std::string();
}

// The subset keeps the records that name the font, texts and all, and leaves out copyright,
// licence and description texts.
TEST(TTFSubset, NamingTableKeepsTheNamesOfTheFont)
{
    for(const char* file : { "DejaVuSans.ttf", "DejaVuSerif-Bold.ttf" }) {
        const std::string source = LoadFont(file);
        std::string subset = Std(Cut(source, u"Ab"));
        ASSERT_FALSE(subset.empty()) << file;
        std::vector<std::string> wanted;
        std::string source_table = TableOf(source, "name");
        for(int i = 0; i < Read16(source_table, 2); i++) {
            size_t r = 6 + 12 * i;
            int id = Read16(source_table, r + 6);
            if(id >= 1 && id <= 6)
                wanted.push_back(NameRecords(source_table)[i]);
        }
        ASSERT_GE(wanted.size(), 6u) << file;
        std::string table = TableOf(subset, "name");
        EXPECT_EQ(Read16(table, 0), 0) << file;
        EXPECT_EQ(Read16(table, 4), 6 + 12 * int(wanted.size())) << file;
        EXPECT_EQ(NameRecords(table), wanted) << file;
        EXPECT_LT(table.size() * 4, source_table.size()) << file;
        ToolRun check = DejaVuCheck(subset, file, 0, u"Ab");
        EXPECT_EQ(check.status, 0) << check.output;
    }
}

TEST(TTFSubset, SpaceAndTwoLetters)
{
    const std::string sans = LoadFont("DejaVuSans.ttf");
    std::string subset = Std(Cut(sans, u" AB"));
    ASSERT_FALSE(subset.empty());
    std::vector<std::string> tags;
    for(const Entry& e : Directory(subset))
        tags.push_back(e.tag);
    EXPECT_EQ(tags, (std::vector<std::string>{ "cmap", "cvt ", "fpgm", "glyf", "head", "hhea", "hmtx", "loca", "maxp",
                                               "name", "post", "prep" }));
    TTFReader source, r;
    ASSERT_TRUE(source.Open(ToString(sans)));
    ASSERT_TRUE(r.Open(ToString(subset), true)); // the one-byte map is read as a symbol font's
    EXPECT_EQ(r.maxp.numGlyphs, 4);
    EXPECT_EQ(r.hhea.numberOfHMetrics, 4);
    EXPECT_EQ(r.post.format, 0x00030000u);
    EXPECT_EQ(r.head.indexToLocFormat, 1);
    EXPECT_EQ(r.psName, "DejaVuSans");
    for(int code = 0; code < 3; code++) {
        EXPECT_EQ(GlyphOfCode(r, code), code + 1);
        int glyph = source.glyphMap[0][byte(" AB"[code])];
        EXPECT_EQ(r.glyphInfo[code + 1].advanceWidth, source.glyphInfo[glyph].advanceWidth);
        EXPECT_EQ(r.glyphInfo[code + 1].size, source.glyphInfo[glyph].size);
    }
    for(int code = 3; code < 256; code++)
        ASSERT_EQ(GlyphOfCode(r, code), 0) << code;
    ToolRun check = DejaVuCheck(subset, "DejaVuSans.ttf", 0, u" AB");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(check.output, "glyphs 4\n");
}

TEST(TTFSubset, EverySubsetLoadsWithTrueChecksums)
{
    struct Case {
        const char* what;
        const char* font;
        std::u16string chars;
        int first;
        bool os2;
        size_t tables;
        const char* report; // what the fontTools check prints
    } cases[] = {
        { "letters", "DejaVuSans.ttf", u" AB", 0, false, 12, "glyphs 4\n" },
        // Á is A and an acute; Ậ is Â and a dot below, Â itself A and a circumflex; U+E000 is not in the font
        { "composites", "DejaVuSans.ttf", u" \u00C1\uE000\u1EAC", 0, false, 12,
          "glyphs 9\ncomposite 2: 4 5\ncomposite 3: 6 7\ncomposite 6: 4 8\n" },
        { "repeated letters", "DejaVuSansMono.ttf", u" Hello", 0, false, 12, "glyphs 7\n" },
        { "codes from 32 with OS/2", "DejaVuSerif.ttf", u"xyz", 32, true, 13, "glyphs 4\n" },
        { "no characters", "DejaVuSans-Bold.ttf", u"", 0, false, 12, "glyphs 1\n" },
    };
    for(const Case& c : cases) {
        std::string subset = Std(Cut(LoadFont(c.font), c.chars, c.first, c.os2));
        ASSERT_FALSE(subset.empty()) << c.what;
        std::vector<Entry> directory = Directory(subset);
        EXPECT_EQ(directory.size(), c.tables) << c.what;
        for(const Entry& e : directory) {
            ASSERT_LE(e.offset + e.length, subset.size()) << c.what << " " << e.tag;
            EXPECT_EQ(e.offset % 4, 0u) << c.what << " " << e.tag;
            std::string data = subset.substr(e.offset, e.length);
            if(e.tag == "head") // readers take the head's sum with its adjustment zeroed
                Put32(data, 8, 0);
            EXPECT_EQ(TTFReader::CheckSum(ToString(data)), e.checksum) << c.what << " " << e.tag;
        }
        EXPECT_EQ(TTFReader::CheckSum(ToString(subset)), 0xB1B0AFBAu) << c.what;
        ToolRun check = DejaVuCheck(subset, c.font, c.first, c.chars);
        EXPECT_EQ(check.status, 0) << c.what << ": " << check.output;
        EXPECT_EQ(check.output, c.report) << c.what;
    }
}

TEST(TTFSubset, MalformedGlyphsAndTooManyCodesGiveTheVoidString)
{
    const std::string sans = LoadFont("DejaVuSans.ttf");
    TTFReader r;
    ASSERT_TRUE(r.Open(ToString(sans)));
    int a_glyph = r.glyphMap[0][int('A')];
    const TTFReader::GlyphInfo& a = r.glyphInfo[a_glyph];
    const TTFReader::GlyphInfo& acute = r.glyphInfo[r.glyphMap[0][0xC1]];
    size_t glyf = TableAt(sans, "glyf"), loca = TableAt(sans, "loca");
    std::string short_glyph = sans, far_component = sans;
    Put32(short_glyph, loca + 4 * (a_glyph + 1), uint32(a.offset + 9)); // long offsets in DejaVu
    Put16(far_component, glyf + acute.offset + 12, 0xFFF0);
    std::u16string latin_extended; // every one of them has a glyph of its own
    for(char16_t c = 0x100; c < 0x200; c++)
        latin_extended += c;
    struct Case {
        const char* what;
        std::string font;
        std::u16string chars;
        int first;
    } cases[] = {
        { "glyph shorter than its header", short_glyph, u"A", 0 },
        { "component past the glyph count", far_component, u"\u00C1", 0 },
        { "codes past 255", sans, std::u16string(57, u'a'), 200 },
        { "more glyphs than one byte numbers", sans, latin_extended, 0 },
    };
    for(const Case& c : cases) {
        EXPECT_TRUE(Cut(c.font, c.chars, c.first).IsVoid()) << c.what;
        EXPECT_FALSE(Cut(sans, c.chars.substr(0, 56), 0).IsVoid()) << c.what; // the same text fits the intact font
    }
}

} // namespace
