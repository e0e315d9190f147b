// The window-manager hints and state of a TopWindow: window type, WM hints with urgency,
// icon, decorations, size hints, title and the _NET_WM_STATE requests.

#include "ctrl/x11/topwindow/x_top_window.h"

#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/host/window_host.h"
#include "foundation/charset.h"

#include <X11/Xatom.h>

namespace Qor {

namespace {

bool HasOpenWindow(const TopWindow& w) { return w.IsOpen() && GetHostWindow(w); }

void SetAtoms(Window win, const char* name, Atom type, const Vector<long>& items, int format = 32)
{
    XChangeProperty(display, win, AtomOf(name), type, format, PropModeReplace,
                    reinterpret_cast<const byte*>(items.begin()), items.GetCount());
}

void SetUtf8(Window win, const char* name, const String& text)
{
    XChangeProperty(display, win, AtomOf(name), AtomOf("UTF8_STRING"), 8, PropModeReplace,
                    reinterpret_cast<const byte*>(text.Begin()), text.GetLength());
}

} // namespace

void SendNetWmState(Window w, long action, Atom first, Atom second)
{
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = AtomOf("_NET_WM_STATE");
    e.xclient.format = 32;
    e.xclient.data.l[0] = action;
    e.xclient.data.l[1] = long(first);
    e.xclient.data.l[2] = long(second);
    XSendEvent(display, root, false, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

void SyncTopWindowHints(TopWindow& w)
{
    if(!HasOpenWindow(w))
        return;
    Window win = GetHostWindow(w);
    Ctrl* owner = w.GetOwner();
    Vector<long> types;
    if(w.GetStyle() & TopWindow::STYLE_TOOL)
        types.Add(long(AtomOf("_NET_WM_WINDOW_TYPE_UTILITY")));
    if(owner)
        types.Add(long(AtomOf("_NET_WM_WINDOW_TYPE_DIALOG")));
    types.Add(long(AtomOf("_NET_WM_WINDOW_TYPE_NORMAL")));
    SetAtoms(win, "_NET_WM_WINDOW_TYPE", XA_ATOM, types);

    // The active window has the user's attention already: the request is withdrawn, which
    // syncs the hints again without it.
    if(w.IsUrgent() && w.IsInActiveWindow()) {
        w.SetUrgent(false);
        return;
    }
    XWMHints* h = w.hints->wm;
    h->flags = InputHint | StateHint | WindowGroupHint;
    // The hint and the state follow the bit both ways, so a withdrawn request clears them.
    if(w.IsUrgent())
        h->flags |= XUrgencyHint;
    SendNetWmState(win, w.IsUrgent(), AtomOf("_NET_WM_STATE_DEMANDS_ATTENTION"), 0);
    h->input = true;
    h->initial_state = NormalState;
    Window owner_window = owner ? GetHostWindow(*owner->GetRootCtrl()) : 0;
    h->window_group = owner_window ? owner_window : win;

    const Image& icon = w.GetIcon();
    if(!icon.IsEmpty()) {
        Vector<long> data;
        data.Add(icon.GetWidth());
        data.Add(icon.GetHeight());
        for(int y = 0; y < icon.GetHeight(); y++)
            for(int x = 0; x < icon.GetWidth(); x++) {
                RGBA p = icon[y][x];
                data.Add(long(dword(p.a) << 24 | dword(p.r) << 16 | dword(p.g) << 8 | p.b));
            }
        SetAtoms(win, "_NET_WM_ICON", XA_CARDINAL, data);
    }
    XSetWMHints(display, win, h);

    Vector<long> motif;
    for(long v : { 2L, 0L, (w.GetStyle() & TopWindow::STYLE_FRAMELESS) ? 0L : 1L, 0L, 0L })
        motif.Add(v);
    SetAtoms(win, "_MOTIF_WM_HINTS", AtomOf("_MOTIF_WM_HINTS"), motif);
}

void SyncTopWindowState(TopWindow& w)
{
    w.SyncHints();
    if(!HasOpenWindow(w))
        return;
    Window win = GetHostWindow(w);
    int state = w.GetState();
    SendNetWmState(win, w.IsKeptAbove(), AtomOf("_NET_WM_STATE_ABOVE"), 0);
    SendNetWmState(win, state == TopWindow::STATE_MAXIMIZED, AtomOf("_NET_WM_STATE_MAXIMIZED_HORZ"),
                   AtomOf("_NET_WM_STATE_MAXIMIZED_VERT"));
    if(state == TopWindow::STATE_MINIMIZED)
        XIconifyWindow(display, win, screen_number);
    else if(w.IsVisible())
        // A hidden window stays hidden: only a shown one is mapped again.
        XMapWindow(display, win);
    SendNetWmState(win, state == TopWindow::STATE_MINIMIZED, AtomOf("_NET_WM_STATE_HIDDEN"), 0);
    SendNetWmState(win, 0, AtomOf("_NET_WM_STATE_FULLSCREEN"), 0);
}

void SyncTopWindowSizeHints(TopWindow& w)
{
    Size min = w.MinimumSize();
    Size max = w.MaximumSize();
    if(!w.IsSizeable())
        min = max = w.GetSize();
    if(!HasOpenWindow(w) || !w.hints)
        return;
    if((min == w.sent_min && max == w.sent_max) || (w.GetStyle() & TopWindow::STYLE_FRAMELESS))
        return;
    w.sent_min = min;
    w.sent_max = max;
    XSizeHints* size = w.hints->size;
    size->flags = PMinSize | PMaxSize;
    size->min_width = min.cx;
    size->min_height = min.cy;
    size->max_width = max.cx;
    size->max_height = max.cy;
    XSetWMNormalHints(display, GetHostWindow(w), size);
}

void SyncTopWindowTitle(TopWindow& w)
{
    if(!HasOpenWindow(w))
        return;
    Window win = GetHostWindow(w);
    String text = EncodeText(w.GetTitle());
    XStoreName(display, win, text.Begin());
    XSetIconName(display, win, text.Begin());
    String utf8 = EncodeUtf8(w.GetTitle());
    SetUtf8(win, "_NET_WM_NAME", utf8);
    SetUtf8(win, "_NET_WM_ICON_NAME", utf8);
}

} // namespace Qor
