// ColumnList's geometry: the newspaper-column flow, hit-testing, the scroll bar that moves the
// flow by whole items, and the list's own frame that keeps the view a whole number of rows high.

#include "lists/columnlist/column_list.h"

#include "draw/target/draw.h"
#include "draw/font/font_metrics.h"
#include "draw/look/sys_colors.h"

#include <algorithm>
#include <climits>

namespace Qor {

int ColumnList::GetMinColumnWidth() { return GetStandardFontSize().cy; }

int ColumnList::GetRows() const { return item_height > 0 ? GetViewSize().cy / item_height : 0; }

int ColumnList::GetMaxColumnCount(int view_width) const
{
    // A list not laid out yet has no width to go by; its view can never grow past what the
    // frame coordinates hold.
    if(view_width <= 0)
        view_width = INT16_MAX;
    return std::max(1, view_width / std::max(GetMinColumnWidth(), 1));
}

int ColumnList::GetColumnWidth(int c) const
{
    int width = GetViewSize().cx;
    int w = std::max(width / std::max(column_count, 1), GetMinColumnWidth());
    if(c == column_count - 1)
        return int(std::max<int64>(width - int64(column_count - 1) * w, INT_MIN / 2));
    return w;
}

int ColumnList::GetHitColumnWidth() const
{
    int width = GetViewSize().cx;
    return column_count == 1 ? width : std::max(width / column_count, GetMinColumnWidth());
}

Rect ColumnList::GetItemRect(int i) const
{
    int rows = GetRows();
    int j = i - GetFirstVisible();
    if(item_height == 0 || j < 0 || rows == 0)
        return Rect(0, 0, 0, 0);
    int c = j / rows;
    int r = j % rows;
    // Every column but the last has the same width: the sum of those left of c in closed
    // form, so that items far beyond the view cost no walk.
    int64 x = int64(c) * GetColumnWidth(0);
    if(c >= column_count)
        x += GetColumnWidth(column_count - 1) - GetColumnWidth(0);
    int64 right = x + GetColumnWidth(c);
    if(x > INT_MAX || right > INT_MAX)
        return Rect(INT_MAX, r * item_height, INT_MAX, r * item_height + item_height);
    return Rect(int(x), r * item_height, int(right), r * item_height + item_height);
}

int ColumnList::GetItemAt(Point p) const
{
    int rows = GetRows();
    int w = GetHitColumnWidth();
    if(rows == 0 || w <= 0 || p.x < 0 || p.y < 0)
        return -1;
    int64 j = int64(p.y / item_height) + int64(p.x / w) * rows;
    if(j >= int64(column_count) * rows)
        return -1;
    int64 i = j + GetFirstVisible();
    return i < items.GetCount() ? int(i) : -1;
}

void ColumnList::SyncScrollBar()
{
    sb.SetLine(1);
    sb.SetTotal(items.GetCount());
    sb.SetPage(item_height > 0 ? int(std::min<int64>(int64(column_count) * GetRows(), INT_MAX)) : 0);
}

void ColumnList::Layout() { SyncScrollBar(); }

void ColumnList::OnScroll()
{
    Size view = GetViewSize();
    int rows = GetRows();
    if(rows > 0)
        tracker.ScrollVertically(*this, Rect(0, 0, view.cx, rows * item_height), GetFirstVisible(), item_height);
    popup.Dismiss();
}

void ColumnList::LayOut(Rect& r)
{
    Rect view = r;
    inner_frame->LayOut(view);
    int rest = item_height > 0 ? view.Height() % item_height : 0;
    if(rest > 0)
        r.bottom -= rest;
    inner_frame->LayOut(r);
}

void ColumnList::AddSize(Size& sz) { inner_frame->AddSize(sz); }

void ColumnList::PaintFrame(Draw& w, const Rect& r)
{
    Rect view = r;
    inner_frame->LayOut(view);
    int rest = item_height > 0 ? view.Height() % item_height : 0;
    Rect edge = r;
    edge.bottom -= std::max(rest, 0);
    inner_frame->PaintFrame(w, edge);
    if(rest > 0)
        w.DrawRect(r.left, edge.bottom, r.Width(), rest, SysColorFace());
}

} // namespace Qor
