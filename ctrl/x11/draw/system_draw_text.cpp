// SystemDraw's text operation: runs of glyphs through Xft, rotated or not, with underline
// and strike-out lines.
#include "ctrl/x11/draw/system_draw.h"
#include "ctrl/x11/font/xft_font_cache.h"
#include "draw/font/font_metrics.h"
#include "draw/text/text.h"

#include <X11/Xft/Xft.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace Qor {

void SystemDraw::DrawTextRun(int x, int y, int angle, const wchar16* text, Font font, Color ink, int n, const int* dx)
{
    if(n <= 0 || !xftdraw || !display)
        return;
    Font resolved = font.Resolved();
    XftFont* xft = GetXftTextFontCache().Get(resolved, angle);
    if(!xft)
        return;
    SetForeground(ink);
    XftColor colour;
    colour.pixel = ColorToPixel(ink);
    colour.color.red = (unsigned short)(ink.GetR() * 256);
    colour.color.green = (unsigned short)(ink.GetG() * 256);
    colour.color.blue = (unsigned short)(ink.GetB() * 256);
    colour.color.alpha = 0xffff;

    const FontMetrics& metrics = resolved.GetMetrics();
    int ascent = metrics.ascent;
    int descent = metrics.descent;
    int h = std::abs(resolved.GetHeight());
    int line_width = 1;
    if(h == 0)
        h = 10;
    else
        line_width = std::max(h / 20, 1);
    int underline_offset = h / 15;
    if(underline_offset < 1 && descent > 0)
        underline_offset = 1;
    int X = x + offset.x;
    int Y = y + offset.y;

    if(angle) {
        double sin, cos;
        ComputeAngleSinCos(angle, sin, cos);
        int ax = (int)std::floor(ascent * sin + 0.5);
        int ay = (int)std::floor(ascent * cos + 0.5);
        double u = 0;
        for(int i = 0; i < n; i++) {
            FcChar16 ch = text[i];
            XftDrawString16(xftdraw, &colour, xft, (int)(X + u * cos + ax), (int)(Y - u * sin + ay), &ch, 1);
            u += dx ? dx[i] : resolved.GetCharWidth(text[i]);
        }
        auto line = [&](double bx, double by, double at) {
            DrawLine((int)(bx + at * sin), (int)(by + at * cos), (int)(bx + u * cos + at * sin),
                     (int)(by - u * sin + at * cos), line_width, ink);
        };
        if(resolved.IsUnderline())
            line(x + ax, y + ay, underline_offset);
        if(resolved.IsStrikeout())
            line(x, y, 2 * ascent / 3);
        return;
    }

    // Only the glyphs near the clip go to the server: a text far wider than the view (a
    // pasted book) would otherwise go out as tens of thousands of requests, at positions
    // beyond the 16 bits the protocol keeps. The margin covers glyphs whose ink overhangs
    // their advance.
    Rect clip = GetClip();
    int from = clip.left - 2 * h, to = clip.right + 2 * h;
    int width;
    if(dx) {
        std::vector<XftCharSpec> specs;
        int at = x;
        for(int i = 0; i < n; i++) {
            if(at >= from && at < to && !clip.IsEmpty()) {
                XftCharSpec& c = specs.emplace_back();
                c.ucs4 = text[i];
                c.x = (short)(at + offset.x);
                c.y = (short)(Y + ascent);
            }
            at += dx[i];
        }
        if(!specs.empty())
            XftDrawCharSpec(xftdraw, &colour, xft, specs.data(), (int)specs.size());
        width = at - x - dx[n - 1] + resolved.GetCharWidth(text[n - 1]);
    }
    else {
        int at = x, first = 0;
        while(first < n && at + resolved.GetCharWidth(text[first]) < from)
            at += resolved.GetCharWidth(text[first++]);
        int start = at, last = first;
        while(last < n && at < to)
            at += resolved.GetCharWidth(text[last++]);
        if(last > first && !clip.IsEmpty())
            XftDrawString16(xftdraw, &colour, xft, start + offset.x, Y + ascent, (const FcChar16*)text + first,
                            last - first);
        // Measured only for the lines: a long text costs a glyph lookup per character.
        width = resolved.IsUnderline() || resolved.IsStrikeout() ? GetTextSize(text, font, n).cx : 0;
    }
    if(resolved.IsUnderline())
        DrawRect(x, y + ascent + underline_offset, width, line_width, ink);
    if(resolved.IsStrikeout())
        DrawRect(x, y + 2 * ascent / 3, width, line_width, ink);
}

} // namespace Qor
