// Link anchor of the host look: every program that uses it runs its registrations.
#pragma once

// The host look rests on the list controls and the X11 back end: a program using it runs
// their registrations too.
#include "ctrl/x11/registrations.h"
#include "foundation/registration.h"
#include "lists/registrations.h"

QOR_REGISTRATION_ANCHOR(qor_hostlook)
