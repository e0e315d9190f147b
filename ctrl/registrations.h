// Link anchor of the control library: every program that uses it runs its registrations.
#pragma once

#include "foundation/registration.h"

QOR_REGISTRATION_ANCHOR(qor_ctrl)
