// Pixel routines: premultiplication and its inverse, blending, filling.

#include "draw/image/rgba.h"

#include <gtest/gtest.h>

using namespace Qor;

TEST(PixelRoutines, UnmultiplyDividesByAlpha)
{
    struct Case {
        RGBA in;
        RGBA out;
    } cases[] = {
        {MakeRGBA(128, 128, 128, 128), MakeRGBA(255, 255, 255, 128)},
        {MakeRGBA(32, 32, 32, 64), MakeRGBA(128, 128, 128, 64)},
        {MakeRGBA(9, 8, 7, 255), MakeRGBA(9, 8, 7, 255)},
        {MakeRGBA(0, 0, 0, 0), MakeRGBA(0, 0, 0, 0)},
    };
    for(const Case& c : cases) {
        RGBA p = c.in;
        UnmultiplyPixels(&p, &p, 1);
        EXPECT_EQ(p, c.out) << (int)c.in.r << "/" << (int)c.in.a;
    }
}
