// Start-up registrations of the control library hold in a program that links only it and
// the libraries below it: a new standard font runs the skin change, a destroyed control
// cancels the timers of its record, the control tree reads the layout zoom and the GUI
// settings, its window operations go through the weak window calls, and rich-text images
// use the image clipboard formats. Exits non-zero when a check fails.

#include "ctrl/ctrl.h"
#include "draw/font/font_metrics.h"
#include "richtext/objects/image_objects.h"
#include "tests/registration/registration_check.h"

#include <typeinfo>

using namespace Qor;

using QorRegistration::Check;

int main()
{
    Check(StandardFontChangeHook == &ApplySkinChange, "a new standard font runs the skin change");

    const CtrlCoreSeams& seams = GetCtrlCoreSeams();
    Check(seams.zoom_x == &ZoomX && seams.zoom_y == &ZoomY, "the control tree reads the layout zoom");
    Check(seams.look_style_level == &GetLookStyleLevel, "the control tree reads the look style level");
    Check(seams.access_keys_on_alt_only == &GetAccessKeysOnAltOnly,
          "the control tree reads the access-key display setting");

    Check(seams.kill_timers_in == &CancelTimersInRange, "a destroyed control cancels the timers of its record");
    Check(seams.sync_caret == &SyncCaret, "focus and enable changes move the caret with the focus");
    Check(seams.as_top_window == &AsTopWindow, "the control tree recognises top-level windows");
    Check(seams.destroy_window && seams.show_window && seams.update_window && seams.activate_window &&
              seams.enable_window && seams.focus_window && seams.set_window_rect && seams.update_window_rect &&
              seams.scroll_window,
          "the control tree's window operations go through the weak window calls");
    Check(seams.release_capture != nullptr, "the tree releases the pointer capture through the mouse routing");
    Check(seams.move_focus_here != nullptr && seams.send_focus_lost == &SendFocusLost &&
              seams.focus_top_control == &FocusTopControl,
          "the tree moves the focus through the keyboard routing");
    Check(GetRichImage().GetClipFormats() == GetImageClipFormats(),
          "rich-text images reach the clipboard through the image clipboard formats");
    // No window system in this program: the tree asks the base one, and a control answers that
    // it has no window.
    Platform& installed = GetPlatform();
    Check(typeid(installed) == typeid(Platform), "without a back end the base window system answers");
    Ctrl c;
    Check(!c.EnableWindowCall(true), "without a window host a control has no window");
    return QorRegistration::Finish("ctrl registrations");
}
