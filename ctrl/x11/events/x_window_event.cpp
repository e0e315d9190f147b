// The base event procedure of a control's window: exposure, configuration, buttons with
// double clicks, compressed motion, the wheel and the input-method focus.

#include "ctrl/x11/events/x_events.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/button_tracking.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/x11/dnd/xdnd_target.h"
#include "ctrl/x11/host/window_host.h"
#include "draw/utils/rect_list.h"

#include <algorithm>
#include <cstdlib>

namespace Qor {

ClickState& GetClickState()
{
    static ClickState state;
    return state;
}

void NoteExposure(WindowMapEntry& entry, const XExposeEvent& x, bool first_paint)
{
    if(first_paint)
        entry.exposed = true;
    AddRectMerging(entry.invalid, Rect(x.x, x.y, x.x + x.width, x.y + x.height));
}

namespace {

constexpr unsigned ANY_BUTTON_MASK = Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;

void Configure(Ctrl& c, const XConfigureEvent& e)
{
    Window to = c.GetParent() ? GetParentHostWindow(c) : root;
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display, e.window, to, 0, 0, &x, &y, &child);
    Rect r(x, y, x + e.width, y + e.height);
    if(r != c.GetRectInParent())
        c.AdoptRect(r);
}

// The mouse code of a press or release of an X button, with the held-button bit it sets or
// clears; -1 for buttons that are no mouse button (the wheel).
int ButtonCode(unsigned button, int action, int& bit)
{
    HostState& s = GetHostState();
    switch(button) {
    case 1:
        bit = 0x100;
        return action + MOUSE_LEFT;
    case 3:
        bit = 0x400;
        return action + MOUSE_RIGHT;
    case 2:
        bit = 0x200;
        return action + (s.pointer_button_count > 2 ? MOUSE_MIDDLE : MOUSE_RIGHT);
    default:
        bit = 0;
        return -1;
    }
}

// A second press of the same button in the same window within the double-click time is a
// double click; a press of another button or in another window starts a new click.
int ClickAction(const XButtonEvent& e)
{
    ClickState& k = GetClickState();
    uint32 time = uint32(e.time);
    if(k.last_click_window == e.window && k.last_click_button == e.button &&
       time - k.last_click_time <= DOUBLE_CLICK_MS) {
        k.last_click_time = time + 0x80000000u;
        return MOUSE_DOUBLE;
    }
    k.last_click_time = time;
    k.last_click_pos = GetHostState().pointer_screen_pos;
    k.last_click_window = e.window;
    k.last_click_button = e.button;
    return MOUSE_DOWN;
}

void ButtonPressed(Ctrl& c, const XButtonEvent& e)
{
    WeakPointer<Ctrl> alive(&c);
    HostState& s = GetHostState();
    // A press with no button held means the swallowed click has ended even when its release
    // never came here and no motion came between (a tap at the same place).
    if(GetButtonTracking().swallow_clicks && !(e.state & ANY_BUTTON_MASK)) {
        s.button_state = int(e.state);
        ResetMouseState();
    }
    if(!HasXFocus(c) && !c.IsPopup())
        c.FocusWindowCall();
    if(!alive)
        return;
    RefocusWindow(&c);
    if(!alive)
        return;
    s.pointer_screen_pos = Point(e.x_root, e.y_root);
    ReleaseAnyPointerGrab();
    s.button_state = int(e.state);
    s.last_event_time = e.time;
    if(GetButtonTracking().swallow_clicks)
        return;
    int bit;
    if(ButtonCode(e.button, 0, bit) < 0)
        return; // the wheel is reported on release
    int event = ButtonCode(e.button, ClickAction(e), bit);
    s.button_state |= bit;
    DispatchMouseEvent(&c, event, Point(e.x, e.y), 0);
    if(alive)
        c.AfterInputEvent();
}

void ButtonReleased(Ctrl& c, const XButtonEvent& e)
{
    WeakPointer<Ctrl> alive(&c);
    HostState& s = GetHostState();
    s.pointer_screen_pos = Point(e.x_root, e.y_root);
    s.button_state = int(e.state);
    s.last_event_time = e.time;
    int bit;
    int event = ButtonCode(e.button, MOUSE_UP, bit);
    int zdelta = 0;
    s.button_state &= ~bit;
    if(e.button == 4 || e.button == 5) {
        event = MOUSE_WHEEL;
        zdelta = e.button == 4 ? 120 : -120;
    }
    if(event < 0)
        return;
    if(GetButtonTracking().swallow_clicks)
        ResetMouseState();
    else
        DispatchMouseEvent(&c, event, Point(e.x, e.y), zdelta);
    if(alive)
        c.AfterInputEvent();
}

void PointerMoved(Ctrl& c, XEvent& event)
{
    // Only the latest position counts, but a move never overtakes a press or a release:
    // only the moves queued right behind this one are merged.
    XEvent next;
    while(XPending(display)) {
        XPeekEvent(display, &next);
        if(next.type != MotionNotify || next.xmotion.window != event.xmotion.window)
            break;
        XNextEvent(display, &event);
    }
    const XMotionEvent& e = event.xmotion;
    HostState& s = GetHostState();
    // The buttons first: a release that went to a disabled window or to another client left
    // a button marked held, and the reset would keep swallowing the next click.
    s.button_state = int(e.state);
    ResetMouseState();
    s.pointer_screen_pos = Point(e.x_root, e.y_root);
    s.last_event_time = e.time;
    ClickState& k = GetClickState();
    if(k.last_click_pos.x == INT_NULL ||
       std::max(std::abs(e.x_root - k.last_click_pos.x), std::abs(e.y_root - k.last_click_pos.y)) > DOUBLE_CLICK_SLOP)
        k.last_click_time = uint32(e.time) + 0x80000000u;
    DispatchMouseEvent(&c, MOUSE_MOVE, Point(e.x, e.y), 0);
    UpdateMouseCursor();
}

} // namespace

void HandleWindowEventBase(Ctrl& c, WindowMapEntry* entry, XEvent* event)
{
    switch(event->type) {
    case Expose:
    case GraphicsExpose:
        if(entry)
            NoteExposure(*entry, event->xexpose, event->type == Expose);
        return;
    case ConfigureNotify:
        Configure(c, event->xconfigure);
        return;
    default:
        break;
    }
    // A disabled window still answers a drag (it takes nothing), so that the source need not
    // wait for each answer in vain.
    if(!c.GetParent() && HandleXdndMessage(&c, entry, *event))
        return;
    // A disabled window takes no input.
    if(!c.IsEnabled())
        return;
    switch(event->type) {
    case KeyPress:
    case KeyRelease:
        TranslateKeyEvent(c, entry, *event);
        break;
    case ButtonPress:
        ButtonPressed(c, event->xbutton);
        break;
    case ButtonRelease:
        ButtonReleased(c, event->xbutton);
        break;
    case MotionNotify:
        PointerMoved(c, *event);
        break;
    case FocusIn:
        if(entry && entry->xic)
            XSetICFocus(entry->xic);
        break;
    case FocusOut:
        if(entry && entry->xic)
            XUnsetICFocus(entry->xic);
        break;
    default:
        break;
    }
}

} // namespace Qor
