// Ctrl: the base class of every control, the compact record it carries and the table of
// its virtual operations. The links of the tree do not own: a control is a member of
// whatever owns it, and leaves its parent when it is destroyed.
#pragma once

#include "ctrl/clip/transfer.h"
#include "ctrl/layout/logical_pos.h"
#include "ctrl/registrations.h"
#include "draw/image/image.h"
#include "foundation/callback.h"
#include "foundation/pte.h"
#include "foundation/string.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"
#include "foundation/values/value.h"
#include "foundation/vector.h"

// The X event reaches the control as an opaque pointer, so nothing here needs an X header.
union _XEvent;

namespace Qor {

class Ctrl;
class CtrlFrame;
class Draw;
class JsonizeIo;
class Stream;
class SystemDraw;
class TopWindow;
class TransferOffer;
class XmlizeIo;
struct HostWindowRecord;
struct WindowMapEntry;

// One frame of a control and the rectangle left inside it at the last layout, relative to
// the control's top-left corner; the last entry's rectangle is the control's view.
struct FrameEntry {
    CtrlFrame* frame;
    int16 left;
    int16 top;
    int16 right;
    int16 bottom;

    Rect GetRect() const { return Rect(left, top, right, bottom); }
    void SetRect(const Rect& r);
};

// Reasons of StateChanged.
enum : int {
    STATE_FOCUS = 10,
    STATE_ACTIVATE = 11,
    STATE_DEACTIVATE = 12,
    STATE_SHOW = 13,
    STATE_ENABLE = 14,
    STATE_OPEN = 16,
    STATE_CLOSE = 17,
    STATE_POSITION = 100,
    STATE_LAYOUTPOS = 101,
};

// Paint modes (flags C bits 0-1).
enum : int { PAINT_DIRECT = 0, PAINT_BACKBUFFER = 1, PAINT_TRANSPARENT_BACKBUFFER = 2, PAINT_EXCLUDED = 3 };

class Ctrl : public Pte<Ctrl> {
public:
    // Flags A.
    enum : byte {
        A_UNICODE_KEYS = 0x01,
        A_FULL_REFRESH = 0x02,
        A_TRANSPARENT = 0x04,
        A_VISIBLE = 0x08,
        A_ENABLED = 0x10,
        A_WANTS_FOCUS = 0x20,
        A_INITIAL_FOCUS = 0x40,
    };
    // Flags B.
    enum : byte {
        B_EDITABLE = 0x01,
        B_MODIFIED = 0x02,
        B_IGNORE_MOUSE = 0x04,
        B_IN_FRAME = 0x08,
        B_IN_LOOP = 0x10,
        B_OPEN = 0x20,
        B_POPUP = 0x40,
        B_POPUP_GRAB = 0x80,
    };
    // Flags C (bits 0-1 are the paint mode).
    enum : byte {
        C_PAINT_MODE = 0x03,
        C_HAS_DHCTRL = 0x04,
        C_ACCESS_KEY_MARKS = 0x08,
        C_DESTROYING = 0x10,
        C_WINDOW_FLAG = 0x20,
    };

    Ctrl();
    Ctrl(const Ctrl&) = delete;
    Ctrl& operator=(const Ctrl&) = delete;

