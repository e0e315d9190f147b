// ImageAnyDraw and the back-end hooks, with a test factory whose Draws log their calls.
// Tests of an uninstalled hook run in a fresh process, since hooks stay once installed.

#include "draw/draw.h"
#include "tests/draw/support/recording_draw.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qor;
using QorTest::RecordingDraw;

namespace {

using Lines = std::vector<std::string>;

// The last Draw the test factory made; it lives until its ImageAnyDraw deletes it.
struct SizedRecorder : RecordingDraw {
    explicit SizedRecorder(Size size) : size(size) {}
    ~SizedRecorder() override { last_log = log; }
    Size size;
    static inline Lines last_log;
};
SizedRecorder* last_made = nullptr;

Draw* MakeTestDraw(Size size) { return last_made = new SizedRecorder(size); }

// A transparent image of the size the factory was asked for.
Image GetTestImage(Draw* w)
{
    SizedRecorder* r = static_cast<SizedRecorder*>(w);
    PixelBuffer b(r->size.cx, r->size.cy);
    FillPixels(b.Begin(), MakeRGBA(0, 0, 0, 0), (int)b.GetLength());
    return Image(b);
}

Draw* OtherFactory(Size) { return nullptr; }
Image OtherGetter(Draw*) { return Image(); }

void InstallTestFactory() { SetImageDrawFactory(MakeTestDraw, GetTestImage); }

Image Solid(int cx, int cy)
{
    PixelBuffer b(cx, cy);
    FillPixels(b.Begin(), MakeRGBA(9, 9, 9, 255), (int)b.GetLength());
    return Image(b);
}

} // namespace

TEST(ImageAnyDraw, ForwardsToTheFactorysDraw)
{
    InstallTestFactory();
    SetImageDrawFactory(OtherFactory, OtherGetter); // ignored: the first stays
    ASSERT_TRUE(IsImageDrawFactorySet());

    Image img = Solid(2, 2);
    Point vertices[] = {Point(1, 2), Point(3, 4)};
    int counts[] = {2};
    struct Case {
        const char* name;
        std::function<void(ImageAnyDraw&)> call;
        Lines log;
    } cases[] = {
        {"rect", [](ImageAnyDraw& w) { w.DrawRect(1, 2, 3, 4, Black()); }, {"DrawRect(1, 2, 3, 4, #000000)"}},
        {"image entry point", [&](ImageAnyDraw& w) { w.DrawImage(5, 6, img); },
         {"DrawImageScaled(5, 6, 2, 2, Image(2x2), (0, 0, 2, 2), Null)"}},
        {"whole image is not forwarded", [&](ImageAnyDraw& w) { w.DrawWholeImage(5, 6, img, Color()); }, {}},
        {"image part is not drawn", [&](ImageAnyDraw& w) { w.DrawImagePart(0, 0, img, Rect(0, 0, 2, 2), Color()); },
         {}},
        {"clips and offsets",
         [](ImageAnyDraw& w) {
             w.Begin();
             w.Offset(1, 2);
             w.Clip(0, 0, 5, 5);
             w.ClipOffset(1, 1, 2, 2);
             w.ExcludeClip(Rect(0, 0, 1, 1));
             w.IntersectClip(Rect(0, 0, 2, 2));
             w.End();
         },
         {"Begin()", "Offset((1, 2))", "Clip((0, 0, 5, 5))", "ClipOffset((1, 1, 3, 3))", "ExcludeClip((0, 0, 1, 1))",
          "IntersectClip((0, 0, 2, 2))", "End()"}},
        {"shapes",
         [&](ImageAnyDraw& w) {
             w.DrawLine(0, 0, 1, 1, 2, Black());
             w.DrawPolyPolyline(vertices, 2, counts, 1, 1, Black(), Color());
             w.DrawArc(Rect(0, 0, 4, 4), Point(0, 0), Point(4, 4), 1, Black());
             w.DrawEllipse(Rect(0, 0, 4, 4), Black(), 1, White());
         },
         {"DrawLine(0, 0, 1, 1, 2, #000000)", "DrawPolyPolyline((1, 2)(3, 4), [2], 1, #000000, Null)",
          "DrawArc((0, 0, 4, 4), (0, 0), (4, 4), 1, #000000)", "DrawEllipse((0, 0, 4, 4), #000000, 1, #ffffff)"}},
        {"data, drawing and painting",
         [](ImageAnyDraw& w) {
             w.DrawData(Rect(0, 0, 1, 1), "xy", "t");
             w.DrawDrawing(Rect(0, 0, 2, 2), Drawing(Size(1, 1), "abc"));
             w.DrawPainting(Rect(0, 0, 2, 2), Painting("p", ValueArray(), 1, 1));
         },
         {"DrawData(0, 0, 1, 1, 2 bytes, t)", "DrawDrawing((0, 0, 2, 2), 3 bytes)", "DrawPainting((0, 0, 2, 2), 1 bytes)"}},
        {"pages, native and clip depth stay with the base",
         [](ImageAnyDraw& w) {
             w.StartPage();
             w.EndPage();
             w.BeginNative();
             w.EndNative();
             EXPECT_EQ(w.GetClipDepth(), 0);
             EXPECT_EQ(w.GetNativeDpi(), Size(96, 96));
         },
         {}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            ImageAnyDraw w(7, 3);
            ASSERT_NE(last_made, nullptr);
            c.call(w);
            EXPECT_EQ(w.GetImage().GetSize(), Size(7, 3));
        }
        EXPECT_EQ(SizedRecorder::last_log, c.log);
    }
    ImageAnyDraw w(Size(4, 5));
    last_made->flags = 0x21;
    EXPECT_EQ(w.GetInfoFlags(), 0x21u);
    EXPECT_EQ(w.GetPageSize(), Size(1000, 1000));
}

namespace {

// Runs check in a fresh process (the hooks start uninstalled there) and expects it true.
void InFreshProcess(const std::function<bool()>& check)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(check() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

Image TestGlyphRenderer(int cx, int x, Font, int ch, int y, int cy)
{
    PixelBuffer b(cx + x + ch, cy + y);
    return Image(b);
}

} // namespace

TEST(ImageAnyDraw, RenderGlyphImageFallsBackThroughTheHooks)
{
    InFreshProcess([] { return !IsImageDrawFactorySet() && RenderGlyphImage(8, 1, Font(2, 12), 'A', 2, 10).IsEmpty(); });
    InFreshProcess([] {
        InstallTestFactory();
        Image img = RenderGlyphImage(8, 1, Font(2, 12), 'A', 2, 10);
        const Lines& log = SizedRecorder::last_log;
        return img.GetSize() == Size(8, 10) && log.size() == 2 && log[0] == "DrawRect(0, 0, 8, 10, #ffffff)" &&
               log[1].rfind("DrawTextRun(1, -2, 0, \"A\", ", 0) == 0 &&
               log[1].find("#000000") != std::string::npos;
    });
    InFreshProcess([] {
        InstallTestFactory();
        SetGlyphToImageHook(TestGlyphRenderer);
        // The glyph hook is asked with the same arguments, and the factory is not used.
        return RenderGlyphImage(8, 1, Font(2, 12), 3, 2, 10).GetSize() == Size(12, 12) && last_made == nullptr;
    });
}
