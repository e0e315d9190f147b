// The dispatcher of X events: the input method, the hot keys and the windows' filters come
// first, then the window's control, then the focus notices deferred during the event.

#include "ctrl/x11/events/x_events.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/x11/clip/selection.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/dnd/dnd_loop.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/loop/x_event_loop.h"

namespace Qor {

Vector<HotKey>& GetHotKeys()
{
    static Vector<HotKey> keys;
    return keys;
}

void ClearHotKeys() { GetHotKeys().Clear(); }

bool HasPendingEvents() { return display && XPending(display) > 0; }

namespace {

bool RunHotKey(const XKeyEvent& k)
{
    for(const HotKey& h : GetHotKeys())
        if(h.action && h.keycode == k.keycode && h.modifiers == (k.state & (ShiftMask | ControlMask | Mod1Mask))) {
            Callback action = h.action; // the callback may change the table
            action();
            return true;
        }
    return false;
}

bool RunWindowFilters(XEvent* event)
{
    WindowMap& map = GetWindowMap();
    for(int i = 0; i < map.GetCount(); i++) {
        if(!map.IsLinked(i))
            continue;
        if(Ctrl* c = map[i].ctrl; c && c->FilterWindowEvent(event))
            return true;
    }
    return false;
}

// Desktops announce changed settings through these properties: every window is repainted.
void RefreshOnSettingsChange(const XPropertyEvent& p)
{
    if(p.atom != AtomOf("_QT_SETTINGS_TIMESTAMP_") && p.atom != AtomOf("_KDE_NET_USER_TIME"))
        return;
    WindowMap& map = GetWindowMap();
    for(int i = 0; i < map.GetCount(); i++)
        if(map.IsLinked(i))
            if(Ctrl* c = map[i].ctrl)
                c->Refresh();
}

} // namespace

void DispatchXEvent(XEvent* event)
{
    GetEventLoopStats().events++;
    if(event->type == KeyPress || (event->type == FocusIn && input_method))
        EnsureInputContext(event->xany.window, event->type == KeyPress);
    if(input_method && XFilterEvent(event, X_NONE))
        return;
    if(event->type == KeyPress && RunHotKey(event->xkey))
        return;
    if(RunWindowFilters(event))
        return;
    CheckXdndReply(*event);
    SyncFocusFromX();
    if(event->type == PropertyNotify)
        RefreshOnSettingsChange(event->xproperty);
    if(HandleSelectionEvent(*event))
        return;
    // A changed keyboard map is read again, or keys would keep their old meaning.
    if(event->type == MappingNotify && event->xmapping.request != MappingPointer)
        XRefreshKeyboardMapping(&event->xmapping);
    WindowMap& map = GetWindowMap();
    int i = map.Find(event->xany.window);
    if(i >= 0) {
        WindowMapEntry& e = map[i];
        if(Ctrl* c = e.ctrl) {
            // Exposure is the window's bookkeeping, kept also for controls whose own event
            // procedure does not pass events on to the base one.
            if(event->type == Expose || event->type == GraphicsExpose) {
                NoteExposure(e, event->xexpose, event->type == Expose);
                return;
            }
            WeakPointer<Ctrl> alive(c);
            c->HandleWindowEvent(&e, event);
            if(alive)
                c->RefreshMovedChildren();
        }
        else
            map.Unlink(i);
        ProcessDeferredFocus();
        return;
    }
    // A release outside every window while a menu held the grab gives the focus back to the
    // window that opened the menu.
    if(event->type == ButtonRelease)
        if(Ctrl* owner = GetHostState().popup_grab_owner)
            owner->SetFocus();
}

} // namespace Qor