    // ---- Virtual operations, in slot order (the destructor is the last slot).
    virtual void HandleWindowEvent(WindowMapEntry* entry, _XEvent* event);
    virtual bool FilterWindowEvent(_XEvent* event);
    virtual bool Validate();
    virtual void CancelInput();
    virtual void SetValue(const Value& v);
    virtual Value GetValue() const;
    virtual void ArchiveBinary(Stream& s);
    virtual void ArchiveJson(JsonizeIo& io);
    virtual void ArchiveXml(XmlizeIo& io);
    virtual void SetModified();
    virtual void ClearModified();
    virtual bool HasModifications() const;
    virtual void Paint(Draw& w);
    virtual int OverpaintMargin() const;
    virtual void CancelInteraction();
    virtual void WindowActivated();
    virtual void WindowDeactivated();
    virtual Image FrameAreaMouse(int event, Point p, int zdelta, dword keyflags);
    virtual Image DispatchMouse(int event, Point p, int zdelta, dword keyflags);
    virtual void PointerEntered(Point p, dword keyflags);
    virtual void PointerMoved(Point p, dword keyflags);
    virtual void LeftButtonDown(Point p, dword keyflags);
    virtual void LeftDoubleClick(Point p, dword keyflags);
    virtual void LeftTripleClick(Point p, dword keyflags);
    virtual void LeftButtonRepeat(Point p, dword keyflags);
    virtual void LeftDragStart(Point p, dword keyflags);
    virtual void LeftButtonHold(Point p, dword keyflags);
    virtual void LeftButtonUp(Point p, dword keyflags);
    virtual void RightButtonDown(Point p, dword keyflags);
    virtual void RightDoubleClick(Point p, dword keyflags);
    virtual void RightTripleClick(Point p, dword keyflags);
    virtual void RightButtonRepeat(Point p, dword keyflags);
    virtual void RightDragStart(Point p, dword keyflags);
    virtual void RightButtonHold(Point p, dword keyflags);
    virtual void RightButtonUp(Point p, dword keyflags);
    virtual void MiddleButtonDown(Point p, dword keyflags);
    virtual void MiddleDoubleClick(Point p, dword keyflags);
    virtual void MiddleTripleClick(Point p, dword keyflags);
    virtual void MiddleButtonRepeat(Point p, dword keyflags);
    virtual void MiddleDragStart(Point p, dword keyflags);
    virtual void MiddleButtonHold(Point p, dword keyflags);
    virtual void MiddleButtonUp(Point p, dword keyflags);
    virtual void WheelRotated(Point p, int zdelta, dword keyflags);
    virtual void PointerLeft();
    virtual void DropAtPoint(Point p, TransferOffer& offer);
    virtual void DropInFrame(Point p, TransferOffer& offer);
    virtual void DragHoverTick(Point p);
    virtual void DragEntered();
    virtual void DragLeft();
    virtual String RenderDropData(const String& format) const;
    virtual String RenderSelectionData(const String& format) const;
    virtual Image CursorFor(Point p, dword keyflags);
    virtual bool ProcessKey(dword key, int count);
    virtual void FocusGained();
    virtual void FocusLost();
    virtual bool AccessKeyPressed(dword key);
    virtual dword OwnAccessKeys() const;
    virtual void AssignFreeAccessKeys(dword used);
    virtual void AfterInputEvent();
    virtual void ChildFrameAreaMouse(Ctrl* child, int event, Point p, int zdelta, dword keyflags);
    virtual void ChildMouse(Ctrl* child, int event, Point p, int zdelta, dword keyflags);
    virtual void ChildFocusGained();
    virtual void ChildFocusLost();
    virtual void ChildInserted(Ctrl* child);
    virtual void ChildRemoving(Ctrl* child);
    virtual void ParentChanged();
    virtual void StateChanged(int reason);
    virtual void Layout();
    virtual Size MinimumSize() const;
    virtual Size StandardSize() const;
    virtual Size MaximumSize() const;
    virtual bool IsEnabledUpward() const;
    virtual Rect OpaqueArea() const;
    virtual Rect UnpaintedArea() const;
    virtual void AfterUpdate();
    virtual void Close();
    virtual int ReservedQuery() const;
    virtual String Describe() const;
    virtual ~Ctrl();

    // ---- Tree. Operations that do not apply (removing a stranger, inserting a control
    // after itself) do nothing.
    void AppendChild(Ctrl& child);
    // After `after` (a child of this control); first when null.
    void InsertChildAfter(Ctrl& child, Ctrl* after);
    // Before `before`; last when null.
    void InsertChildBefore(Ctrl& child, Ctrl* before);
    void RemoveChild(Ctrl& child);
    void Detach();

    Ctrl* GetParent() const { return parent; }
    Ctrl* GetFirstChild() const { return first_child; }
    Ctrl* GetLastChild() const { return last_child; }
    Ctrl* GetPrev() const { return prev; }
    Ctrl* GetNext() const { return next; }
    int CountChildren() const;
    // c's parent chain, not c itself; false for null.
    bool IsAncestorOf(const Ctrl* c) const;
    Ctrl* GetRootCtrl();
    const Ctrl* GetRootCtrl() const;
    // The root when it is a TopWindow, else on through the owners of open windows.
    TopWindow* FindTopWindow();
    const TopWindow* FindTopWindow() const;
    // The same, as the control that is that TopWindow.
    Ctrl* FindTopWindowCtrl() const;
    TopWindow* GetMainWindow();
    // The owner a top-level control was opened with; null for a child or without a window.
    Ctrl* GetOwnerCtrl() const;
    // The owner kept for an open top-level control's window; null otherwise.
    Ctrl* GetOwner() const;

