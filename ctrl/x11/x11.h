// The X11 back end of the control library: every public header.
#pragma once

#include "ctrl/ctrl.h"
#include "ctrl/x11/font/xft_font.h"
#include "ctrl/x11/font/xft_font_cache.h"
#include "ctrl/x11/font/xft_metrics.h"
#include "ctrl/x11/font/xft_settings.h"
#include "ctrl/x11/registrations.h"
