// The process-wide default paragraph style.

#include "richtext/model/paragraph_style.h"

namespace Qor {

const ParagraphStyle& GetDefaultParagraphStyle()
{
    // Built on first use and freed at exit, so that a lookup never allocates.
    static const ParagraphStyle style;
    return style;
}

} // namespace Qor
