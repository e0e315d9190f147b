// ScrollBar: arrows and track in the view, the mouse on the track and the thumb, painting.

#include "widgets/scroll/scroll_bar.h"

#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"

namespace Qor {

int ScrollBar::GetLength() const
{
    Size sz = GetViewSize();
    return IsHorizontal() ? sz.cx : sz.cy;
}

int ScrollBar::GetArrowRoom() const
{
    bool horizontal = IsHorizontal();
    return ScrollArrowRoom(GetLength(), style->arrow_size, horizontal ? style->has_second_left : style->has_second_up,
                           horizontal ? style->has_second_right : style->has_second_down);
}

Rect ScrollBar::GetTrackRect() const
{
    bool horizontal = IsHorizontal();
    int a = GetArrowRoom();
    // Without room for the arrows there are no second arrows either.
    bool second_back = a && (horizontal ? style->has_second_left : style->has_second_up);
    bool second_forward = a && (horizontal ? style->has_second_right : style->has_second_down);
    return ScrollTrackRect(Rect(GetViewSize()), horizontal, a, second_back, second_forward);
}

int ScrollBar::GetTrackLength() const
{
    Size sz = GetTrackRect().GetSize();
    return IsHorizontal() ? sz.cx : sz.cy;
}

Rect ScrollBar::GetPartRect(int part) const
{
    return ScrollPartRect(GetTrackRect(), IsHorizontal(), GetThumb(), part, style->thumb_overlap, style->min_thumb);
}

int ScrollBar::PartAt(Point p) const
{
    for(int part : { SCROLL_PART_THUMB, SCROLL_PART_AFTER, SCROLL_PART_BEFORE })
        if(GetPartRect(part).Contains(p))
            return part;
    return SCROLL_PART_NONE;
}

void ScrollBar::Layout()
{
    bool horizontal = IsHorizontal();
    const ScrollBarStyle& s = *style;
    arrows[ARROW_BACK].SetStyle(horizontal ? &s.left : &s.up);
    arrows[ARROW_FORWARD].SetStyle(horizontal ? &s.right : &s.down);
    arrows[ARROW_SECOND_BACK].SetStyle(horizontal ? &s.second_left : &s.second_up);
    arrows[ARROW_SECOND_FORWARD].SetStyle(horizontal ? &s.second_right : &s.second_down);
    bool second_back = horizontal ? s.has_second_left : s.has_second_up;
    bool second_forward = horizontal ? s.has_second_right : s.has_second_down;
    Size sz = GetViewSize();
    int length = horizontal ? sz.cx : sz.cy;
    int across = horizontal ? sz.cy : sz.cx;
    int a = GetArrowRoom();
    auto place = [&](Button& b, int at) {
        if(horizontal)
            b.SetRect(at, 0, a, across);
        else
            b.SetRect(0, at, across, a);
    };
    place(arrows[ARROW_BACK], 0);
    place(arrows[ARROW_FORWARD], length - a);
    place(arrows[ARROW_SECOND_BACK], length - 2 * a);
    place(arrows[ARROW_SECOND_FORWARD], a);
    arrows[ARROW_SECOND_BACK].SetVisible(second_back);
    arrows[ARROW_SECOND_FORWARD].SetVisible(second_forward);
    SetPosition(position);
    Refresh();
}

void ScrollBar::DragThumb(Point p)
{
    int offset = ClampThumbOffset(std::max(Along(p) - grab, 0), thumb_size, GetTrackLength());
    if(offset == thumb_offset)
        return;
    thumb_offset = offset;
    Refresh();
    if(geometry & GEOMETRY_LIVE)
        PositionFromThumb();
}

void ScrollBar::PositionFromThumb()
{
    int p = ScrollPositionFromThumb(GetThumb(), GetTrackLength(), page, total, GetMinThumb());
    if(p == position)
        return;
    // The thumb stays where the pointer put it; only the number follows.
    position = p;
    RunAction();
    scroll_action();
}

void ScrollBar::LeftButtonDown(Point p, dword)
{
    pressed_part = int8(PartAt(p));
    if(pressed_part == SCROLL_PART_THUMB)
        grab = Along(p) - thumb_offset;
    else if(geometry & GEOMETRY_JUMP) {
        // Offsets count from the track start: the thumb's middle lands under the pointer.
        Rect track = GetTrackRect();
        grab = thumb_size / 2 + (IsHorizontal() ? track.left : track.top);
        DragThumb(p);
    }
    else if(pressed_part == SCROLL_PART_BEFORE)
        PrevPage();
    else
        NextPage();
    SetCapture();
    Refresh();
    press_action();
}

void ScrollBar::LeftButtonRepeat(Point, dword)
{
    if(!(geometry & GEOMETRY_JUMP)) {
        if(pressed_part == SCROLL_PART_BEFORE)
            PrevPage();
        else if(pressed_part == SCROLL_PART_AFTER)
            NextPage();
    }
    Refresh();
}

void ScrollBar::PointerMoved(Point p, dword)
{
    if(HasCapture() && pressed_part == SCROLL_PART_THUMB)
        DragThumb(p);
    else if(PartAt(p) != hot_part)
        Refresh();
}

void ScrollBar::LeftButtonUp(Point, dword)
{
    ReleaseOwnCapture();
    if(!(geometry & GEOMETRY_LIVE))
        PositionFromThumb();
    Refresh();
    pressed_part = SCROLL_PART_NONE;
}

void ScrollBar::CancelInteraction()
{
    pressed_part = SCROLL_PART_NONE;
    hot_part = SCROLL_PART_NONE;
}

void ScrollBar::PointerEntered(Point, dword) { Refresh(); }

void ScrollBar::PointerLeft() { Refresh(); }

const Value* ScrollBar::PartLooks(int part) const
{
    bool horizontal = IsHorizontal();
    switch(part) {
    case SCROLL_PART_BEFORE:
        return horizontal ? style->horizontal_before : style->vertical_before;
    case SCROLL_PART_AFTER:
        return horizontal ? style->horizontal_after : style->vertical_after;
    default:
        return horizontal ? style->horizontal_thumb : style->vertical_thumb;
    }
}

void ScrollBar::Paint(Draw& w)
{
    Size sz = GetViewSize();
    Rect view(sz);
    w.DrawRect(view, SysColorPaper());
    hot_part = SCROLL_PART_NONE;
    for(int part : { SCROLL_PART_THUMB, SCROLL_PART_AFTER, SCROLL_PART_BEFORE })
        if(IsMouseInRect(GetPartRect(part))) {
            hot_part = int8(part);
            break;
        }
    int pressed = HasCapture() ? int(pressed_part) : int(SCROLL_PART_NONE);
    Rect track = GetTrackRect();
    Rect span = style->tracks_span_bar ? view : track;
    bool horizontal = IsHorizontal();
    if(!arrows[ARROW_BACK].IsEnabledUpward()) {
        if(style->tracks_span_bar) {
            PaintLook(w, view, PartLooks(SCROLL_PART_BEFORE)[VISUAL_DISABLED]);
            return;
        }
        int a = GetArrowRoom();
        int half = (horizontal ? track.Width() : track.Height()) / 2;
        int length = horizontal ? track.Width() : track.Height();
        Rect first = horizontal ? Rect(a, 0, a + half, sz.cy) : Rect(0, a, sz.cx, a + half);
        Rect second = horizontal ? Rect(a + half, 0, a + length, sz.cy) : Rect(0, a + half, sz.cx, a + length);
        PaintLook(w, first, PartLooks(SCROLL_PART_BEFORE)[VISUAL_DISABLED]);
        PaintLook(w, second, PartLooks(SCROLL_PART_AFTER)[VISUAL_DISABLED]);
        return;
    }
    auto look_state = [&](int part) {
        return part == pressed ? VISUAL_PRESSED : part == hot_part ? VISUAL_HOT : VISUAL_NORMAL;
    };
    // One track image is shared by the two parts: each shows its own piece of it.
    for(int part : { SCROLL_PART_BEFORE, SCROLL_PART_AFTER }) {
        if(w.Clip(GetPartRect(part)))
            PaintLook(w, span, PartLooks(part)[look_state(part)]);
        w.End();
    }
    if(thumb_size >= style->min_thumb)
        PaintLook(w, GetPartRect(SCROLL_PART_THUMB), PartLooks(SCROLL_PART_THUMB)[look_state(SCROLL_PART_THUMB)]);
}

} // namespace Qor