    // ---- Information text: up to five parts joined by 0x7F.
    String GetInfoPart(int i) const;
    String GetTipText() const { return GetInfoPart(0); }
    String GetHelpText() const { return GetInfoPart(1); }
    const String& GetInfoText() const { return info; }
    // A null text counts as empty; parts after i stay.
    Ctrl& SetInfoPart(int i, const char* text);
    Ctrl& SetTipText(const char* text) { return SetInfoPart(0, text); }
    Ctrl& SetHelpText(const char* text) { return SetInfoPart(1, text); }
    Ctrl& SetInfoText2(const char* text) { return SetInfoPart(2, text); }
    Ctrl& SetInfoText3(const char* text) { return SetInfoPart(3, text); }
    Ctrl& SetLayoutName(const char* text) { return SetInfoPart(4, text); }

    // ---- Logical positions (each setter returns the control so calls chain).
    Ctrl& PlaceLeft(int x, int cx);
    Ctrl& PlaceRight(int margin, int cx);
    Ctrl& PlaceTop(int y, int cy);
    Ctrl& PlaceBottom(int margin, int cy);
    Ctrl& StretchHorizontal(int left, int right);
    Ctrl& StretchVertical(int top, int bottom);
    Ctrl& CentreHorizontal(int cx, int offset = 0);
    Ctrl& CentreVertical(int cy, int offset = 0);
    Ctrl& FillParent();
    // The same through the layout zoom.
    Ctrl& PlaceLeftZoomed(int x, int cx);
    Ctrl& PlaceRightZoomed(int margin, int cx);
    Ctrl& PlaceTopZoomed(int y, int cy);
    Ctrl& PlaceBottomZoomed(int margin, int cy);
    Ctrl& StretchHorizontalZoomed(int left, int right);
    Ctrl& StretchVerticalZoomed(int top, int bottom);
    Ctrl& CentreHorizontalZoomed(int cx, int offset = 0);
    Ctrl& SetRect(int x, int y, int cx, int cy);
    Ctrl& SetRect(const Rect& r);
    Ctrl& SetLogicalPos(LogicalPos p);
    // In the parent's frame area (the whole rectangle) rather than its view.
    Ctrl& SetFrameRect(int x, int y, int cx, int cy);
    Ctrl& SetFrameRect(const Rect& r) { return SetFrameRect(r.left, r.top, r.Width(), r.Height()); }
    // A rectangle the window system reports for the control's own window.
    void AdoptRect(const Rect& r);
    void SetPos(LogicalPos p, bool in_frame);
    void UpdateRect(bool sync = true);
    LogicalPos GetLogicalPos() const { return pos; }

    // ---- Geometry.
    Rect GetRectInParent() const { return Rect(rect_left, rect_top, rect_right, rect_bottom); }
    Size GetSize() const { return GetRectInParent().GetSize(); }
    Rect GetViewRect() const;
    Size GetViewSize() const { return GetViewRect().GetSize(); }
    Rect GetRectOnScreen() const;
    Rect GetViewRectOnScreen() const;
    Rect GetVisibleScreenRect() const;
    Rect GetVisibleScreenView() const;
    // AddSize of every frame, the innermost first.
    Size GrowByFrames(Size sz) const;
    // 0 lays out what changed, 1 also calls Layout, 2 re-places and lays out everything.
    void ResolveLayout(int mode);
    void SyncLayout() { ResolveLayout(0); }
    int GetOverpaintByte() const { return overpaint; }

    // ---- Frames (not owned; a frame must outlive its place in the list).
    Ctrl& SetFrame(int i, CtrlFrame& frame);
    Ctrl& SetFrame(CtrlFrame& frame) { return SetFrame(0, frame); }
    Ctrl& AddFrame(CtrlFrame& frame);
    int GetFrameCount() const;
    CtrlFrame& GetFrame(int i) const { return *GetFrameEntry(i).frame; }
    const FrameEntry& GetFrameEntry(int i) const;

