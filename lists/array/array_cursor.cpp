// The cursor row and the selection, with their notifications in the order owners rely on:
// leaving a row is a transaction (acceptance, then kill-cursor, then the new row).

#include "lists/array/array_ctrl.h"

#include "ctrl/tree/global_refs.h"

#include <algorithm>

namespace Qor {

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
        Ctrl* focus = GetCtrlGlobalRefs().focus_ctrl.Get();
        bool in_row = false;
        for(int c = 0; c < columns.GetCount() && !in_row; c++)
            if(CellCtrl* cell = GetCellCtrl(cursor, c))
                in_row = focus && (cell == focus || cell->IsAncestorOf(focus));
        if(!in_row)
            FocusFirstCellCtrl();
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
    if(cursor >= 0 && !AcceptRow())
        return false;
    DropCursor();
    return true;
}

void ArrayCtrl::DropCursor()
{
    if(cursor >= 0) {
        ClearBoundCtrls();
        WhenKillCursor();
        int old = cursor;
        cursor = -1;
        RefreshRow(old);
    }
    WhenCursor();
    WhenSel();
    SyncInfoPopup();
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
    FocusFirstCellCtrl();
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
    // Tabbing into a cell control takes the cursor to its row, except while a row is being
    // accepted: a control taking the focus then must not move the cursor.
    Ctrl* focus = GetCtrlGlobalRefs().focus_ctrl.Get();
    if(accept_nesting == 0 && focus && HasOption(CELL_CTRLS))
        for(int row = 0; row < cell_overrides.GetCount(); row++)
            for(int c = 0; c < columns.GetCount(); c++) {
                CellCtrl* cell = GetCellCtrl(row, c);
                if(cell && (cell == focus || cell->IsAncestorOf(focus))) {
                    if(HasOption(NO_CURSOR))
                        ScrollInto(row);
                    else
                        SetCursor(row, true);
                    Ctrl::ChildFocusGained();
                    return;
                }
            }
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
