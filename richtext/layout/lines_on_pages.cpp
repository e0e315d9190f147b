// Placing a paragraph and its lines on pages.

#include "richtext/layout/lines_on_pages_internal.h"

#include "richtext/layout/overflow.h"
#include "richtext/model/paragraph.h"

namespace Qor {

bool StartsOnNextPage(const Rect& page, int64 y, int64 need, int64 more, bool new_page)
{
    if(IsUnboundedPage(page))
        return false;
    return new_page || (y + need + more > page.bottom && need < (int64)page.bottom - page.top);
}

bool LineGoesToNextPage(const Rect& page, int64 y, int64 h, int k, int n, int64 next_h, bool orphans_allowed)
{
    if(IsUnboundedPage(page) || h >= (int64)page.bottom - page.top)
        return false;
    // A first or next-to-last line goes on with the line after it, so that neither is left
    // alone at the bottom of a page.
    return y + h > page.bottom ||
           (!orphans_allowed && n >= 2 && (k == 0 || k == n - 2) && y + h + next_h > page.bottom);
}

bool LinesOnPages::Next()
{
    int n = lines.GetCount();
    if(i + 1 >= n)
        return false;
    i++;
    height = lines[i].GetHeight();
    top = next;
    new_page = LineGoesToNextPage(page, top.y, height, i, n, i + 1 < n ? lines[i + 1].GetHeight() : 0, orphans_allowed);
    if(new_page)
        top = PagePosition(top.page + 1, page.top);
    next = PagePosition(top.page, ClampInt((int64)top.y + height));
    return true;
}

void UnpackedParagraph::BeginOnPage(ParagraphLines& lines, const Rect& page, PagePosition& py, int next_before,
                                    int next_first_line) const
{
    lines = LayOutLines(ClampInt((int64)page.right - page.left));
    int64 lead = (int64)format.ruler + format.before;
    int64 need = lead;
    if(format.keep || format.keep_next)
        need += lines.GetHeight();
    else if(lines.GetCount() > 0)
        need += lines[0].GetHeight();
    int64 more = format.keep_next ? (int64)format.after + next_before + next_first_line : 0;
    if(StartsOnNextPage(page, py.y, need, more, format.new_page))
        py = PagePosition(py.page + 1, page.top);
    py.y = ClampInt(py.y + lead);
    lines.Justify(format);
}

} // namespace Qor