    // ---- State, visibility and enabling.
    void NotifyStateChange(int reason);
    void SendStateToSubtree(int reason);
    bool IsVisibleUpward() const;
    bool IsInOpenWindow() const;
    bool IsInActiveWindow() const;
    void SetVisible(bool v);
    void Show(bool v = true) { SetVisible(v); }
    void Hide() { SetVisible(false); }
    void SetEnabled(bool e);
    void Enable(bool e = true) { SetEnabled(e); }
    void Disable() { SetEnabled(false); }
    bool FocusIfFocusable();
    void ActivateRootWindow();
    void CancelInteractionInSubtree();
    void DropGlobalReferences();
    static bool FocusNextCtrl(Ctrl* from, const Ctrl* stop, bool skip_frame_area, bool need_initial, bool any_enabled);
    static bool FocusPrevCtrl(Ctrl* from, const Ctrl* stop, bool skip_frame_area, bool any_enabled);

    // ---- Update and action.
    void MarkUpdated();
    void MarkUpdatedRefresh();
    void RunAction();
    void MarkUpdatedAction();
    void MarkUpdatedActionRefresh();
    Ctrl& SetAction(const Callback& cb)
    {
        action = cb;
        return *this;
    }
    const Callback& GetAction() const { return action; }

    // ---- Access keys.
    dword CollectAccessKeys() const;
    void AutoAssignAccessKeys();

    // ---- Timers owned by the address of this record plus n, 0 <= n < sizeof(Ctrl) (ctrl/timer).
    void ScheduleTimer(int delay, Callback action, int n = 0);
    void CancelTimer(int n = 0);
    bool HasTimer(int n = 0) const;

    // ---- Refresh: marks travel up the parent chain to the control that owns a window.
    void Refresh();
    void Refresh(const Rect& r);
    void Refresh(int x, int y, int cx, int cy) { Refresh(Rect(x, y, x + cx, y + cy)); }
    void RefreshFrame();
    void RefreshFrameArea(const Rect& r);
    void RefreshViewArea(const Rect& r);
    // Moves r from this control's view coordinates (frame coordinates with in_frame) up to
    // its root's and returns the root.
    Ctrl* MapRectToRoot(Rect& r, bool in_frame);

    // ---- Focus (kept by the keyboard routing).
    bool SetFocus();
    bool MoveFocusHere(bool activate);
    bool HasFocus() const;
    bool HasFocusInTree() const;

    // ---- Mouse routing and the pointer capture (ctrl/input).
    bool SetCapture();
    static bool ReleaseCapture();
    bool ReleaseOwnCapture();
    bool HasCapture() const;
    bool IsUnderMouse() const;
    bool IsUnderMouseInTree() const;
    static Ctrl* GetCtrlUnderMouse();
    bool IsMouseInRect(const Rect& r) const;
    Point GetMousePosInView() const;
    bool AcceptsMouse() const;
    Ctrl* FindChildAt(Point p, bool frame_coords);
    // The child that takes mouse events at p (frame coordinates); p becomes the child's.
    Ctrl* MouseChildAt(Point& p);
    void RefreshAccessKeyMarks();

    // ---- Window operations of a top-level control, through the window-operation layer.
    void DestroyWindowCall();
    void ShowWindowCall(bool show);
    void UpdateWindowCall();
    void ActivateWindowCall();
    // The result of a gone control is `enable` unchanged.
    bool EnableWindowCall(bool enable);
    bool FocusWindowCall();
    void SetWindowRectCall(const Rect& r);
    void UpdateWindowRectCall(const Rect& r);
    void ScrollWindowCall(const Rect& r, int dx, int dy);

    // ---- Scrolling, moved children and immediate repaint (ctrl/refresh).
    void ScrollArea(const Rect& r, int dx, int dy);
    // On a top control: queues or merges a scroll; true when the caller must refresh the
    // whole control instead.
    bool QueueScroll(const Rect& area, int dx, int dy);
    void ApplyPendingScrolls();
    void TrackScrolledChild(HostWindowRecord* top, Ctrl* q, const Rect& r, Rect cr, int dx, int dy);
    Rect GetVisibleViewInFrame() const;
    void RefreshMovedChildren();
    void RepaintNow();
    void ClearRefreshPending();
    // Adds r (window coordinates) to the invalid areas of this top control's window.
    void InvalidateHostArea(const Rect& r);

