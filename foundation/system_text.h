// Texts exchanged with the operating system (paths, environment, error texts):
// converted between the default charset and the system charset while the
// program body runs, passed through unchanged before and after it.
#pragma once

#include "foundation/string.h"

namespace Qor {

// Default charset to system charset; characters the system charset cannot
// hold become '_'. The result ends at the first NUL of the converted text.
String ToSystemText(const String& text);
// System charset to default charset, by the same rules.
String FromSystemText(const String& text);
// The C library's message for an error number, converted like FromSystemText.
String SystemErrorText(int error_number);

// The filter of the conversions: byte 0x1F (no byte in the target) gives '_'.
int UnderscoreForUnmapped(int c);

// Whether the conversions apply; start-up turns them on with the main-running
// flag and off again after the program body. Off initially.
void SetSystemTextActive(bool active);
bool IsSystemTextActive();

// The charset of the system language; -1 (none given) stands for UTF-8.
// UTF-8 until start-up sets it.
void SetSystemCharset(int charset);
int SystemCharset();

} // namespace Qor
