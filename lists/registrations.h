// Link anchor of the list controls: every program that uses them runs their registrations.
#pragma once

// The lists rest on the widgets: a program using them runs their registrations too.
#include "foundation/registration.h"
#include "widgets/registrations.h"

QOR_REGISTRATION_ANCHOR(qor_lists)
