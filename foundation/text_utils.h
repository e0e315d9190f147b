// Small shared text services: the text of a duration and the prompt signals.
#pragma once

#include "foundation/string.h"

namespace Qor {

// Two decimals in the largest unit that keeps the value at least 1:
// "500.00 ms", " 2.00 s " (seconds keep a trailing blank).
String DurationText(double seconds);

// Called by the information, exclamation and question prompts; they do nothing.
void InformationSignal();
void WarningSignal();
void QuestionSignal();

} // namespace Qor
