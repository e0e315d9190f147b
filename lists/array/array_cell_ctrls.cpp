// Cell controls: a control hosted in each cell of a column (made by the column's factory) or
// in one cell (put there by the owner), created, ordered for the focus and placed over its
// cell, or parked out of sight while its row is not in view.

#include "lists/array/array_column.h"

#include "foundation/callback_action.h"

#include <algorithm>

namespace Qor {

namespace {

// Where the controls of rows out of view wait: far outside, yet still visible children, so
// the focus can still reach them. As far up as a logical position (15 bits) reaches.
const Rect PARKED(-1000, -16000, -999, -15999);

ArrayCtrl::CellCtrl* AsCellCtrl(uintptr_t w)
{
    return w & 1 ? reinterpret_cast<ArrayCtrl::CellCtrl*>(w & ~uintptr_t(1)) : nullptr;
}

} // namespace

ArrayCtrl::CellCtrl::CellCtrl(Ctrl& hosted, bool owned, bool hide_value)
    : owned(owned), hide_value(hide_value), hosted(&hosted)
{
    AppendChild(hosted);
}

ArrayCtrl::CellCtrl::~CellCtrl()
{
    if(owned)
        delete hosted;
    else
        hosted->Detach();
}

void ArrayCtrl::CellCtrl::LeftButtonDown(Point, dword)
{
    if(hosted->WantsFocus())
        hosted->SetFocus();
}

ArrayCtrl::Column& ArrayCtrl::Column::SetCtrlFactory(Callback2<int, OwnedPtr<Ctrl>&> f)
{
    factory = f;
    if(owner) {
        owner->options |= CELL_CTRLS;
        owner->SyncAllCtrls();
    }
    return *this;
}

void ArrayCtrl::FreeCellCtrls(Vector<uintptr_t>& line)
{
    for(uintptr_t& w : line)
        if(CellCtrl* c = AsCellCtrl(w)) {
            w = 0;
            delete c;
        }
}

void ArrayCtrl::FreeAllCellCtrls()
{
    for(Vector<uintptr_t>& line : cell_overrides)
        FreeCellCtrls(line);
}

ArrayCtrl::CellCtrl* ArrayCtrl::GetCellCtrl(int row, int column) const
{
    if(row < 0 || row >= cell_overrides.GetCount() || column < 0 || column >= cell_overrides[row].GetCount())
        return nullptr;
    return AsCellCtrl(cell_overrides[row][column]);
}

void ArrayCtrl::SetCellCtrl(int row, int column, Ctrl& c, bool value)
{
    QOR_ASSERT(row >= 0 && column >= 0 && column < columns.GetCount());
    GrowRows(row);
    // Read before the control stands in the cell and speaks for it.
    Value v = GetColumnValue(row, column);
    if(cell_overrides.GetCount() <= row)
        cell_overrides.SetCount(row + 1);
    Vector<uintptr_t>& line = cell_overrides[row];
    if(line.GetCount() <= column)
        line.SetCount(column + 1, 0);
    if(CellCtrl* old = AsCellCtrl(line[column]))
        delete old;
    CellCtrl* cell = new CellCtrl(c, false, value);
    line[column] = reinterpret_cast<uintptr_t>(cell) | 1;
    if(value)
        c.SetValue(v);
    options |= CELL_CTRLS;
    SyncLineCtrls(row);
    RefreshRow(row);
}

void ArrayCtrl::SetCellCtrlValue(int row, int index, const Value& v)
{
    if(!HasOption(CELL_CTRLS))
        return;
    for(int c = 0; c < columns.GetCount(); c++)
        if(CellCtrl* cell = GetCellCtrl(row, c))
            if(cell->IsValueHidden() && columns[c].GetIndexCount() == 1 && columns[c].GetIndex(0) == index)
                cell->GetHosted().SetValue(v);
}

Ctrl* ArrayCtrl::SyncLineCtrls(int row, Ctrl* after)
{
    if(!HasOption(CELL_CTRLS))
        return nullptr;
    if(!after)
        for(int r = row - 1; r >= 0 && !after; r--)
            for(int c = columns.GetCount() - 1; c >= 0 && !after; c--) {
                after = GetCellCtrl(r, c);
                if(!after && columns[c].factory) {
                    // That row was never synchronised: every row up to this one is, in order.
                    Ctrl* last = nullptr;
                    for(int i = 0; i <= row; i++)
                        last = PlaceLineCtrls(i, last);
                    return last;
                }
            }
    return PlaceLineCtrls(row, after);
}

Ctrl* ArrayCtrl::PlaceLineCtrls(int row, Ctrl* after)
{
    Size view = GetViewSize();
    for(int c = 0; c < columns.GetCount(); c++) {
        CellCtrl* cell = GetCellCtrl(row, c);
        if(!cell && columns[c].factory) {
            OwnedPtr<Ctrl> made;
            columns[c].factory(row, made);
            if(!made)
                continue;
            Ctrl* hosted = made.Detach();
            hosted->SetValue(GetColumnValue(row, c));
            Callback action = hosted->GetAction();
            action.Chain(MakeCallback(this, &ArrayCtrl::RunCtrlsAction));
            hosted->SetAction(action);
            if(hosted->GetLogicalPos().y == LOGPOS_DEFAULT)
                hosted->StretchHorizontal(0, 0).CentreVertical(POS_STDSIZE);
            cell = new CellCtrl(*hosted, true, true);
            if(cell_overrides.GetCount() <= row)
                cell_overrides.SetCount(row + 1);
            Vector<uintptr_t>& line = cell_overrides[row];
            if(line.GetCount() <= c)
                line.SetCount(c + 1, 0);
            line[c] = reinterpret_cast<uintptr_t>(cell) | 1;
        }
        if(!cell)
            continue;
        // A control holding the focus stays where it is in the focus order.
        if(!(cell->GetParent() == this && cell->HasFocusInTree()))
            InsertChildAfter(*cell, after);
        Rect r = GetCellContentRect(row, c);
        if(row >= first_visible && row <= last_visible && r.bottom > 0 && r.top < view.cy) {
            cell->SetRect(r);
            placed_low = std::min(placed_low, row);
            placed_high = std::max(placed_high, row);
        }
        else if(cell->GetRectInParent() != PARKED)
            cell->SetRect(PARKED);
        after = cell;
    }
    return after;
}

void ArrayCtrl::SyncPendingCtrls()
{
    if(!HasOption(CELL_CTRLS))
        return;
    int n = GetCount();
    int low = std::max(placed_low, 0);
    int high = std::min(placed_high, n - 1);
    placed_low = n - 1;
    placed_high = 0;
    for(int row = low; row <= high; row++)
        SyncLineCtrls(row);
    for(int row = first_visible; row <= std::min(last_visible, n - 1); row++)
        SyncLineCtrls(row);
}

void ArrayCtrl::SyncAllCtrls()
{
    if(!HasOption(CELL_CTRLS))
        return;
    int n = GetCount();
    placed_low = n - 1;
    placed_high = 0;
    Ctrl* after = nullptr;
    for(int row = 0; row < n; row++)
        after = PlaceLineCtrls(row, after);
}

void ArrayCtrl::StoreCellCtrlValues()
{
    if(!HasOption(CELL_CTRLS))
        return;
    for(int row = 0; row < cell_overrides.GetCount(); row++)
        for(int c = 0; c < columns.GetCount(); c++) {
            CellCtrl* cell = GetCellCtrl(row, c);
            if(!cell || columns[c].GetIndexCount() != 1)
                continue;
            if(!cell->IsValueHidden())
                continue;
            Vector<Value>& values = GrowRows(row).values;
            int index = columns[c].GetIndex(0);
            if(values.GetCount() <= index)
                values.SetCount(index + 1);
            values[index] = cell->GetHosted().GetValue();
        }
}

void ArrayCtrl::FocusFirstCellCtrl()
{
    if(!HasOption(CELL_CTRLS) || IsEditing() || cursor < 0)
        return;
    for(int c = 0; c < columns.GetCount(); c++)
        if(CellCtrl* cell = GetCellCtrl(cursor, c))
            if(cell->GetHosted().FocusIfFocusable())
                return;
}

} // namespace Qor
