// Reading Qtf markup into a rich-text document.
#pragma once

#include "richtext/text/rich_text.h"

namespace Qor {

// Never fails: a markup error ends reading and shows as a last paragraph in red, bold,
// underlined text. The first character whose capital ASCII base letter is accesskey (0 for
// none) is underlined; context is handed to every embedded object made.
RichText ReadQtfDocument(const char* qtf, int accesskey = 0, void* context = nullptr);

} // namespace Qor
