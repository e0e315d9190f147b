// Text drawing: runs, fallback characters, advances, underline and strikeout lines and
// rotation, as call logs of a recording Draw.

#include "draw/draw.h"
#include "draw/font/font_metrics.h"
#include "foundation/charset.h"
#include "tests/draw/support/font_faces.h"
#include "tests/draw/support/recording_draw.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace Qor {
namespace {

using QorTest::RecordingDraw;
using QorTest::TestFont;
using Log = std::vector<std::string>;

std::string TextRun(int x, int y, int angle, const std::string& text, Font f, const std::string& dx = "[]",
                const char* ink = "#000000")
{
    char font[24];
    std::snprintf(font, sizeof font, "font %016llX", (unsigned long long)f.GetData());
    return "DrawTextRun(" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(angle) + ", \"" +
           text + "\", " + font + ", " + ink + ", " + dx + ")";
}

std::string Line(int x1, int y1, int x2, int y2, int width, const char* ink = "#000000")
{
    return "DrawLine(" + std::to_string(x1) + ", " + std::to_string(y1) + ", " + std::to_string(x2) + ", " +
           std::to_string(y2) + ", " + std::to_string(width) + ", " + ink + ")";
}

int W(Font f, int ch) { return f.GetCharWidth(ch); }
int Ascent(Font f) { return f.GetMetrics().ascent; }

Log Drawn(const WString& text, Font f, const int* dx = nullptr, dword flags = 0, Color ink = Black(), int x = 5,
          int y = 7)
{
    RecordingDraw w(flags);
    w.DrawText(x, y, text, f, ink, dx);
    return w.log;
}

WString Units(std::initializer_list<int> chars)
{
    WString s;
    for(int c : chars)
        s.AppendChar(c);
    return s;
}

TEST(TextDraw, RunsAndFallbacks)
{
    Font sans = Font(Font::SANSSERIF, 20);
    Font latin = TestFont("Qor Latin", 30);
    GlyphMetrics zhe = GetGlyphMetrics(latin, 0x416);
    Font r = Font(latin).Face(zhe.left_bearing).Height(zhe.right_bearing);
    ComposedGlyph macron;
    ASSERT_TRUE(ComposeGlyph(latin, 0x100, macron));
    Font square(Font::SANSSERIF, 30);
    static const int tens[] = {10, 10, 10};
    struct Case {
        const char* what;
        WString text;
        Font font;
        const int* dx;
        Log log;
    } cases[] = {
        {"present glyphs make one run", Units({'a', 'b', 'c'}), sans, nullptr, {TextRun(5, 7, 0, "abc", sans)}},
        {"a replacement face sits on the same baseline", Units({'a', 0x416, 'b'}), latin, nullptr,
         {TextRun(5, 7, 0, "a", latin), TextRun(5 + W(latin, 'a'), 7 + Ascent(latin) - Ascent(r), 0, "\\u0416", r),
          TextRun(5 + W(latin, 'a') + W(r, 0x416), 7, 0, "b", latin)}},
        {"given advances replace the glyphs'", Units({'a', 0x416, 'b'}), latin, tens,
         {TextRun(5, 7, 0, "a", latin, "[10]"), TextRun(15, 7 + Ascent(latin) - Ascent(r), 0, "\\u0416", r),
          TextRun(25, 7, 0, "b", latin, "[10]")}},
        {"a composed letter is its base and an accent", Units({0x100, 'x'}), latin, nullptr,
         {TextRun(5, 7, 0, "A", latin),
          TextRun(5 + macron.accent_dx, 7 + macron.accent_dy, 0, "\\u00AF", Font(latin).Height(27)),
          TextRun(5 + W(latin, 'A'), 7, 0, "x", latin)}},
        {"what no face has is a white square", Units({0x4E00, 'q'}), latin, nullptr,
         {TextRun(5, 7, 0, "\\u25A1", square), TextRun(5 + W(square, 0x25A1), 7, 0, "q", latin)}},
        {"the standard font resolves", Units({'o', 'k'}), GetStandardFontReference(), nullptr,
         {TextRun(5, 7, 0, "ok", Font(Font::SANSSERIF, 12))}},
    };
    for(const Case& c : cases)
        EXPECT_EQ(Drawn(c.text, c.font, c.dx), c.log) << c.what;
    EXPECT_TRUE(Drawn(Units({'a'}), sans, nullptr, 0, Color()).empty());
    EXPECT_TRUE(Drawn(WString(), sans).empty());
}

TEST(TextDraw, EightBitForms)
{
    Font f(Font::SERIF, 14);
    String text = "na\xc3\xafve \xe2\x82\xac"; // UTF-8 with a euro sign
    ASSERT_EQ(DefaultCharset(), CHARSET_UTF8);
    Log wide = Drawn(DecodeUtf8(text), f);
    RecordingDraw a, b, c;
    a.DrawText(5, 7, text, f, Black());
    b.DrawText(5, 7, text.Begin(), f, Black());
    c.DrawText(5, 7, text.Begin(), f, Black(), 3); // "na" and the first byte of the next character
    EXPECT_EQ(a.log, wide);
    EXPECT_EQ(b.log, wide);
    EXPECT_EQ(c.log.size(), 2u);
}

TEST(TextDraw, LinesForTargetsWithoutThem)
{
    Font f = Font(Font::SANSSERIF, 30);
    const FontMetrics& fm = f.GetMetrics();
    int h = fm.height, asc = fm.ascent, y0 = 7 + asc;
    int th = std::max(1, h / 20);
    int u = std::max(h / 15, 1);
    int wab = W(f, 'a') + W(f, 'b');
    Font under = Font(f).Underline();
    Font both = Font(f).Underline().Strikeout();
    struct Case {
        const char* what;
        WString text;
        Font font;
        dword flags;
        Log log;
    } cases[] = {
        {"underline", Units({'a', 'b'}), under, Draw::DRAW_TEXT_LINES,
         {TextRun(5, 7, 0, "ab", f), Line(5, y0 + u, 5 + wab, y0 + u, th)}},
        {"underline and strikeout", Units({'a', 'b'}), both, Draw::DRAW_TEXT_LINES,
         {TextRun(5, 7, 0, "ab", f), Line(5, y0 + u, 5 + wab, y0 + u, th),
          Line(5, y0 - asc / 3, 5 + wab, y0 - asc / 3, th)}},
        {"an empty text still has its line", WString(), under, Draw::DRAW_TEXT_LINES,
         {Line(5, y0 + u, 5, y0 + u, th)}},
        {"a target that underlines gets the flag", Units({'a', 'b'}), under, 0, {TextRun(5, 7, 0, "ab", under)}},
    };
    for(const Case& c : cases)
        EXPECT_EQ(Drawn(c.text, c.font, nullptr, c.flags), c.log) << c.what;
}

TEST(TextDraw, Rotated)
{
    Font f = Font(Font::SANSSERIF, 20).Underline();
    Font plain = Font(f).Underline(false);
    int wa = W(f, 'a'), wb = W(f, 'b');
    int asc = f.GetMetrics().ascent;
    int u = std::max(f.GetMetrics().height / 15, 1);
    int th = std::max(1, f.GetMetrics().height / 20);
    RecordingDraw w(Draw::DRAW_TEXT_LINES);
    w.DrawText(100, 100, 900, Units({'a', 'b'}), f, Black());
    // Straight up: each character by itself, the text going toward smaller y.
    Log up = {TextRun(100, 100, 900, "a", plain), TextRun(100, 100 - wa, 900, "b", plain),
              Line(100 + asc + u, 100, 100 + asc + u, 100 - wa - wb, th)};
    EXPECT_EQ(w.log, up);

    RecordingDraw d;
    d.DrawText(10, 20, 450, Units({'a', 'b'}), plain, Black());
    double s = std::sqrt(0.5);
    Log diagonal = {TextRun(10, 20, 450, "a", plain), TextRun(10 + (int)(wa * s), 20 - (int)(wa * s), 450, "b", plain)};
    EXPECT_EQ(d.log, diagonal);

    RecordingDraw z;
    z.DrawText(10, 20, 0, Units({'a', 'b'}), plain, Black());
    EXPECT_EQ(z.log, Log{TextRun(10, 20, 0, "ab", plain)});
}

// Recorded drawings carry positions from anywhere in the int range, and advances add up
// past it: text placed beyond the range stays at its end instead of wrapping around.
TEST(TextDraw, PositionsPastTheIntRangeStayAtItsEnd)
{
    Font latin = TestFont("Qor Latin", 30);
    Font square(Font::SANSSERIF, 30);
    ASSERT_GT(W(latin, 'a'), 5);
    EXPECT_EQ(Drawn(Units({'a', 0x4E00}), latin, nullptr, 0, Black(), INT_MAX - 5),
              (Log{TextRun(INT_MAX - 5, 7, 0, "a", latin), TextRun(INT_MAX, 7, 0, "\\u25A1", square)}));

    Font f = Font(Font::SANSSERIF, 30);
    Font under = Font(f).Underline();
    int y0 = 7 + Ascent(f);
    int th = std::max(1, f.GetMetrics().height / 20);
    int u = std::max(f.GetMetrics().height / 15, 1);
    static const int huge[] = {INT_MAX, INT_MAX, 1};
    Log lines = Drawn(Units({'a', 'b', 'c'}), under, huge, Draw::DRAW_TEXT_LINES);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], Line(5, y0 + u, INT_MAX, y0 + u, th));

    int wa = W(f, 'a'), wb = W(f, 'b');
    ASSERT_GT(wa, 3);
    RecordingDraw up(Draw::DRAW_TEXT_LINES);
    up.DrawText(INT_MAX - 5, 100, 900, Units({'a', 'b'}), under, Black());
    EXPECT_EQ(up.log, (Log{TextRun(INT_MAX - 5, 100, 900, "a", f), TextRun(INT_MAX - 5, 100 - wa, 900, "b", f),
                           Line(INT_MAX, 100, INT_MAX, 100 - wa - wb, th)}));
    RecordingDraw top;
    top.DrawText(100, INT_MIN + 3, 900, Units({'a', 'b'}), f, Black());
    EXPECT_EQ(top.log, (Log{TextRun(100, INT_MIN + 3, 900, "a", f), TextRun(100, INT_MIN, 900, "b", f)}));
}

} // namespace
} // namespace Qor
