// Drawing text: runs of present glyphs as one DrawTextRun each, every other character
// through its fallback (replacement face, composed letter, white square), and the
// underline and strikeout lines for targets that cannot draw them.

#include "draw/target/draw.h"

#include "draw/font/font_metrics.h"
#include "foundation/charset.h"
#include "foundation/numeric.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace Qor {

namespace {

constexpr int WHITE_SQUARE = 0x25A1;

// Positions come from anywhere in the int range (recorded drawings, callers' layouts) and
// advances add up past it: they are summed in 64 bits or as whole doubles and saturated
// into the int range instead of wrapping (FloorToInt).
struct TextPen {
    Draw& w;
    int x, y, angle;
    double sin, cos;
    Color ink;

    // The place of a point off along the baseline direction and dy across it.
    int X(double off) const { return FloorToInt(x + std::trunc(off * cos)); }
    int Y(double off) const { return FloorToInt(y - std::trunc(off * sin)); }

    void Char(int64 off, int dy, wchar16 ch, Font font) const
    {
        if(angle == 0)
            w.DrawTextRun(FloorToInt(double(x + off)), FloorToInt(double(y) + dy), 0, &ch, font, ink, 1, nullptr);
        else // the shift goes along the text direction, as the rotated form has always placed it
            w.DrawTextRun(X(double(off)), Y(double(off + dy)), angle, &ch, font, ink, 1, nullptr);
    }
    void CharAt(int64 off, int dx, int dy, wchar16 ch, Font font) const
    {
        if(angle == 0)
            w.DrawTextRun(FloorToInt(double(x + off + dx)), FloorToInt(double(y) + dy), 0, &ch, font, ink, 1, nullptr);
        else
            w.DrawTextRun(X(double(off + dx)), Y(double(off + dy)), angle, &ch, font, ink, 1, nullptr);
    }
};

void DrawTextLines(const TextPen& pen, Font kept, const FontMetrics& fm, int64 off)
{
    int h = std::abs(fm.height);
    int thickness = h / 20 > 1 ? h / 20 : 1;
    if(h == 0)
        h = 10;
    double bx = pen.x + std::floor(fm.ascent * pen.sin);
    double by = pen.y + std::floor(fm.ascent * pen.cos);
    auto line = [&](int u) {
        int sx = FloorToInt(bx + std::trunc(u * pen.sin));
        int sy = FloorToInt(by + std::trunc(u * pen.cos));
        pen.w.DrawLine(sx, sy, FloorToInt(sx + std::trunc(off * pen.cos)), FloorToInt(sy - std::trunc(off * pen.sin)),
                       thickness, pen.ink);
    };
    if(kept.IsUnderline()) {
        int u = h / 15;
        if(u < (fm.descent > 0 ? 1 : 0))
            u = 1;
        line(u);
    }
    if(kept.IsStrikeout())
        line(-(fm.ascent / 3));
}

void DrawTextCore(Draw& w, int x, int y, int angle, const wchar16* text, Font font, Color ink, int n, const int* dx)
{
    if(IsNull(ink))
        return;
    if(n < 0)
        n = WideTextLength(text);
    font.Resolve();
    Font kept = font;
    bool draw_lines = w.GetInfoFlags() & Draw::DRAW_TEXT_LINES;
    if(draw_lines)
        font.Underline(false).Strikeout(false);
    TextPen pen{ w, x, y, angle, 0, 1, ink };
    if(angle)
        ComputeAngleSinCos(angle, pen.sin, pen.cos);
    FontMetrics fm = font.GetMetrics();
    int64 off = 0;
    for(int i = 0; i < n;) {
        wchar16 ch = text[i];
        GlyphMetrics m = GetGlyphMetrics(font, ch);
        if(m.IsPresent() && angle == 0) {
            int j = i + 1;
            while(j < n && GetGlyphMetrics(font, text[j]).IsPresent())
                j++;
            w.DrawTextRun(FloorToInt(double(x + off)), y, 0, text + i, font, ink, j - i, dx ? dx + i : nullptr);
            for(; i < j; i++)
                off += dx ? dx[i] : GetGlyphMetrics(font, text[i]).advance;
            continue;
        }
        if(m.IsPresent())
            pen.Char(off, 0, ch, font);
        else if(m.IsReplaced()) {
            Font r = Font(font).Face(m.left_bearing).Height(m.right_bearing);
            pen.Char(off, fm.ascent - r.GetAscent(), ch, r);
            ResolveGlyphReplacement(m, font, ch);
        }
        else if(ComposedGlyph cg; m.IsComposed() && ComposeGlyph(font, ch, cg)) {
            pen.Char(off, 0, cg.base, font);
            pen.CharAt(off, cg.accent_dx, cg.accent_dy, cg.accent, cg.accent_font);
            ResolveGlyphReplacement(m, font, ch);
        }
        else {
            Font square = Font(Font::SANSSERIF, font.GetHeight());
            wchar16 c = GetGlyphMetrics(square, WHITE_SQUARE).IsPresent() ? WHITE_SQUARE : ' ';
            pen.Char(off, 0, c, square);
            m = GetGlyphMetrics(square, c);
        }
        // A glyph nothing can show takes no room.
        off += dx ? dx[i] : m.IsPresent() ? m.advance : 0;
        i++;
    }
    if(draw_lines && (kept.IsUnderline() || kept.IsStrikeout()))
        DrawTextLines(pen, kept, fm, off);
}

} // namespace

void Draw::DrawText(int x, int y, const wchar16* text, Font font, Color ink, int n, const int* dx)
{
    DrawTextCore(*this, x, y, 0, text, font, ink, n, dx);
}

void Draw::DrawText(int x, int y, const WString& text, Font font, Color ink, const int* dx)
{
    DrawTextCore(*this, x, y, 0, text.Begin(), font, ink, text.GetLength(), dx);
}

void Draw::DrawText(int x, int y, const char* text, Font font, Color ink, int n, const int* dx)
{
    WString t = DecodeText(text, n < 0 ? (int)std::strlen(text) : n);
    DrawTextCore(*this, x, y, 0, t.Begin(), font, ink, t.GetLength(), dx);
}

void Draw::DrawText(int x, int y, const String& text, Font font, Color ink, const int* dx)
{
    WString t = DecodeText(text);
    DrawTextCore(*this, x, y, 0, t.Begin(), font, ink, t.GetLength(), dx);
}

void Draw::DrawText(int x, int y, int angle, const WString& text, Font font, Color ink, const int* dx)
{
    DrawTextCore(*this, x, y, angle, text.Begin(), font, ink, text.GetLength(), dx);
}

} // namespace Qor
