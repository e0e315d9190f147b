// The cursor row and the selection, with their notifications in the order owners rely on:
// leaving a row is a transaction (acceptance, then kill-cursor, then the new row).

#include "lists/array/array_ctrl.h"

#include <algorithm>

namespace Qor {

// Without column editors, cell controls or bound controls, accepting a row is the owner's
// consent and the commit notice.
bool ArrayCtrl::AcceptRow()
{
    accept_nesting++;
    bool ok = WhenAcceptRow();
    if(ok)
        WhenAcceptEdit();
    accept_nesting--;
    if(!ok)
        return false;
    ClearModified();
    return true;
}

void ArrayCtrl::RevertRowEdits()
{
    if(cursor >= 0)
        RefreshRow(cursor);
    WhenArrayAction();
    SyncInfoPopup();
}

void ArrayCtrl::ClearModified()
{
    if(modified.GetCount() < GetIndexCount())
        modified.SetCount(GetIndexCount(), false);
    for(bool& m : modified)
        m = false;
}

bool ArrayCtrl::SetCursor(int row, bool select)
{
    int count = GetCount();
    if(HasOption(NO_CURSOR) || count == 0)
        return false;
    if(row >= 0 && row < rows.GetCount() && !IsRowEnabled(row))
        return false;
    row = std::clamp(row, 0, count - 1);
    bool moved = false;
    if(row != cursor) {
        RefreshRow(cursor);
        if(cursor >= 0) {
            if(!AcceptRow())
                return false;
            ClearBoundCtrls();
            WhenKillCursor();
            int old = cursor;
            cursor = -1;
            RefreshRow(old);
        }
        cursor = row;
        ScrollInto(row);
        RefreshRow(row);
        LoadEditors();
        ClearModified();
        RunAction();
        WhenEnterRow();
        WhenCursor();
        moved = true;
    }
    if(select && HasOption(MULTI_SELECT)) {
        ClearSelection();
        anchor = cursor;
        SelectRow(cursor, true);
        WhenSel();
    }
    else if(moved)
        WhenSel();
    SyncInfoPopup();
    return true;
}

bool ArrayCtrl::ClearCursor()
{
    if(cursor >= 0) {
        if(!AcceptRow())
            return false;
        ClearBoundCtrls();
        WhenKillCursor();
        int old = cursor;
        cursor = -1;
        RefreshRow(old);
    }
    WhenCursor();
    WhenSel();
    SyncInfoPopup();
    return true;
}

void ArrayCtrl::CancelCursor()
{
    RevertRowEdits();
    ClearBoundCtrls();
    anchor = -1;
    cursor = -1;
    WhenCursor();
    WhenSel();
    SyncInfoPopup();
}

void ArrayCtrl::GoBegin()
{
    if(HasOption(NO_CURSOR)) {
        ScrollInto(-1);
        return;
    }
    for(int row = 0; row < GetCount(); row++)
        if(IsRowEnabled(row)) {
            SetCursor(row, true);
            return;
        }
}

void ArrayCtrl::GoEnd()
{
    if(HasOption(NO_CURSOR)) {
        ScrollInto(GetCount());
        return;
    }
    for(int row = GetCount() - 1; row >= 0; row--)
        if(IsRowEnabled(row)) {
            SetCursor(row, true);
            return;
        }
}

void ArrayCtrl::FocusGained()
{
    UpdateSelectionCount();
    if(select_count > 1)
        Refresh();
    else if(cursor >= 0)
        RefreshRow(cursor);
    else if(HasOption(FOCUS_SETS_CURSOR))
        GoBegin();
    SyncInfoPopup();
}

void ArrayCtrl::FocusLost()
{
    UpdateSelectionCount();
    if(select_count > 1)
        Refresh();
    else if(cursor >= 0)
        RefreshRow(cursor);
    SyncInfoPopup();
}

void ArrayCtrl::ChildFocusGained()
{
    if(cursor >= 0)
        RefreshRow(cursor);
    Ctrl::ChildFocusGained();
}

void ArrayCtrl::ChildFocusLost()
{
    if(cursor >= 0)
        RefreshRow(cursor);
    Ctrl::ChildFocusLost();
}

void ArrayCtrl::SelectRow(int row, bool sel)
{
    ArrayCtrlRow& r = GrowRows(row);
    r.flags = byte(sel ? r.flags | ArrayCtrlRow::SELECTED : r.flags & ~ArrayCtrlRow::SELECTED);
    MarkSelectionStale();
    RefreshRow(row);
    WhenSelection();
    WhenSel();
    SyncInfoPopup();
}

void ArrayCtrl::SelectRange(int start, int count, bool sel)
{
    QOR_ASSERT(start >= 0 && count >= 0);
    for(int row = start; row < start + count; row++) {
        ArrayCtrlRow& r = GrowRows(row);
        r.flags = byte(sel ? r.flags | ArrayCtrlRow::SELECTED : r.flags & ~ArrayCtrlRow::SELECTED);
        RefreshRow(row);
    }
    MarkSelectionStale();
    WhenSelection();
    WhenSel();
    SyncInfoPopup();
}

void ArrayCtrl::SelectAll() { SelectRange(0, GetCount(), true); }

void ArrayCtrl::ClearSelection()
{
    UpdateSelectionCount();
    if(select_count == 0)
        return;
    for(int row = 0; row < rows.GetCount(); row++)
        if(rows[row].flags & ArrayCtrlRow::SELECTED) {
            RefreshRow(row);
            rows[row].flags &= ~ArrayCtrlRow::SELECTED;
        }
    select_count = 0;
    WhenSelection();
    WhenSel();
    SyncInfoPopup();
}

void ArrayCtrl::UpdateSelectionCount()
{
    select_count = 0;
    for(const ArrayCtrlRow& r : rows)
        if(r.flags & ArrayCtrlRow::SELECTED)
            select_count++;
    select_count_stale = false;
}

int ArrayCtrl::GetSelectCount()
{
    if(select_count_stale)
        UpdateSelectionCount();
    return select_count;
}

} // namespace Qor
