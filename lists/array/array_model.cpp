// The list's stored table: value indexes, rows, reading and changing values, growing,
// inserting and removing rows, separators.

#include "lists/array/array_ctrl.h"

#include "draw/font/font_metrics.h"
#include "foundation/values/value_array.h"
#include "lists/array/separator_display.h"

#include <algorithm>

namespace Qor {

namespace {

Value NullValue() { return Value(INT_NULL); }

} // namespace

ArrayCtrlIndexInfo& ArrayCtrl::AddIndex()
{
    identifiers.Add(String());
    return index_info.Add(new ArrayCtrlIndexInfo);
}

int ArrayCtrl::GetCount() const { return std::max(rows.GetCount(), virtual_count); }

Value ArrayCtrl::GetStoredValue(int row, int index) const
{
    if(row < 0 || row >= rows.GetCount() || index < 0)
        return NullValue();
    // A cell control in step with its cell holds the value as the user left it.
    if(HasOption(CELL_CTRLS))
        for(int c = 0; c < columns.GetCount(); c++)
            if(CellCtrl* cell = GetCellCtrl(row, c))
                if(cell->IsValueHidden() && columns[c].GetIndexCount() == 1 && columns[c].GetIndex(0) == index)
                    return cell->GetHosted().GetValue();
    const Vector<Value>& v = rows[row].values;
    return index < v.GetCount() ? v[index] : NullValue();
}

Value ArrayCtrl::GetCursorRowValue(int index) const
{
    if(cursor < 0)
        return NullValue();
    for(const Column& c : columns) {
        Ctrl* e = c.editor.Get();
        int i = e ? c.FindIndex(index) : -1;
        if(i < 0)
            continue;
        Value v = e->GetValue();
        int type = v.GetTypeNumber();
        if(c.GetIndexCount() > 1 && (type == VALUEARRAY_V || type == VALUEMAP_V)) {
            ValueArray a(v);
            return i < a.GetCount() ? a[i] : NullValue();
        }
        return v;
    }
    for(const BoundCtrl& b : bound)
        if(b.index == index && b.ctrl.Get())
            return b.ctrl->GetValue();
    return GetStoredValue(cursor, index);
}

void ArrayCtrl::AddBoundCtrl(int index, Ctrl& c)
{
    BoundCtrl& b = bound.Add();
    b.index = index;
    b.ctrl = &c;
}

void ArrayCtrl::LoadEditors()
{
    for(int i = 0; i < columns.GetCount(); i++)
        if(Ctrl* e = columns[i].editor.Get())
            e->SetValue(GetColumnValue(cursor, i));
    for(const BoundCtrl& b : bound)
        if(Ctrl* c = b.ctrl.Get()) {
            c->Enable();
            c->SetValue(IsNullInt(b.index) ? Value(cursor) : GetStoredValue(cursor, b.index));
        }
}

void ArrayCtrl::ClearBoundCtrls()
{
    for(const BoundCtrl& b : bound)
        if(Ctrl* c = b.ctrl.Get()) {
            c->SetValue(NullValue());
            c->Disable();
        }
}

void ArrayCtrl::ReloadEditors(int index)
{
    for(int i = 0; i < columns.GetCount(); i++)
        if(Ctrl* e = columns[i].editor.Get())
            if(columns[i].FindIndex(index) >= 0)
                e->SetValue(GetColumnValue(cursor, i));
    for(const BoundCtrl& b : bound)
        if(b.index == index && b.ctrl.Get())
            b.ctrl->SetValue(GetStoredValue(cursor, index));
}

Value ArrayCtrl::Get(int row, int index) const
{
    return row >= 0 && row == cursor ? GetCursorRowValue(index) : GetStoredValue(row, index);
}

Value ArrayCtrl::GetCursorKey() const { return cursor < 0 ? NullValue() : GetCursorRowValue(0); }

Vector<Value> ArrayCtrl::GetRowValues(int row) const
{
    Vector<Value> v;
    for(int i = 0; i < GetIndexCount(); i++)
        v.Add(Get(row, i));
    return v;
}

bool ArrayCtrl::IsSelected(int row) const
{
    return row >= 0 && row < rows.GetCount() && (rows[row].flags & ArrayCtrlRow::SELECTED);
}

bool ArrayCtrl::IsRowEnabled(int row) const
{
    if(row < 0)
        return false;
    return row >= rows.GetCount() || (rows[row].flags & ArrayCtrlRow::ENABLED);
}

void ArrayCtrl::SetRowEnabled(int row, bool enabled)
{
    ArrayCtrlRow& r = GrowRows(row);
    r.flags = byte(enabled ? r.flags | ArrayCtrlRow::ENABLED : r.flags & ~ArrayCtrlRow::ENABLED);
    RefreshRow(row);
}

int ArrayCtrl::Find(const Value& v, int index, int from) const
{
    for(int r = std::max(from, 0); r < GetCount(); r++)
        if(IsRowEnabled(r) && Get(r, index) == v)
            return r;
    return -1;
}

bool ArrayCtrl::FindSetCursor(const Value& v, int index, int from)
{
    int row = Find(v, index, from);
    return row >= 0 && SetCursor(row, true);
}

const Display* ArrayCtrl::GetCellDisplay(int row, int column) const
{
    if(row >= 0 && row < cell_overrides.GetCount() && column < cell_overrides[row].GetCount()) {
        uintptr_t w = cell_overrides[row][column];
        if(w != 0 && !(w & 1))
            return reinterpret_cast<const Display*>(w);
    }
    return GetColumnDisplay(column);
}

void ArrayCtrl::SetCellDisplay(int row, int column, const Display& d)
{
    QOR_ASSERT(row >= 0 && column >= 0);
    if(cell_overrides.GetCount() <= row)
        cell_overrides.SetCount(row + 1);
    Vector<uintptr_t>& line = cell_overrides[row];
    if(line.GetCount() <= column)
        line.SetCount(column + 1, 0);
    if(CellCtrl* cell = GetCellCtrl(row, column))
        delete cell;
    line[column] = reinterpret_cast<uintptr_t>(&d);
    RefreshRow(row);
}

ArrayCtrlRow& ArrayCtrl::GrowRows(int row)
{
    QOR_ASSERT(row >= 0);
    if(rows.GetCount() <= row)
        rows.SetCount(row + 1);
    return rows[row];
}

void ArrayCtrl::SetRaw(int row, int index, const Value& v)
{
    QOR_ASSERT(row >= 0 && index >= 0);
    if(row == cursor) {
        SetCursorRowValue(index, v);
        return;
    }
    SetCellCtrlValue(row, index, v);
    Vector<Value>& values = GrowRows(row).values;
    if(values.GetCount() <= index)
        values.SetCount(index + 1);
    values[index] = v;
}

void ArrayCtrl::SetCursorRowValue(int index, const Value& v)
{
    QOR_ASSERT(cursor >= 0 && index >= 0);
    Vector<Value>& values = GrowRows(cursor).values;
    if(values.GetCount() <= index)
        values.SetCount(index + 1);
    values[index] = v;
    ReloadEditors(index);
    SetCellCtrlValue(cursor, index, v);
    if(modified.GetCount() <= index)
        modified.SetCount(index + 1, false);
    modified[index] = true;
    InvalidateCaches(cursor);
    RefreshRow(cursor);
}

bool ArrayCtrl::IsIndexModified(int index) const
{
    return index >= 0 && index < modified.GetCount() && modified[index];
}

void ArrayCtrl::RowChanged(int row)
{
    SyncScrollInfo();
    Refresh();
    SyncInfoPopup();
    SyncLineCtrls(row);
    InvalidateCaches(row);
}

void ArrayCtrl::Set(int row, int index, const Value& v)
{
    SetRaw(row, index, v);
    RowChanged(row);
}

void ArrayCtrl::SetRow(int row, const Vector<Value>& values)
{
    for(int i = 0; i < values.GetCount(); i++) {
        SetRaw(row, i, values[i]);
        RowChanged(row);
    }
    InvalidateCaches(row);
    SyncScrollInfo();
    RefreshRow(row);
}

void ArrayCtrl::Add()
{
    if(GetIndexCount() == 0) {
        rows.Add();
        SyncScrollInfo();
        Refresh();
        InvalidateCaches(cursor);
        InvalidateCaches(rows.GetCount() - 1);
        return;
    }
    Vector<Value> values;
    for(ArrayCtrlIndexInfo& info : index_info)
        values.Add(info.generator ? info.generator->Get() : info.default_value);
    SetRow(GetCount(), values);
}

void ArrayCtrl::AddValue(const Value& v)
{
    int row = GetCount();
    SetRaw(row, 0, v);
    RowChanged(row);
}

void ArrayCtrl::SetCount(int n)
{
    QOR_ASSERT(n >= 0);
    if(cursor >= n)
        CancelCursor();
    rows.SetCount(n);
    if(cell_overrides.GetCount() > n) {
        for(int row = n; row < cell_overrides.GetCount(); row++)
            FreeCellCtrls(cell_overrides[row]);
        cell_overrides.Trim(n);
    }
    // Rows cut away may have been selected.
    MarkSelectionStale();
    if(n == 0)
        ForgetSort();
    Refresh();
    SyncInfoPopup();
    SyncAllCtrls();
    SyncScrollInfo();
    PlaceEditors();
}

void ArrayCtrl::SetVirtualCount(int n)
{
    QOR_ASSERT(n >= -1);
    if(cursor >= std::max(n, rows.GetCount()))
        CancelCursor();
    virtual_count = n;
    Refresh();
    SyncInfoPopup();
    SyncScrollInfo();
}

void ArrayCtrl::InsertRows(int row, int count)
{
    QOR_ASSERT(row >= 0 && count >= 0);
    if(row < rows.GetCount()) {
        rows.InsertN(row, count);
        for(Column& c : columns)
            c.InsertCacheRows(row, count);
    }
    else if(rows.GetCount() < row + count)
        rows.SetCount(row + count);
    if(cursor >= row)
        cursor += count;
    if(row < cell_overrides.GetCount())
        cell_overrides.InsertN(row, count);
    if(row < lines.GetCount()) {
        int y = lines[row].y;
        for(RowLine *l = lines.InsertN(row, count), *e = l + count; l < e; l++)
            *l = RowLine{ 0, INT_NULL };
        RecalcLinePositions(row, y);
    }
    if(virtual_count >= 0)
        virtual_count += count;
    for(int r = row; r < row + count; r++)
        for(int j = 0; j < GetIndexCount(); j++) {
            ArrayCtrlIndexInfo& info = index_info[j];
            Value v = info.generator ? info.generator->Get() : info.default_value;
            if(!v.IsNull()) {
                SetRaw(r, j, v);
                RowChanged(r);
            }
        }
    Refresh();
    SyncScrollInfo();
    PlaceEditors();
    SyncAllCtrls();
    SyncInfoPopup();
}

void ArrayCtrl::RemoveRow(int row)
{
    QOR_ASSERT(row >= 0 && row < rows.GetCount());
    rows.Remove(row);
    for(Column& c : columns)
        c.RemoveCacheRow(row);
    if(row < lines.GetCount()) {
        int y = lines[row].y;
        lines.Remove(row);
        RecalcLinePositions(row, y);
    }
    if(row < cell_overrides.GetCount()) {
        FreeCellCtrls(cell_overrides[row]);
        cell_overrides.Remove(row);
    }
    if(virtual_count > 0)
        virtual_count--;
    Refresh();
    PlaceEditors();
    SyncAllCtrls();
    SyncInfoPopup();
    SyncScrollInfo();
    MarkSelectionStale();
}

void ArrayCtrl::Clear()
{
    // The editors close without accepting or reverting anything.
    EndEdit();
    bool had_cursor = cursor >= 0;
    if(had_cursor) {
        WhenKillCursor();
        cursor = -1;
        info.Dismiss();
    }
    rows.Clear();
    if(had_cursor) {
        WhenCursor();
        WhenSel();
    }
    FreeAllCellCtrls();
    cell_overrides.Clear();
    lines.Clear();
    ClearCaches();
    ClearBoundCtrls();
    virtual_count = -1;
    anchor = -1;
    // No rows are left to be selected.
    select_count = 0;
    select_count_stale = false;
    ForgetSort();
    SyncScrollInfo();
    Refresh();
    SyncInfoPopup();
}

void ArrayCtrl::AddSeparator()
{
    int row = GetCount();
    Add();
    SetRowHeight(row, GetStandardFontSize().cy / 2);
    for(int c = 0; c < GetColumnCount(); c++)
        SetCellDisplay(row, c, GetArrayCtrlSeparatorDisplay());
    rows[row].flags &= ~ArrayCtrlRow::ENABLED;
}

} // namespace Qor
