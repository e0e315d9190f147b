// The window system as the control tree sees it: windows, input and focus, the loop and data
// transfer. The base classes answer as a process without a window system (nothing open,
// nothing focused, no keys or buttons held, no grab, nothing offered); a back end derives
// from Platform, overrides what it provides and installs itself at start-up.
#pragma once

#include "ctrl/clip/transfer.h"
#include "draw/image/image.h"
#include "foundation/string.h"
#include "foundation/values/rect.h"
#include "foundation/vector.h"

union _XEvent;

namespace Qor {

class Ctrl;
class Stream;
class TopWindow;
struct TopWindowHints;
struct WindowMapEntry;

// The windows of top-level controls and what the tree reads from the window host.
class WindowPlatform {
public:
    virtual ~WindowPlatform() = default;

    // Destroys the control's window and its host record.
    virtual void DestroyWindow(Ctrl& c);
    // Maps or unmaps the window, then sets the visible flag and sends the state change.
    virtual void ShowWindow(Ctrl& c, bool show);
    // Handles the queued exposures and paints the invalid areas now.
    virtual void UpdateWindow(Ctrl& c);
    // Gives the window the input focus and raises it.
    virtual void ActivateWindow(Ctrl& c);
    // Enables or disables the window; false when the control has no window.
    virtual bool EnableWindow(Ctrl& c, bool enable);
    // Gives the window the input focus; false when it did not.
    virtual bool FocusWindow(Ctrl& c);
    virtual void SetWindowRect(Ctrl& c, const Rect& r);
    virtual void UpdateWindowRect(Ctrl& c, const Rect& r);
    virtual void ScrollWindow(Ctrl& c, const Rect& r, int dx, int dy);
    // Opens c as a pop-up window owned by owner's window; with activate it takes the focus and
    // a counted pointer grab, so a nested pop-up closing keeps its parent's grab.
    virtual void OpenPopup(Ctrl& c, Ctrl* owner, bool save_under, bool activate);

    // The window procedure of a control's window.
    virtual void WindowEvent(Ctrl& c, WindowMapEntry* entry, _XEvent* event);
    // Marks r of top's window for repainting.
    virtual void InvalidateHostArea(Ctrl& top, const Rect& r);
    // The owner of an open top control; by default the one it was opened with.
    virtual Ctrl* GetOwner(const Ctrl& top);
    // The open top controls; empty without a window system.
    virtual Vector<Ctrl*> GetTopCtrls();
    virtual void EndPopupGrab(Ctrl& c);
    virtual bool IsInFocusWindow(const Ctrl& c);
    // Screen, work area and the work area of the screen that contains p; empty rectangles
    // without a window system, where nothing is clipped to the screen (HasScreen false).
    virtual bool HasScreen() const;
    virtual Rect GetScreenRect();
    virtual Rect GetWorkArea();
    virtual Rect GetWorkAreaAt(Point p);
    // A description of the control with its window; the tree's own without one.
    virtual String DescribeDetailed(const Ctrl& c);
    // A compositing manager runs on the display.
    virtual bool IsCompositorRunning();
    // Run by every Ctrl constructor (the window system installs its fatal-message box).
    virtual void CtrlConstructed();

    // Top-level windows. Without a window system nothing opens and the syncs do nothing.
    virtual void OpenTopWindow(TopWindow& w, Ctrl* owner);
    // The owner Open gives: the top window of the active window.
    virtual Ctrl* GetDefaultOwner();
    // Falls back to the plain window procedure.
    virtual void TopWindowEvent(TopWindow& w, WindowMapEntry* entry, _XEvent* event);
    virtual void SyncTopWindowHints(TopWindow& w);
    virtual void SyncTopWindowState(TopWindow& w);
    virtual void SyncTopWindowSizeHints(TopWindow& w);
    virtual void SyncTopWindowTitle(TopWindow& w);
    virtual void SerializeTopWindowPlacement(TopWindow& w, Stream& s, bool reminimize);
    // Opacity 0-255 of a top-level control's window (only a compositor shows it).
    virtual void SetWindowOpacity(Ctrl& c, int alpha);
    // The window system's own record of a top window; null without one.
    virtual TopWindowHints* AllocTopWindowHints();
    virtual void FreeTopWindowHints(TopWindowHints* hints);
};

// The keyboard and the pointer: their state, the grab, the cursors and the window manager's
// interactive resize.
class InputPlatform {
public:
    virtual ~InputPlatform() = default;

