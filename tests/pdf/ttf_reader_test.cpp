// TTFReader on the installed DejaVu fonts and on fonts damaged or assembled from their tables.
#include "pdf/ttf_reader.h"

#include "tests/pdf/support/font_bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace Qor;
using namespace Qor::test;

namespace {

int GlyphOf(const TTFReader& r, int ch) { return r.glyphMap[ch >> 8][ch & 255]; }

TEST(TTFReader, ReadsDejaVuSans)
{
    TTFReader r;
    ASSERT_TRUE(r.Open(ToString(LoadFont("DejaVuSans.ttf"))));
    EXPECT_EQ(r.psName, "DejaVuSans");
    EXPECT_EQ(r.head.unitsPerEm, 2048);
    EXPECT_EQ(r.glyphInfo.GetCount(), r.maxp.numGlyphs);
    EXPECT_GT(r.maxp.numGlyphs, 1000);
    EXPECT_GT(r.hhea.ascender, 0);
    EXPECT_LT(r.hhea.descender, 0);
    EXPECT_EQ(r.post.italicAngle, 0);
    int a = GlyphOf(r, 'A'), b = GlyphOf(r, 'B'), space = GlyphOf(r, ' ');
    EXPECT_NE(a, 0);
    EXPECT_NE(a, b);
    EXPECT_NE(GlyphOf(r, 0x0410), 0); // Cyrillic A lies on a page of its own
    EXPECT_GT(r.glyphInfo[a].size, 0);
    EXPECT_EQ(r.glyphInfo[space].size, 0); // a blank has no outline
    EXPECT_EQ(r.glyphInfo[space].advanceWidth, 651);
    EXPECT_EQ(GlyphOf(r, 0xE000), 0); // private use: in no segment
}

TEST(TTFReader, ItalicAngleIsSigned)
{
    TTFReader r;
    ASSERT_TRUE(r.Open(ToString(LoadFont("DejaVuSans-Oblique.ttf")), false, true));
    EXPECT_LT(r.post.italicAngle, 0);
    EXPECT_GT(r.post.italicAngle, -45 * 65536);
}

TEST(TTFReader, RecordsWriteBackTheirOwnBytes)
{
    TTFReader r;
    ASSERT_TRUE(r.Open(ToString(LoadFont("DejaVuSerif.ttf"))));
    struct Case {
        const char* tag;
        int length;
        std::function<void(TTFReader::TTFStream&)> serialize;
    };
    Case cases[] = {
        { "head", 54, [&](TTFReader::TTFStream& s) { r.head.Serialize(s); } },
        { "hhea", 36, [&](TTFReader::TTFStream& s) { r.hhea.Serialize(s); } },
        { "maxp", 32, [&](TTFReader::TTFStream& s) { r.maxp.Serialize(s); } },
        { "post", 32, [&](TTFReader::TTFStream& s) { r.post.Serialize(s); } },
    };
    for(const Case& c : cases) {
        TTFReader::TTFStreamOut out;
        c.serialize(out);
        EXPECT_EQ(out.out, r.GetTable(c.tag).Left(c.length)) << c.tag;
    }
}

TEST(TTFReader, StreamInStopsAtItsLimit)
{
    const byte data[] = { 1, 2, 3, 4, 5 };
    TTFReader::TTFStreamIn in;
    in.beg = in.s = data;
    in.lim = data + 4;
    in.Seek(2);
    EXPECT_EQ(in.Get16(), 0x0304);
    EXPECT_THROW(in.Get16(), TTFReader::TTFStream::Fail);
    in.Seek(1);
    EXPECT_EQ(in.Get(3), String("\2\3\4", 3));
    EXPECT_THROW(in.Get(1), TTFReader::TTFStream::Fail);
    EXPECT_THROW(in.Seek(5), TTFReader::TTFStream::Fail);
    TTFReader r;
    EXPECT_THROW(r.Seek("head", in), TTFReader::Fail);
    EXPECT_TRUE(r.GetTable("head").IsVoid());
}

TEST(TTFReader, RefusesBrokenFonts)
{
    const std::string sans = LoadFont("DejaVuSans.ttf");
    auto patch16 = [&](const char* tag, int at, int v) {
        std::string f = sans;
        Put16(f, TableAt(f, tag) + at, v);
        return f;
    };
    auto without = [&](const char* tag) {
        std::string f = sans;
        f.replace(Record(f, tag), 4, "zzzz");
        return f;
    };
    int glyphs = Read16(sans, TableAt(sans, "maxp") + 4);
    struct Case {
        const char* what;
        std::string font;
        bool check; // opens with justCheck
    };
    std::string otto = sans, longer_than_font = sans, loca_past_glyf = sans, unicode_past_cmap = sans;
    otto.replace(0, 4, "OTTO");
    Put32(longer_than_font, Record(sans, "head") + 12, uint32(sans.size()));
    Put32(loca_past_glyf, TableAt(sans, "loca") + 4 * glyphs, 0x7FFFFFF0); // long offsets in DejaVu
    for(size_t cmap = TableAt(sans, "cmap"), at = cmap + 4; at < cmap + 4 + 8 * Read16(sans, cmap + 2); at += 8)
        if(Read16(sans, at) == 3 && Read16(sans, at + 2) == 1)
            Put32(unicode_past_cmap, at + 4, 0x7FFF0000);
    Case cases[] = {
        { "empty", "", false },
        { "three bytes", sans.substr(0, 3), false },
        { "OpenType outlines", otto, false },
        { "directory cut short", sans.substr(0, 100), false },
        { "head magic", patch16("head", 12, 0x1234), false },
        { "unitsPerEm 0", patch16("head", 18, 0), false },
        { "head reaching past the font", longer_than_font, false },
        { "no head", without("head"), false },
        { "no maxp", without("maxp"), false },
        { "no post", without("post"), false },
        { "no hhea", without("hhea"), true },
        { "no hmtx", without("hmtx"), true },
        { "no loca", without("loca"), true },
        { "no cmap", without("cmap"), true },
        { "no name", without("name"), true },
        { "more metrics than glyphs", patch16("hhea", 34, glyphs + 1), true },
        { "no metrics at all", patch16("hhea", 34, 0), true },
        { "loca past glyf", loca_past_glyf, true },
        { "cmap subtable past the table", unicode_past_cmap, true },
    };
    for(const Case& c : cases) {
        TTFReader r;
        EXPECT_FALSE(r.Open(ToString(c.font))) << c.what;
        EXPECT_EQ(r.Open(ToString(c.font), false, true), c.check) << c.what;
    }
}

TEST(TTFReader, TrueSignatureOpens)
{
    std::string f = LoadFont("DejaVuSans.ttf");
    f.replace(0, 4, "true");
    TTFReader r;
    EXPECT_TRUE(r.Open(ToString(f)));
    EXPECT_NE(GlyphOf(r, 'x'), 0);
}

TEST(TTFReader, TruncatedFontsNeverReadPastTheirEnd)
{
    const std::string sans = LoadFont("DejaVuSans.ttf");
    // every cut falls inside a table the reader needs
    for(size_t length : { size_t(12), size_t(200), TableAt(sans, "head") + 20, TableAt(sans, "cmap") + 10,
                          TableAt(sans, "loca") + 100, TableAt(sans, "name") + 10 }) {
        TTFReader r;
        EXPECT_FALSE(r.Open(ToString(sans.substr(0, length)))) << length;
    }
}

TEST(TTFReader, OneMetricServesEveryGlyph)
{
    std::string f = LoadFont("DejaVuSans.ttf");
    Put16(f, TableAt(f, "hhea") + 34, 1);
    TTFReader r;
    ASSERT_TRUE(r.Open(ToString(f)));
    int first = Read16(f, TableAt(f, "hmtx"));
    for(const TTFReader::GlyphInfo& g : r.glyphInfo)
        ASSERT_EQ(g.advanceWidth, first);
    // the side bearings now come from the array after the single metric
    EXPECT_EQ(r.glyphInfo[1].leftSideBearing, int16(Read16(f, TableAt(f, "hmtx") + 4)));
}

std::string NameTable(int platform, const std::string& bytes)
{
    // one unrelated record first, so the PostScript name is found by its id
    std::string family = "Family";
    std::string t = Be16({ 0, 2, 6 + 2 * 12 });
    t += Be16({ 1, 0, 0, 1, int(family.size()), 0 });
    t += Be16({ platform, platform == 3 ? 1 : 0, 0, 6, int(bytes.size()), int(family.size()) });
    return t + family + bytes;
}

TEST(TTFReader, PostScriptNameByPlatform)
{
    const std::string sans = LoadFont("DejaVuSans.ttf");
    std::string utf16;
    for(char c : std::string("Serif-Bold"))
        utf16 += { '\0', c };
    struct Case {
        int platform;
        std::string bytes;
        const char* name;
    } cases[] = {
        { 3, utf16, "Serif-Bold" },
        { 3, utf16 + "\0", "Serif-Bold" }, // an odd length drops the half unit
        { 0, utf16, "Serif-Bold" },
        { 1, "Mac\x80Name", "Mac\x80Name" },
    };
    for(const Case& c : cases) {
        TTFReader r;
        ASSERT_TRUE(r.Open(ToString(Replace(sans, "name", NameTable(c.platform, c.bytes))))) << c.name;
        EXPECT_EQ(r.psName, c.name);
    }
    TTFReader r;
    ASSERT_TRUE(r.Open(ToString(Replace(sans, "name", Be16({ 0, 0, 6 })))));
    EXPECT_TRUE(r.psName.IsEmpty());
}

// A cmap with a single Windows Unicode subtable of the given segments {start, end, delta, range}, then glyph ids.
std::string Format4(const std::vector<std::vector<int>>& segments, std::initializer_list<int> glyph_ids = {})
{
    int n = int(segments.size());
    std::string ends, starts, deltas, ranges;
    for(const auto& s : segments) {
        starts += Be16({ s[0] });
        ends += Be16({ s[1] });
        deltas += Be16({ s[2] });
        ranges += Be16({ s[3] });
    }
    std::string sub =
        Be16({ 4, 0, 0, 2 * n, 0, 0, 0 }) + ends + Be16({ 0 }) + starts + deltas + ranges + Be16(glyph_ids);
    Put16(sub, 2, int(sub.size()));
    return Be16({ 0, 2, 1, 0, 0, 20, 3, 1, 0, 26 }) + Be16({ 6, 0, 0 }) + sub; // a Mac record first, to be passed over
}

TEST(TTFReader, CharacterMapSegments)
{
    const std::string sans = LoadFont("DejaVuSans.ttf");
    // ranges count from their own entry: segment i's entry is 2 * (n - i) bytes before the glyph ids
    std::string cmap = Format4(
        {
            { 'A', 'C', 10, 0 },       // by delta
            { 'a', 'b', 0, 2 * 6 },    // through the glyph ids
            { 'B', 'B', 20, 0 },       // over an earlier segment: passed over
            { 'q', 'p', 5, 0 },        // runs backwards: maps nothing
            { 'x', 'x', 60000, 0 },    // past the glyph count
            { 'y', 'z', 0, 2 * 1000 }, // points past the table
            { 0xFFFF, 0xFFFF, 1, 0 },
        },
        { 7, 70 });
    TTFReader r;
    ASSERT_TRUE(r.Open(ToString(Replace(sans, "cmap", cmap))));
    struct Case {
        int ch;
        int glyph;
    } cases[] = { { 'A', 'A' + 10 }, { 'B', 'B' + 10 }, { 'C', 'C' + 10 }, { 'D', 0 }, { 'a', 7 }, { 'b', 70 },
                  { 'p', 0 },        { 'q', 0 },        { 'x', 0 },        { 'y', 0 }, { 'z', 0 }, { 0x3000, 0 } };
    for(const Case& c : cases)
        EXPECT_EQ(GlyphOf(r, c.ch), c.glyph) << c.ch;
}

TEST(TTFReader, SymbolMapTakesFormatZero)
{
    const std::string sans = LoadFont("DejaVuSans.ttf");
    std::string format6 = Be16({ 6, 12, 0, 0, 1, 9 });
    std::string format0 = Be16({ 0, 262, 0 });
    for(int ch = 0; ch < 256; ch++)
        format0 += char(ch == 'S' ? 200 : ch == 'T' ? 3 : 0);
    std::string cmap = Be16({ 0, 2, 1, 0, 0, 20, 1, 0, 0, 32 }) + format6 + format0;
    TTFReader r;
    ASSERT_TRUE(r.Open(ToString(Replace(sans, "cmap", cmap)), true));
    EXPECT_EQ(GlyphOf(r, 'S'), 200);
    EXPECT_EQ(GlyphOf(r, 'T'), 3);
    EXPECT_EQ(GlyphOf(r, 'U'), 0);
    // the same font without symbol finds no Windows Unicode map
    ASSERT_TRUE(r.Open(ToString(Replace(sans, "cmap", cmap))));
    EXPECT_EQ(GlyphOf(r, 'S'), 0);
}

} // namespace
