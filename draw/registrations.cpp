// The drawing library's one registration unit: every start-up registration runs from here.

#include "draw/image/image.h"
#include "draw/image_list/draw_img.h"
#include "draw/registrations.h"

namespace Qor {

extern const char qor_draw_registrations = (RegisterImageValueType(), RegisterDrawImg(), 0);

} // namespace Qor
