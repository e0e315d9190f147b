// RichPaintInfo: the defaults of one paint of rich text.

#include "richtext/paint/paint_info.h"

#include "draw/look/sys_colors.h"

namespace Qor {

RichPaintInfo::RichPaintInfo() : link_color(SysColorMark()) {}

} // namespace Qor
