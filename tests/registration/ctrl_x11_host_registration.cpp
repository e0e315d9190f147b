// Start-up registrations of the X11 back end's window host and event loop hold in a
// program that links only it and the libraries below it: the control tree reaches the
// window operations and the window map through its seams, loops run on the X connection,
// and the wake-up pipe exists before the program body. Exits non-zero when a check fails.

#include "ctrl/x11/display/x11_display.h"

#include "ctrl/loop/event_loop.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/registrations.h"
#include "tests/registration/registration_check.h"

using namespace Qor;

using QorRegistration::Check;

int main()
{
    const CtrlCoreSeams& seams = GetCtrlCoreSeams();
    const HostWindowOps& ops = GetHostWindowOps();
    Check(ops.destroy == &DestroyHostWindow && ops.show == &ShowHostWindow && ops.update == &UpdateHostWindow &&
              ops.activate == &ActivateHostWindow && ops.enable && ops.focus && ops.set_rect == &SetHostWindowRect &&
              ops.update_rect == &UpdateHostWindowRect && ops.scroll == &ScrollHostWindow,
          "the control tree's window operations reach the window host");
    Check(ops.open_popup != nullptr && ops.work_area_at != nullptr,
          "controls open pop-ups and place them within the work area through the window host");
    Check(seams.invalidate_host_area == &InvalidateHostWindowArea, "refresh marks reach the window's invalid areas");
    Check(seams.get_top_ctrls == &GetTopCtrls && seams.get_owner != nullptr, "the tree reads the window map");
    Check(seams.end_popup_grab == &EndPopupGrab, "a control leaving its window ends its pop-up grab");
    Check(seams.is_alt_down == &IsAltDown && seams.is_in_focus_window != nullptr && seams.compositor_running,
          "the tree reads the keyboard state, the active window and the compositor");
    Check(seams.screen_rect == &GetScreenRect && seams.work_area && seams.ctrl_constructed,
          "the tree places controls within the screen and its work area, and a new control sets the panic box");
    Check(ops.run_event_loop == &RunEventLoop && ops.wait_for_events != nullptr &&
              GetLoopSeams().process_pending_events == &ProcessPendingEvents,
          "loops run on the X connection");
    Check(GetLoopSeams().is_painting_window != nullptr, "code run from a paint knows it through the painting mark");
    Check(GetWakePipe().made && GetWakePipe().read_fd >= 0, "the wake-up pipe is made at start-up");
    return QorRegistration::Finish("ctrl x11 host registrations");
}
