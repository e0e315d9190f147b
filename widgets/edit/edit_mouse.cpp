// EditField: placing the cursor and selecting with the pointer, and the primary selection.

#include "widgets/edit/edit_field.h"

#include "ctrl/clip/clipboard.h"
#include "ctrl/clip/text_formats.h"
#include "ctrl/clip/transfer_session.h"
#include "ctrl/input/mouse_routing.h"

namespace Qor {

void EditField::LeftButtonDown(Point p, dword keyflags)
{
    int c = GetPositionAt(p.x + scroll_offset);
    if(!HasFocus()) {
        SetFocus();
        if(HasOption(OPT_SELECT_ALL_ON_CLICK)) {
            SelectAll();
            UpdateView(true);
            return;
        }
        scroll_offset = 0;
        MoveCursor(c, false);
    }
    press_in_selection = false;
    int l, h;
    if(GetSelection(l, h) && c >= l && c < h) {
        press_in_selection = true;
        return;
    }
    SetCapture();
    MoveCursor(c, keyflags & K_SHIFT);
    UpdateView(true);
}

void EditField::PointerMoved(Point p, dword)
{
    if(!HasCapture())
        return;
    int c = GetPositionAt(p.x + scroll_offset);
    if(anchor < 0)
        anchor = cursor;
    cursor = c;
    UpdateView(true);
    ClaimPrimary();
}

void EditField::LeftButtonUp(Point p, dword)
{
    int c = GetPositionAt(p.x + scroll_offset);
    int l, h;
    if(GetSelection(l, h) && c >= l && c < h && !HasCapture() && press_in_selection) {
        cursor = c;
        anchor = -1;
    }
    UpdateView(true);
    press_in_selection = false;
}

void EditField::LeftDoubleClick(Point, dword)
{
    int l = cursor, h = cursor;
    if(GetWordSelection(cursor, l, h) && l < h)
        SetSelection(l, h);
    else {
        cursor = l;
        anchor = -1;
    }
    UpdateView(true);
}

void EditField::LeftTripleClick(Point, dword) { SelectAll(); }

void EditField::MiddleButtonDown(Point p, dword keyflags)
{
    if(!IsEditable())
        return;
    TransferSession paste;
    TransferOffer& primary = GetPrimaryOffer();
    if(!primary.AcceptText())
        return;
    WString t = ReadOfferText(primary);
    press_in_selection = false;
    LeftButtonDown(p, keyflags);
    PasteText(t);
    RunAction();
    UpdateView(true);
}

String EditField::RenderSelectionData(const String& format) const
{
    if(IsPassword() || !IsSelection())
        return String();
    return RenderTextFormat(GetSelectedText(), format);
}

void EditField::PointerEntered(Point, dword)
{
    edge_frame.SetHot(true);
    RefreshEdge();
}

void EditField::PointerLeft()
{
    edge_frame.SetHot(false);
    RefreshEdge();
}

void EditField::CancelInteraction()
{
    SetOption(OPT_KEEP_SELECTION, false);
    press_in_selection = false;
    SetDropMarker(Rect(0, 0, 0, 0));
}

} // namespace Qor
