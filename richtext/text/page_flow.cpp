// Page flow of a part list: the layout cache of stored paragraphs, where each part ends on
// the pages (page breaks, keep together, keep with next, orphan control), the height, top
// and natural width of a list and the document-level entry points.

#include "richtext/text/page_metrics_internal.h"
#include "richtext/layout/paragraph_lines.h"
#include "richtext/table/rich_table.h"
#include "richtext/text/rich_text.h"

#include <algorithm>

namespace Qor {

const ParagraphStyleMap& ContextStyles(const LayoutContext& rc)
{
    static const ParagraphStyleMap none;
    return rc.styles ? *rc.styles : none;
}

void RichTxt::Sync(int i, const LayoutContext& rc) const
{
    const Para& para = GetPara(i);
    UnpackedParagraph p;
    GetParagraph(i, p, ContextStyles(rc));
    ParagraphLines lines = p.LayOutLines(PageWidth(rc.page));
    para.layout_width = PageWidth(rc.page);
    para.ruler = p.format.ruler;
    para.before = p.format.before;
    para.after = p.format.after;
    para.new_page = p.format.new_page;
    para.keep = p.format.keep;
    para.keep_next = p.format.keep_next;
    para.orphan = p.format.orphan;
    para.line_height.SetCount(lines.GetCount());
    int64 cy = 0;
    for(int k = 0; k < lines.GetCount(); k++) {
        para.line_height[k] = lines[k].GetHeight();
        cy += para.line_height[k];
    }
    para.cy = ClampInt(cy);
}

const RichTxt::Para& RichTxt::SyncedPara(int i, const LayoutContext& rc) const
{
    const Para& p = GetPara(i);
    if(p.layout_width != PageWidth(rc.page))
        p.needs_layout = true;
    if(p.needs_layout) {
        Sync(i, rc);
        p.needs_layout = false;
    }
    return p;
}

void RichTxt::GetNextParaValues(int i, const LayoutContext& rc, int& next_before, int& next_first_line) const
{
    next_before = next_first_line = 0;
    if(IsTable(i) || !SyncedPara(i, rc).keep_next || i + 1 >= GetPartCount() || IsTable(i + 1))
        return;
    const Para& next = SyncedPara(i + 1, rc);
    next_before = ClampInt(int64(next.ruler) + next.before);
    next_first_line = next.line_height.GetCount() ? next.line_height[0] : 0;
}

namespace {

// A place whose y may pass what an int holds until it is returned.
struct FlowPosition {
    int page;
    int64 y;
};

// Where the lines of paragraph p begin when it starts at the context's position: the start
// rule of paragraph placement, so that painting finds the paragraph on the page the flow
// put it on, then the ruler and the space before.
FlowPosition BeginLines(const RichTxt::Para& p, const LayoutContext& rc, int next_before, int next_first_line)
{
    const int64 lead = int64(p.ruler) + p.before;
    const int n = p.line_height.GetCount();
    int64 need = lead + (p.keep || p.keep_next ? p.cy : n ? p.line_height[0] : 0);
    int64 more = p.keep_next ? int64(p.after) + next_before + next_first_line : 0;
    FlowPosition at{ rc.py.page, rc.py.y };
    if(StartsOnNextPage(rc.page, at.y, need, more, p.new_page))
        at = FlowPosition{ at.page + 1, rc.page.top };
    at.y += lead;
    return at;
}

// Places line k of p with its top at 'at' and moves 'at' below it.
void PlaceLine(const RichTxt::Para& p, const Rect& page, int k, FlowPosition& at)
{
    const int n = p.line_height.GetCount();
    const int64 h = p.line_height[k];
    if(LineGoesToNextPage(page, at.y, h, k, n, k + 1 < n ? p.line_height[k + 1] : 0, p.orphan))
        at = FlowPosition{ at.page + 1, page.top };
    at.y += h;
}

} // namespace

PagePosition RichTxt::GetNextPageY(int i, const LayoutContext& rc) const
{
    if(IsTable(i))
        return GetTable(i).GetEndPosition(rc);
    int next_before, next_first_line;
    GetNextParaValues(i, rc, next_before, next_first_line);
    return GetParagraphEnd(i, rc, next_before, next_first_line);
}

PagePosition RichTxt::GetParagraphEnd(int i, const LayoutContext& rc, int next_before, int next_first_line) const
{
    const Para& p = SyncedPara(i, rc);
    FlowPosition at = BeginLines(p, rc, next_before, next_first_line);
    const int64 bottom = rc.page.bottom;
    if(IsUnboundedPage(rc.page) || at.y + p.cy < bottom)
        // No line can pass the bottom, so none moves.
        at.y += p.cy;
    else
        for(int k = 0; k < p.line_height.GetCount(); k++)
            PlaceLine(p, rc.page, k, at);
    at.y += p.after;
    if(!IsUnboundedPage(rc.page) && at.y > bottom)
        return PagePosition(at.page + 1, rc.page.top);
    return PagePosition(at.page, ClampInt(at.y));
}

PagePosition RichTxt::GetHeight(const LayoutContext& rc) const
{
    LayoutContext c = rc;
    for(int i = 0; i < GetPartCount(); i++)
        c.py = GetNextPageY(i, c);
    return c.py;
}

PagePosition RichTxt::GetTop(const LayoutContext& rc) const
{
    if(GetPartCount() == 0)
        return rc.py;
    if(IsTable(0))
        return GetTable(0).GetStartPosition(rc);
    const Para& p = SyncedPara(0, rc);
    int next_before, next_first_line;
    GetNextParaValues(0, rc, next_before, next_first_line);
    // Placed as the first line is placed for painting: the paragraph's start rule, then the
    // line's own move to a later page.
    FlowPosition at = BeginLines(p, rc, next_before, next_first_line);
    if(p.line_height.GetCount()) {
        FlowPosition below = at;
        PlaceLine(p, rc.page, 0, below);
        if(below.page != at.page)
            at = FlowPosition{ below.page, rc.page.top };
    }
    return PagePosition(at.page, ClampInt(at.y));
}

int RichTxt::GetWidth(const ParagraphStyleMap& styles) const
{
    int width = 0;
    for(int i = 0; i < GetPartCount(); i++) {
        if(IsTable(i))
            return 10000;
        UnpackedParagraph p;
        GetParagraph(i, p, styles, true);
        ParagraphLines lines = p.LayOutLines(2147483647);
        int64 w = 0;
        for(int k = 0; k < lines.clen; k++)
            w += lines.width_of[k];
        width = std::max(width, ClampInt(w));
    }
    return width;
}

LayoutContext DocumentContext(const ParagraphStyleMap& styles, const Rect& page)
{
    LayoutContext rc;
    rc.styles = &styles;
    rc.page = page;
    rc.py = PagePosition(0, page.top);
    return rc;
}

int RichText::GetHeight(ZoomRatio zoom, int cx) const
{
    PagePosition end =
        RichTxt::GetHeight(DocumentContext(GetStyles(), Rect(0, 0, UnzoomedWidth(zoom, cx), 0x0FFFFFFF)));
    return zoom.d ? ClampInt(int64(end.y) * zoom.m / zoom.d) : 0;
}

PagePosition RichText::GetEndPosition(const Rect& page) const
{
    return RichTxt::GetHeight(DocumentContext(GetStyles(), page));
}

} // namespace Qor
