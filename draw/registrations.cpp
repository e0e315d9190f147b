// The drawing library's one registration unit: every start-up registration runs from here.

#include "draw/font/font.h"
#include "draw/image/image.h"
#include "draw/registrations.h"

namespace Qor {

extern const char qor_draw_registrations = (RegisterImageValueType(), RegisterFontValueType(), 0);

} // namespace Qor
