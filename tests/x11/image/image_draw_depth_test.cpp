// ImageDraw read back from screens of 16-bit colour and of an 8-bit palette, on private
// servers of those depths.

// First: GoogleTest before the X headers, whose macros clash with its names.
#include "tests/support/x11/gui_test.h"

#include "ctrl/x11/image/image_draw.h"
#include "tests/support/x11/image_pixels.h"
#include "tests/support/x11/xvfb_server.h"

#include <memory>
#include <optional>

namespace Qor {
namespace {

using test::Near;

// Only rectangles are drawn there: the font and image caches belong to the shared display.
class ImageDrawDepth : public QorTest::GuiTest, public testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        QorTest::GuiTest::SetUp();
        if(HasFatalFailure())
            return;
        server = std::make_unique<QorTest::XvfbServer>(64, 64, GetParam());
        ::Display* own = server->Open();
        ASSERT_NE(own, nullptr);
        on.emplace(own);
        ASSERT_EQ(depth, GetParam());
    }

    void TearDown() override
    {
        on.reset();
        server.reset();
    }

    std::unique_ptr<QorTest::XvfbServer> server;
    std::optional<QorTest::DisplaySwitch> on;
};

TEST_P(ImageDrawDepth, ColoursComeBackNearlyAsDrawn)
{
    // 16-bit colour keeps 5 or 6 bits a channel; the palette holds what the server chose.
    int tolerance = GetParam() == 16 ? 8 : 64;
    const Color colours[] = { White(), Black(), Color(255, 0, 0), Color(0, 0, 255), Color(0, 255, 0) };
    Image img;
    {
        ImageDraw w(50, 10);
        for(int i = 0; i < 5; i++)
            w.DrawRect(10 * i, 0, 10, 10, colours[i]);
        img = w.GetImage();
    }
    ASSERT_EQ(img.GetSize(), Size(50, 10));
    EXPECT_EQ(img.GetKind(), IMAGE_OPAQUE);
    for(int i = 0; i < 5; i++) {
        Color c = colours[i];
        EXPECT_TRUE(Near(img[5][10 * i + 5], MakeRGBA(c.GetR(), c.GetG(), c.GetB(), 255), tolerance))
            << i << ": " << (int)img[5][10 * i + 5].r << " " << (int)img[5][10 * i + 5].g << " "
            << (int)img[5][10 * i + 5].b;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, ImageDrawDepth, testing::Values(16, 8));

} // namespace
} // namespace Qor
