// Editing the cursor row in place: the column editors open over its cells, and a row is
// accepted (validation, the owner's consent, commit, close) or reverted as a whole.

#include "lists/array/array_column.h"

#include "foundation/values/value_array.h"

namespace Qor {

namespace {

bool HasEditors(const OwnedArray<ArrayCtrl::Column>& columns)
{
    for(const ArrayCtrl::Column& c : columns)
        if(c.GetEditor())
            return true;
    return false;
}

// The focus into an editor's own controls, when the editor itself does not take it.
bool FocusInside(Ctrl& c)
{
    for(Ctrl* q = c.GetFirstChild(); q; q = q->GetNext())
        if(q->FocusIfFocusable() || FocusInside(*q))
            return true;
    return false;
}

} // namespace

bool ArrayCtrl::StartEdit(int column)
{
    if(!IsEditable() || cursor < 0 || !HasEditors(columns))
        return false;
    options |= EDITING;
    PlaceEditors();
    int n = columns.GetCount();
    if(column < 0 || column >= n)
        column = 0;
    for(int i = 0; i < n; i++) {
        Ctrl* e = columns[(column + i) % n].GetEditor();
        if(e && (e->FocusIfFocusable() || FocusInside(*e)))
            break;
    }
    SetWantsFocus(false);
    RefreshRow(cursor);
    WhenStartEdit();
    SyncInfoPopup();
    return true;
}

void ArrayCtrl::PlaceEditors()
{
    for(int i = 0; i < columns.GetCount(); i++) {
        Ctrl* e = columns[i].GetEditor();
        if(!e)
            continue;
        int tab = header.FindIndex(i);
        bool shown = IsEditing() && cursor >= 0 && tab >= 0 && header.Tab(tab).IsShown();
        if(shown)
            e->SetRect(GetCellContentRect(cursor, i));
        e->SetVisible(shown);
    }
}

void ArrayCtrl::EndEdit()
{
    if(!HasEditors(columns))
        return;
    bool focus = HasFocusInTree();
    options &= ~(EDITING | INSERTING);
    PlaceEditors();
    SetWantsFocus();
    if(focus)
        SetFocus();
    SyncInfoPopup();
}

int ArrayCtrl::GetFocusedEditorColumn() const
{
    for(int i = 0; i < columns.GetCount(); i++)
        if(Ctrl* e = columns[i].GetEditor())
            if(e->HasFocusInTree())
                return i;
    return -1;
}

bool ArrayCtrl::AcceptRow()
{
    for(int i = 0; i < columns.GetCount(); i++) {
        if(Ctrl* e = columns[i].GetEditor())
            if(!e->Validate())
                return false;
        if(CellCtrl* cell = GetCellCtrl(cursor, i)) {
            accept_nesting++;
            bool ok = cell->GetHosted().Validate();
            accept_nesting--;
            if(!ok)
                return false;
        }
    }
    for(const BoundCtrl& b : bound)
        if(Ctrl* c = b.ctrl.Get())
            if(!c->Validate())
                return false;
    // The owner's consent and the commit run nested: a control taking the focus meanwhile
    // must not move the cursor.
    accept_nesting++;
    bool ok = WhenAcceptRow() && CommitRowEdits();
    accept_nesting--;
    if(!ok) {
        FocusFirstCellCtrl();
        return false;
    }
    bool was_editing = IsEditing();
    EndEdit();
    LoadEditors();
    ClearModified();
    if(was_editing)
        WhenUpdateRow();
    return true;
}

bool ArrayCtrl::Validate() { return cursor < 0 || AcceptRow(); }

void ArrayCtrl::CancelInput() { RevertRowEdits(); }

bool ArrayCtrl::StoreEdit(int index, const Value& v)
{
    Vector<Value>& values = GrowRows(cursor).values;
    if(values.GetCount() <= index)
        values.SetCount(index + 1);
    if(values[index] == v)
        return false;
    values[index] = v;
    return true;
}

bool ArrayCtrl::CommitRowEdits()
{
    bool changed = false;
    for(const Column& c : columns) {
        Ctrl* e = c.GetEditor();
        if(!e || !e->HasModifications())
            continue;
        Value v = e->GetValue();
        int n = c.GetIndexCount();
        if(n == 1)
            changed |= StoreEdit(c.GetIndex(0), v);
        else if(n > 1) {
            ValueArray parts(v);
            for(int i = 0; i < n; i++)
                changed |= StoreEdit(c.GetIndex(i), i < parts.GetCount() ? parts[i] : Value(INT_NULL));
        }
    }
    for(const BoundCtrl& b : bound) {
        Ctrl* c = b.ctrl.Get();
        if(c && !IsNullInt(b.index) && c->HasModifications())
            changed |= StoreEdit(b.index, c->GetValue());
    }
    if(changed) {
        InvalidateCaches(cursor);
        RefreshRow(cursor);
        WhenArrayAction();
    }
    WhenAcceptEdit();
    return true;
}

void ArrayCtrl::RevertRowEdits()
{
    if(cursor >= 0) {
        for(const Column& c : columns)
            if(Ctrl* e = c.GetEditor())
                e->CancelInput();
        for(const BoundCtrl& b : bound)
            if(Ctrl* c = b.ctrl.Get())
                c->CancelInput();
        if(IsInserting()) {
            // The row was made for this edit: cancelling it takes the row away again.
            if(cursor < rows.GetCount())
                RemoveRow(cursor);
            ClearBoundCtrls();
            cursor = -1;
            EndEdit();
            WhenArrayAction();
            WhenCursor();
            WhenSel();
            SyncInfoPopup();
            return;
        }
        RefreshRow(cursor);
    }
    EndEdit();
    WhenArrayAction();
    SyncInfoPopup();
}

void ArrayCtrl::ClearModified()
{
    if(modified.GetCount() < GetIndexCount())
        modified.SetCount(GetIndexCount(), false);
    for(bool& m : modified)
        m = false;
    for(const Column& c : columns)
        if(Ctrl* e = c.GetEditor())
            e->ClearModified();
    for(const BoundCtrl& b : bound)
        if(Ctrl* c = b.ctrl.Get())
            c->ClearModified();
}

bool ArrayCtrl::AcceptEdit()
{
    if(!IsEditing())
        return true;
    // Accepting ends the edit and with it the mark of a new row: note it first.
    bool inserted = IsInserting();
    if(!Validate())
        return false;
    if(inserted && cursor >= 0 && cursor == rows.GetCount() - 1 && AppendingAllowed() && HasOption(APPEND_LINE) &&
       !HasOption(NO_MOVE_TO_APPEND_LINE)) {
        if(HasOption(MULTI_SELECT))
            ClearSelection();
        DropCursor();
        sb.ScrollInto(GetTotalCy(), default_row_height);
    }
    return true;
}

void ArrayCtrl::DoEdit()
{
    if(IsEditable() && !IsEditing() && cursor >= 0)
        StartEdit(0);
}

} // namespace Qor
