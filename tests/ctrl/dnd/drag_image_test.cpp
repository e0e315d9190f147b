// The image a drag shows: the sample under its dotted corner, fading to the right and the
// bottom, with the cursor over the corner; smaller under a compositing manager.

#include "ctrl/dnd/drag_source.h"
#include "ctrl/images/ctrl_core_img.h"
#include "ctrl/platform/platform.h"
#include "draw/image/pixel_buffer.h"
#include "tests/ctrl/support/test_platform.h"

#include <gtest/gtest.h>

using namespace Qor;

namespace {

Image Solid(int cx, int cy, RGBA c)
{
    PixelBuffer b(cx, cy);
    for(RGBA* p = b.Begin(); p != b.End(); p++)
        *p = c;
    return Image(b);
}

// An empty (fully transparent) cursor with a hotspot, so the frame itself shows.
Image ClearCursor()
{
    PixelBuffer b(1, 1);
    b[0][0] = RGBA{ 0, 0, 0, 0 };
    b.SetHotSpot(Point(0, 0));
    return Image(b);
}

RGBA At(const Image& img, int x, int y) { return img.GetPixels()[y * img.GetWidth() + x]; }

class DragImageTest : public ::testing::Test {
protected:
    struct Host : Platform {
        bool compositor = false;
        bool IsCompositorRunning() override { return compositor; }
    } host;
    QorTest::PlatformScope installed{ host };
};

} // namespace

TEST_F(DragImageTest, SampleUnderFadingFrame)
{
    const RGBA red{ 0, 0, 255, 255 };
    Image img = MakeDragImage(ClearCursor(), Solid(10, 10, red));
    ASSERT_EQ(img.GetSize(), Size(128, 128));
    struct Case {
        int x, y;
        RGBA expected; // premultiplied, exactly in alpha
    } cases[] = {
        // The sample at (2, 22), its alpha halved in rows 20 to 95.
        { 5, 25, RGBA{ 0, 0, 127, 127 } },
        { 11, 31, RGBA{ 0, 0, 127, 127 } },
        { 12, 31, RGBA{ 0, 0, 0, 0 } },
        { 5, 32, RGBA{ 0, 0, 0, 0 } },
        // The dotted row: dark blue and white in turn, fading by 3 a pixel.
        { 1, 21, RGBA{ 0x80, 0, 0, 255 } },
        { 2, 21, RGBA{ 252, 252, 252, 252 } },
        { 85, 21, RGBA{ 3, 3, 3, 3 } },
        { 86, 21, RGBA{ 0, 0, 0, 0 } },
        // The dotted column: fading by 8 a pixel, from y 21 to 52.
        { 1, 23, RGBA{ 0x78, 0, 0, 239 } },
        { 1, 52, RGBA{ 7, 7, 7, 7 } },
        { 1, 53, RGBA{ 0, 0, 0, 0 } },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        RGBA p = At(img, c.x, c.y);
        EXPECT_EQ(p.a, c.expected.a);
        // Premultiplying rounds: colours may differ from the exact product by a little.
        EXPECT_NEAR(p.b, c.expected.b, 3);
        EXPECT_NEAR(p.g, c.expected.g, 3);
        EXPECT_NEAR(p.r, c.expected.r, 3);
    }
}

TEST_F(DragImageTest, SampleFadesOutAtTheEdges)
{
    Image img = MakeDragImage(ClearCursor(), Solid(126, 106, RGBA{ 255, 255, 255, 255 }));
    // Rows above 20 keep the sample whole; from x 96 the alpha falls by 4/256 a column.
    EXPECT_EQ(At(img, 50, 10).a, 0) << "the sample starts at row 22";
    EXPECT_EQ(At(img, 50, 40).a, 127);
    EXPECT_EQ(At(img, 96, 40).a, 127);  // 255 * 128 / 256
    EXPECT_EQ(At(img, 112, 40).a, 63);  // 255 * 64 / 256
    EXPECT_EQ(At(img, 50, 112).a, 63);  // 255 * 64 / 256 below row 96
    EXPECT_EQ(At(img, 112, 112).a, 31); // 255 * 127 * 64 / 65536
    EXPECT_EQ(At(img, 127, 127).a, 0);
}

TEST_F(DragImageTest, CursorOnTopAndCompositorSize)
{
    Image cursor = CtrlCoreImg::DndCopy();
    Image img = MakeDragImage(cursor, Solid(10, 10, RGBA{ 0, 0, 255, 255 }));
    EXPECT_EQ(img.GetHotSpot(), cursor.GetHotSpot()) << "the pointer's tip stays the cursor's";
    // Where the cursor is opaque it covers the frame.
    for(int y = 0; y < cursor.GetHeight(); y++)
        for(int x = 0; x < cursor.GetWidth(); x++)
            if(At(cursor, x, y).a == 255) {
                RGBA c = At(cursor, x, y), p = At(img, x, y);
                EXPECT_TRUE(c.r == p.r && c.g == p.g && c.b == p.b) << x << "," << y;
            }
    host.compositor = true;
    EXPECT_EQ(MakeDragImage(cursor, Solid(10, 10, RGBA{ 0, 0, 255, 255 })).GetSize(), Size(64, 64));
    // Without a sample: the data mark under the cursor.
    EXPECT_EQ(MakeDragImage(cursor, Image()).GetSize(), CtrlCoreImg::DndData().GetSize());
}
