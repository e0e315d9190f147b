// The row commands a user gives an editable list: insert, append, duplicate, delete after a
// question, move up and down. Each tells the owner through WhenArrayAction.

#include "lists/array/array_ctrl.h"

#include "foundation/bitset.h"
#include "foundation/values/format.h"
#include "foundation/values/translate.h"
#include "richtext/qtf/qtf_format_writer.h"
#include "widgets/prompt/prompt.h"

namespace Qor {

void ArrayCtrl::DoInsert(int row)
{
    InsertRows(row, 1);
    if(!SetCursor(row, true) && cursor >= 0) {
        // The edited row refused to be left: the new row would stand beside an edit that is
        // not its own, and cancelling that edit would take the user's row away.
        RemoveRow(row);
        if(cursor > row)
            cursor--;
        PlaceEditors();
        return;
    }
    options |= INSERTING;
    if(IsEditable() && !IsEditing() && cursor >= 0)
        StartEdit(0);
    if(!IsEditing())
        options &= ~INSERTING;
    WhenArrayAction();
}

void ArrayCtrl::DoAppend()
{
    if(IsEditable())
        DoInsert(rows.GetCount());
}

void ArrayCtrl::DoInsertBefore()
{
    if(IsEditable())
        DoInsert(cursor >= 0 ? cursor : rows.GetCount());
}

void ArrayCtrl::DoInsertAfter()
{
    if(IsEditable())
        DoInsert(cursor >= 0 ? cursor + 1 : rows.GetCount());
}

void ArrayCtrl::DoDuplicate()
{
    if(!IsEditable() || cursor < 0)
        return;
    int row = cursor;
    if(!AcceptRow())
        return;
    DropCursor();
    Vector<Value> values = GetRowValues(row);
    int at = HasOption(APPENDING_ALLOWED) || HasOption(AUTO_APPEND) ? rows.GetCount() : row + 1;
    InsertRows(at, 1);
    SetRow(at, values);
    SetCursor(at, true);
    // The copy is an ordinary row: cancelling its edit keeps it.
    if(IsEditable() && !IsEditing() && cursor >= 0)
        StartEdit(0);
    WhenArrayAction();
}

bool ArrayCtrl::DoRemove()
{
    if(!IsEditable() || cursor < 0)
        return false;
    if(HasOption(ASK_BEFORE_REMOVE)) {
        String question = PrintfToString(Translate("Do you really want to delete the selected %s ?"), row_name.Begin());
        if(!AskOkCancel(EscapeQtfText(question.Begin()).Begin()))
            return false;
    }
    if(HasOption(MULTI_SELECT)) {
        // Noted first, removed from the last on, so the rows still to go keep their numbers.
        BitSet selected;
        int n = GetCount();
        for(int row = 0; row < n; row++)
            selected.Set(row, IsSelected(row));
        for(int row = n - 1; row >= 0; row--)
            if(selected[row])
                Remove(row);
    }
    else
        Remove(cursor);
    WhenArrayAction();
    return true;
}

void ArrayCtrl::Remove(int row)
{
    QOR_ASSERT(row >= 0);
    int old = cursor;
    if(row == old) {
        // Reverting removes a row made for the edit itself: nothing more is to go then.
        int stored = rows.GetCount();
        CancelCursor();
        if(rows.GetCount() == stored && row < stored)
            RemoveRow(row);
        SetCursor(old, false);
    }
    else if(row < rows.GetCount()) {
        RemoveRow(row);
        // Shifted with the rows, as an insertion does: the cursor row and its pending edits
        // stay together.
        if(row < old)
            cursor--;
    }
    anchor = -1;
    PlaceEditors();
    SyncScrollInfo();
    Refresh();
    SyncInfoPopup();
}

void ArrayCtrl::SwapWithNeighbour(int dir)
{
    int row = cursor;
    int other = row + dir;
    int n = GetCount();
    if(row < 0 || row >= n || other < 0 || other >= n)
        return;
    Vector<Value> a = GetRowValues(row);
    Vector<Value> b = GetRowValues(other);
    SetRow(row, b);
    SetRow(other, a);
    SetCursor(other, true);
    WhenArrayAction();
}

} // namespace Qor