    virtual bool IsCtrlDown();
    virtual bool IsShiftDown();
    virtual bool IsAltDown();
    virtual bool IsLeftDown();
    virtual bool IsRightDown();
    virtual bool IsMiddleDown();
    // The pointer's screen position; (INT_NULL, INT_NULL) without a pointer.
    virtual Point GetMousePosition();
    virtual void SetCursor(const Image& image);
    // The pointer grab of a control's top window.
    virtual bool GrabPointer(Ctrl& top);
    virtual bool ReleasePointerGrab(Ctrl& top);
    virtual bool HoldsPointerGrab(const Ctrl& top);
    // The window of a top control has the input focus; without a window system every
    // active control counts as focused.
    virtual bool HasHostFocus(const Ctrl& top);
    // The name of a punctuation key code, empty when it has none.
    virtual String GetPunctuationKeyName(dword key);

    // Cursors; empty images stand for the arrow (resize cursors) or no cursor.
    virtual Image GetArrowCursor();
    virtual Image GetTextCursor();
    virtual Image GetHandCursor();
    // Left-right arrows, up-down arrows and the bottom-right corner.
    virtual Image GetHorizontalResizeCursor();
    virtual Image GetVerticalResizeCursor();
    virtual Image GetCornerResizeCursor();
    // The window manager resizes a window the user drags by its corner.
    virtual bool IsMoveResizeAvailable();
    // Hands the pointer to the window manager to resize top's window from its corner.
    virtual void StartMoveResize(Ctrl& top);
};

// The event loop.
class LoopPlatform {
public:
    virtual ~LoopPlatform() = default;

    // Waits at most ms milliseconds for events.
    virtual void WaitForEvents(int ms);
    // Runs the event loop until the owner leaves its loop, or with null until no window is left.
    virtual void RunEventLoop(Ctrl* owner);
    // Dispatches what is queued and does the idle work, without waiting.
    virtual bool ProcessPendingEvents();
    // A window's area is being painted right now (code run from inside a paint).
    virtual bool IsPaintingWindow();
};

// Selections and drag and drop with other programs.
class TransferPlatform {
public:
    virtual ~TransferPlatform() = default;

    // Whether another program's selection (TRANSFER_CLIPBOARD, TRANSFER_PRIMARY) has format.
    virtual bool HasFormat(int kind, const String& format);
    // Reads a format of a selection, or of the drag (TRANSFER_DRAG) from another program;
    // false when refused or unanswered.
    virtual bool Read(int kind, const String& format, String& data);
    // Makes this process the owner of a selection.
    virtual void Claim(int kind);
    // While this process runs the drag source: the data of format, taken without the X
    // server; false when this process is not the source.
    virtual bool GetLocalDragData(const String& format, String& data);
    // Runs the window system's drag for a source and the format names it offers; DROP_NONE
    // without one.
    virtual int RunDrag(Ctrl* source, const Vector<String>& formats, const Image& sample, dword actions,
                        const TransferFormatMap& data);
};

class Platform : public WindowPlatform, public InputPlatform, public LoopPlatform, public TransferPlatform {};

// The installed window system; the base Platform until a back end installs its own.
Platform& GetPlatform();
// Installs p (which lives as long as it stays installed); null restores the base Platform.
// Returns the one installed before.
Platform* InstallPlatform(Platform* p);
// Counts installations, so that what is kept from one window system's answers is asked
// again when another takes over.
int GetPlatformSerial();

} // namespace Qor
