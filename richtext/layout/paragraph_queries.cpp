// Position queries of one paragraph, placed on pages as painting places it: the caret of
// a text position, the text position under a point and what stands at a position.

#include "draw/font/font_metrics.h"
#include "richtext/layout/lines_on_pages_internal.h"
#include "richtext/layout/overflow.h"
#include "richtext/model/paragraph.h"
#include "richtext/text/rich_text.h"

#include <algorithm>

namespace Qor {

CaretInfo UnpackedParagraph::GetCaret(int pos, const Rect& page, PagePosition py, int next_before,
                                      int next_first_line) const
{
    ParagraphLines lines;
    BeginOnPage(lines, page, py, next_before, next_first_line);
    const FontMetrics& fm = format.font.GetMetrics();
    const int font_ascent = fm.ascent;
    const int font_descent = fm.descent;
    CaretInfo ci;
    ci.ascent = font_ascent;
    ci.descent = font_descent;
    for(LinesOnPages lp(lines, page, py, format.orphan); lp.Next();) {
        const ParagraphLine& l = lines[lp.i];
        ci.top = lp.top.y;
        ci.bottom = lp.end().y;
        ci.page = lp.top.page;
        ci.line_ascent = l.ascent;
        ci.line = lp.i;
        if((int64)l.pos + l.len <= pos)
            continue;
        int ascent = font_ascent, descent = font_descent;
        if(l.count > 0) {
            ascent = lines.Metrics(l.start).ascent;
            descent = lines.Metrics(l.start).descent;
        }
        int64 x = (int64)page.left + l.xpos;
        int end = l.start + l.count;
        int q = l.start;
        for(; q < end && lines.pos[q] < pos; q++) {
            x += lines.width_of[q];
            ascent = lines.Metrics(q).ascent;
            descent = lines.Metrics(q).descent;
        }
        ci.left = ClampInt(x);
        ci.right = ClampInt(x + (q < end ? lines.width_of[q] : 0));
        if(q < end && lines.Metrics(q).object) {
            ci.object_ydelta = lines.Metrics(q).ydelta;
            ci.object_top = ClampInt((int64)lines.Metrics(q).ydelta + lines.Metrics(q).ascent);
        }
        ci.ascent = ascent;
        ci.descent = std::min(ClampInt((int64)l.descent + l.external), descent);
        return ci;
    }
    // At or past the end: from the end of the last line to the right edge.
    const ParagraphLine& last = lines[lines.GetCount() - 1];
    ci.left = ClampInt((int64)page.left + last.xpos + last.cx);
    ci.right = page.right;
    ci.ascent = font_ascent;
    ci.descent = std::min(font_descent, ClampInt((int64)last.descent + last.external));
    return ci;
}

int UnpackedParagraph::PositionAt(int x, PagePosition point, const Rect& page, PagePosition py, int next_before,
                                  int next_first_line) const
{
    ParagraphLines lines;
    BeginOnPage(lines, page, py, next_before, next_first_line);
    int n = lines.GetCount();
    int chosen = n - 1;
    for(LinesOnPages lp(lines, page, py, format.orphan); lp.Next();)
        if(lp.top.page > point.page || (lp.top.page == point.page && lp.end().y > point.y)) {
            chosen = lp.i;
            break;
        }
    const ParagraphLine& l = lines[chosen];
    int count = l.count;
    // A click right of a broken line lands before its break space.
    if(count > 0 && chosen < n - 1 && lines.text[l.start + count - 1] == ' ')
        count--;
    int64 right = (int64)page.left + l.xpos;
    for(int k = 0; k < count; k++) {
        right += lines.width_of[l.start + k];
        if(right > x)
            return lines.pos[l.start + k];
    }
    return l.start + count < lines.clen ? lines.pos[l.start + count] : lines.len;
}

void UnpackedParagraph::DescribePosition(RichPositionInfo& info, int pos) const
{
    info.format = format;
    int p = std::max(pos, 0);
    int i = FindPart(p);
    if(i >= part.GetCount()) {
        info.chr = '\n';
        return;
    }
    const ParagraphPart& pp = part[i];
    if(pp.IsField()) {
        info.chr = -2;
        info.field = pp.field;
        info.field_param = pp.field_param;
        info.char_format = pp.field_part.GetCount() ? pp.field_part[0].format : pp.format;
    }
    else if(pp.IsObject()) {
        info.chr = -1;
        info.char_format = pp.format;
        info.object = pp.object;
    }
    else {
        info.chr = pp.text[p];
        info.char_format = pp.format;
    }
}

} // namespace Qor
