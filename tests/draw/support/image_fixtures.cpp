// Small test images.

#include "tests/draw/support/image_fixtures.h"

namespace QorTest {

Qor::Image MakeImage(int cx, int cy, const std::function<Qor::RGBA(int, int)>& pixel)
{
    Qor::PixelBuffer b(cx, cy);
    for(int y = 0; y < cy; y++)
        for(int x = 0; x < cx; x++)
            b[y][x] = pixel(x, y);
    return Qor::Image(b);
}

Qor::Image SolidImage(int cx, int cy, Qor::RGBA value)
{
    return MakeImage(cx, cy, [&](int, int) { return value; });
}

} // namespace QorTest
