// MultiButton: its side buttons, their layout and hit test, the value and the mouse.

#include "widgets/multibutton/multi_button.h"

#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/input/mouse_routing.h"
#include "draw/display/display.h"
#include "draw/font/font_metrics.h"
#include "draw/text/text.h"
#include "foundation/assert.h"
#include "foundation/values/convert.h"

namespace Qor {

void MultiButton::SideButton::RefreshOwner()
{
    if(owner)
        owner->Refresh();
}

MultiButton::SideButton& MultiButton::SideButton::SetImage(const Image& m)
{
    img = m;
    monoimg = false;
    RefreshOwner();
    return *this;
}

MultiButton::SideButton& MultiButton::SideButton::SetMonoImage(const Image& m)
{
    img = m;
    monoimg = true;
    RefreshOwner();
    return *this;
}

MultiButton::SideButton& MultiButton::SideButton::SetLabel(const char* text)
{
    label = text;
    RefreshOwner();
    return *this;
}

MultiButton::SideButton& MultiButton::SideButton::Left(bool b)
{
    left = b;
    RefreshOwner();
    return *this;
}

MultiButton::SideButton& MultiButton::SideButton::Width(int w)
{
    cx = w;
    RefreshOwner();
    return *this;
}

MultiButton::SideButton& MultiButton::SideButton::SetMain(bool b)
{
    if(b && owner)
        for(SideButton& other : owner->buttons)
            other.main = false;
    main = b;
    RefreshOwner();
    return *this;
}

MultiButton::SideButton& MultiButton::SideButton::Enable(bool b)
{
    enabled = b;
    RefreshOwner();
    return *this;
}

MultiButton::SideButton& MultiButton::SideButton::Tip(const char* text)
{
    tip = text;
    return *this;
}

MultiButton::MultiButton()
    : display(&GetStandardDisplay()), convert(&SharedNoConvert()), pushrect(INT_NULL, INT_NULL, INT_NULL, INT_NULL),
      style(&GetDefaultStyle())
{
    SetFrame(0, GetNullFrameInstance());
    SetTransparent();
}

MultiButton::~MultiButton() = default;

MultiButton::SideButton& MultiButton::AddButton()
{
    SideButton& b = buttons.Add();
    b.owner = this;
    Refresh();
    return b;
}

MultiButton::SideButton& MultiButton::GetMainButton()
{
    QOR_ASSERT(!buttons.IsEmpty());
    for(SideButton& b : buttons)
        if(b.main)
            return b;
    return buttons[0];
}

MultiButton& MultiButton::SetDisplay(const Display& d)
{
    if(display != &d) {
        display = &d;
        Refresh();
    }
    return *this;
}

MultiButton& MultiButton::SetConvert(const Convert& c)
{
    if(convert != &c) {
        convert = &c;
        Refresh();
    }
    return *this;
}

MultiButton& MultiButton::SetShownValue(const Value& v)
{
    if(value != v) {
        value = v;
        Refresh();
    }
    return *this;
}

MultiButton& MultiButton::SetValueHeight(int cy)
{
    if(valuecy != cy) {
        valuecy = cy;
        Refresh();
    }
    return *this;
}

MultiButton& MultiButton::Tip(const char* text)
{
    tip = text;
    SetTipText(text);
    return *this;
}

MultiButton& MultiButton::SetStyle(const MultiButtonStyle& s)
{
    style = &s;
    Refresh();
    return *this;
}

void MultiButton::SetValue(const Value& v)
{
    if(value == v)
        return;
    value = v;
    MarkUpdated();
    Refresh();
}

Size MultiButton::MinimumSize() const { return Size(4, GetStandardFontReference().GetMetrics().height + 6); }

int MultiButton::OverpaintMargin() const { return style->overpaint; }

void MultiButton::FocusGained() { Refresh(); }

void MultiButton::FocusLost() { Refresh(); }

void MultiButton::PointerLeft()
{
    hot = INT_NULL;
    Refresh();
}

void MultiButton::CancelInteraction()
{
    hot = INT_NULL;
    pressed = false;
    Refresh();
}

bool MultiButton::IsFrameStyle() const { return false; }

bool MultiButton::IsTrivial() const { return buttons.GetCount() == 1 && buttons[0].img.IsEmpty(); }

bool MultiButton::HasOwnEdge() const { return !style->edge[0].IsNull(); }

int MultiButton::GetBorderWidth() const { return IsTrivial() ? style->trivialborder : style->border; }

int MultiButton::GetButtonWidth(int i) const
{
    const SideButton& b = buttons[i];
    if(b.cx != INT_NULL)
        return b.cx;
    int w = GetTextSize(b.label, GetStandardFontReference()).cx + style->stdwidth;
    if(!b.label.IsEmpty() && !b.img.IsEmpty())
        w += 15;
    return w;
}

void MultiButton::LayOutButtons(Vector<Span>& spans, int& l, int& r) const
{
    l = 0;
    r = GetViewSize().cx;
    if(HasOwnEdge()) {
        l += GetBorderWidth();
        r -= GetBorderWidth();
    }
    spans.Clear();
    for(int i = 0; i < buttons.GetCount(); i++) {
        int w = GetButtonWidth(i);
        if(buttons[i].left) {
            spans.Add(Span{ l, w });
            l += w;
        }
        else {
            r -= w;
            spans.Add(Span{ r, w });
        }
    }
}

void MultiButton::GetButtonSpan(int i, int& x, int& cx) const
{
    QOR_ASSERT(i >= 0 && i < buttons.GetCount());
    Vector<Span> spans;
    int l, r;
    LayOutButtons(spans, l, r);
    x = spans[i].x;
    cx = spans[i].cx;
}

void MultiButton::GetTextArea(int& left, int& right) const
{
    Vector<Span> spans;
    LayOutButtons(spans, left, right);
}

int MultiButton::GetVisualState(int i) const
{
    if(IsTrivial()) {
        if(!IsEnabledUpward() || !buttons[0].enabled)
            return VISUAL_DISABLED;
        i = 0;
    }
    else if(!IsEnabledUpward() || (i >= 0 && !buttons[i].enabled))
        return VISUAL_DISABLED;
    if(i != hot)
        return VISUAL_NORMAL;
    return pressed ? VISUAL_PRESSED : VISUAL_HOT;
}

int MultiButton::FindButtonAt(int x) const
{
    if(IsTrivial())
        return buttons[0].enabled ? 0 : INT_NULL;
    if(x >= 0) {
        Vector<Span> spans;
        int l, r;
        LayOutButtons(spans, l, r);
        for(int i = 0; i < spans.GetCount(); i++)
            if(x >= spans[i].x && x < spans[i].x + spans[i].cx)
                return buttons[i].enabled ? i : INT_NULL;
    }
    if(!display || buttons.IsEmpty())
        return INT_NULL;
    // A disabled main button takes no clicks in the text area either.
    for(int i = 0; i < buttons.GetCount(); i++)
        if(buttons[i].main)
            return buttons[i].enabled ? i : INT_NULL;
    return INT_NULL;
}

void MultiButton::PointerMoved(Point p, dword keyflags)
{
    int h = FindButtonAt(p.x);
    String t = h != INT_NULL && !buttons[h].tip.IsEmpty() ? buttons[h].tip : tip;
    if(t != GetTipText())
        SetTipText(t.Begin());
    if(h != hot) {
        hot = h;
        Refresh();
    }
    bool down = keyflags & K_MOUSELEFT;
    if(down != pressed) {
        pressed = down;
        Refresh();
    }
}

void MultiButton::LeftButtonDown(Point, dword)
{
    pressed = true;
    Refresh();
    if(hot == INT_NULL) {
        pushrect = Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL);
        return;
    }
    int x, cx;
    GetButtonSpan(hot, x, cx);
    Rect view = GetViewRectOnScreen();
    int border = GetBorderWidth();
    pushrect = Rect(view.left + x, view.top + border, view.left + x + cx, view.bottom - border);
    RepaintNow();
    // The action may open a pop-up that runs its own loop: keep it alive meanwhile.
    Callback push = buttons[hot].WhenPush;
    push();
}

void MultiButton::LeftButtonUp(Point, dword)
{
    pressed = false;
    Refresh();
    RepaintNow();
    if(hot != INT_NULL) {
        Callback click = buttons[hot].WhenClick;
        click();
    }
}

} // namespace Qor
