// The list controls: every public header.
#pragma once

#include "lists/registrations.h"
