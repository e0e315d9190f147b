// The control library: every public header.
#pragma once

#include "ctrl/registrations.h"
