// Link anchor of the widget library: every program that uses it runs its registrations.
#pragma once

// The widgets rest on the control library: a program using them runs its registrations too.
#include "ctrl/registrations.h"
#include "foundation/registration.h"

QOR_REGISTRATION_ANCHOR(qor_widgets)
