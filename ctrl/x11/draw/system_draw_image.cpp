// SystemDraw's image operation: images composited from their cached server-side copies.
#include "ctrl/x11/draw/system_draw.h"
#include "ctrl/x11/image/image_sys_data.h"

namespace Qor {

void SystemDraw::DrawImagePart(int x, int y, const Image& img, const Rect& src, Color color)
{
    if(img.GetLength() == 0 || !xftdraw || !display)
        return;
    ImageSysDataCache& cache = GetImageSysDataCache();
    cache.Get(img).Paint(*this, x, y, src, color);
    // Limits are applied after the paint: a record bigger than them has been used once.
    cache.ShrinkToLimits();
}

} // namespace Qor
