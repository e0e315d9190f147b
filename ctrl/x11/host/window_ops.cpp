// The window operations that the control tree requests of a top-level control's window,
// the window's invalid areas and its paint.

#include "ctrl/x11/host/window_host.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/tree/global_refs.h"
#include "ctrl/tree/host_window_record.h"
#include "ctrl/x11/draw/system_draw.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "draw/utils/rect_list.h"

#include <X11/Xft/Xft.h>
#include <cstdlib>

namespace Qor {

void ShowHostWindow(Ctrl& c, bool show)
{
    Window w = GetHostWindow(c);
    if(!w)
        return;
    XWindowAttributes a;
    if(XGetWindowAttributes(display, w, &a) && (a.map_state == IsViewable) == show)
        return;
    if(show)
        XMapWindow(display, w);
    else
        XUnmapWindow(display, w);
    c.SetVisibleFlag(show);
    c.NotifyStateChange(STATE_SHOW);
}

bool EnableHostWindow(Ctrl& c, bool enable)
{
    Window w = GetHostWindow(c);
    if(!w)
        return false;
    if(!enable) {
        Ctrl* capture = GetCtrlGlobalRefs().capturing_ctrl;
        if(capture && capture->GetRootCtrl() == &c)
            Ctrl::ReleaseCapture();
        if(w == GetHostState().focus_window)
            XSetInputFocus(display, X_NONE, RevertToPointerRoot, X_CURRENT_TIME);
    }
    return true;
}

namespace {

// The open pop-ups that c owns go over it again, each before the pop-ups it owns in turn: a
// raised window must not hide its own drop-down list or menu (without a window manager
// nothing else would restack them).
void RaiseOwnedPopups(const Ctrl& c, int depth = 0)
{
    if(depth > 64)
        return; // owners form no cycles; the bound only guards a damaged map
    WindowMap& map = GetWindowMap();
    for(int i = 0; i < map.GetCount(); i++) {
        if(!map.IsLinked(i))
            continue;
        Ctrl* p = map[i].ctrl.Get();
        if(p && p != &c && p->IsPopup() && p->IsOpen() && map[i].owner.Get() == &c) {
            XRaiseWindow(display, map.GetWindow(i));
            RaiseOwnedPopups(*p, depth + 1);
        }
    }
}

} // namespace

void ActivateHostWindow(Ctrl& c)
{
    if(!c.HasHostWindow() || !c.IsVisibleUpward())
        return;
    if(c.IsEnabled()) {
        WeakPointer<Ctrl> alive(&c);
        c.FocusWindowCall();
        if(alive && c.HasHostWindow()) {
            XRaiseWindow(display, GetHostWindow(c));
            RaiseOwnedPopups(c);
        }
        return;
    }
    // A modal dialog of its own runs: bring that forward instead.
    WindowMapEntry* e = GetWindowMapEntry(c);
    Ctrl* last = e ? e->last_active.Get() : nullptr;
    if(last && last != &c && last->IsInOpenWindow() && last->IsEnabled())
        last->ActivateWindowCall();
}

bool FocusHostWindow(Ctrl& c)
{
    HostState& state = GetHostState();
    Window w = GetHostWindow(c);
    if(!w || w == state.focus_window || !c.IsEnabled() || !c.IsVisibleUpward())
        return false;
    WeakPointer<Ctrl> alive(&c);
    NotifyXFocusLoss(state.focus_window);
    if(alive && c.HasHostWindow()) {
        w = GetHostWindow(c);
        XSetInputFocus(display, w, RevertToParent, X_CURRENT_TIME);
        state.focus_window = w;
        MarkLastActiveWindow(GetWindowMapEntry(c), &c);
        SyncFocusWindow(&c);
    }
    return true;
}

void SetHostWindowRect(Ctrl& c, const Rect& r)
{
    Window w = GetHostWindow(c);
    if(!w)
        return;
    InvalidateUncoveredArea(c);
    XMoveResizeWindow(display, w, r.left, r.top, unsigned(std::max(r.Width(), 1)), unsigned(std::max(r.Height(), 1)));
    c.AdoptRect(r);
}

void InvalidateUncoveredArea(Ctrl& c)
{
    Rect grown = c.GetRectOnScreen().Inflated(32, 32);
    WindowMap& map = GetWindowMap();
    for(int i = 0; i < map.GetCount(); i++) {
        if(!map.IsLinked(i))
            continue;
        Ctrl* q = map[i].ctrl;
        if(!q)
            continue;
        Rect qr = q->GetRectOnScreen();
        if(grown.Intersects(qr))
            AddRectMerging(map[i].invalid, grown - Size(qr.left, qr.top));
    }
}

void InvalidateHostWindowArea(Ctrl& top, const Rect& r)
{
    if(WindowMapEntry* e = GetWindowMapEntry(top))
        AddRectMerging(e->invalid, r);
}

namespace {

// Dispatches the queued exposures of the control's window, which add to its invalid areas.
void TakeExposures(Ctrl& c)
{
    for(int type : { Expose, GraphicsExpose }) {
        XEvent e;
        while(Window w = GetHostWindow(c)) {
            if(!XCheckTypedWindowEvent(display, w, type, &e))
                break;
            DispatchXEvent(&e);
        }
    }
}

// TakeExposures for a control with a window; false when it has none, or when the dispatch
// destroyed the control or its window.
bool TakeExposuresOfLiveWindow(Ctrl& c)
{
    if(!c.HasHostWindow())
        return false;
    WeakPointer<Ctrl> alive(&c);
    TakeExposures(c);
    return alive && c.HasHostWindow();
}

} // namespace

void UpdateHostWindow(Ctrl& c)
{
    if(!TakeExposuresOfLiveWindow(c))
        return;
    WindowMapEntry* e = GetWindowMapEntry(c);
    if(!e || !e->exposed || e->invalid.IsEmpty())
        return;
    c.ApplyPendingScrolls();
    Vector<Rect> invalid = std::move(e->invalid);
    e->invalid.Clear();
    PaintHostWindow(c, invalid);
    XSync(display, false);
}

void UpdateHostWindowRect(Ctrl& c, const Rect& r)
{
    if(!TakeExposuresOfLiveWindow(c))
        return;
    c.ApplyPendingScrolls();
    WindowMapEntry* e = GetWindowMapEntry(c);
    if(!e || !e->exposed)
        return;
    bool changed = false;
    Vector<Rect> inside = IntersectRects(e->invalid, r, changed);
    Vector<Rect> outside = SubtractFromRects(e->invalid, r, changed);
    e->invalid = std::move(outside);
    if(!inside.IsEmpty()) {
        PaintHostWindow(c, inside);
        XSync(display, false);
    }
}

void ScrollHostWindow(Ctrl& c, const Rect& r, int dx, int dy)
{
    Window w = GetHostWindow(c);
    if(r.IsEmpty() || !w)
        return;
    GC gc = XCreateGC(display, w, 0, nullptr);
    int adx = std::abs(dx);
    int ady = std::abs(dy);
    XCopyArea(display, w, w, gc, dx < 0 ? r.left - dx : r.left, dy < 0 ? r.top - dy : r.top,
              unsigned(std::max(r.Width() - adx, 0)), unsigned(std::max(r.Height() - ady, 0)),
              dx > 0 ? r.left + dx : r.left, dy > 0 ? r.top + dy : r.top);
    XFreeGC(display, gc);
    // Areas that were invalid stay invalid where their contents went.
    if(WindowMapEntry* e = GetWindowMapEntry(c)) {
        Vector<Rect> moved;
        for(const Rect& a : e->invalid)
            if(a.Intersects(r))
                moved.Add(a + Size(dx, dy));
        for(const Rect& a : moved)
            AddRectMerging(e->invalid, a);
    }
}

namespace {

// The window's GC and Xft drawable for one paint, freed on every path.
struct WindowPaintResources {
    GC gc;
    XftDraw* xft;

    explicit WindowPaintResources(Window w)
        : gc(XCreateGC(display, w, 0, nullptr)), xft(XftDrawCreate(display, w, visual, colormap))
    {}
    ~WindowPaintResources()
    {
        XftDrawDestroy(xft);
        XFreeGC(display, gc);
        GetHostState().painting_window = false;
    }
};

} // namespace

void PaintHostWindow(Ctrl& c, Vector<Rect>& invalid)
{
    Window w = GetHostWindow(c);
    if(!w || !c.IsVisibleUpward())
        return;
    c.SetFullRefreshPending(false);
    WindowPaintResources res(w);
    SystemDraw draw(w, res.gc, res.xft, invalid);
    Rect box;
    for(const Rect& r : invalid)
        box |= r;
    GetHostState().painting_window = true;
    c.PaintWindowArea(draw, box);
}

} // namespace Qor
