// Painting one run of text of a laid-out line.

#include "richtext/paint/text_run_paint.h"

#include "draw/look/sys_colors.h"
#include "richtext/layout/overflow.h"
#include "richtext/layout/paragraph_lines.h"
#include "richtext/model/rich_text_img.h"

#include <algorithm>
#include <cstdlib>

namespace Qor {

namespace {

int64 CeilToMultiple(int64 v, int64 g)
{
    int64 q = v / g;
    if(q * g < v)
        q++;
    return q * g;
}

Image CodeMark(int code)
{
    if(code == ' ')
        return RichTextImg::SpaceChar();
    if(code == 0xA0)
        return RichTextImg::HardSpaceChar();
    if(IsPlacedTab(code))
        return RichTextImg::TabChar();
    return Image();
}

// Copies of the leader character on a device grid anchored at x 0, so that the leaders of
// lines above each other line up; none may reach into the character after the tab. Only the
// painted part of the target is filled, which bounds the work for absurd tab widths.
void PaintTabLeader(Draw& w, int64 x, int64 advance, int y, wchar16 fill, Font font)
{
    int g = font.GetCharWidth(fill);
    if(g <= 0 || advance <= 0)
        return; // a leader of no advance would never end
    Rect paint = w.GetPaintRect();
    int64 end = x + advance;
    int64 q = CeilToMultiple(std::max<int64>(x, (int64)paint.left - g), g);
    int64 limit = std::min<int64>(end, (int64)paint.right + g);
    for(; q + g < end && q < limit; q += g)
        w.DrawText(ClampInt(q), y, &fill, font, Black(), 1);
}

} // namespace

void PaintTextRun(Draw& w, const RichPaintInfo& pi, const wchar16* text, const wchar16* shown, const CharacterFormat& f,
                  const int* dx, int first, int count, int x_start, int x_end, int baseline, int top, int height,
                  int ascent, ZoomRatio z, bool highlighted)
{
    int x0 = z * x_start;
    int width = z * x_end - x0;
    int base = z * baseline;
    if(!IsNull(f.paper) && !highlighted)
        w.DrawRect(x0, z * top, width, z * (top + height) - z * top, pi.system_colors ? SysColorPaper() : f.paper);
    if(!f.index_entry.IsEmpty() && !IsNull(pi.index_entry_color))
        w.DrawRect(x0, base, width, 2, pi.index_entry_color);

    Font font = f.font;
    int zoomed_height = z * std::abs(font.GetHeight());
    font.Height(zoomed_height);
    int full_ascent = 0, full_descent = 0;
    if(f.script != CharacterFormat::NORMAL_SCRIPT) {
        full_ascent = font.GetAscent();
        full_descent = font.GetDescent();
        font.Height(3 * zoomed_height / 5);
    }
    if(font.GetHeight() == 0)
        font.Height(1);

    Color ink = pi.system_colors ? SysColorText() : f.ink;
    if(f.dashed) {
        int a = font.GetAscent();
        int d = font.GetDescent();
        int period = std::max(a / 5, 2);
        int thickness = std::max(d / 3, 1);
        for(int64 k = 0; k * period < width; k++)
            w.DrawRect(ClampInt(x0 + k * period), base + d / 2, period / 2, thickness, ink);
    }
    if(!f.link.IsEmpty() && !IsNull(pi.link_color) && !font.IsUnderline() && !f.dashed) {
        font.Underline();
        if(!pi.system_colors)
            ink = pi.link_color;
    }

    int y;
    if(f.script == CharacterFormat::SUPERSCRIPT)
        y = base - full_ascent;
    else if(f.script == CharacterFormat::SUBSCRIPT)
        y = base + full_descent - font.GetHeight();
    else
        y = base - font.GetAscent();

    // Leaders and code marks go first, under the text.
    int line_ascent = z * ascent;
    int64 x = x0;
    for(int i = 0; i < count; i++) {
        int c = text[first + i];
        int advance = dx[first + i];
        if(wchar16 leader = PlacedTabLeader(c))
            PaintTabLeader(w, x, advance, y, leader, font);
        if(!IsNull(pi.show_codes)) {
            Image mark = CodeMark(c);
            if(!mark.IsEmpty() && mark.GetHeight() < line_ascent)
                w.DrawImage(ClampInt(x + (advance - mark.GetWidth()) / 2), base - mark.GetHeight(), mark,
                            pi.show_codes);
        }
        x += advance;
    }
    if(count > 0)
        w.DrawText(x0, y, shown + first, font, ink, count, dx + first);
}

} // namespace Qor
