// The X11 back end as the control tree's window system. Its overrides live beside the parts
// they reach (window host, events, loop, top windows, selections, drag source); the back
// end's registration installs it.
#pragma once

#include "ctrl/platform/platform.h"

namespace Qor {

class X11Platform : public Platform {
public:
    // Windows.
    void DestroyWindow(Ctrl& c) override;
    void ShowWindow(Ctrl& c, bool show) override;
    void UpdateWindow(Ctrl& c) override;
    void ActivateWindow(Ctrl& c) override;
    bool EnableWindow(Ctrl& c, bool enable) override;
    bool FocusWindow(Ctrl& c) override;
    void SetWindowRect(Ctrl& c, const Rect& r) override;
    void UpdateWindowRect(Ctrl& c, const Rect& r) override;
    void ScrollWindow(Ctrl& c, const Rect& r, int dx, int dy) override;
    void OpenPopup(Ctrl& c, Ctrl* owner, bool save_under, bool activate) override;
    void WindowEvent(Ctrl& c, WindowMapEntry* entry, _XEvent* event) override;
    void InvalidateHostArea(Ctrl& top, const Rect& r) override;
    Ctrl* GetOwner(const Ctrl& top) override;
    Vector<Ctrl*> GetTopCtrls() override;
    void EndPopupGrab(Ctrl& c) override;
    bool IsInFocusWindow(const Ctrl& c) override;
    bool HasScreen() const override;
    Rect GetScreenRect() override;
    Rect GetWorkArea() override;
    Rect GetWorkAreaAt(Point p) override;
    String DescribeDetailed(const Ctrl& c) override;
    bool IsCompositorRunning() override;
    void CtrlConstructed() override;

    // Top-level windows.
    void OpenTopWindow(TopWindow& w, Ctrl* owner) override;
    Ctrl* GetDefaultOwner() override;
    void TopWindowEvent(TopWindow& w, WindowMapEntry* entry, _XEvent* event) override;
    void SyncTopWindowHints(TopWindow& w) override;
    void SyncTopWindowState(TopWindow& w) override;
    void SyncTopWindowSizeHints(TopWindow& w) override;
    void SyncTopWindowTitle(TopWindow& w) override;
    void SerializeTopWindowPlacement(TopWindow& w, Stream& s, bool reminimize) override;
    void SetWindowOpacity(Ctrl& c, int alpha) override;
    TopWindowHints* AllocTopWindowHints() override;
    void FreeTopWindowHints(TopWindowHints* hints) override;

    // Input.
    bool IsCtrlDown() override;
    bool IsShiftDown() override;
    bool IsAltDown() override;
    bool IsLeftDown() override;
    bool IsRightDown() override;
    bool IsMiddleDown() override;
    Point GetMousePosition() override;
    void SetCursor(const Image& image) override;
    bool GrabPointer(Ctrl& top) override;
    bool ReleasePointerGrab(Ctrl& top) override;
    bool HoldsPointerGrab(const Ctrl& top) override;
    bool HasHostFocus(const Ctrl& top) override;
    String GetPunctuationKeyName(dword key) override;
    Image GetArrowCursor() override;
    Image GetTextCursor() override;
    Image GetHandCursor() override;
    Image GetHorizontalResizeCursor() override;
    Image GetVerticalResizeCursor() override;
    Image GetCornerResizeCursor() override;
    bool IsMoveResizeAvailable() override;
    void StartMoveResize(Ctrl& top) override;

    // The loop.
    void WaitForEvents(int ms) override;
    void RunEventLoop(Ctrl* owner) override;
    bool ProcessPendingEvents() override;
    bool IsPaintingWindow() override;

    // Transfer.
    bool HasFormat(int kind, const String& format) override;
    bool Read(int kind, const String& format, String& data) override;
    void Claim(int kind) override;
    bool GetLocalDragData(const String& format, String& data) override;
    int RunDrag(Ctrl* source, const Vector<String>& formats, const Image& sample, dword actions,
                const TransferFormatMap& data) override;
};

// The one instance, installed at start-up.
X11Platform& GetX11Platform();
void InstallX11Platform();

} // namespace Qor
