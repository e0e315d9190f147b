// The drawing library's one registration unit: every start-up registration runs from here.

#include "draw/display/display.h"
#include "draw/font/font.h"
#include "draw/image/image.h"
#include "draw/image_list/draw_img.h"
#include "draw/raster/bmp/bmp_raster.h"
#include "draw/recorded/drawing.h"
#include "draw/recorded/painting.h"
#include "draw/registrations.h"

namespace Qor {

extern const char qor_draw_registrations = (RegisterImageValueType(), RegisterFontValueType(), RegisterDrawImg(),
                                            RegisterStandardDisplays(), RegisterPaintingValueType(),
                                            RegisterDrawingValueType(),
                                            RegisterBmpRasterFormat(), 0);

} // namespace Qor
