// Looking one entry up by its exact path through a FileSystemInfo.
#pragma once

#include "foundation/file_system_info.h"
#include "foundation/string.h"

namespace Qor {

// The entry that path names, found by its exact name: '*' and '?' in the name are
// ordinary characters, and a name differing only in case is another entry. False when
// there is none (or the folder cannot be read).
bool FindExactEntry(FileSystemInfo& fs, const String& path, FileSystemEntry& entry);

} // namespace Qor
