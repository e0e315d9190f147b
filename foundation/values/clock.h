// Clock readings: the current local and UTC time, and today's local date.
#pragma once

#include "foundation/values/time.h"

namespace Qor {

// From time and localtime_r; the Null time when the conversion fails.
Time CurrentTime();
// From time and gmtime_r; the Null time when the conversion fails.
Time CurrentUtcTime();
// The date part of CurrentTime (the Null date when the conversion fails).
Date CurrentDate();

} // namespace Qor
