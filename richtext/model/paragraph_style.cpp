// The process-wide default paragraph style and style lookup.

#include "richtext/model/paragraph_style.h"

namespace Qor {

const ParagraphStyle& GetDefaultParagraphStyle()
{
    // Built on first use and freed at exit, so that a lookup never allocates.
    static const ParagraphStyle style;
    return style;
}

const ParagraphStyle& GetStyle(const ParagraphStyleMap& styles, const Uuid& id)
{
    const ParagraphStyle* s = styles.FindPtr(id);
    return s ? *s : GetDefaultParagraphStyle();
}

} // namespace Qor
