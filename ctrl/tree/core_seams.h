// What the control tree asks of the parts of the control library beside it: timers, the
// weak window operations, focus, the caret, settings and zoom. Each part installs its entry
// when it registers; an empty entry means the part is absent, and the tree then behaves as
// for a control without a window (nothing open, nothing focused, no zoom). The window
// system itself is reached through GetPlatform().
#pragma once

#include "foundation/values/rect.h"

namespace Qor {

class Ctrl;
class TopWindow;

struct CtrlCoreSeams {
    // Kills every timer whose owner id lies in [begin, end).
    void (*kill_timers_in)(const void* begin, const void* end) = nullptr;

    // Window operations of a top-level control, run at once on a weak target.
    void (*destroy_window)(Ctrl& c) = nullptr;
    void (*show_window)(Ctrl& c, bool show) = nullptr;
    void (*update_window)(Ctrl& c) = nullptr;
    void (*activate_window)(Ctrl& c) = nullptr;
    bool (*enable_window)(Ctrl& c, bool enable) = nullptr;
    bool (*focus_window)(Ctrl& c) = nullptr;
    void (*set_window_rect)(Ctrl& c, const Rect& r) = nullptr;
    void (*update_window_rect)(Ctrl& c, const Rect& r) = nullptr;
    void (*scroll_window)(Ctrl& c, const Rect& r, int dx, int dy) = nullptr;

    // Mouse and keyboard routing.
    bool (*release_capture)() = nullptr;
    bool (*move_focus_here)(Ctrl& c, bool activate) = nullptr;
    void (*send_focus_lost)(Ctrl* old, Ctrl* now) = nullptr;
    void (*focus_top_control)(Ctrl* top) = nullptr;
    void (*sync_caret)() = nullptr;

    // Top-level windows: the run-time type test of a TopWindow.
    TopWindow* (*as_top_window)(Ctrl* c) = nullptr;

    // Settings and the layout zoom.
    int (*zoom_x)(int x) = nullptr;
    int (*zoom_y)(int y) = nullptr;
    int (*look_style_level)() = nullptr;
    int (*access_keys_on_alt_only)() = nullptr;
};

CtrlCoreSeams& GetCtrlCoreSeams();

} // namespace Qor
