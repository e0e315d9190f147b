// Renaming an entry within its folder without ever replacing another entry.
#pragma once

#include "foundation/string.h"

namespace Qor {

// Renames folder/oldname to folder/newname, both converted to the system charset.
// Refuses (false, error set) a new name that is empty, ".", "..", holds a '/' or names
// an entry that exists (a dangling link included), so no entry is lost or moved out of
// the folder. error is the reason as the user reads it.
bool RenameEntry(const String& folder, const String& oldname, const String& newname, String& error);

} // namespace Qor
