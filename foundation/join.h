// Joining a list of Strings with a separator.
#pragma once

#include "foundation/string.h"
#include "foundation/vector.h"

namespace Qor {

// The parts with the separator between each two of them; empty for no parts.
String JoinStrings(const Vector<String>& parts, const String& separator);

} // namespace Qor
