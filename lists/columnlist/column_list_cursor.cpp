// ColumnList's cursor: placing and removing it, the keys that move it (Shift selecting the
// range from the anchor), paging, and sorting the items.

#include "lists/columnlist/column_list.h"

#include "ctrl/input/mouse_routing.h"
#include "foundation/assert.h"
#include "lists/array/index_sort.h"
#include "lists/popup/list_keys_internal.h"
#include "widgets/bar/bar.h"

#include <algorithm>

namespace Qor {

void ColumnList::RefreshItem(int i)
{
    if(i >= 0 && i < items.GetCount())
        Refresh(GetItemRect(i));
}

void ColumnList::SetCursor(int i) { PlaceCursor(i, true); }

void ColumnList::PlaceCursor(int i, bool sel)
{
    int n = items.GetCount();
    int old = cursor;
    int c = std::min(std::max(i, 0), n - 1);
    if(n == 0 || old < 0)
        Refresh();
    else {
        RefreshItem(old);
        SyncInfo();
    }
    cursor = c;
    int position = sb.GetPosition();
    if(c >= 0)
        sb.ScrollInto(c, 1);
    if(sb.GetPosition() != position)
        Refresh();
    else {
        RefreshItem(c);
        SyncInfo();
    }
    if(multi_select && sel && c >= 0) {
        for(ColumnListItem& m : items)
            m.selected = false;
        if(items[c].can_select)
            items[c].selected = true;
        UpdateSelectCount();
        anchor = c;
        Refresh();
    }
    if(cursor != old) {
        if(cursor >= 0)
            WhenEnterItem();
        else
            WhenKillCursor();
        WhenSel();
    }
    SyncInfo();
    RunAction();
}

void ColumnList::KillCursor()
{
    Refresh();
    SyncInfo();
    cursor = -1;
    sb.ScrollToStart();
    WhenKillCursor();
    WhenSel();
    RunAction();
}

void ColumnList::Page(bool down)
{
    int f = GetFirstVisible();
    if(down)
        sb.NextPage();
    else
        sb.PrevPage();
    int moved = GetFirstVisible();
    int c;
    if(moved == f)
        c = down ? items.GetCount() - 1 : 0;
    else
        c = cursor - f + moved;
    PlaceCursor(c, true);
}

bool ColumnList::ProcessKey(dword key, int count)
{
    // Presses of a key that arrived together come folded into a count; each one moves.
    bool done = MoveByKey(key);
    for(int k = 1; done && k < count; k++)
        MoveByKey(key);
    return done;
}

bool ColumnList::MoveByKey(dword key)
{
    using namespace ListKeys;
    int n = items.GetCount();
    int c = cursor;
    int rows = GetRows();
    int target;
    switch(key & ~K_SHIFT) {
    case HOME:
        target = 0;
        break;
    case END:
        target = n - 1;
        break;
    case UP:
        target = c < 0 ? n - 1 : std::max(c - 1, 0);
        break;
    case DOWN:
        target = c < 0 ? 0 : std::min(c + 1, n - 1);
        break;
    case LEFT:
        target = std::max(c - rows, 0);
        break;
    case RIGHT:
        target = std::min(c + rows, n - 1);
        break;
    case PAGE_UP:
        Page(false);
        return true;
    case PAGE_DOWN:
        Page(true);
        return true;
    default:
        return Bar::ScanKeys::Scan(WhenBar, key);
    }
    if(key & K_SHIFT) {
        PlaceCursor(target, false);
        ShiftSelect();
    }
    else {
        PlaceCursor(target, true);
        anchor = target;
    }
    return true;
}

void ColumnList::Sort(const ValueOrder& order)
{
    if(cursor >= 0)
        KillCursor();
    // Sorting the records' pointers leaves every record where it is.
    int n = items.GetCount();
    Vector<ColumnListItem*> sorted;
    sorted.Reserve(n);
    while(!items.IsEmpty())
        sorted.Add(items.PopDetach());
    std::reverse(sorted.begin(), sorted.end());
    try {
        SortRange(sorted.begin(), sorted.end(),
                  [&](const ColumnListItem* a, const ColumnListItem* b) { return order.Less(a->value, b->value); });
    }
    catch(...) {
        // An order that throws loses no item; they stay in whatever order they reached.
        for(ColumnListItem* m : sorted)
            items.Add(m);
        throw;
    }
    for(ColumnListItem* m : sorted)
        items.Add(m);
    sb.ScrollToStart();
    SyncInfo();
}

} // namespace Qor
