// The control library's one registration unit: every start-up registration runs from here.

#include "ctrl/registrations.h"

#include "ctrl/clip/image_formats.h"
#include "ctrl/images/ctrl_core_img.h"
#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/loop/caret.h"
#include "ctrl/settings/skin_change.h"
#include "ctrl/timer/timer.h"
#include "ctrl/topwindow/top_window.h"
#include "ctrl/window_ops/window_ops.h"

namespace Qor {

extern const char qor_ctrl_registrations =
    (RegisterControlTimers(), RegisterSkinChange(), RegisterWindowOperations(), RegisterCaret(), RegisterMouseRouting(),
     RegisterFocusRouting(), RegisterTopWindow(), RegisterCtrlCoreImg(), RegisterImageClipFormats(), 0);

} // namespace Qor
