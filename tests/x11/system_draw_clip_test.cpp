// SystemDraw's rectangles, offsets and clips agree pixel for pixel with the drawing
// layer's rasterising Draw; and its state queries.
#include "tests/x11/system_draw_fixture.h"

namespace {

using namespace Qor;
using namespace QorTest;

struct Scene {
    const char* name;
    void (*paint)(Draw& w);
};

const Scene scenes[] = {
    { "rectangles",
      [](Draw& w) {
          w.DrawRect(2, 2, 10, 6, RED);
          w.DrawRect(8, 4, 10, 10, BLUE);
          w.DrawRect(30, 3, 0, 5, Black());
          w.DrawRect(30, 3, 5, -1, Black());
          w.DrawRect(20, 20, 5, 5, Color());
          w.DrawRect(Rect(40, 0, 48, 32), GREEN);
      } },
    { "nested offsets",
      [](Draw& w) {
          w.Offset(5, 3);
          w.DrawRect(0, 0, 4, 4, RED);
          w.Offset(10, 10);
          w.DrawRect(0, 0, 3, 3, BLUE);
          w.End();
          w.DrawRect(10, 0, 2, 2, Black());
          w.End();
          w.DrawRect(0, 0, 2, 2, GREEN);
      } },
    { "clip and End",
      [](Draw& w) {
          w.Clip(4, 4, 20, 10);
          w.DrawRect(0, 0, 48, 32, RED);
          w.End();
          w.DrawRect(30, 20, 5, 5, BLUE);
      } },
    { "clip offset",
      [](Draw& w) {
          w.ClipOffset(10, 5, 12, 8);
          w.DrawRect(-5, -5, 100, 100, RED);
          w.DrawRect(0, 0, 3, 3, BLUE);
          w.End();
          w.DrawRect(0, 0, 4, 4, Black());
      } },
    { "clip outside the clip draws nothing",
      [](Draw& w) {
          w.Clip(4, 4, 10, 10);
          w.Clip(20, 20, 5, 5);
          w.DrawRect(0, 0, 48, 32, RED);
          w.End();
          w.DrawRect(0, 0, 48, 32, BLUE);
          w.End();
          w.DrawRect(40, 25, 3, 3, GREEN);
      } },
    { "exclude clip inside an offset is undone by its End",
      [](Draw& w) {
          w.Offset(2, 2);
          w.ExcludeClip(Rect(0, 0, 10, 10));
          w.DrawRect(0, 0, 20, 20, RED);
          w.End();
          w.DrawRect(0, 0, 6, 6, BLUE);
      } },
    { "exclude clip in the base state",
      [](Draw& w) {
          w.ExcludeClip(Rect(10, 10, 20, 20));
          w.ExcludeClip(Rect(30, 0, 35, 32));
          w.DrawRect(0, 0, 48, 32, RED);
      } },
    { "intersect clip within Begin and End",
      [](Draw& w) {
          w.Begin();
          w.IntersectClip(Rect(8, 8, 30, 20));
          w.DrawRect(0, 0, 48, 32, RED);
          w.End();
          w.DrawRect(0, 0, 3, 3, BLUE);
      } },
    { "clip offset then exclude then intersect",
      [](Draw& w) {
          w.ClipOffset(4, 4, 30, 20);
          w.ExcludeClip(Rect(5, 5, 10, 10));
          w.IntersectClip(Rect(0, 0, 20, 15));
          w.DrawRect(-4, -4, 48, 32, RED);
          w.End();
          w.DrawRect(40, 0, 8, 8, GREEN);
      } },
    { "axis-parallel lines",
      [](Draw& w) {
          w.DrawLine(2, 3, 20, 3, 1, RED);
          w.DrawLine(5, 5, 5, 25, 0, BLUE);
          w.Offset(10, 10);
          w.DrawLine(20, 0, 30, 0, 1, Black());
          w.DrawLine(0, 5, 0, 15, 1, GREEN);
          w.End();
      } },
    { "lines and rectangles clipped",
      [](Draw& w) {
          w.Clip(10, 0, 10, 32);
          w.DrawLine(0, 7, 47, 7, 1, RED);
          w.DrawRect(0, 12, 48, 3, BLUE);
          w.End();
      } },
};

TEST_F(SystemDrawTest, AgreesWithTheRasterDraw)
{
    for(const Scene& s : scenes) {
        SCOPED_TRACE(s.name);
        XSetForeground(display, gc, ColorToPixel(White()));
        XSetClipMask(display, gc, None);
        XFillRectangle(display, pixmap, gc, 0, 0, CX, CY);
        EXPECT_EQ(Picture(Paint(s.paint)), Picture(Raster(s.paint)));
    }
}

TEST_F(SystemDrawTest, EndRestoresTheClipOfTheGC)
{
    SystemDraw w(pixmap, gc, nullptr, Vector<Rect>{ Rect(0, 0, CX, CY) });
    w.Clip(0, 0, 5, 5);
    w.End();
    // Drawn by Xlib directly through the GC: the clip set by End is the whole pixmap.
    XSetForeground(display, gc, ColorToPixel(RED));
    XFillRectangle(display, pixmap, gc, 0, 0, CX, CY);
    EXPECT_EQ(Grab().Count(RED), CX * CY);
}

TEST_F(SystemDrawTest, StateQueries)
{
    SystemDraw fresh;
    EXPECT_EQ(fresh.GetPaintRect(), Rect(-0x3fffffff, -0x3fffffff, 0x3fffffff, 0x3fffffff));
    EXPECT_EQ(fresh.GetPageSize(), screen_size);
    EXPECT_EQ(fresh.GetNativeDpi(), Size(96, 96));
    EXPECT_EQ(fresh.GetInfoFlags(), 0u);

    SystemDraw w(pixmap, gc, nullptr, Vector<Rect>{ Rect(0, 0, 10, 10), Rect(20, 5, 30, 25) });
    EXPECT_EQ(w.GetClipDepth(), 1);
    EXPECT_EQ(w.GetPaintRect(), Rect(0, 0, 30, 25));
    EXPECT_EQ(w.GetClip(), Rect(0, 0, 30, 25));
    EXPECT_TRUE(w.IsPainting(Rect(5, 5, 6, 6)));
    EXPECT_FALSE(w.IsPainting(Rect(12, 12, 18, 18))); // in the bounding box, between the rectangles
    EXPECT_FALSE(w.IsPainting(Rect(5, 5, 5, 9)));     // empty
    EXPECT_FALSE(w.IsPainting(Rect(10, 0, 20, 5)));   // touching edges only

    w.Offset(3, 4);
    EXPECT_EQ(w.GetClipDepth(), 2);
    EXPECT_EQ(w.GetPaintRect(), Rect(-3, -4, 27, 21));
    EXPECT_EQ(w.GetClip(), Rect(-3, -4, 27, 21));
    EXPECT_TRUE(w.IsPainting(Rect(0, 0, 1, 1)));
    EXPECT_FALSE(w.IsPainting(Rect(7, 6, 8, 7))); // (10, 10) in the drawable
    EXPECT_TRUE(w.ClipOffset(Rect(0, 0, 5, 5)));
    EXPECT_EQ(w.GetClipDepth(), 3);
    EXPECT_EQ(w.GetPaintRect(), Rect(0, 0, 5, 5));
    EXPECT_FALSE(w.Clip(Rect(10, 10, 20, 20)));
    EXPECT_EQ(w.GetClip(), Rect(0, 0, 0, 0));
    EXPECT_FALSE(w.IsPainting(Rect(0, 0, 5, 5)));
    w.End();
    w.End();
    EXPECT_EQ(w.GetPaintRect(), Rect(-3, -4, 27, 21));
    EXPECT_FALSE(w.ExcludeClip(Rect(-10, -10, 40, 40)));
    EXPECT_EQ(w.GetPaintRect(), Rect(-3, -4, -3, -4)); // empty, at minus the offset
    w.End();
    EXPECT_EQ(w.GetClipDepth(), 1);
    EXPECT_EQ(w.GetPaintRect(), Rect(0, 0, 30, 25));
}

} // namespace
