// ScrollBar: the numbers, the steps, the keys, the frame docking and the default style.

#include "widgets/scroll/scroll_bar.h"

#include "ctrl/frame/frame_settings.h"
#include "draw/font/font.h"
#include "draw/font/font_metrics.h"
#include "foundation/callback_action.h"
#include "widgets/button/style_record.h"
#include "widgets/images/ctrls_img.h"

#include <algorithm>
#include <climits>

namespace Qor {

enum : int { SCROLL_MIN_THUMB = 16, WHEEL_NOTCH = 120 };

namespace {

// A scroll arrow: the plain button with the arrow glyph over the scroll-button faces.
void FillArrowStyle(ButtonStyle& s, const Image& glyph)
{
    s = Button::GetPlainStyle();
    LoadCtrlsImgLooksWithGlyph(s.look, CtrlsImg::I_SB, glyph, s.glyph_colour, VISUAL_COUNT);
}

void FillDefaultStyle(ScrollBarStyle& s)
{
    s.bar_width = GetStdScrollBarWidth();
    s.arrow_size = GetStdScrollArrowSize();
    s.min_thumb = SCROLL_MIN_THUMB;
    s.thumb_overlap = 0;
    s.tracks_span_bar = false;
    LoadCtrlsImgLooks(s.vertical_before, CtrlsImg::I_SBVU, VISUAL_COUNT);
    LoadCtrlsImgLooksWithImage(s.vertical_thumb, CtrlsImg::I_SBVT, CtrlsImg::SBVI(), VISUAL_COUNT);
    LoadCtrlsImgLooks(s.vertical_after, CtrlsImg::I_SBVL, VISUAL_COUNT);
    LoadCtrlsImgLooks(s.horizontal_after, CtrlsImg::I_SBHU, VISUAL_COUNT);
    LoadCtrlsImgLooksWithImage(s.horizontal_thumb, CtrlsImg::I_SBHT, CtrlsImg::SBHI(), VISUAL_COUNT);
    LoadCtrlsImgLooks(s.horizontal_before, CtrlsImg::I_SBHL, VISUAL_COUNT);
    FillArrowStyle(s.up, CtrlsImg::UA());
    FillArrowStyle(s.down, CtrlsImg::DA());
    FillArrowStyle(s.left, CtrlsImg::LA());
    FillArrowStyle(s.right, CtrlsImg::RA());
    s.second_up = s.up;
    s.second_down = s.down;
    s.second_left = s.left;
    s.second_right = s.right;
    s.has_second_up = s.has_second_down = s.has_second_left = s.has_second_right = false;
}

} // namespace

ScrollBarStyle& ScrollBar::GetDefaultStyle()
{
    static ScrollBarStyle s;
    static ScrollBarStyle standard;
    return BuildStyleRecord(
        s, standard, [] { ScrollBar::GetDefaultStyle(); }, FillDefaultStyle);
}

ScrollBar::ScrollBar() : style(&GetDefaultStyle())
{
    SetWantsFocus(false);
    for(int i = 0; i < ARROW_COUNT; i++) {
        Button& b = arrows[i];
        b.SetStyle(&Button::GetScrollStyle());
        b.SetWantsFocus(false);
        b.SetTransparent();
        bool back = i == ARROW_BACK || i == ARROW_SECOND_BACK;
        b.SetPushAction(MakeCallback(this, back ? &ScrollBar::BackArrowPushed : &ScrollBar::ForwardArrowPushed));
        b.SetRepeatAction(MakeCallback(this, back ? &ScrollBar::PrevLine : &ScrollBar::NextLine));
        AppendChild(b);
    }
    UseBackBuffer();
    ResolveLayout(1);
    Refresh();
}

ScrollBar::~ScrollBar() = default;

HScrollBar::HScrollBar()
{
    SetHorizontal();
    Refresh();
    ResolveLayout(1);
}

void ScrollBar::BackArrowPushed()
{
    PrevLine();
    press_action();
}

void ScrollBar::ForwardArrowPushed()
{
    NextLine();
    press_action();
}

int ScrollBar::GetMinThumb() const { return std::max(min_thumb, style->min_thumb); }

void ScrollBar::SetRange(int new_page, int new_total)
{
    page = new_page;
    total = new_total;
    bool scrollable = 0 < page && page < total;
    state = byte(scrollable ? state | SCROLLABLE : state & ~SCROLLABLE);
    if((state & AUTO_HIDE) && scrollable != IsVisible()) {
        SetVisible(scrollable);
        visibility_action();
    }
    if((state & AUTO_DISABLE) && scrollable != arrows[ARROW_BACK].IsEnabled()) {
        Refresh();
        for(Button& b : arrows)
            b.SetEnabled(scrollable);
    }
}

bool ScrollBar::Set(int new_position, int new_page, int new_total)
{
    SetRange(new_page, new_total);
    return SetPosition(new_position);
}

bool ScrollBar::SetPage(int new_page) { return Set(position, new_page, total); }

bool ScrollBar::SetTotal(int new_total) { return Set(position, page, new_total); }

bool ScrollBar::SetPosition(int p)
{
    int old = position;
    position = ClampScrollPosition(p, page, total);
    ScrollThumb t = ComputeScrollThumb(GetTrackLength(), position, page, total, GetMinThumb());
    if(t.offset != thumb_offset || t.size != thumb_size) {
        thumb_offset = t.offset;
        thumb_size = t.size;
        Refresh();
    }
    if(position == old)
        return false;
    Refresh();
    scroll_action();
    return true;
}

ScrollBar& ScrollBar::SetLine(int l)
{
    line = l;
    return *this;
}

void ScrollBar::ActionOnChange(bool changed)
{
    if(changed)
        RunAction();
}

void ScrollBar::Step(int delta)
{
    int64 p = std::clamp<int64>(int64(position) + delta, INT_MIN, INT_MAX);
    ActionOnChange(SetPosition(int(p)));
}

void ScrollBar::PrevLine() { Step(-line); }
void ScrollBar::NextLine() { Step(line); }
void ScrollBar::PrevPage() { Step(-std::max(page - line, 1)); }
void ScrollBar::NextPage() { Step(std::max(page - line, 1)); }

void ScrollBar::Wheel(int zdelta, int lines)
{
    Step(int(std::clamp<int64>(int64(zdelta) * lines * line / -WHEEL_NOTCH, INT_MIN, INT_MAX)));
}

void ScrollBar::ScrollToStart() { ActionOnChange(SetPosition(0)); }
void ScrollBar::ScrollToEnd() { ActionOnChange(SetPosition(MaxScrollPosition(page, total))); }

bool ScrollBar::ScrollInto(int pos, int size)
{
    int p = position;
    if(int64(p) + page - size < pos)
        p = int(std::clamp<int64>(int64(pos) + size - page, INT_MIN, INT_MAX));
    // Showing a part is the owner's own move, not the user's: only the scroll callback runs.
    return SetPosition(std::min(pos, p));
}

bool ScrollBar::VerticalKey(dword key, bool home_end)
{
    if(!IsVisibleUpward() || !IsEnabled() || GetRectInParent().IsEmpty())
        return false;
    enum : dword {
        K_HOME = 0x1FF50,
        K_UP = 0x1FF52,
        K_DOWN = 0x1FF54,
        K_PAGEUP = 0x1FF55,
        K_PAGEDOWN = 0x1FF56,
        K_END = 0x1FF57,
        K_CTRL = 0x20000,
    };
    switch(key) {
    case K_HOME:
        if(home_end)
            ScrollToStart();
        return true;
    case K_CTRL | K_HOME:
    case K_CTRL | K_PAGEUP:
        ScrollToStart();
        return true;
    case K_UP:
        PrevLine();
        return true;
    case K_DOWN:
        NextLine();
        return true;
    case K_PAGEUP:
        PrevPage();
        return true;
    case K_PAGEDOWN:
        NextPage();
        return true;
    case K_END:
        if(home_end)
            ScrollToEnd();
        return true;
    case K_CTRL | K_END:
    case K_CTRL | K_PAGEDOWN:
        ScrollToEnd();
        return true;
    default:
        return false;
    }
}

ScrollBar& ScrollBar::SetHorizontal(bool b)
{
    geometry = byte(b ? geometry | GEOMETRY_HORIZONTAL : geometry & ~GEOMETRY_HORIZONTAL);
    ResolveLayout(1);
    Refresh();
    return *this;
}

ScrollBar& ScrollBar::SetJump(bool b)
{
    geometry = byte(b ? geometry | GEOMETRY_JUMP : geometry & ~GEOMETRY_JUMP);
    return *this;
}

ScrollBar& ScrollBar::SetLiveTracking(bool b)
{
    geometry = byte(b ? geometry | GEOMETRY_LIVE : geometry & ~GEOMETRY_LIVE);
    return *this;
}

ScrollBar& ScrollBar::SetAutoHide(bool b)
{
    state = byte(b ? state | AUTO_HIDE : state & ~AUTO_HIDE);
    if(b)
        Set(position, page, total);
    else
        Show();
    visibility_action();
    return *this;
}

ScrollBar& ScrollBar::SetAutoDisable(bool b)
{
    state = byte(b ? state | AUTO_DISABLE : state & ~AUTO_DISABLE);
    if(!b)
        for(Button& a : arrows)
            a.Enable();
    Set(position, page, total);
    Refresh();
    return *this;
}

ScrollBar& ScrollBar::SetMinThumb(int pixels)
{
    min_thumb = pixels;
    SetPosition(position);
    return *this;
}

ScrollBar& ScrollBar::SetStyle(const ScrollBarStyle& s)
{
    style = &s;
    ResolveLayout(1);
    Refresh();
    return *this;
}

void ScrollBar::FrameLayout(Rect& r)
{
    if(IsHorizontal())
        DockCtrlBottom(r, this, style->bar_width);
    else
        DockCtrlRight(r, this, style->bar_width);
}

void ScrollBar::FrameAddSize(Size& sz)
{
    if(IsHorizontal())
        sz.cy += style->bar_width;
    else
        sz.cx += style->bar_width;
}

Size ScrollBar::GetViewSizeWithoutBar() const
{
    const Ctrl* parent = GetParent();
    if(!parent || !IsInFrameArea())
        return Size(0, 0);
    Size sz = parent->GetViewSize();
    if(IsVisible()) {
        if(IsHorizontal())
            sz.cy += style->bar_width;
        else
            sz.cx += style->bar_width;
    }
    return sz;
}

Size ScrollBar::StandardSize() const
{
    // The standard height is that of the bold variant, as everywhere in the layout.
    int side = GetStandardFontSize().cy + 4;
    return Size(side, side);
}

} // namespace Qor
