// The X11 back end's one registration unit: every start-up registration runs from here.

#include "ctrl/x11/registrations.h"

#include "ctrl/x11/clip/png_raster.h"
#include "ctrl/x11/clip/selection.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/display/x11_errors.h"
#include "ctrl/x11/dnd/dnd_loop.h"
#include "ctrl/x11/events/x_events.h"
#include "ctrl/x11/font/xft_metrics.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/image/image_draw.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/platform/x11_platform.h"
#include "ctrl/x11/topwindow/x_top_window.h"

namespace Qor {

extern const char qor_ctrl_x11_registrations =
    (InstallPanicBox(), RegisterDisplayClose(), RegisterXftMetricHooks(), RegisterImageDrawHooks(),
     InstallX11Platform(), RegisterEventLoop(), RegisterPngRasterFormat(), RegisterXdndSource(), 0);

} // namespace Qor
