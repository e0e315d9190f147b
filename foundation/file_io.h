// Whole-file load and save as a String.
#pragma once

#include "foundation/string.h"

namespace Qor {

// The content of a regular file; the void String when the path names no
// regular file or the file cannot be opened or read.
String ReadWholeFile(const char* path);
// Replaces the file's content with the text, or leaves it untouched: the text is
// written to a new file in the same folder, flushed to the disk and renamed over the
// old one, which keeps its mode. False (and nothing changed) when the file is locked
// by another writer, is no regular file, or anything fails on the way.
bool WriteWholeFile(const char* path, const String& data);

} // namespace Qor
