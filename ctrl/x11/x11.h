// The X11 back end of the control library: every public header.
#pragma once

#include "ctrl/ctrl.h"
#include "ctrl/x11/registrations.h"
