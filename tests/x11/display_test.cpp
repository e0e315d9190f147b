// The display state on the test server, start-up without a display, and the work area.
#include "tests/support/x11/xvfb_server.h"

#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_display_internal.h"

#include <X11/Xatom.h>

namespace {

using namespace Qor;
using namespace QorTest;

using DisplayTest = GuiTest;

TEST_F(DisplayTest, StateDescribesTheDefaultScreen)
{
    EXPECT_EQ(screen_number, DefaultScreen(display));
    EXPECT_EQ(root, RootWindow(display, screen_number));
    EXPECT_EQ(screen_size, Size(DisplayWidth(display, screen_number), DisplayHeight(display, screen_number)));
    EXPECT_EQ(GetScreenRect(), Rect(screen_size));
    EXPECT_EQ(depth, DefaultDepth(display, screen_number));
    EXPECT_EQ(connection_fd, ConnectionNumber(display));
    EXPECT_EQ(black_pixel, BlackPixel(display, 0));
    EXPECT_EQ(white_pixel, WhitePixel(display, 0));
    EXPECT_GT(screen_size_mm.cx, 0);
    EXPECT_EQ(MouseRepeatDelay(), 250);
    EXPECT_EQ(MouseRepeatInterval(), 25);
}

TEST_F(DisplayTest, TrueColorPixelsOfDepth24)
{
    ASSERT_EQ(visual->c_class, TrueColor);
    ASSERT_EQ(visual->red_mask, 0xFF0000ul);
    EXPECT_FALSE(palette_mode);
    for(Color c : { Color(0, 0, 0), Color(255, 255, 255), Color(1, 2, 3), Color(0x12, 0x34, 0x56) })
        EXPECT_EQ(ColorToPixel(c), (unsigned long)(c.GetR() << 16 | c.GetG() << 8 | c.GetB()));
    EXPECT_EQ(ColorToPixel(Color()), 0ul);
}

TEST(TrueColorComponent, PlacesTheValueInItsField)
{
    struct {
        int value;
        unsigned long mask;
        unsigned long pixel;
    } cases[] = {
        { 0xAB, 0xFF0000, 0xAB0000 },
        { 0xAB, 0xFF, 0xAB },
        { 0xFF, 0xF800, 0xF800 },
        { 0x87, 0xF800, (0x87 >> 3) << 11 },
        { 0x87, 0x7E0, (0x87 >> 2) << 5 },
        { 0x87, 0x1F, 0x87 >> 3 },
        { 0xFF, 0x3FF00000, 0x3FF00000 },
        { 0, 0x3FF00000, 0 }, // a 10-bit field: white stays all ones
        { 0x80, 0x3FF, 0x80 * 0x3FF / 255 },
        { 0x12, 0, 0 },
    };
    for(const auto& c : cases)
        EXPECT_EQ(TrueColorComponent(c.value, c.mask), c.pixel) << std::hex << c.value << " " << c.mask;
}

TEST(StartUpWithoutDisplay, FailsWithAMessage)
{
    // A fresh process: GTK must not have been initialised on a display already.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            setenv("DISPLAY", ":7421", 1); // no such server
            SetupDisplay();
        },
        "X11 error !");
}

TEST(WorkArea, FromWindowManagerValues)
{
    Rect screen_rect(0, 0, 1280, 1024);
    struct {
        std::vector<int> values;
        Rect area;
    } cases[] = {
        { {}, screen_rect },
        { { 0, 0, 100 }, screen_rect },
        { { 10, 20, 300, 200 }, Rect(10, 20, 310, 220) },
        { { 10, 20, 300, 200, 1, 2, 3, 4 }, Rect(10, 20, 310, 220) }, // one per desktop: the first
        { { 10, 20, 0, 200 }, screen_rect },
        { { 10, 20, 300, -5 }, screen_rect },
    };
    for(const auto& c : cases) {
        Vector<int> v;
        for(int x : c.values)
            v.Add(x);
        EXPECT_EQ(WorkAreaFromValues(v, screen_rect), c.area) << c.values.size() << " values";
    }
}

TEST(WorkArea, ReadFromTheRootWindowOnce)
{
    ASSERT_TRUE(RequireDisplay());
    // A private server: the property of the shared one's root must not change under other tests.
    XvfbServer server(640, 480, 24);
    ::Display* d = server.Open();
    ASSERT_TRUE(d);
    DisplaySwitch on(d);
    EXPECT_EQ(GetWorkArea(), Rect(0, 0, 640, 480)); // no window manager, no property

    long values[] = { 0, 30, 640, 420 };
    XChangeProperty(d, root, XInternAtom(d, "_NET_WORKAREA", false), XA_CARDINAL, 32, PropModeReplace,
                    (unsigned char*)values, 4);
    XSync(d, false);
    EXPECT_EQ(GetWorkArea(), Rect(0, 0, 640, 480)); // read once
    ForgetWorkArea();
    EXPECT_EQ(GetWorkArea(), Rect(0, 30, 640, 450));
    EXPECT_EQ(GetWorkAreaAt(Point(5, 40)), Rect(0, 30, 640, 450));
    EXPECT_EQ(GetWorkAreaAt(Point(5, 5)), Rect(0, 30, 640, 450));

    long empty[] = { 0, 30, 0, 0 };
    XChangeProperty(d, root, XInternAtom(d, "_NET_WORKAREA", false), XA_CARDINAL, 32, PropModeReplace,
                    (unsigned char*)empty, 4);
    XSync(d, false);
    ForgetWorkArea();
    EXPECT_EQ(GetWorkArea(), Rect(0, 0, 640, 480));
}

} // namespace
