// Going one folder up on the folder text of the file selector.
#pragma once

#include "foundation/string.h"

namespace Qor {

// Removes the last component of folder (trailing separators first, so "/" becomes the
// empty root list) and returns that component. Relative texts (relative set: a base
// folder holds them) may shrink to "", the base folder itself. An absolute text that is
// empty, relative or begins with "//" keeps its remaining form and gives "".
String DirectoryUp(String& folder, bool relative);

} // namespace Qor
