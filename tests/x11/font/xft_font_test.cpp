// Xft font requests, the rendering settings, the open-font caches.

// First: GoogleTest before the X headers, whose macros clash with its names.
#include "tests/support/x11/gui_test.h"

#include "ctrl/x11/font/xft_font.h"
#include "ctrl/x11/font/xft_font_cache.h"
#include "draw/font/font_metrics.h"

#include <X11/Xft/Xft.h>

#include <algorithm>
#include <string>
#include <vector>

namespace Qor {
namespace {

int GetInt(FcPattern* p, const char* object)
{
    int v = -12345;
    FcPatternGetInteger(p, object, 0, &v);
    return v;
}

int GetBool(FcPattern* p, const char* object)
{
    FcBool v = 7;
    return FcPatternGetBool(p, object, 0, &v) == FcResultMatch ? v : -1;
}

double GetDouble(FcPattern* p, const char* object)
{
    double v = -1;
    FcPatternGetDouble(p, object, 0, &v);
    return v;
}

TEST(XftFontRequest, CarriesFamilyStyleAndSize)
{
    FcPattern* p = CreateXftFontRequest(Font(Font::SANSSERIF, 13).Bold().Italic(), 0);
    ASSERT_NE(p, nullptr);
    FcChar8* family = nullptr;
    ASSERT_EQ(FcPatternGetString(p, FC_FAMILY, 0, &family), FcResultMatch);
    EXPECT_STREQ((const char*)family, "sansserif");
    EXPECT_EQ(GetInt(p, FC_WEIGHT), 200);
    EXPECT_EQ(GetInt(p, FC_SLANT), 110);
    EXPECT_EQ(GetDouble(p, FC_PIXEL_SIZE), 13);
    EXPECT_EQ(GetBool(p, FC_MINSPACE), FcTrue);
    FcMatrix* m = nullptr;
    EXPECT_NE(FcPatternGetMatrix(p, FC_MATRIX, 0, &m), FcResultMatch) << "no rotation at angle 0";
    FcPatternDestroy(p);

    p = CreateXftFontRequest(Font(Font::SERIF, -20), 0);
    EXPECT_EQ(GetInt(p, FC_WEIGHT), 100);
    EXPECT_EQ(GetInt(p, FC_SLANT), 0);
    EXPECT_EQ(GetDouble(p, FC_PIXEL_SIZE), 20) << "negative heights count by their size";
    FcPatternDestroy(p);
}

TEST(XftFontRequest, RotationMatrix)
{
    FcPattern* p = CreateXftFontRequest(Font(Font::SANSSERIF, 12), 900);
    FcMatrix* m = nullptr;
    ASSERT_EQ(FcPatternGetMatrix(p, FC_MATRIX, 0, &m), FcResultMatch);
    EXPECT_EQ(m->xx, 0);
    EXPECT_EQ(m->xy, -1);
    EXPECT_EQ(m->yx, 1);
    EXPECT_EQ(m->yy, 0);
    FcPatternDestroy(p);
}

// Measured through Xft, as every font of a running program: the metric caches keep what
// they measured first.
class XftFontHeight : public QorTest::GuiTest {};

TEST_F(XftFontHeight, ZeroTakesTheStandardSizeButAtLeastTen)
{
    Font standard = GetStandardFont();
    EXPECT_EQ(GetXftPixelSize(Font(Font::SANSSERIF, 0)), std::max(GetStandardFontSize().cy, 10));
    SetStandardFont(Font(Font::SANSSERIF, 30));
    int large = GetXftPixelSize(Font(Font::SANSSERIF, 0));
    SetStandardFont(Font(Font::SANSSERIF, 5));
    int small = GetXftPixelSize(Font(Font::SANSSERIF, 0));
    SetStandardFont(standard);
    EXPECT_GE(large, 30);
    EXPECT_EQ(small, 10);
}

// A matched pattern as fontconfig might give it: anti-aliased, hinted, full hinting, RGB.
FcPattern* MatchedPattern()
{
    FcPattern* p = FcPatternCreate();
    FcPatternAddBool(p, FC_ANTIALIAS, FcTrue);
    FcPatternAddBool(p, FC_HINTING, FcTrue);
    FcPatternAddInteger(p, FC_HINT_STYLE, 3);
    FcPatternAddInteger(p, FC_RGBA, 1);
    return p;
}

struct SettingsCase {
    const char* name;
    int antialias, hinting;
    const char* hint_style;
    const char* sub_pixel;
    bool noaa;
    int want_antialias, want_hinting, want_hint_style, want_rgba;
};

TEST(XftRenderSettings, EditTheMatchedPattern)
{
    const SettingsCase cases[] = {
        { "nothing set", -1, -1, "", "", false, 1, 1, 3, 1 },
        { "no-aa font", -1, -1, "", "", true, 0, 1, 3, 1 },
        { "no-aa font over aa on", 1, -1, "", "", true, 0, 1, 3, 1 },
        { "aa off", 0, -1, "", "", false, 0, 1, 3, 1 },
        { "aa any non-zero", 5, -1, "", "", false, 1, 1, 3, 1 },
        { "hinting off", -1, 0, "", "", false, 1, 0, 3, 1 },
        { "hintnone", -1, -1, "hintnone", "", false, 1, 1, 0, 1 },
        { "hintslight", -1, -1, "hintslight", "", false, 1, 1, 1, 1 },
        { "hintmedium", -1, -1, "hintmedium", "", false, 1, 1, 2, 1 },
        { "unknown hint style", -1, -1, "hintsome", "", false, 1, 1, 3, 1 },
        { "bgr", -1, -1, "", "bgr", false, 1, 1, 3, 2 },
        { "underscore", -1, -1, "", "_", false, 1, 1, 3, 0 },
        { "vbgr", -1, -1, "", "vbgr", false, 1, 1, 3, 4 },
        { "unknown order", -1, -1, "", "grb", false, 1, 1, 3, 1 },
    };
    for(const SettingsCase& c : cases) {
        SCOPED_TRACE(c.name);
        XftRenderSettings s;
        s.antialias = c.antialias;
        s.hinting = c.hinting;
        s.hint_style = c.hint_style;
        s.sub_pixel = c.sub_pixel;
        FcPattern* p = MatchedPattern();
        ApplyXftRenderSettings(p, Font(Font::SANSSERIF, 12).NonAntiAliased(c.noaa), s);
        EXPECT_EQ(GetBool(p, FC_ANTIALIAS), c.want_antialias);
        EXPECT_EQ(GetBool(p, FC_HINTING), c.want_hinting);
        EXPECT_EQ(GetInt(p, FC_HINT_STYLE), c.want_hint_style);
        EXPECT_EQ(GetInt(p, FC_RGBA), c.want_rgba);
        // Replaced, never added beside the old value.
        FcBool second;
        EXPECT_NE(FcPatternGetBool(p, FC_ANTIALIAS, 1, &second), FcResultMatch);
        FcPatternDestroy(p);
    }
}

class XftFontOpen : public QorTest::GuiTest {};

TEST_F(XftFontOpen, OpensWithTheSettingsOfItsTime)
{
    XftRenderSettings& s = GetXftRenderSettings();
    XftRenderSettings saved = s;
    s.sub_pixel = "vrgb";
    XftFont* plain = CreateXftFont(Font(Font::SANSSERIF, 14), 0);
    XftFont* noaa = CreateXftFont(Font(Font::SANSSERIF, 14).NonAntiAliased(), 0);
    s = saved;
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(noaa, nullptr);
    EXPECT_EQ(GetInt(plain->pattern, FC_RGBA), 3);
    EXPECT_EQ(GetBool(noaa->pattern, FC_ANTIALIAS), FcFalse);
    EXPECT_EQ(GetDouble(plain->pattern, FC_PIXEL_SIZE), 14);
    EXPECT_GT(plain->ascent, 0);
    CloseXftFont(plain);
    CloseXftFont(noaa);
}

// A match kept from an earlier opening serves only the very same request, and each opening
// still takes the settings of its own time.
TEST_F(XftFontOpen, KeptMatchesServeOnlyTheSameRequest)
{
    XftRenderSettings& s = GetXftRenderSettings();
    XftRenderSettings saved = s;
    Font standard = GetStandardFont();
    struct Case {
        const char* what;
        Font font;
        int angle;
        int standard_height;
        const char* sub_pixel;
        bool want_bold;
        bool want_matrix;
        int want_rgba;
    };
    const Case cases[] = {
        { "plain", Font(Font::SANSSERIF, 14), 0, 12, "vrgb", false, false, 3 },
        { "bold", Font(Font::SANSSERIF, 14).Bold(), 0, 12, "vrgb", true, false, 3 },
        { "rotated", Font(Font::SANSSERIF, 14), 900, 12, "vrgb", false, true, 3 },
        { "again, other settings", Font(Font::SANSSERIF, 14), 0, 12, "bgr", false, false, 2 },
        { "standard height", Font(Font::SANSSERIF, 0), 0, 24, "rgb", false, false, 1 },
        { "the standard height changed", Font(Font::SANSSERIF, 0), 0, 33, "rgb", false, false, 1 },
    };
    std::vector<double> sizes;
    for(const Case& c : cases) {
        SetStandardFont(Font(Font::SANSSERIF, c.standard_height));
        s.sub_pixel = c.sub_pixel;
        XftFont* f = CreateXftFont(c.font, c.angle);
        ASSERT_NE(f, nullptr) << c.what;
        sizes.push_back(GetDouble(f->pattern, FC_PIXEL_SIZE));
        EXPECT_EQ(sizes.back(), GetXftPixelSize(c.font)) << c.what;
        EXPECT_EQ(GetInt(f->pattern, FC_WEIGHT) >= FC_WEIGHT_BOLD, c.want_bold) << c.what;
        FcMatrix* m = nullptr;
        EXPECT_EQ(FcPatternGetMatrix(f->pattern, FC_MATRIX, 0, &m) == FcResultMatch, c.want_matrix) << c.what;
        EXPECT_EQ(GetInt(f->pattern, FC_RGBA), c.want_rgba) << c.what;
        CloseXftFont(f);
    }
    s = saved;
    SetStandardFont(standard);
    EXPECT_NE(sizes[4], sizes[5]) << "the standard size is part of the request";
}

// Stands in for fontconfig: counts the opened and closed fonts by their keys.
std::vector<int> opened, closed;

XftFont* FakeOpen(Font font, int angle)
{
    opened.push_back(font.GetHeightCode() + angle);
    return reinterpret_cast<XftFont*>((intptr_t)(font.GetHeightCode() * 16 + 16));
}

void FakeClose(XftFont* f) { closed.push_back((int)(reinterpret_cast<intptr_t>(f) / 16 - 1)); }

TEST(XftFontCacheOrder, MostRecentFirstAndTheOldestClosed)
{
    opened.clear();
    closed.clear();
    XftFontCache cache(FakeOpen, FakeClose);
    for(int h = 1; h <= XftFontCache::SIZE; h++)
        cache.Get(Font(Font::SANSSERIF, h), 0);
    EXPECT_EQ(opened.size(), 37u);
    EXPECT_TRUE(closed.empty());
    EXPECT_EQ(cache.GetFont(0).GetHeightCode(), 37);
    EXPECT_EQ(cache.GetFont(36).GetHeightCode(), 1);

    // Place 36 comes to the front without opening anything; the others move down one.
    XftFont* again = cache.Get(Font(Font::SANSSERIF, 1), 0);
    EXPECT_EQ(reinterpret_cast<intptr_t>(again), 2 * 16);
    EXPECT_EQ(opened.size(), 37u);
    EXPECT_EQ(cache.GetFont(0).GetHeightCode(), 1);
    EXPECT_EQ(cache.GetFont(1).GetHeightCode(), 37);
    EXPECT_EQ(cache.GetFont(36).GetHeightCode(), 2);

    // The 38th distinct font closes the least recently used one.
    cache.Get(Font(Font::SANSSERIF, 100), 0);
    EXPECT_EQ(opened.size(), 38u);
    EXPECT_EQ(closed, std::vector<int>({ 2 }));
    EXPECT_EQ(cache.GetFont(0).GetHeightCode(), 100);

    // The angle is part of the key.
    cache.Get(Font(Font::SANSSERIF, 100), 900);
    EXPECT_EQ(opened.size(), 39u);
    EXPECT_EQ(cache.GetAngle(0), 900);
    EXPECT_EQ(cache.GetAngle(1), 0);
}

TEST(XftFontCacheOrder, EmptyEntriesNeverMatch)
{
    opened.clear();
    XftFontCache cache(FakeOpen, FakeClose);
    EXPECT_EQ(cache.Get(Font(), 0), FakeOpen(Font(), 0));
    EXPECT_EQ(opened.size(), 2u) << "an all-zero font is opened, not taken from an empty entry";
}

} // namespace
} // namespace Qor

namespace Qor {
namespace {

// Opening a font of height 0 measures the standard font through the same cache.
XftFontCache* reentered_cache = nullptr;

XftFont* ReenteringOpen(Font font, int angle)
{
    if(font.GetHeightCode() == 0)
        reentered_cache->Get(Font(Font::SANSSERIF, 12), 0);
    return FakeOpen(font, angle);
}

TEST(XftFontCacheOrder, OpeningThatUsesTheCacheKeepsBothFonts)
{
    opened.clear();
    closed.clear();
    XftFontCache cache(ReenteringOpen, FakeClose);
    reentered_cache = &cache;
    XftFont* zero = cache.Get(Font(Font::SANSSERIF, 0), 0);
    EXPECT_EQ(cache.GetFont(0).GetHeightCode(), 0);
    EXPECT_EQ(cache.GetFont(1).GetHeightCode(), 12);
    EXPECT_EQ(cache.Get(Font(Font::SANSSERIF, 0), 0), zero);
    EXPECT_EQ(cache.Get(Font(Font::SANSSERIF, 12), 0), FakeOpen(Font(Font::SANSSERIF, 12), 0));
    EXPECT_EQ(opened.size(), 3u) << "two opened through the cache, one here";
}

} // namespace
} // namespace Qor
