// The fontconfig and FreeType back end on the private test fonts.

#include "draw/font/font_backend.h"
#include "tests/draw/support/font_faces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace Qor {
namespace {

using QorTest::TestFace;
using QorTest::TestFont;

bool EndsWith(const char* s, const char* tail)
{
    size_t n = std::strlen(s), k = std::strlen(tail);
    return n >= k && std::strcmp(s + n - k, tail) == 0;
}

TEST(FontBackend, MetricsFromTheMatchedFile)
{
    struct Case {
        Font font;
        const char* file;
        bool fixed;
    } cases[] = {
        {TestFont("DejaVu Sans", 20), "/DejaVuSans.ttf", false},
        {TestFont("DejaVu Sans", 20).Bold(), "/DejaVuSans-Bold.ttf", false},
        {TestFont("DejaVu Sans Mono", 20), "/DejaVuSansMono.ttf", true},
        {Font(Font::MONOSPACE, 20), "/DejaVuSansMono.ttf", true},
        {Font(Font::SANSSERIF, 20), "/DejaVuSans.ttf", false},
        {Font(Font::SERIF, 20), "/DejaVuSerif.ttf", false},
    };
    for(const Case& c : cases) {
        FontMetrics m;
        GetFontMetricsSys(m, c.font);
        SCOPED_TRACE(c.file);
        EXPECT_TRUE(EndsWith(m.path, c.file)) << m.path;
        EXPECT_EQ(m.fixed_pitch, c.fixed);
        EXPECT_EQ(m.truetype, 1);
        EXPECT_EQ(m.height, m.ascent + m.descent);
        // DejaVu's ascent and descent are 1901 and 483 of 2048 units per em.
        EXPECT_NEAR(m.ascent, 20 * 1901 / 2048.0, 1.0);
        EXPECT_NEAR(m.descent, 20 * 483 / 2048.0, 1.0);
        EXPECT_GT(m.line_height, 0);
        EXPECT_EQ(m.average_width, m.max_width);
        EXPECT_EQ(m.default_char, '?');
        EXPECT_EQ(m.external_leading + m.internal_leading + m.overhang, 0);
    }
}

TEST(FontBackend, UnopenableFaceStillMeasures)
{
    Font missing = TestFont("Qor Missing", 16);
    ASSERT_GT(missing.GetFace(), 3);
    EXPECT_EQ(GetFreeTypeFace(missing), nullptr);
    FontMetrics m;
    GetFontMetricsSys(m, missing);
    EXPECT_GE(m.height, 1);
    EXPECT_EQ(m.height, m.ascent + m.descent);
    EXPECT_EQ(m.max_width, 0);
    EXPECT_EQ(m.path[0], 0);
    EXPECT_FALSE(GetGlyphMetricsSys(missing, 'A').IsPresent());
    EXPECT_TRUE(missing.GetFilePath().IsVoid());
}

TEST(FontBackend, FilePathGivesTheFontFile)
{
    String data = Font(Font::SANSSERIF, 11).GetFilePath();
    ASSERT_EQ(data.GetLength(), (int)std::filesystem::file_size("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    EXPECT_EQ(data.Left(4), String("\0\1\0\0", 4)); // TrueType outlines
}

TEST(FontBackend, CollectionsOpenTheNamedFace)
{
    FT_Face sans = GetFreeTypeFace(TestFont("Qor Pair Sans", 30));
    FT_Face serif = GetFreeTypeFace(TestFont("Qor Pair Serif", 30));
    ASSERT_TRUE(sans && serif);
    EXPECT_STREQ(sans->family_name, "Qor Pair Sans");
    EXPECT_STREQ(serif->family_name, "Qor Pair Serif");
    // Same glyphs as the faces they were cut from.
    for(int ch : {'m', 'i', 'W'}) {
        EXPECT_EQ(GetGlyphMetricsSys(TestFont("Qor Pair Serif", 30), ch).advance,
                  GetGlyphMetricsSys(Font(Font::SERIF, 30), ch).advance);
        EXPECT_EQ(GetGlyphMetricsSys(TestFont("Qor Pair Sans", 30), ch).advance,
                  GetGlyphMetricsSys(Font(Font::SANSSERIF, 30), ch).advance);
    }
}

TEST(FontBackend, PatternPixelSize)
{
    struct Case {
        int height;
        double pixels;
    } cases[] = {{0, 10}, {-15, 15}, {15, 15}, {Font::STD_HEIGHT, 12}};
    for(const Case& c : cases) {
        FcPattern* match = CreateFontPattern(Font(Font::SANSSERIF, c.height));
        ASSERT_NE(match, nullptr);
        double px = 0;
        EXPECT_EQ(FcPatternGetDouble(match, FC_PIXEL_SIZE, 0, &px), FcResultMatch);
        EXPECT_EQ(px, c.pixels) << c.height;
        FcPatternDestroy(match);
    }
}

// Italic asks for the oblique slant: of a family with both styles the oblique face answers.
TEST(FontBackend, ItalicAsksForTheObliqueSlant)
{
    struct Case {
        Font font;
        const char* style;
    } cases[] = {
        { TestFont("Qor Slant", 30), "Book" },
        { TestFont("Qor Slant", 30).Italic(), "Oblique" },
        { TestFont("Qor Slant", 30).Bold().Italic(), "Oblique" },
    };
    for(const Case& c : cases) {
        FcPattern* match = CreateFontPattern(c.font);
        ASSERT_NE(match, nullptr);
        FcChar8* style = nullptr;
        EXPECT_EQ(FcPatternGetString(match, FC_STYLE, 0, &style), FcResultMatch);
        EXPECT_STREQ((const char*)style, c.style) << c.font.GetFaceName().Begin();
        FcPatternDestroy(match);
    }
}

TEST(FontBackend, GlyphMetrics)
{
    Font f = TestFont("DejaVu Sans Mono", 20);
    GlyphMetrics a = GetGlyphMetricsSys(f, 'A');
    GlyphMetrics i = GetGlyphMetricsSys(f, 'i');
    ASSERT_TRUE(a.IsPresent());
    EXPECT_EQ(a.advance, i.advance); // monospaced
    EXPECT_NEAR(a.advance, 20 * 1233 / 2048.0, 1.0);
    EXPECT_NE(a.glyph, 0);
    EXPECT_NE(a.glyph, i.glyph);
    // The ink of 'A' lies within its cell; the bearings measure the margins.
    EXPECT_GE(a.left_bearing, 0);
    EXPECT_GE(a.right_bearing, 0);
    EXPECT_LT(a.left_bearing + a.right_bearing, a.advance);
    GlyphMetrics cjk = GetGlyphMetricsSys(f, 0x4E00);
    EXPECT_FALSE(cjk.IsPresent());
    EXPECT_EQ(cjk.left_bearing, 0);
    EXPECT_EQ(cjk.glyph, 0);
}

// A tag in a face's client data tells whether the cache gave the same open face back.
void Tag(FT_Face f) { f->generic.data = (void*)&Tag; }
bool Tagged(FT_Face f) { return f && f->generic.data == (void*)&Tag; }

TEST(FontBackend, FaceCacheKeepsTheLast37)
{
    Font first = Font(Font::SANSSERIF, 200);
    for(int others : {36, 37}) {
        FlushFontFaceCache();
        FT_Face f = GetFreeTypeFace(first);
        ASSERT_NE(f, nullptr);
        Tag(f);
        for(int i = 1; i <= others; i++)
            GetFreeTypeFace(Font(Font::SANSSERIF, 200 + i));
        EXPECT_EQ(Tagged(GetFreeTypeFace(first)), others < 37) << others;
    }
    // A hit moves to the front: used again in between, it outlives 37 newer fonts.
    FlushFontFaceCache();
    Tag(GetFreeTypeFace(first));
    for(int i = 1; i <= 60; i++) {
        GetFreeTypeFace(Font(Font::SANSSERIF, 300 + i));
        if(i % 30 == 0) {
            EXPECT_TRUE(Tagged(GetFreeTypeFace(first)));
        }
    }
    // After a flush the font is opened anew.
    FlushFontFaceCache();
    EXPECT_FALSE(Tagged(GetFreeTypeFace(first)));
}

TEST(FontBackend, FaceListFlagsFromTheSystemList)
{
    const Vector<FontFaceInfo>& list = GetFontFaceList();
    int families = 0;
    for(const char* name : { "DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono", "Qor Latin", "Qor Latin Mono",
                             "Qor Pair Sans", "Qor Pair Serif", "Qor Missing", "Qor Broken A", "Qor Slant" }) {
        int face = TestFace(name);
        ASSERT_GT(face, 3) << name;
        EXPECT_EQ(list[face].flags & 2, 2u) << name;
        EXPECT_EQ(list[face].flags & 1, std::strstr(name, "Mono") ? 1u : 0u) << name;
        families++;
    }
    // Regular and bold list as one pattern: the asked-for properties are the same.
    EXPECT_EQ(list.GetCount(), 4 + families);
}

} // namespace
} // namespace Qor
