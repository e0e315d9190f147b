// Link anchor of the X11 back end: every program that uses it runs its registrations.
#pragma once

#include "ctrl/registrations.h"
#include "foundation/registration.h"

QOR_REGISTRATION_ANCHOR(qor_ctrl_x11)
