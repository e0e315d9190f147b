// The colour-to-pixel function on 16-bit TrueColor and 8-bit palette screens, each on a
// private server of that depth, checked by drawing and reading the pixels back.
#include "tests/support/x11/xvfb_server.h"

#include "ctrl/x11/draw/system_draw.h"

namespace {

using namespace Qor;
using namespace QorTest;

// Fills a pixmap of the display's depth with each colour through a SystemDraw and returns
// the raw pixels read back.
std::vector<unsigned long> DrawnPixels(const std::vector<Color>& colors)
{
    int n = (int)colors.size();
    Pixmap pm = XCreatePixmap(display, root, n, 1, depth);
    GC gc = XCreateGC(display, pm, 0, nullptr);
    {
        SystemDraw w(pm, gc, nullptr, Vector<Rect>{ Rect(0, 0, n, 1) });
        for(int i = 0; i < n; i++)
            w.DrawRect(i, 0, 1, 1, colors[i]);
    }
    XSync(display, false);
    std::vector<unsigned long> out;
    if(XImage* img = XGetImage(display, pm, 0, 0, n, 1, AllPlanes, ZPixmap)) {
        for(int i = 0; i < n; i++)
            out.push_back(XGetPixel(img, i, 0));
        XDestroyImage(img);
    }
    XFreeGC(display, gc);
    XFreePixmap(display, pm);
    return out;
}

TEST(PixelDepth, SixteenBitTrueColor)
{
    ASSERT_TRUE(RequireDisplay());
    XvfbServer server(320, 240, 16);
    ::Display* d = server.Open();
    ASSERT_TRUE(d);
    DisplaySwitch on(d);
    ASSERT_EQ(depth, 16);
    ASSERT_EQ(visual->c_class, TrueColor);
    ASSERT_EQ(visual->red_mask, 0xF800ul);
    ASSERT_EQ(visual->green_mask, 0x7E0ul);
    ASSERT_EQ(visual->blue_mask, 0x1Ful);
    EXPECT_FALSE(palette_mode);
    std::vector<Color> colors = { Black(), White(), Color(255, 0, 0), Color(0x87, 0x43, 0x21), Color(8, 4, 8) };
    std::vector<unsigned long> drawn = DrawnPixels(colors);
    ASSERT_EQ(drawn.size(), colors.size());
    for(size_t i = 0; i < colors.size(); i++) {
        Color c = colors[i];
        unsigned long expected = (c.GetR() >> 3) << 11 | (c.GetG() >> 2) << 5 | (c.GetB() >> 3);
        EXPECT_EQ(ColorToPixel(c), expected) << i;
        EXPECT_EQ(drawn[i], expected) << i;
    }
}

TEST(PixelDepth, EightBitPalette)
{
    ASSERT_TRUE(RequireDisplay());
    XvfbServer server(320, 240, 8);
    ::Display* d = server.Open();
    ASSERT_TRUE(d);
    DisplaySwitch on(d);
    ASSERT_EQ(depth, 8);
    ASSERT_NE(visual->c_class, TrueColor);
    EXPECT_TRUE(palette_mode);
    EXPECT_EQ(palette.GetCount(), 3 * 256);
    EXPECT_EQ(nearest_pixel.GetCount(), 12 * 24 * 12);

    // The standard colours are in the colormap exactly; others go to the nearest of them.
    struct {
        Color asked;
        Color shown;
    } cases[] = {
        { Black(), Black() },
        { White(), White() },
        { Color(255, 0, 0), Color(255, 0, 0) },
        { Color(0, 255, 0), Color(0, 255, 0) },
        { Color(0, 0, 255), Color(0, 0, 255) },
        { Color(0x33, 0x66, 0x99), Color(0x33, 0x66, 0x99) },
        { Color(250, 5, 5), Color(255, 0, 0) },
        { Color(0x34, 0x65, 0x98), Color(0x33, 0x66, 0x99) },
    };
    std::vector<Color> asked;
    for(const auto& c : cases)
        asked.push_back(c.asked);
    std::vector<unsigned long> drawn = DrawnPixels(asked);
    ASSERT_EQ(drawn.size(), asked.size());
    for(size_t i = 0; i < asked.size(); i++) {
        EXPECT_EQ(drawn[i], ColorToPixel(cases[i].asked)) << i;
        XColor c = {};
        c.pixel = drawn[i];
        XQueryColor(display, colormap, &c);
        EXPECT_EQ(Color(c.red >> 8, c.green >> 8, c.blue >> 8), cases[i].shown) << i;
        // The palette table holds the same colour (blue, green, red).
        int p = (int)drawn[i] * 3;
        EXPECT_EQ(Color(palette[p + 2], palette[p + 1], palette[p]), cases[i].shown) << i;
    }
}

} // namespace
