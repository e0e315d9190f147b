// Sorting the rows by a column's shown values, from a click on its header tab. The order of
// (value, former position) is total, so the framework's unstable sort gives the one stable
// result.

#include "lists/array/array_column.h"

#include "lists/array/index_sort.h"
#include "widgets/images/ctrl_img.h"

#include <algorithm>

namespace Qor {

namespace {

// One sort's order: the column's comparison function, else its ValueOrder, either way round.
class ColumnSort : public ValueOrder {
public:
    ColumnSort(bool descending, const ValueOrder* order, int (*compare)(const Value&, const Value&))
        : descending(descending), order(order), compare(compare)
    {}

    bool Less(const Value& a, const Value& b) const override
    {
        const Value& x = descending ? b : a;
        const Value& y = descending ? a : b;
        return compare ? compare(x, y) < 0 : order->Less(x, y);
    }

private:
    bool descending;
    const ValueOrder* order;
    int (*compare)(const Value&, const Value&);
};

// The row order as an order of row numbers, for the index sort.
class RowNumberOrder : public ValueOrder {
public:
    RowNumberOrder(const ArrayCtrl& list, const ArrayCtrl::RowOrder& order) : list(list), order(order) {}

    bool Less(const Value& a, const Value& b) const override
    {
        return order.Less(list.GetRowValues(a.ToInt()), list.GetRowValues(b.ToInt()));
    }

private:
    const ArrayCtrl& list;
    const ArrayCtrl::RowOrder& order;
};

} // namespace

void ArrayCtrl::OnHeaderClick(int column)
{
    if(column == sort_column)
        sort_descending = !sort_descending;
    else {
        sort_column = column;
        sort_descending = false;
    }
    DoColumnSort();
}

void ArrayCtrl::DoColumnSort()
{
    if(sort_column < 0) {
        sort_descending = false;
        for(int i = 0; i < columns.GetCount() && sort_column < 0; i++)
            if(columns[i].order || columns[i].compare)
                sort_column = i;
        if(sort_column < 0)
            return;
    }
    for(int t = 0; t < header.GetCount(); t++) {
        HeaderCtrl::Column& tab = header.Tab(t);
        Image arrow;
        if(tab.GetIndex() == sort_column)
            arrow = sort_descending ? CtrlImg::SortUp() : CtrlImg::SortDown();
        tab.SetRightImage(arrow, 0, false);
    }
    if(sort_column >= columns.GetCount())
        return;
    const Column& c = columns[sort_column];
    int (*compare)(const Value&, const Value&) = c.compare;
    if(!compare && !c.order)
        compare = CompareValues;
    ColumnSort order(sort_descending, c.order, compare);
    SortByColumnOrder(sort_column, order);
}

void ArrayCtrl::ForgetSort()
{
    if(sort_column < 0)
        return;
    sort_column = -1;
    sort_descending = false;
    for(int t = 0; t < header.GetCount(); t++)
        header.Tab(t).SetRightImage(Image(), 0, false);
}

void ArrayCtrl::SortByColumnOrder(int column, const ValueOrder& order)
{
    Value key = cursor >= 0 ? GetCursorRowValue(0) : Value(INT_NULL);
    // The sort goes on even when the cursor row refuses to be left; the cursor goes anyway,
    // as its number would name another row afterwards.
    if(!ClearCursor())
        CancelCursor();
    StoreCellCtrlValues();
    int n = GetCount();
    Vector<Value> keys;
    Vector<int> index;
    // The row order first, so that the stable column sort keeps it among equal values.
    if(row_order) {
        for(int i = 0; i < n; i++) {
            keys.Add(i);
            index.Add(i);
        }
        IndexSort(index.begin(), keys.begin(), index.end(), RowNumberOrder(*this, *row_order));
        PermuteRows(index);
        keys.Clear();
        index.Clear();
    }
    ClearCaches();
    for(int i = 0; i < n; i++)
        keys.Add(GetConvertedValue(i, column));
    for(int i = 0; i < n; i++)
        index.Add(i);
    IndexSort(index.begin(), keys.begin(), index.end(), order);
    PermuteRows(index);
    Refresh();
    SyncInfoPopup();
    if(refind_cursor)
        FindSetCursor(key, 0);
}

void ArrayCtrl::PermuteRows(const Vector<int>& order)
{
    QOR_ASSERT(order.GetCount() == GetCount());
    Vector<ArrayCtrlRow> new_rows;
    Vector<Vector<uintptr_t>> new_overrides;
    Vector<RowLine> new_lines;
    int n = order.GetCount();
    new_rows.SetCount(std::min(n, rows.GetCount()));
    for(int i = 0; i < n; i++) {
        int from = order[i];
        if(from < rows.GetCount()) {
            if(new_rows.GetCount() <= i)
                new_rows.SetCount(i + 1);
            new_rows[i].flags = rows[from].flags;
            new_rows[i].values = std::move(rows[from].values);
        }
        if(from < cell_overrides.GetCount() && cell_overrides[from].GetCount()) {
            if(new_overrides.GetCount() <= i)
                new_overrides.SetCount(i + 1);
            new_overrides[i] = std::move(cell_overrides[from]);
        }
        if(from < lines.GetCount()) {
            while(new_lines.GetCount() <= i)
                new_lines.Add(RowLine{ 0, INT_NULL });
            new_lines[i] = lines[from];
        }
    }
    rows = std::move(new_rows);
    cell_overrides = std::move(new_overrides);
    lines = std::move(new_lines);
    MarkSelectionStale();
    RecalcLinePositions(0, 0);
    SyncAllCtrls();
}

} // namespace Qor
