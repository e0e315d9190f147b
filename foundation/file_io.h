// Whole-file load and save as a String.
#pragma once

#include "foundation/string.h"

namespace Qor {

// The content of a regular file; the void String when the path names no
// regular file or the file cannot be opened or read.
String ReadWholeFile(const char* path);
// Creates or truncates the file (taking its lock first) and writes the text;
// false when it could not be opened or written.
bool WriteWholeFile(const char* path, const String& data);

} // namespace Qor
