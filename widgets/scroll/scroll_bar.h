// ScrollBar: a track with a thumb and arrow buttons that maps a position within a total to
// the visible page; a child control or a frame of the control it scrolls. HScrollBar is the
// horizontal one.
#pragma once

#include "widgets/button/button.h"
#include "widgets/scroll/frame_ctrl.h"
#include "widgets/scroll/scroll_bar_geometry.h"
#include "widgets/scroll/scroll_bar_style.h"

namespace Qor {

class ScrollBar : public FrameCtrl<Ctrl> {
public:
    enum : int { ARROW_BACK = 0, ARROW_SECOND_BACK = 1, ARROW_FORWARD = 2, ARROW_SECOND_FORWARD = 3, ARROW_COUNT = 4 };

    ScrollBar();
    ~ScrollBar() override;

    // Docks at the right edge (vertical) or the bottom edge (horizontal) of the frame
    // rectangle; a hidden bar takes no room.
    void FrameLayout(Rect& r) override;
    // Grows by the bar width whether the bar is shown or not.
    void FrameAddSize(Size& sz) override;

    void Paint(Draw& w) override;
    void CancelInteraction() override;
    void PointerEntered(Point p, dword keyflags) override;
    void PointerLeft() override;
    void PointerMoved(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftButtonRepeat(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void Layout() override;
    Size StandardSize() const override;

    // Page and total follow SetPage and SetTotal, then the position SetPosition.
    bool Set(int position, int page, int total);
    // Nothing scrolls unless 0 < page < total; then auto-hide hides the bar and
    // auto-disable disables the arrows. The result is SetPosition's.
    bool SetPage(int page);
    bool SetTotal(int total);
    // Clamps to 0 .. total - page, moves the thumb and runs the scroll callback when the
    // position changed; true then.
    bool SetPosition(int position);
    ScrollBar& SetLine(int line);

    int GetPosition() const { return position; }
    int GetPage() const { return page; }
    int GetTotal() const { return total; }
    int GetLine() const { return line; }
    bool IsScrollable() const { return state & SCROLLABLE; }

    // The steps run the action callback when the position changed.
    void PrevLine();
    void NextLine();
    void PrevPage();
    void NextPage();
    // One notch of a wheel is 120; callers pass 3 lines.
    void Wheel(int zdelta, int lines = 3);
    void ScrollToStart();
    void ScrollToEnd();
    // The least move that shows [pos, pos + size), preferring its start.
    bool ScrollInto(int pos, int size);
    // Up, Down, Page Up, Page Down, Ctrl+Home and Ctrl+End (Home and End too with home_end)
    // for an owner that scrolls by keys; false for other keys or a bar that cannot act.
    bool VerticalKey(dword key, bool home_end = true);

    ScrollBar& SetHorizontal(bool b = true);
    bool IsHorizontal() const { return geometry & GEOMETRY_HORIZONTAL; }
    // A press on the track moves the thumb under the pointer.
    ScrollBar& SetJump(bool b = true);
    // The position follows a dragged thumb at once; off, it follows at the release.
    ScrollBar& SetLiveTracking(bool b = true);
    ScrollBar& SetAutoHide(bool b = true);
    bool IsAutoHide() const { return state & AUTO_HIDE; }
    ScrollBar& SetAutoDisable(bool b = true);
    ScrollBar& SetMinThumb(int pixels);
    ScrollBar& SetStyle(const ScrollBarStyle& s);
    const ScrollBarStyle& GetStyle() const { return *style; }

    // Run whenever the position changes by SetPosition or the thumb.
    Callback& ScrollAction() { return scroll_action; }
    // Run when auto-hide shows or hides the bar.
    Callback& VisibilityAction() { return visibility_action; }
    // Run after every left press on the bar and every push of an arrow.
    Callback& PressAction() { return press_action; }

    // For a bar docked in its parent's frame: the parent's view size as it would be without
    // the bar; (0, 0) otherwise.
    Size GetViewSizeWithoutBar() const;

    // Geometry of the moment, in view coordinates.
    Rect GetTrackRect() const;
    Rect GetPartRect(int part) const;
    ScrollThumb GetThumb() const { return ScrollThumb{ thumb_offset, thumb_size }; }
    int GetPressedPart() const { return pressed_part; }
    Button& GetArrow(int i) { return arrows[i]; }

    // A skin writes into it.
    static ScrollBarStyle& GetDefaultStyle();

private:
    enum : byte { GEOMETRY_HORIZONTAL = 0x01, GEOMETRY_JUMP = 0x02, GEOMETRY_LIVE = 0x04 };
    enum : byte { AUTO_HIDE = 0x01, AUTO_DISABLE = 0x02, SCROLLABLE = 0x04 };

    int thumb_offset = 0;
    int thumb_size = 8;
    byte geometry = GEOMETRY_LIVE;
    int grab = 0;
    int8 pressed_part = SCROLL_PART_NONE;
    int8 hot_part = SCROLL_PART_NONE;
    Button arrows[ARROW_COUNT];
    int position = 0;
    int page = 0;
    int total = 0;
    int line = 1;
    int min_thumb = 16;
    byte state = AUTO_DISABLE;
    const ScrollBarStyle* style;
    Callback scroll_action;
    Callback visibility_action;
    Callback press_action;

    int Along(Point p) const { return IsHorizontal() ? p.x : p.y; }
    int GetLength() const;
    int GetTrackLength() const;
    void BackArrowPushed();
    void ForwardArrowPushed();
    int GetArrowRoom() const;
    int GetMinThumb() const;
    int PartAt(Point p) const;
    void SetRange(int new_page, int new_total);
    void Step(int delta);
    void ActionOnChange(bool changed);
    void DragThumb(Point p);
    void PositionFromThumb();
    void PaintTrack(Draw& w, const Rect& track, int part, int look_state) const;
    const Value* PartLooks(int part) const;
};

class HScrollBar : public ScrollBar {
public:
    HScrollBar();
};

} // namespace Qor
