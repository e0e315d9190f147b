// The size of a file as the file selector shows it: bytes, then K, M and G, each
// unit taken while the number still has at most four digits.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Qor {

// "%d B  ", "%d K  ", "%d M  " or "%d G  " (two trailing spaces); the shifts truncate,
// so 10239999 bytes read as 9999 K.
String FormatFileSize(int64 n);

} // namespace Qor
