// Small images built pixel by pixel for tests that compare exact pixel values.
#pragma once

#include "draw/image/image.h"

#include <functional>

namespace QorTest {

// cx × cy pixels, each pixel(x, y).
Qor::Image MakeImage(int cx, int cy, const std::function<Qor::RGBA(int, int)>& pixel);
// cx × cy pixels of one value.
Qor::Image SolidImage(int cx, int cy, Qor::RGBA value);
inline Qor::RGBA Opaque(int r, int g, int b) { return Qor::MakeRGBA(r, g, b, 255); }

} // namespace QorTest
