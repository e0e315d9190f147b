// A TopWindow on X11: the open sequence, the window-manager hints, protocols and state,
// the client leader and the placement record.
#pragma once

#include "ctrl/x11/display/x11_display.h"
#include "ctrl/topwindow/top_window.h"

#include <X11/Xutil.h>

namespace Qor {

struct TopWindowHints {
    XSizeHints* size = nullptr;
    XWMHints* wm = nullptr;
    XClassHint* class_hint = nullptr;
};

// The largest plausible frame widths the window manager reported so far; all 0 until then.
struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    bool IsKnown() const { return left || right || top || bottom; }
};

FrameExtents& GetFrameExtents();
// Takes _NET_FRAME_EXTENTS values (left, right, top, bottom) when they are plausible.
void TakeFrameExtents(const Vector<int>& values);
// The 1 x 1 window that carries the client-leader properties; made on first use.
Window GetClientLeader();

// Placement of a window that opens.
Rect DefaultWindowRect();
void ResetDefaultWindowCascade();
void CentreOnWorkArea(TopWindow& w);
void PlaceOnOpen(TopWindow& w, Ctrl* owner);

// The longest wait for the first visibility event of a window being mapped: a window
// manager that never maps the window must not hang the opener.
enum : int { TOP_WINDOW_VISIBILITY_WAIT_MS = 2000 };

void OpenTopWindow(TopWindow& w, Ctrl* owner);
void SyncTopWindowHints(TopWindow& w);
void SyncTopWindowState(TopWindow& w);
void SyncTopWindowSizeHints(TopWindow& w);
void SyncTopWindowTitle(TopWindow& w);
void HandleTopWindowEvent(TopWindow& w, WindowMapEntry* entry, XEvent* event);
void SerializeTopWindowPlacement(TopWindow& w, Stream& s, bool reminimize);
// A _NET_WM_STATE request to the root window about w.
void SendNetWmState(Window w, long action, Atom first, Atom second);

} // namespace Qor
