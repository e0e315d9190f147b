// The window host's entries in the control tree's seams.

#include "ctrl/x11/host/window_host.h"

#include "ctrl/tree/core_seams.h"
#include "ctrl/x11/display/x11_display.h"

namespace Qor {

namespace {

bool IsInFocusWindowSeam(const Ctrl& c) { return IsInFocusWindow(c); }
Ctrl* GetOwnerSeam(const Ctrl& c) { return GetOwnerOf(c); }
String DescribeSeam(const Ctrl& c) { return GetPlatformDescription(c); }
void ActivateSeam(Ctrl& c) { ActivateHostWindow(c); }

} // namespace

void RegisterWindowHost()
{
    CtrlCoreSeams& s = GetCtrlCoreSeams();
    s.compositor_running = [] { return display && IsCompositorRunning(); };
    s.destroy_window = DestroyHostWindow;
    s.show_window = ShowHostWindow;
    s.update_window = UpdateHostWindow;
    s.activate_window = ActivateSeam;
    s.enable_window = EnableHostWindow;
    s.focus_window = FocusHostWindow;
    s.set_window_rect = SetHostWindowRect;
    s.update_window_rect = UpdateHostWindowRect;
    s.scroll_window = ScrollHostWindow;
    s.invalidate_host_area = InvalidateHostWindowArea;
    s.get_owner = GetOwnerSeam;
    s.get_top_ctrls = GetTopCtrls;
    s.end_popup_grab = EndPopupGrab;
    s.is_in_focus_window = IsInFocusWindowSeam;
    s.is_alt_down = IsAltDown;
    s.describe_detailed = DescribeSeam;
}

} // namespace Qor
