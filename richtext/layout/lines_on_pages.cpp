// Placing a paragraph and its lines on pages.

#include "richtext/layout/lines_on_pages.h"

#include "richtext/layout/overflow.h"
#include "richtext/model/paragraph.h"

namespace Qor {

bool LinesOnPages::Next()
{
    int n = lines.GetCount();
    if(i + 1 >= n)
        return false;
    i++;
    height = lines[i].GetHeight();
    top = next;
    new_page = false;
    int64 page_height = (int64)page.bottom - page.top;
    if(!IsUnboundedPage(page) && height < page_height) {
        int64 y = top.y;
        // A first or next-to-last line goes on with the line after it, so that neither
        // is left alone at the bottom of a page.
        if(y + height > page.bottom || (!orphans_allowed && n >= 2 && (i == 0 || i == n - 2) &&
                                        y + height + lines[i + 1].GetHeight() > page.bottom)) {
            top = PagePosition(top.page + 1, page.top);
            new_page = true;
        }
    }
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
    if(!IsUnboundedPage(page)) {
        int64 page_height = (int64)page.bottom - page.top;
        if(format.new_page || ((int64)py.y + need + more > page.bottom && need < page_height))
            py = PagePosition(py.page + 1, page.top);
    }
    py.y = ClampInt(py.y + lead);
    lines.Justify(format);
}

} // namespace Qor
