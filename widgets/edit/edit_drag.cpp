// EditField: dragging the selected text out and accepting dropped text.

#include "widgets/edit/edit_field.h"

#include "ctrl/clip/text_formats.h"
#include "ctrl/clip/transfer_session.h"
#include "ctrl/dnd/drag_source.h"
#include "draw/image/pixel_buffer.h"
#include "draw/target/image_any_draw.h"
#include "foundation/values/color.h"

#include <algorithm>

namespace Qor {

namespace {

// The drag image has this size whatever the text's extent; text beyond it is cut.
constexpr int DRAG_IMAGE_CX = 126;
constexpr int DRAG_IMAGE_CY = 106;
// Hover scrolling: the zone at each end of the view, and the step per tick.
constexpr int SCROLL_ZONE = 16;
constexpr int SCROLL_STEP = 3;

// The glyphs of s in black over transparency: the text is drawn white on black and its
// brightness becomes the alpha.
Image MakeTextDragImage(const WString& s)
{
    if(!IsImageDrawFactorySet())
        return Image();
    ImageAnyDraw w(DRAG_IMAGE_CX, DRAG_IMAGE_CY);
    w.DrawRect(0, 0, DRAG_IMAGE_CX, DRAG_IMAGE_CY, Black());
    w.DrawText(0, 0, s, GetStandardFontReference(), White());
    Image drawn = w.GetImage();
    PixelBuffer b(drawn);
    for(RGBA* p = b.Begin(); p != b.End(); p++) {
        p->a = p->r;
        p->r = p->g = p->b = 0;
    }
    return Image(b);
}

} // namespace

void EditField::LeftDragStart(Point p, dword)
{
    int c = GetPositionAt(p.x + scroll_offset);
    int l, h;
    if(IsPassword() || HasCapture() || !GetSelection(l, h) || c < l || c > h)
        return;
    WString s = text.Mid(l, h - l);
    TransferFormatMap data;
    AddTextFormats(data, s);
    bool kept = HasOption(OPT_KEEP_SELECTION);
    options |= OPT_KEEP_SELECTION;
    WeakPointer<Ctrl> alive(this);
    int action = StartDrag(this, data, MakeTextDragImage(s), DND_ALLOW_COPY | DND_ALLOW_MOVE);
    if(!alive)
        return;
    if(action == DROP_MOVE && IsEditable()) {
        int sl, sh;
        if(GetSelection(sl, sh)) {
            cursor = sl;
            anchor = -1;
            scroll_offset = 0;
            UpdateView(true);
        }
        SaveUndo();
        // The text may have changed under the drag; only what is still there goes.
        int end = std::min(h, text.GetLength());
        if(end > l)
            RemoveText(l, end - l);
        scroll_offset = 0;
        UpdateView(true);
        RunAction();
        if(!alive)
            return;
    }
    options = byte(kept ? options | OPT_KEEP_SELECTION : options & ~OPT_KEEP_SELECTION);
}

Rect EditField::GetDropMarkerAt(int pos) const
{
    Rect caret = GetCaretRect(pos);
    int x = GetTextWidth(pos) - scroll_offset + 2 - font.GetRightBearing('o');
    return Rect(x, caret.top, x + 1, caret.bottom);
}

void EditField::SetDropMarker(const Rect& r)
{
    if(r == drop_marker)
        return;
    Refresh(drop_marker);
    drop_marker = r;
    Refresh(drop_marker);
}

void EditField::DropAtPoint(Point p, TransferOffer& offer)
{
    if(!IsEditable())
        return;
    int c = GetPositionAt(p.x + scroll_offset);
    TransferSession drop;
    if(offer.AcceptText()) {
        SaveUndo();
        WString t = ReadOfferText(offer);
        int l, h;
        bool from_here = GetDragSource() == this;
        if(GetSelection(l, h)) {
            if(c >= l && c < h) {
                RemoveSelection();
                c = l;
                if(from_here)
                    offer.SetAction(DROP_COPY);
            }
            else if(offer.IsMove() && from_here) {
                if(c > l)
                    c -= h - l;
                RemoveSelection();
                offer.SetAction(DROP_COPY);
            }
        }
        int n = InsertText(c, t);
        // A refused text stays with its source: a move would lose it.
        if(n == 0 && !t.IsEmpty())
            offer.SetAction(DROP_COPY);
        SetFocus();
        SetSelection(c, c + n);
        RunAction();
        return;
    }
    if(offer.IsAccepted())
        SetDropMarker(GetDropMarkerAt(c));
}

void EditField::DragHoverTick(Point p)
{
    if(!IsEditable())
        return;
    int cx = GetViewSize().cx;
    int zone = std::min(cx / 6, SCROLL_ZONE);
    int s = scroll_offset;
    if(p.x > cx - zone)
        s += SCROLL_STEP;
    if(p.x < zone)
        s -= SCROLL_STEP;
    s = std::clamp(s, 0, std::max(GetTextWidth(text.GetLength()) - cx + 2, 0));
    if(s != scroll_offset) {
        scroll_offset = s;
        Refresh();
        SyncCaret();
    }
}

void EditField::DragLeft()
{
    Refresh(drop_marker);
    drop_marker = Rect(0, 0, 0, 0);
}

} // namespace Qor
