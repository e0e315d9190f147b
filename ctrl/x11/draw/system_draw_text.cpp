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

    int width;
    if(dx) {
        std::vector<XftCharSpec> specs(n);
        int at = X;
        for(int i = 0; i < n; i++) {
            specs[i].ucs4 = text[i];
            specs[i].x = (short)at;
            specs[i].y = (short)(Y + ascent);
            at += dx[i];
        }
        XftDrawCharSpec(xftdraw, &colour, xft, specs.data(), n);
        width = at - X - dx[n - 1] + resolved.GetCharWidth(text[n - 1]);
    }
    else {
        XftDrawString16(xftdraw, &colour, xft, X, Y + ascent, (const FcChar16*)text, n);
        width = GetTextSize(text, font, n).cx;
    }
    if(resolved.IsUnderline())
        DrawRect(x, y + ascent + underline_offset, width, line_width, ink);
    if(resolved.IsStrikeout())
        DrawRect(x, y + 2 * ascent / 3, width, line_width, ink);
}

} // namespace Qor
