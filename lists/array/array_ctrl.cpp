// The list's construction and options, and the vertical geometry of its rows.

#include "lists/array/array_ctrl.h"

#include "draw/font/font_metrics.h"
#include "draw/look/sys_colors.h"
#include "foundation/callback_action.h"
#include "foundation/values/translate.h"
#include "widgets/frame/view_edge.h"

#include <algorithm>

namespace Qor {

ArrayCtrl::ArrayCtrl() : default_row_height(GetStandardFontSize().cy), options(0)
{
    corner.SetWantsFocus(false);
    // Index numbers below zero would name entries here; this one stands for none.
    names.Add(String());
    Reset();
    // From the outside in: the view edge (frame 0), the scroll bar, then the header, which
    // so spans only the columns.
    AddFrame(sb);
    AddFrame(header);
    header.WhenLayout = MakeCallback(this, &ArrayCtrl::OnHeaderLayout);
    header.WhenScroll = MakeCallback(this, &ArrayCtrl::OnScroll);
    sb.ScrollAction() = MakeCallback(this, &ArrayCtrl::OnScroll);
    // Only a new list lets its tabs be moved: the header's reset switches it off.
    header.AllowTabMoving();
    WhenAcceptRow = BoolCallback::True();
    WhenBar = MakeCallback(this, &ArrayCtrl::StdBar);
    SetFrame(0, GetViewEdgeFrame());
    odd_paper = even_paper = SysColorPaper();
    odd_ink = even_ink = SysColorText();
}

ArrayCtrl::~ArrayCtrl() { FreeAllCellCtrls(); }

ArrayCtrl& ArrayCtrl::SetOption(dword option, bool on)
{
    options = on ? options | option : options & ~option;
    if(option & HORZ_GRID)
        RecalcLinePositions(0, 0);
    if(option & INSERTING_ALLOWED)
        SyncScrollInfo();
    Refresh();
    return *this;
}

ArrayCtrl& ArrayCtrl::SetInsertMode(int mode)
{
    QOR_ASSERT(mode >= 0 && mode <= 2);
    options = (options & ~INSERT_MODE_MASK) | (dword(mode) << INSERT_MODE_SHIFT);
    return *this;
}

ArrayCtrl& ArrayCtrl::SetRowName(const char* name)
{
    row_name = name;
    return *this;
}

void ArrayCtrl::Reset()
{
    header.Reset();
    identifiers.Clear();
    index_info.Clear();
    names.Clear();
    names.Add(String());
    columns.Clear();
    bound.Clear();
    options = (options & RESERVED_BITS) | HORZ_GRID | VERT_GRID | ASK_BEFORE_REMOVE | INFO_POPUP | FOCUS_SETS_CURSOR;
    select_count = 0;
    select_count_stale = false;
    row_name = Translate("row");
    grid_color = SysColorShadow();
    sort_column = -1;
    sort_descending = false;
    refind_cursor = false;
    row_order = nullptr;
    accept_nesting = 0;
    default_row_height = GetStandardFontSize().cy;
    Clear();
    first_visible = 0;
    last_visible = INT32_MAX;
    sb.SetLine(default_row_height);
}

// ---- Row geometry: positions are stored only up to the last row with a height of its own;
// every later row steps by the default height.

int ArrayCtrl::GetRowHeight(int row) const
{
    QOR_ASSERT(row >= 0);
    return row < lines.GetCount() && !IsNullInt(lines[row].height) ? lines[row].height : default_row_height;
}

int ArrayCtrl::GetLineY(int row) const
{
    QOR_ASSERT(row >= 0);
    int n = lines.GetCount();
    if(row < n)
        return lines[row].y;
    int step = default_row_height + Grid();
    if(n == 0)
        return row * step;
    return lines[n - 1].y + GetRowHeight(n - 1) + Grid() + (row - n) * step;
}

int ArrayCtrl::GetTotalCy() const
{
    int n = GetCount();
    return n == 0 ? 0 : GetLineY(n - 1) + GetRowHeight(n - 1) + Grid();
}

int ArrayCtrl::GetLineAt(int y) const
{
    int n = GetCount();
    if(n == 0 || y < 0 || y >= GetTotalCy())
        return INT_NULL;
    // Past the last row of its own height every row steps by the default: no search needed.
    // The binary search runs over the rows up to there only, which gives the same row.
    int hi = n;
    int step = default_row_height + Grid();
    int stored = lines.GetCount();
    if(step > 0 && stored < n) {
        int base = GetLineY(stored);
        if(y >= base)
            return std::min(stored + (y - base) / step, n - 1);
        hi = stored;
    }
    int lo = 0;
    while(lo < hi) {
        int mid = (lo + hi) / 2;
        int c = GetLineY(mid);
        if(c == y)
            return mid;
        if(c < y)
            lo = mid + 1;
        else if(lo >= mid)
            break;
        else
            hi = mid;
    }
    return lo > 0 ? lo - 1 : 0;
}

ArrayCtrl& ArrayCtrl::SetDefaultRowHeight(int h)
{
    default_row_height = h;
    sb.SetLine(h);
    RecalcLinePositions(0, 0);
    Refresh();
    return *this;
}

void ArrayCtrl::SetRowHeight(int row, int h)
{
    QOR_ASSERT(row >= 0);
    if(row < lines.GetCount()) {
        lines[row].height = h;
        RecalcLinePositions(row, lines[row].y);
        return;
    }
    int n = lines.GetCount();
    int from = n ? n - 1 : 0;
    int y = n ? lines[n - 1].y : 0;
    while(lines.GetCount() <= row)
        lines.Add(RowLine{ 0, INT_NULL });
    lines[row].height = h;
    RecalcLinePositions(from, y);
}

void ArrayCtrl::RecalcLinePositions(int row, int y)
{
    for(int i = row; i < lines.GetCount(); i++) {
        lines[i].y = y;
        y += GetRowHeight(i) + Grid();
    }
    SyncScrollInfo();
}

void ArrayCtrl::RefreshRow(int row)
{
    int count = GetCount();
    int width = GetViewSize().cx;
    int scroll = GetScrollPos();
    if(row >= 0 && row < count)
        Refresh(0, GetLineY(row) - scroll, width, GetRowHeight(row) + Grid());
    if(HasOption(APPEND_LINE) || row == count)
        Refresh(0, GetLineY(count) - scroll, width, default_row_height + Grid());
    SyncInfoPopup();
}

} // namespace Qor