    // ---- Painting of the tree (ctrl/paint; the window-level steps in ctrl/x11/paint).
    void PaintWindowArea(SystemDraw& draw, const Rect& clip);
    void PaintAreaInMode(SystemDraw& draw, const Rect& clip, int mode);
    void PaintWithChildren(Draw& w, const Rect& clip);
    void CollectBackBufferAreas(Vector<Rect>& area, Draw& w, Rect r, const Rect& clip);
    bool PaintOpaqueParts(SystemDraw& w, const Rect& r, const Rect& clip, bool nochild);
    Ctrl* FindOpaqueCoveringChild(const Rect& sclip);
    Ctrl& UseBackBuffer()
    {
        SetPaintMode(PAINT_BACKBUFFER);
        return *this;
    }

    // ---- Drag and drop (ctrl/dnd): a drag of data out of source; the action that ended it
    // (DROP_NONE, DROP_COPY or DROP_MOVE, the last only when the target took the data).
    static int StartDrag(Ctrl* source, const TransferFormatMap& data, const Image& sample, dword actions);

    // ---- Loops and the caret (ctrl/loop).
    void EndLoop();
    void EndLoop(int code);
    bool IsInModalLoop() const { return IsInLoop(); }
    bool IsCurrentLoopCtrl() const;
    void SetCaret(int x, int y, int cx, int cy);
    void PaintCaret(Draw& w);

    // ---- Flags.
    bool IsVisible() const { return flags_a & A_VISIBLE; }
    bool IsEnabled() const { return flags_a & A_ENABLED; }
    bool IsTransparent() const { return flags_a & A_TRANSPARENT; }
    Ctrl& SetTransparent(bool b = true)
    {
        SetFlagA(A_TRANSPARENT, b);
        return *this;
    }
    bool IsUnicodeKeys() const { return flags_a & A_UNICODE_KEYS; }
    Ctrl& SetUnicodeKeys(bool b = true)
    {
        SetFlagA(A_UNICODE_KEYS, b);
        return *this;
    }
    bool IsFullRefreshPending() const { return flags_a & A_FULL_REFRESH; }
    void SetFullRefreshPending(bool b) { SetFlagA(A_FULL_REFRESH, b); }
    bool WantsFocus() const { return flags_a & A_WANTS_FOCUS; }
    Ctrl& SetWantsFocus(bool b = true)
    {
        SetFlagA(A_WANTS_FOCUS, b);
        return *this;
    }
    bool HasInitialFocus() const { return flags_a & A_INITIAL_FOCUS; }
    Ctrl& SetInitialFocus(bool b = true)
    {
        SetFlagA(A_INITIAL_FOCUS, b);
        return *this;
    }

    bool IsEditable() const { return flags_b & B_EDITABLE; }
    Ctrl& SetEditable(bool b = true)
    {
        SetFlagB(B_EDITABLE, b);
        return *this;
    }
    bool IsModifiedFlag() const { return flags_b & B_MODIFIED; }
    bool IgnoresMouse() const { return flags_b & B_IGNORE_MOUSE; }
    Ctrl& SetIgnoreMouse(bool b = true)
    {
        SetFlagB(B_IGNORE_MOUSE, b);
        return *this;
    }
    bool IsInFrameArea() const { return flags_b & B_IN_FRAME; }
    bool IsInLoop() const { return flags_b & B_IN_LOOP; }
    void SetInLoop(bool b) { SetFlagB(B_IN_LOOP, b); }
    bool IsOpen() const { return flags_b & B_OPEN; }
    bool IsPopup() const { return flags_b & B_POPUP; }
    void SetPopupFlag(bool b) { SetFlagB(B_POPUP, b); }
    bool HasPopupGrab() const { return flags_b & B_POPUP_GRAB; }
    void SetPopupGrabFlag(bool b) { SetFlagB(B_POPUP_GRAB, b); }

