// The rich-text library's one registration unit: every start-up registration runs from here.

#include "richtext/model/object_types.h"
#include "richtext/model/rich_text_img.h"
#include "richtext/objects/image_objects.h"
#include "richtext/registrations.h"

namespace Qor {

extern const char qor_richtext_registrations =
    (RegisterRichObjectTypes(), RegisterRichImageTypes(), RegisterRichTextImg(), 0);

} // namespace Qor
