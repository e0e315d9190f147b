// The control library: every public header.
#pragma once

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/frame/frame_settings.h"
#include "ctrl/layout/logical_pos.h"
#include "ctrl/registrations.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/settings/layout_zoom.h"
#include "ctrl/settings/skin_change.h"
#include "ctrl/state/ctrl_hooks.h"
#include "ctrl/state/other_windows.h"
#include "ctrl/timer/timer.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"
#include "ctrl/tree/host_window_record.h"
#include "ctrl/window_ops/window_ops.h"