    int GetPaintMode() const { return flags_c & C_PAINT_MODE; }
    void SetPaintMode(int mode) { flags_c = byte((flags_c & ~C_PAINT_MODE) | (mode & C_PAINT_MODE)); }
    bool IsAccessKeyMarksShown() const { return flags_c & C_ACCESS_KEY_MARKS; }
    void SetAccessKeyMarksShown(bool b) { SetFlagC(C_ACCESS_KEY_MARKS, b); }
    bool IsBeingDestroyed() const { return flags_c & C_DESTROYING; }
    bool HasWindowFlag() const { return flags_c & C_WINDOW_FLAG; }
    void SetWindowFlag(bool b) { SetFlagC(C_WINDOW_FLAG, b); }

    byte GetFlagsA() const { return flags_a; }
    byte GetFlagsB() const { return flags_b; }
    byte GetFlagsC() const { return flags_c; }

    // ---- The window system's part of the record.
    HostWindowRecord* GetHostRecord() const { return host; }
    bool HasHostWindow() const { return host != nullptr; }
    // Set by the window host when it creates the window, cleared when it destroys it.
    void SetHostRecord(HostWindowRecord* h) { host = h; }
    void SetOpenFlag(bool b) { SetFlagB(B_OPEN, b); }
    // Kept equal to the mapped state of a top-level window by the window host, without the
    // notifications of SetVisible.
    void SetVisibleFlag(bool b) { SetFlagA(A_VISIBLE, b); }
    int GetExitCode() const { return exit_code; }
    void SetExitCode(int code) { exit_code = code; }
    Rect GetCaretRect() const { return Rect(caret_x, caret_y, caret_x + caret_cx, caret_y + caret_cy); }
    void SetCaretRect(int x, int y, int cx, int cy);

private:
    Ctrl* parent;
    HostWindowRecord* host;
    int32 exit_code;
    Ctrl* prev;
    Ctrl* next;
    Ctrl* first_child;
    Ctrl* last_child;
    LogicalPos pos;
    int16 rect_left;
    int16 rect_top;
    int16 rect_right;
    int16 rect_bottom;
    // 0: no frames; 1: one frame, in frame0; else a heap Vector<FrameEntry> of the frames
    // after the first, which stays in frame0.
    uintptr_t frame_word;
    FrameEntry frame0;
    String info;
    int16 caret_x;
    int16 caret_y;
    int16 caret_cx;
    int16 caret_cy;
    byte overpaint;
    byte flags_a;
    byte flags_b;
    byte flags_c;
    Callback action;

    void SetFlagA(byte f, bool b) { flags_a = byte(b ? flags_a | f : flags_a & ~f); }
    void SetFlagB(byte f, bool b) { flags_b = byte(b ? flags_b | f : flags_b & ~f); }
    void SetFlagC(byte f, bool b) { flags_c = byte(b ? flags_c | f : flags_c & ~f); }

    void UnlinkChild(Ctrl& child);
    void LinkAfter(Ctrl& child, Ctrl* after);
    Vector<FrameEntry>* GetFrameVector() const;
    FrameEntry& FrameAt(int i);
    void AppendFrameEntry(CtrlFrame& frame);
    void FreeFrames();
    void SetRectFields(const Rect& r);
    Rect ResolveInParent(LogicalPos p, bool in_frame, const Rect& whole, const Rect& view) const;
    Rect MapSizeToRoot(Size sz);
    void RecordMove(HostWindowRecord& host, const Rect& from, const Rect& to);
    Ctrl& SetPlacement(LogicalPos p, bool in_frame);
    Ctrl& SetHorizontal(int align, int a, int b);
    Ctrl& SetVertical(int align, int a, int b);
    void ApplyEnabled(bool e);
    void CloseBase();

    friend class OtherWindowsDisabler;
    friend Vector<WeakPointer<Ctrl>> DisableOtherWindows(const Vector<Ctrl*>& tops, const Ctrl* except);
    friend void ReEnableDisabledWindows(Vector<WeakPointer<Ctrl>>& list);
};

// The OR of the access-key bits of a key's low byte: 'A'-'Z' give bits 1-26, any other
// non-zero byte bit 0, zero nothing.
dword AccessKeyMask(dword key);

} // namespace Qor
