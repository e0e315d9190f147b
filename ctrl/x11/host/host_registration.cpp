// The window host's entries in the control tree's seams.

#include "ctrl/x11/host/window_host.h"

#include "ctrl/tree/core_seams.h"
#include "ctrl/window_ops/window_ops.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/display/x11_errors.h"

namespace Qor {

namespace {

bool IsInFocusWindowSeam(const Ctrl& c) { return IsInFocusWindow(c); }
Ctrl* GetOwnerSeam(const Ctrl& c) { return GetOwnerOf(c); }
String DescribeSeam(const Ctrl& c) { return GetPlatformDescription(c); }
void EnableOp(Ctrl& c, bool* enable) { *enable = EnableHostWindow(c, *enable); }
void FocusOp(Ctrl& c, bool* focused) { *focused = FocusHostWindow(c); }
void OpenPopupOp(Ctrl& c, Ctrl* owner, bool save_under, bool activate)
{
    OpenPopup(c, owner, save_under, activate, false, false);
}
Rect WorkAreaAtOp(Point p) { return display ? GetWorkAreaAt(p) : Rect(); }

} // namespace

void RegisterWindowHost()
{
    // The tree reaches these through its weak window calls.
    HostWindowOps& ops = GetHostWindowOps();
    ops.destroy = DestroyHostWindow;
    ops.show = ShowHostWindow;
    ops.update = UpdateHostWindow;
    ops.activate = ActivateHostWindow;
    ops.enable = EnableOp;
    ops.focus = FocusOp;
    ops.set_rect = SetHostWindowRect;
    ops.update_rect = UpdateHostWindowRect;
    ops.scroll = ScrollHostWindow;
    ops.open_popup = OpenPopupOp;
    ops.work_area_at = WorkAreaAtOp;
    CtrlCoreSeams& s = GetCtrlCoreSeams();
    s.compositor_running = [] { return display && IsCompositorRunning(); };
    s.invalidate_host_area = InvalidateHostWindowArea;
    s.get_owner = GetOwnerSeam;
    s.get_top_ctrls = GetTopCtrls;
    s.end_popup_grab = EndPopupGrab;
    s.is_in_focus_window = IsInFocusWindowSeam;
    s.screen_rect = GetScreenRect;
    s.work_area = [] { return display ? GetWorkArea() : Rect(); };
    // Every control's construction installs the panic box as the fatal-message box again.
    s.ctrl_constructed = InstallPanicBox;
    s.is_alt_down = IsAltDown;
    s.describe_detailed = DescribeSeam;
}

} // namespace Qor
