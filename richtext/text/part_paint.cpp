// Painting of a part list: paragraphs by the paragraph painter and tables by the table
// painter, each where it reaches the painted page range; the document-level paint entry
// points.

#include "richtext/layout/paragraph_lines.h"
#include "richtext/paint/page_draw.h"
#include "richtext/paint/paint_info.h"
#include "richtext/table/rich_table.h"
#include "richtext/text/page_metrics_internal.h"
#include "richtext/text/rich_text.h"

#include <climits>

namespace Qor {

bool IsPageRangePainted(PageDraw& pw, ZoomRatio zoom, const Rect& page, PagePosition from, PagePosition to)
{
    for(int p = from.page; p <= to.page; p++) {
        int top = p == from.page ? from.y : page.top;
        int bottom = p == to.page ? to.y : page.bottom;
        Rect r(zoom * page.left, zoom * top, zoom * page.right, zoom * bottom);
        if(pw.PageAt(p).IsPainting(r))
            return true;
        if(p == INT_MAX)
            break;
    }
    return false;
}

void RichTxt::Paint(PageDraw& pw, LayoutContext rc, const RichPaintInfo& pi) const
{
    RichPaintInfo info = pi;
    NumberingCounters counters;
    counters.Clear();
    const ParagraphStyleMap& styles = ContextStyles(rc);
    for(int i = 0; i < GetPartCount() && rc.py < info.bottom; i++) {
        if(IsTable(i)) {
            const RichTable& table = GetTable(i);
            info.table_number--;
            table.Paint(pw, rc, info);
            rc.py = table.GetEndPosition(rc);
            info.table_number -= table.GetTableCount();
        }
        else {
            const Para& para = GetPara(i);
            if(para.numbering) {
                para.numbering->ResetCounters(counters);
                para.numbering->AdvanceCounters(counters);
            }
            int next_before, next_first_line;
            GetNextParaValues(i, rc, next_before, next_first_line);
            PagePosition end = GetParagraphEnd(i, rc, next_before, next_first_line);
            if(end >= info.top) {
                UnpackedParagraph p;
                GetParagraph(i, p, styles, true);
                if(!info.mark_hook) {
                    para.marked.Clear();
                    para.marked_valid = false;
                }
                else if(!para.marked_valid) {
                    para.marked.Clear();
                    info.mark_hook(p, para.marked);
                    para.marked_valid = true;
                }
                if(IsPageRangePainted(pw, info.zoom, rc.page, rc.py, end))
                    p.Paint(pw, rc.page, rc.py, info, counters, para.marked, next_before, next_first_line);
            }
            rc.py = end;
        }
        int step = GetPartLength(i) + 1;
        info.selection_start -= step;
        info.selection_end -= step;
        info.highlight_position -= step;
    }
}

void RichText::PaintPages(PageDraw& pw, const Rect& page, const RichPaintInfo& pi) const
{
    RichTxt::Paint(pw, DocumentContext(GetStyles(), page), pi);
}

void RichText::Paint(ZoomRatio zoom, Draw& w, int x, int y, int cx) const
{
    w.Offset(x, y);
    LayoutContext rc = DocumentContext(GetStyles(), Rect(0, 0, UnzoomedWidth(zoom, cx), INT_MAX));
    RichPaintInfo pi;
    pi.zoom = zoom;
    pi.top = PagePosition(0, 0);
    pi.bottom = PagePosition(0, INT_MAX);
    pi.objects_through_image_cache = true;
    pi.highlight_position = 0;
    pi.highlight_color = Color();
    SimplePageDraw pw(w);
    RichTxt::Paint(pw, rc, pi);
    w.End();
}

} // namespace Qor
