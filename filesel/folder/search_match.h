// The search filter of the file selector: typed text kept as capital ASCII base
// letters, matched against entry names reduced the same way.
#pragma once

#include "foundation/file_system_info.h"
#include "foundation/string.h"

namespace Qor {

// The name decoded from the default charset, each character replaced by its capital
// ASCII base letter (accents dropped; digits and punctuation stay), characters without
// one left out.
String SearchKeyOfName(const String& name);
// True when search is empty or the entry's search key contains it; search holds what
// the search field's filter produced (capital ASCII letters, digits, punctuation).
bool MatchesSearch(const FileSystemEntry& entry, const String& search);

} // namespace Qor
