// The base window system, which answers as a process without one, and the installed one.

#include "ctrl/platform/platform.h"

#include "ctrl/clip/transfer.h"
#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/topwindow/top_window.h"
#include "ctrl/tree/ctrl_class.h"

namespace Qor {

void WindowPlatform::DestroyWindow(Ctrl&) {}
void WindowPlatform::ShowWindow(Ctrl&, bool) {}
void WindowPlatform::UpdateWindow(Ctrl&) {}
void WindowPlatform::ActivateWindow(Ctrl&) {}
bool WindowPlatform::EnableWindow(Ctrl&, bool) { return false; }
bool WindowPlatform::FocusWindow(Ctrl&) { return false; }
void WindowPlatform::SetWindowRect(Ctrl&, const Rect&) {}
void WindowPlatform::UpdateWindowRect(Ctrl&, const Rect&) {}
void WindowPlatform::ScrollWindow(Ctrl&, const Rect&, int, int) {}
void WindowPlatform::OpenPopup(Ctrl&, Ctrl*, bool, bool) {}
void WindowPlatform::WindowEvent(Ctrl&, WindowMapEntry*, _XEvent*) {}
void WindowPlatform::InvalidateHostArea(Ctrl&, const Rect&) {}
Ctrl* WindowPlatform::GetOwner(const Ctrl& top) { return top.GetOwnerCtrl(); }
Vector<Ctrl*> WindowPlatform::GetTopCtrls() { return Vector<Ctrl*>(); }
void WindowPlatform::EndPopupGrab(Ctrl&) {}
bool WindowPlatform::IsInFocusWindow(const Ctrl&) { return false; }
bool WindowPlatform::HasScreen() const { return false; }
Rect WindowPlatform::GetScreenRect() { return Rect(); }
Rect WindowPlatform::GetWorkArea() { return Rect(); }
Rect WindowPlatform::GetWorkAreaAt(Point) { return GetWorkArea(); }
String WindowPlatform::DescribeDetailed(const Ctrl& c) { return DescribeCtrl(&c); }
bool WindowPlatform::IsCompositorRunning() { return false; }
void WindowPlatform::CtrlConstructed() {}
void WindowPlatform::OpenTopWindow(TopWindow&, Ctrl*) {}
Ctrl* WindowPlatform::GetDefaultOwner() { return nullptr; }
void WindowPlatform::TopWindowEvent(TopWindow& w, WindowMapEntry* entry, _XEvent* event)
{
    WindowEvent(w, entry, event);
}
void WindowPlatform::SyncTopWindowHints(TopWindow&) {}
void WindowPlatform::SyncTopWindowState(TopWindow&) {}
void WindowPlatform::SyncTopWindowSizeHints(TopWindow&) {}
void WindowPlatform::SyncTopWindowTitle(TopWindow&) {}
void WindowPlatform::SerializeTopWindowPlacement(TopWindow&, Stream&, bool) {}
void WindowPlatform::SetWindowOpacity(Ctrl&, int) {}
TopWindowHints* WindowPlatform::AllocTopWindowHints() { return nullptr; }
void WindowPlatform::FreeTopWindowHints(TopWindowHints*) {}

bool InputPlatform::IsCtrlDown() { return false; }
bool InputPlatform::IsShiftDown() { return false; }
bool InputPlatform::IsAltDown() { return false; }
bool InputPlatform::IsLeftDown() { return false; }
bool InputPlatform::IsRightDown() { return false; }
bool InputPlatform::IsMiddleDown() { return false; }
Point InputPlatform::GetMousePosition() { return Point(INT_NULL, INT_NULL); }
void InputPlatform::SetCursor(const Image&) {}
bool InputPlatform::GrabPointer(Ctrl&) { return false; }
bool InputPlatform::ReleasePointerGrab(Ctrl&) { return false; }
bool InputPlatform::HoldsPointerGrab(const Ctrl&) { return false; }
bool InputPlatform::HasHostFocus(const Ctrl&) { return true; }
String InputPlatform::GetPunctuationKeyName(dword) { return String(); }
Image InputPlatform::GetArrowCursor() { return Image(); }
Image InputPlatform::GetTextCursor() { return GetArrowCursor(); }
Image InputPlatform::GetHandCursor() { return GetArrowCursor(); }
Image InputPlatform::GetHorizontalResizeCursor() { return GetArrowCursor(); }
Image InputPlatform::GetVerticalResizeCursor() { return GetArrowCursor(); }
Image InputPlatform::GetCornerResizeCursor() { return GetArrowCursor(); }
bool InputPlatform::IsMoveResizeAvailable() { return false; }
void InputPlatform::StartMoveResize(Ctrl&) {}

void LoopPlatform::WaitForEvents(int) {}
void LoopPlatform::RunEventLoop(Ctrl*) {}
bool LoopPlatform::ProcessPendingEvents() { return false; }
bool LoopPlatform::IsPaintingWindow() { return false; }

bool TransferPlatform::HasFormat(int, const String&) { return false; }
bool TransferPlatform::Read(int, const String&, String&) { return false; }
void TransferPlatform::Claim(int) {}
bool TransferPlatform::GetLocalDragData(const String&, String&) { return false; }
int TransferPlatform::RunDrag(Ctrl*, const Vector<String>&, const Image&, dword, const TransferFormatMap&)
{
    return DROP_NONE;
}

namespace {

Platform& Base()
{
    static Platform base;
    return base;
}

Platform*& Installed()
{
    static Platform* installed = &Base();
    return installed;
}

int& Serial()
{
    static int serial = 0;
    return serial;
}

} // namespace

Platform& GetPlatform() { return *Installed(); }
int GetPlatformSerial() { return Serial(); }

Platform* InstallPlatform(Platform* p)
{
    Serial()++;
    Platform* old = Installed();
    Installed() = p ? p : &Base();
    return old;
}

} // namespace Qor
