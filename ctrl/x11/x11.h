// The X11 back end of the control library: every public header.
#pragma once

#include "ctrl/ctrl.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/display/x11_errors.h"
#include "ctrl/x11/draw/system_draw.h"
#include "ctrl/x11/events/x_events.h"
#include "ctrl/x11/font/xft_font.h"
#include "ctrl/x11/font/xft_font_cache.h"
#include "ctrl/x11/font/xft_metrics.h"
#include "ctrl/x11/font/xft_settings.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/image/cursor.h"
#include "ctrl/x11/image/image_draw.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/registrations.h"
#include "ctrl/x11/topwindow/x_top_window.h"
