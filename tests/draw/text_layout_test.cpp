// Text measuring (without allocating), the ellipsis cut and multi-line text.

#include "draw/draw.h"
#include "draw/font/font_metrics.h"
#include "draw/text/text.h"
#include "foundation/charset.h"
#include "foundation/heap.h"
#include "tests/draw/support/font_faces.h"
#include "tests/draw/support/raster_draw.h"
#include "tests/draw/support/recording_draw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Qor {
namespace {

using QorTest::RecordingDraw;
using Log = std::vector<std::string>;

std::string TextRun(int x, int y, const std::string& text, Font f)
{
    char font[24];
    std::snprintf(font, sizeof font, "font %016llX", (unsigned long long)f.GetData());
    return "DrawTextRun(" + std::to_string(x) + ", " + std::to_string(y) + ", 0, \"" + text + "\", " + font +
           ", #000000, [])";
}

WString W(const char* s) { return DecodeUtf8(s); }
int Width(Font f, const char* s) { return GetTextSize(s, f).cx; }

TEST(TextMeasure, SizeIsTheSumOfAdvances)
{
    Font f(Font::SANSSERIF, 20);
    Font latin = QorTest::TestFont("Qor Latin", 20);
    int h = f.GetMetrics().height;
    struct Case {
        const char* text;
        Font font;
        int cx;
    } cases[] = {
        {"", f, 0},
        {"a", f, f.GetCharWidth('a')},
        {"ab c", f, f.GetCharWidth('a') + f.GetCharWidth('b') + f.GetCharWidth(' ') + f.GetCharWidth('c')},
        {"\xc5\xbe\xc4\x8f", latin, latin.GetCharWidth(0x17E) + latin.GetCharWidth(0x10F)},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(GetTextSize(c.text, c.font), Size(c.cx, c.font.GetMetrics().height)) << c.text;
        EXPECT_EQ(GetTextSize(String(c.text), c.font).cx, c.cx) << c.text;
        EXPECT_EQ(GetTextSize(W(c.text), c.font).cx, c.cx) << c.text;
    }
    EXPECT_EQ(GetTextSize("abc", f, 2).cx, Width(f, "ab"));
    EXPECT_EQ(GetTextSize("abc", f).cy, h);
}

GlyphMetrics WideGlyphs(Font, int ch)
{
    GlyphMetrics m;
    m.advance = (int16)(ch % 7 + 30);
    return m;
}

// Widths come from a table per font once measured; fonts that share its slot stay apart.
TEST(TextMeasure, RepeatedMeasuringFollowsTheFontAndTheHook)
{
    const char* text = "Ab \xc5\x99\xe2\x82\xac z"; // ř below the table's end, € beyond it
    WString w = W(text);
    auto Sum = [&](Font f) {
        int cx = 0;
        for(int i = 0; i < w.GetLength(); i++)
            cx += f.GetCharWidth(w[i]);
        return cx;
    };
    for(int height = 9; height < 30; height++) { // more fonts than tables
        Font f(Font::SANSSERIF, height);
        EXPECT_EQ(Width(f, text), Sum(f)) << height;
        EXPECT_EQ(Width(f, text), Sum(f)) << height;
    }
    for(int height = 9; height < 30; height++)
        EXPECT_EQ(Width(Font(Font::SANSSERIF, height), text), Sum(Font(Font::SANSSERIF, height))) << height;

    // A font first measured under a hook has the hook's widths.
    GlyphMetrics (*old)(Font, int) = GlyphMetricsHook;
    GlyphMetricsHook = WideGlyphs;
    int hooked = Width(Font(Font::SANSSERIF, 983), text);
    GlyphMetricsHook = old;
    int want = 0;
    for(int i = 0; i < w.GetLength(); i++)
        want += WideGlyphs(Font(), w[i]).advance;
    EXPECT_EQ(hooked, want);
}

TEST(TextMeasure, LongTextsAcrossPieces)
{
    // Two-byte characters straddle the decoder's piece boundaries at every offset.
    Font f(Font::SERIF, 13);
    for(int lead = 0; lead < 3; lead++) {
        String text(String("xy").Left(lead));
        WString wide = DecodeUtf8(text);
        for(int i = 0; i < 400; i++) {
            text.Append(i % 3 ? "\xc3\xa9" : "q"); // é or q
            wide.AppendChar(i % 3 ? 0xE9 : 'q');
        }
        text.Append("\xc3"); // a stray lead byte at the end
        wide.AppendChar(0xEEC3);
        EXPECT_EQ(GetTextSize(text, f).cx, GetTextSize(wide, f).cx) << lead;
    }
}

TEST(TextMeasure, WarmMeasuringDoesNotAllocate)
{
    Font f(Font::SANSSERIF, 15);
    String text;
    for(int i = 0; i < 300; i++)
        text.Append("Mixed Latin t\xc3\xa9xt, \xc5\xbelu\xc5\xa5ou\xc4\x8dk\xc3\xbd! ");
    WString wide = DecodeUtf8(text);
    GetTextSize(text, f);
    GetTextSize(wide, f);
    int64 before = HeapAllocationCount();
    Size a = GetTextSize(text, f);
    Size b = GetTextSize(wide, f);
    Size c = GetTextSize(text.Begin(), f);
    Size d = GetMultilineTextSize(wide.Begin(), f);
    EXPECT_EQ(HeapAllocationCount(), before);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
    EXPECT_EQ(a, d);
    EXPECT_GT(a.cx, 1000);
}

TEST(TextMeasure, MultilineSize)
{
    Font f(Font::SANSSERIF, 20);
    int h = f.GetMetrics().height;
    int wb = f.GetCharWidth('b');
    struct Case {
        const char* text;
        Size size;
    } cases[] = {
        {"", Size(0, h)},
        {"a\tb", Size(2 * h + wb, h)},
        {"\t\t", Size(4 * h, h)},
        {"ab\n", Size(Width(f, "ab"), 2 * h)},
        {"a\nbbbb\nc", Size(Width(f, "bbbb"), 3 * h)},
        {"a\x01\x02" "b", Size(Width(f, "ab"), h)},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(GetMultilineTextSize(W(c.text).Begin(), f), c.size) << c.text;
        EXPECT_EQ(GetMultilineTextHeight(W(c.text).Begin(), f), c.size.cy) << c.text;
    }
}

TEST(TextLayout, Ellipsis)
{
    Font f(Font::SANSSERIF, 20);
    int ew = Width(f, "...");
    struct Case {
        const char* what;
        int cx;
        Log log;
    } cases[] = {
        {"a text that fits is drawn whole", Width(f, "abcdef"), {TextRun(3, 4, "abcdef", f)}},
        {"the cut keeps room for the ellipsis", Width(f, "ab") + ew,
         {TextRun(3, 4, "ab", f), TextRun(3 + Width(f, "ab"), 4, "...", f)}},
        {"one pixel short loses one more", Width(f, "ab") + ew - 1,
         {TextRun(3, 4, "a", f), TextRun(3 + Width(f, "a"), 4, "...", f)}},
        {"at least one character stays", 1, {TextRun(3, 4, "a", f), TextRun(3 + Width(f, "a"), 4, "...", f)}},
    };
    for(const Case& c : cases) {
        RecordingDraw w;
        DrawTextEllipsis(w, 3, 4, c.cx, W("abcdef").Begin(), "...", f, Black());
        EXPECT_EQ(w.log, c.log) << c.what;
    }
}

TEST(TextLayout, MultilineWithAccessKey)
{
    Font f(Font::SANSSERIF, 20);
    Font u = Font(f).Underline();
    int h = f.GetMetrics().height;
    struct Case {
        const char* what;
        const char* text;
        dword key;
        Log log;
    } cases[] = {
        {"the first S", "Save as", 'S', {TextRun(0, 0, "S", u), TextRun(Width(f, "S"), 0, "ave as", f)}},
        {"the s at position 7", "Save as", 'S' | 7 << 16,
         {TextRun(0, 0, "Save a", f), TextRun(Width(f, "Save a"), 0, "s", u)}},
        {"a key from an accented letter", "\xc5\xa0ip", 'S',
         {TextRun(0, 0, "\\u0160", u), TextRun(Width(f, "\xc5\xa0"), 0, "ip", f)}},
        {"only the first match in the text", "x\nsis", 'S',
         {TextRun(0, 0, "x", f), TextRun(0, h, "s", u), TextRun(Width(f, "s"), h, "is", f)}},
        {"tabs and lines", "a\tb\n\tc", 0,
         {TextRun(0, 0, "a", f), TextRun(2 * h, 0, "b", f), TextRun(2 * h, h, "c", f)}},
        {"no key", "Save", 'Q', {TextRun(0, 0, "Save", f)}},
    };
    for(const Case& c : cases) {
        RecordingDraw w;
        DrawMultilineText(w, 0, 0, 1, W(c.text).Begin(), f, Black(), c.key);
        EXPECT_EQ(w.log, c.log) << c.what;
    }
}

TEST(TextLayout, MultilinePixels)
{
    // The raster target paints each run as a box (height 6, 3 pixels per character):
    // the second line starts one font height lower, the tab stop at twice the height.
    Font f(Font::SANSSERIF, 6);
    int h = f.GetMetrics().height;
    ASSERT_GE(h, 6);
    QorTest::RasterDraw w(4 * h + 4, 2 * h + 2);
    DrawMultilineText(w, 1, 1, 0, W("a\tb\nc").Begin(), f, Black());
    auto ink = [&](int x, int y) { return w.At(x, y).r == 0; };
    EXPECT_TRUE(ink(1, 1));
    EXPECT_TRUE(ink(3, 6));
    EXPECT_FALSE(ink(4, 1));
    EXPECT_FALSE(ink(2 * h, 1));
    EXPECT_TRUE(ink(2 * h + 1, 1));
    EXPECT_TRUE(ink(2 * h + 3, 6));
    EXPECT_FALSE(ink(2 * h + 4, 1));
    EXPECT_TRUE(ink(1, h + 1));
    EXPECT_FALSE(ink(1, h));
    EXPECT_FALSE(ink(2 * h + 1, h + 1));
}

} // namespace
} // namespace Qor
