// The window host's side of the X11 window system: the windows of top controls and what the
// tree reads from the window map.

#include "ctrl/x11/platform/x11_platform.h"

#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/display/x11_errors.h"
#include "ctrl/x11/host/window_host.h"

namespace Qor {

void X11Platform::DestroyWindow(Ctrl& c) { DestroyHostWindow(c); }
void X11Platform::ShowWindow(Ctrl& c, bool show) { ShowHostWindow(c, show); }
void X11Platform::UpdateWindow(Ctrl& c) { UpdateHostWindow(c); }
void X11Platform::ActivateWindow(Ctrl& c) { ActivateHostWindow(c); }
bool X11Platform::EnableWindow(Ctrl& c, bool enable) { return EnableHostWindow(c, enable); }
bool X11Platform::FocusWindow(Ctrl& c) { return FocusHostWindow(c); }
void X11Platform::SetWindowRect(Ctrl& c, const Rect& r) { SetHostWindowRect(c, r); }
void X11Platform::UpdateWindowRect(Ctrl& c, const Rect& r) { UpdateHostWindowRect(c, r); }
void X11Platform::ScrollWindow(Ctrl& c, const Rect& r, int dx, int dy) { ScrollHostWindow(c, r, dx, dy); }

void X11Platform::OpenPopup(Ctrl& c, Ctrl* owner, bool save_under, bool activate)
{
    Qor::OpenPopup(c, owner, save_under, activate, false, false);
}

void X11Platform::InvalidateHostArea(Ctrl& top, const Rect& r) { InvalidateHostWindowArea(top, r); }
Ctrl* X11Platform::GetOwner(const Ctrl& top) { return GetOwnerOf(top); }
Vector<Ctrl*> X11Platform::GetTopCtrls() { return Qor::GetTopCtrls(); }
void X11Platform::EndPopupGrab(Ctrl& c) { Qor::EndPopupGrab(c); }
bool X11Platform::IsInFocusWindow(const Ctrl& c) { return Qor::IsInFocusWindow(c); }
bool X11Platform::HasScreen() const { return true; }
Rect X11Platform::GetScreenRect() { return Qor::GetScreenRect(); }
Rect X11Platform::GetWorkArea() { return display ? Qor::GetWorkArea() : Rect(); }
Rect X11Platform::GetWorkAreaAt(Point p) { return display ? Qor::GetWorkAreaAt(p) : Rect(); }
String X11Platform::DescribeDetailed(const Ctrl& c) { return GetPlatformDescription(c); }
bool X11Platform::IsCompositorRunning() { return display && Qor::IsCompositorRunning(); }

// Every control's construction installs the panic box as the fatal-message box again.
void X11Platform::CtrlConstructed() { InstallPanicBox(); }

X11Platform& GetX11Platform()
{
    static X11Platform platform;
    return platform;
}

void InstallX11Platform() { InstallPlatform(&GetX11Platform()); }

} // namespace Qor
