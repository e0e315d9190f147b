// ColumnList's construction, items, selection and stored settings.

#include "lists/columnlist/column_list.h"

#include "draw/display/display.h"
#include "draw/font/font_metrics.h"
#include "foundation/assert.h"
#include "foundation/callback_action.h"
#include "foundation/stream.h"
#include "widgets/frame/view_edge.h"

#include <algorithm>

namespace Qor {

ColumnList::ColumnList() : item_height(GetStandardFontSize().cy), display(&GetStandardDisplay())
{
    own_frame.list = this;
    AddFrame(sb);
    sb.ScrollAction() = MakeCallback(this, &ColumnList::OnScroll);
    sb.SetAutoHide();
    // The list paints the view edge itself, inside its own frame, so that it can keep the
    // view a whole number of rows high.
    SetFrame(0, GetViewEdgeFrame());
    inner_frame = &GetFrame(0);
    SetFrame(0, own_frame);
    ResolveLayout(1);
    Refresh();
    SyncInfo();
}

ColumnList::~ColumnList() = default;

void ColumnList::Insert(int i, const Value& key, const Value& value, bool canselect)
{
    QOR_ASSERT(i >= 0 && i <= items.GetCount());
    int keep = -1;
    if(cursor >= 0 && cursor >= i) {
        keep = cursor + 1;
        KillCursor();
    }
    ColumnListItem& m = items.Insert(i);
    m.can_select = canselect;
    m.key = key;
    m.value = value;
    Refresh();
    SyncInfo();
    SyncScrollBar();
    if(keep >= 0)
        PlaceCursor(keep, true);
}

void ColumnList::Add(const Value& v, bool canselect) { Insert(items.GetCount(), v, v, canselect); }

void ColumnList::Clear()
{
    CancelInteraction();
    if(cursor >= 0)
        KillCursor();
    items.Clear();
    selected_count = 0;
    MarkUpdated();
    Refresh();
    SyncInfo();
    SyncScrollBar();
}

void ColumnList::SetItemDisplay(int i, const Display& d)
{
    items[i].display = &d;
    RefreshItem(i);
}

Value ColumnList::GetValue() const
{
    if(multi_select) {
        for(const ColumnListItem& m : items)
            if(m.selected)
                return m.key;
        return Value();
    }
    return cursor >= 0 ? items[cursor].key : Value();
}

void ColumnList::SetValue(const Value& v)
{
    for(int i = 0; i < items.GetCount(); i++)
        if(items[i].key == v) {
            PlaceCursor(i, true);
            if(multi_select)
                SetItemSelected(i, true);
            return;
        }
}

void ColumnList::UpdateSelectCount()
{
    selected_count = 0;
    for(const ColumnListItem& m : items)
        selected_count += m.selected;
}

void ColumnList::SelectionChanged()
{
    UpdateSelectCount();
    SyncInfo();
    RunAction();
    WhenSelection();
    WhenSel();
}

void ColumnList::SelectOne(int i, bool sel)
{
    if(multi_select)
        SetItemSelected(i, sel);
}

void ColumnList::SetItemSelected(int i, bool sel)
{
    if(items[i].can_select)
        items[i].selected = sel;
    SelectionChanged();
    RefreshItem(i);
}

void ColumnList::ClearSelection()
{
    bool any = false;
    for(int i = 0; i < items.GetCount(); i++)
        if(items[i].selected) {
            items[i].selected = false;
            RefreshItem(i);
            any = true;
        }
    if(any)
        SelectionChanged();
}

void ColumnList::ShiftSelect()
{
    if(anchor < 0)
        anchor = cursor;
    int lo = std::min(anchor, cursor);
    int hi = std::max(anchor, cursor);
    for(int i = 0; i < items.GetCount(); i++) {
        ColumnListItem& m = items[i];
        bool sel = m.can_select && i >= lo && i <= hi;
        if(m.can_select && m.selected != sel) {
            m.selected = sel;
            RefreshItem(i);
        }
    }
    SelectionChanged();
}

ColumnList& ColumnList::SetColumnCount(int n)
{
    QOR_ASSERT(n >= 1);
    column_count = n;
    Refresh();
    SyncScrollBar();
    SyncInfo();
    return *this;
}

ColumnList& ColumnList::SetItemWidth(int cx)
{
    item_width = cx;
    Refresh();
    return *this;
}

ColumnList& ColumnList::SetItemHeight(int cy)
{
    QOR_ASSERT(cy >= 0);
    item_height = cy;
    // The view height follows the row height (see LayOut).
    ResolveLayout(1);
    Refresh();
    SyncScrollBar();
    return *this;
}

ColumnList& ColumnList::ClickKill(bool on)
{
    click_kill = on;
    return *this;
}

ColumnList& ColumnList::NoPaper(bool on)
{
    no_paper = on;
    Refresh();
    return *this;
}

ColumnList& ColumnList::ItemPopup(bool on)
{
    item_popup = on;
    SyncInfo();
    return *this;
}

ColumnList& ColumnList::MultiSelect(bool on)
{
    multi_select = on;
    return *this;
}

ColumnList& ColumnList::SetDisplay(const Display& d)
{
    display = &d;
    Refresh();
    return *this;
}

void ColumnList::SerializeSettings(Stream& s)
{
    int version = 0;
    s.SerializeCount(version);
    if(s.IsLoading()) {
        int n = -1;
        if(!s.IsError())
            s.SerializeCount(n);
        // GetItemAt divides by the count, and a count the view cannot hold leaves columns
        // that no pointer reaches.
        if(s.IsError() || version != 0 || n < 1 || n > GetMaxColumnCount(GetViewSize().cx)) {
            if(!s.IsError() || s.GetErrorCode() != Stream::LOAD_ERROR_CODE)
                s.SetLoadError();
            return;
        }
        column_count = n;
    }
    else
        s.SerializeCount(column_count);
    Refresh();
    SyncInfo();
}

} // namespace Qor
