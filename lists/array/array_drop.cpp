// ArrayCtrl as a drop target: a drag over a cell, between rows, over a whole row or below
// them is offered to the owner's callbacks, and the place that took it is marked.

#include "lists/array/array_ctrl.h"

#include "ctrl/clip/transfer.h"
#include "widgets/display/drop_marks.h"

namespace Qor {

void ArrayCtrl::SetDropTarget(int row, int column)
{
    if(row == drop_row && column == drop_column)
        return;
    // An insertion mark before a row is painted on the last line of the row above.
    RefreshRow(drop_row - 1);
    RefreshRow(drop_row);
    drop_row = row;
    drop_column = column;
    RefreshRow(drop_row - 1);
    RefreshRow(drop_row);
}

bool ArrayCtrl::DropBetween(int row, int y, TransferOffer& offer, int parts)
{
    int top = GetLineY(row);
    int d = default_row_height;
    if(y < top + d / parts) {
        WhenDropInsert(row, offer);
        if(offer.IsAccepted()) {
            SetDropTarget(row, -1);
            return true;
        }
        return false;
    }
    if(y < top + d * (parts - 1) / parts || row >= GetCount())
        return false;
    WhenDropInsert(row + 1, offer);
    if(!offer.IsAccepted())
        return false;
    SetDropTarget(row + 1, -1);
    return true;
}

void ArrayCtrl::DropAtPoint(Point p, TransferOffer& offer)
{
    if(!IsEditable())
        return;
    if(!(drag_flags & DRAG_HOVER)) {
        drag_flags |= DRAG_HOVER;
        RefreshSelectedInView();
    }
    int y = p.y + GetScrollPos();
    int row = GetLineAt(y);
    if(!IsNullInt(row)) {
        int column = GetColumnAt(row, p);
        if(!IsNullInt(column)) {
            WhenDropCell(row, column, offer);
            if(offer.IsAccepted()) {
                SetDropTarget(row, column);
                return;
            }
        }
        if(DropBetween(row, y, offer, 4))
            return;
        WhenDropRow(row, offer);
        if(offer.IsAccepted()) {
            SetDropTarget(row, -2);
            return;
        }
        if(DropBetween(row, y, offer, 2))
            return;
    }
    int n = GetCount();
    auto* drop = WhenDrop.GetAction();
    if(y < GetLineY(n) + default_row_height / 4 || !drop || !drop->CanRun()) {
        WhenDropInsert(n, offer);
        if(offer.IsAccepted()) {
            SetDropTarget(n, -1);
            return;
        }
    }
    WhenDrop(offer);
    SetDropTarget(-1, -1);
}

void ArrayCtrl::DragHoverTick(Point p)
{
    int dy = GetDragScrollStep(*this, p, 16).y;
    if(dy)
        sb.SetPosition(sb.GetPosition() + dy);
}

void ArrayCtrl::DragLeft()
{
    drag_flags &= ~DRAG_HOVER;
    RefreshSelectedInView();
    SetDropTarget(-1, -1);
}

void ArrayCtrl::RefreshSelectedInView()
{
    int scroll = GetScrollPos();
    int first = GetLineAt(scroll);
    if(IsNullInt(first))
        return;
    int bottom = scroll + GetViewSize().cy;
    for(int row = first; row < rows.GetCount() && GetLineY(row) < bottom; row++)
        if(IsSelected(row))
            RefreshRow(row);
}

} // namespace Qor
