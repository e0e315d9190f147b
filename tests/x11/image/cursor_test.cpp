// Cursors from images and from the stock marker images, read back through XFixes.

// First: GoogleTest before the X headers, whose macros clash with its names.
#include "tests/support/x11/gui_test.h"

#include "ctrl/x11/image/cursor.h"
#include "draw/image/pixel_buffer.h"
#include "tests/support/x11/xvfb_server.h"

#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace Qor {
namespace {

// On a private server: the cursor shown is read at the pointer, which tests running beside
// this one on the shared server move about.
class XCursors : public QorTest::GuiTest {
protected:
    void SetUp() override
    {
        QorTest::GuiTest::SetUp();
        if(HasFatalFailure())
            return;
        server = std::make_unique<QorTest::XvfbServer>(200, 200, 24);
        ::Display* own = server->Open();
        ASSERT_NE(own, nullptr);
        on.emplace(own);
        int event, error;
        ASSERT_TRUE(XFixesQueryExtension(display, &event, &error)) << "the test server lacks XFixes";
        window = XCreateSimpleWindow(display, root, 0, 0, 100, 100, 0, 0, 0);
        XMapWindow(display, window);
        XSync(display, false);
    }

    void TearDown() override
    {
        if(window)
            XDestroyWindow(display, window);
        on.reset();
        server.reset();
    }

    // The cursor as the server shows it over the window.
    struct Shown {
        int width = 0, height = 0, xhot = -1, yhot = -1;
        std::vector<unsigned long> pixels;
    };

    Shown Show(Cursor c)
    {
        XDefineCursor(display, window, c);
        XWarpPointer(display, X_NONE, window, 0, 0, 0, 0, 50, 50);
        XSync(display, false);
        Shown s;
        XFixesCursorImage* ci = XFixesGetCursorImage(display);
        EXPECT_NE(ci, nullptr) << "no cursor image from the server";
        if(!ci)
            return s;
        s.width = ci->width;
        s.height = ci->height;
        s.xhot = ci->xhot;
        s.yhot = ci->yhot;
        s.pixels.assign(ci->pixels, ci->pixels + ci->width * ci->height);
        XFree(ci);
        return s;
    }

    std::unique_ptr<QorTest::XvfbServer> server;
    std::optional<QorTest::DisplaySwitch> on;
    Window window = 0;
};

TEST_F(XCursors, MarkerImagesNameTheirStockShapes)
{
    struct Case {
        Image (*marker)();
        int shape;
    };
    const Case cases[] = {
        { CursorArrowImage, XC_left_ptr },
        { CursorTextImage, XC_xterm },
        { CursorResizeHorizontalImage, XC_sb_h_double_arrow },
        { VerticalResizeCursor, XC_sb_v_double_arrow },
        { CornerResizeCursor, XC_bottom_right_corner },
        { HandCursor, XC_hand1 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        Image img = c.marker();
        EXPECT_EQ(img.GetAuxData(), c.shape + 1);
        EXPECT_EQ(img.GetSize(), Size(32, 32));
        EXPECT_EQ(c.marker().GetSerialId(), img.GetSerialId()) << "built once";
        Cursor made = CreateXCursor(img);
        Cursor stock = XCreateFontCursor(display, c.shape);
        ASSERT_NE(made, 0u);
        Shown a = Show(made);
        Shown b = Show(stock);
        EXPECT_GT(a.width, 0);
        EXPECT_EQ(a.width, b.width);
        EXPECT_EQ(a.xhot, b.xhot);
        EXPECT_EQ(a.pixels, b.pixels) << "the cursor font's shape, not the marker's pixels";
        XFreeCursor(display, made);
        XFreeCursor(display, stock);
    }
}

TEST_F(XCursors, ImageCursorKeepsPixelsAndHotSpot)
{
    // A 16 x 16 half-transparent blue square with an opaque red row 3 and the hotspot (5, 3).
    PixelBuffer b(16, 16);
    for(int y = 0; y < 16; y++)
        for(int x = 0; x < 16; x++)
            b[y][x] = y == 3 ? MakeRGBA(255, 0, 0, 255) : MakeRGBA(0, 0, 128, 128);
    b.SetHotSpot(Point(5, 3));
    Image img(b);
    Cursor c = CreateXCursor(img);
    ASSERT_NE(c, 0u);
    Shown s = Show(c);
    XFreeCursor(display, c);
    ASSERT_EQ(s.width, 16);
    ASSERT_EQ(s.height, 16);
    EXPECT_EQ(s.xhot, 5);
    EXPECT_EQ(s.yhot, 3);
    // XFixes gives premultiplied ARGB words.
    EXPECT_EQ(s.pixels[3 * 16 + 7] & 0xFFFFFFFF, 0xFFFF0000u);
    EXPECT_EQ(s.pixels[10 * 16 + 7] & 0xFFFFFFFF, 0x80000080u);
}

TEST_F(XCursors, EmptyImageAndStrayHotSpotStillGiveACursor)
{
    Cursor empty = CreateXCursor(Image());
    ASSERT_NE(empty, 0u);
    Cursor arrow = XCreateFontCursor(display, XC_left_ptr);
    EXPECT_EQ(Show(empty).pixels, Show(arrow).pixels);
    XFreeCursor(display, empty);
    XFreeCursor(display, arrow);

    PixelBuffer b(8, 8);
    std::fill(b.Begin(), b.End(), MakeRGBA(0, 0, 0, 255));
    b.SetHotSpot(Point(40, -3));
    Image img(b);
    Cursor c = CreateXCursor(img);
    Shown s = Show(c);
    XFreeCursor(display, c);
    EXPECT_EQ(s.xhot, 7);
    EXPECT_EQ(s.yhot, 0);
}

} // namespace
} // namespace Qor
