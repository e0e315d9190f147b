// Between the Format engine and the standard formatters.
#pragma once

#include "foundation/values/format.h"

namespace Qor {

// The commonest placeholders in their plain forms (an int, a text, a number with at most a
// precision), written straight into the engine's buffer when f, the formatter found for
// them, is the standard one: the same text that f gives, without copying the argument
// into a FormatItem and without a String per placeholder. False leaves it to f.
bool AppendPlainPlaceholder(TextBuffer& out, Formatter f, const FormatArg& arg, const String& id,
                            const String& options);

} // namespace Qor
