// Draw: entry points forward to the operations, the base algorithms, NilDraw, angles.

#include "draw/draw.h"
#include "tests/draw/support/raster_draw.h"
#include "tests/draw/support/recording_draw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace Qor;
using QorTest::RasterDraw;
using QorTest::RecordingDraw;

namespace {

using Lines = std::vector<std::string>;

Image SolidImage(int cx, int cy, RGBA p)
{
    PixelBuffer b(cx, cy);
    FillPixels(b.Begin(), p, (int)b.GetLength());
    return Image(b);
}

} // namespace

TEST(DrawEntryPoints, ForwardToTheOperations)
{
    Image img = SolidImage(4, 3, MakeRGBA(1, 2, 3, 255));
    Color red(255, 0, 0);
    struct Case {
        const char* name;
        std::function<void(Draw&)> call;
        Lines log;
    } cases[] = {
        {"rect", [&](Draw& w) { w.DrawRect(Rect(1, 2, 11, 22), red); }, {"DrawRect(1, 2, 10, 20, #ff0000)"}},
        {"image sized", [&](Draw& w) { w.DrawImage(5, 6, 8, 9, img); },
         {"DrawImageScaled(5, 6, 8, 9, Image(4x3), (0, 0, 4, 3), Null)"}},
        {"image rect", [&](Draw& w) { w.DrawImage(Rect(5, 6, 7, 9), img); },
         {"DrawImageScaled(5, 6, 2, 3, Image(4x3), (0, 0, 4, 3), Null)"}},
        {"image part", [&](Draw& w) { w.DrawImage(5, 6, img, Rect(1, 1, 3, 2)); },
         {"DrawImageScaled(5, 6, 2, 1, Image(4x3), (1, 1, 3, 2), Null)"}},
        {"image whole", [&](Draw& w) { w.DrawImage(5, 6, img); },
         {"DrawImageScaled(5, 6, 4, 3, Image(4x3), (0, 0, 4, 3), Null)"}},
        {"image colour", [&](Draw& w) { w.DrawImage(5, 6, img, red); },
         {"DrawImageScaled(5, 6, 4, 3, Image(4x3), (0, 0, 4, 3), #ff0000)"}},
        {"image Null colour", [&](Draw& w) { w.DrawImage(5, 6, img, Color()); }, {}},
        {"data", [&](Draw& w) { w.DrawData(Rect(1, 2, 4, 6), String("xy"), "raw"); },
         {"DrawData(1, 2, 3, 4, 2 bytes, raw)"}},
        {"line points", [&](Draw& w) { w.DrawLine(Point(1, 2), Point(3, 4), 2, red); },
         {"DrawLine(1, 2, 3, 4, 2, #ff0000)"}},
        {"offset", [&](Draw& w) { w.Offset(3, 4); }, {"Offset((3, 4))"}},
        {"clip", [&](Draw& w) { w.Clip(1, 2, 3, 4); }, {"Clip((1, 2, 4, 6))"}},
        {"clip offset", [&](Draw& w) { w.ClipOffset(1, 2, 3, 4); }, {"ClipOffset((1, 2, 4, 6))"}},
    };
    for(const Case& c : cases) {
        RecordingDraw w;
        c.call(w);
        EXPECT_EQ(w.log, c.log) << c.name;
    }
}

TEST(DrawBase, ImagePartClipsUnlessWhole)
{
    Image img = SolidImage(4, 3, MakeRGBA(1, 2, 3, 255));
    struct Case {
        Rect src;
        Lines log;
    } cases[] = {
        {Rect(0, 0, 4, 3), {"DrawImagePart(5, 6, Image(4x3), (0, 0, 4, 3), Null)",
                            "DrawWholeImage(5, 6, Image(4x3), Null)"}},
        {Rect(1, 2, 3, 3), {"DrawImagePart(5, 6, Image(4x3), (1, 2, 3, 3), Null)", "ClipOffset((5, 6, 7, 7))",
                            "DrawWholeImage(-1, -2, Image(4x3), Null)", "End()"}},
    };
    for(const Case& c : cases) {
        RecordingDraw w;
        w.base_images = true;
        w.DrawImagePart(5, 6, img, c.src, Color());
        EXPECT_EQ(w.log, c.log);
    }
}

TEST(DrawBase, ScaledImageAtItsSizeGoesNativeUnlessTheTargetIsNative)
{
    Image img = SolidImage(2, 2, MakeRGBA(1, 2, 3, 255));
    RecordingDraw plain;
    plain.base_images = true;
    plain.DrawImage(1, 1, img);
    EXPECT_EQ(plain.log, (Lines{"DrawImageScaled(1, 1, 2, 2, Image(2x2), (0, 0, 2, 2), Null)", "BeginNative()",
                                "DrawImagePart(1, 1, Image(2x2), (0, 0, 2, 2), Null)",
                                "DrawWholeImage(1, 1, Image(2x2), Null)", "EndNative()"}));
    RecordingDraw native(Draw::NATIVE);
    native.base_images = true;
    native.DrawImage(1, 1, img);
    EXPECT_EQ(native.log, (Lines{"DrawImageScaled(1, 1, 2, 2, Image(2x2), (0, 0, 2, 2), Null)",
                                 "DrawImagePart(1, 1, Image(2x2), (0, 0, 2, 2), Null)",
                                 "DrawWholeImage(1, 1, Image(2x2), Null)"}));
}

TEST(DrawBase, DefaultsOfTheBaseClass)
{
    RecordingDraw screen;
    EXPECT_EQ(screen.GetNativeDpi(), Size(96, 96));
    EXPECT_EQ(screen.GetPageSize(), Size(1000, 1000)); // the fixture's own
    EXPECT_EQ(screen.Draw::GetPageSize(), Size(1073741823, 1073741823));
    EXPECT_EQ(screen.Draw::GetPaintRect(), Rect(-1073741823, -1073741823, 1073741823, 1073741823));
    EXPECT_EQ(screen.Draw::GetClipDepth(), 0);
    RecordingDraw printer(Draw::DOTS);
    EXPECT_EQ(printer.GetNativeDpi(), Size(600, 600));
}

TEST(DrawBase, DotsToNativeScalesOnlyDotTargetsOffSixHundred)
{
    struct Dpi300 : RecordingDraw {
        Dpi300() : RecordingDraw(Draw::DOTS) {}
        Size GetNativeDpi() const override { return Size(300, 150); }
    };
    Dpi300 half;
    int x = 600, y = -1200;
    half.DotsToNative(x, y);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, -300);
    RecordingDraw screen; // not a dots target: unchanged even though 96 is not 600
    x = 600;
    y = 7;
    screen.DotsToNative(x, y);
    EXPECT_EQ(x, 600);
    EXPECT_EQ(y, 7);
}

TEST(NilDraw, AnswersNothingVisible)
{
    NilDraw w;
    EXPECT_EQ(w.GetInfoFlags(), 1u);
    EXPECT_FALSE(w.Clip(Rect(0, 0, 10, 10)));
    EXPECT_FALSE(w.ClipOffset(Rect(0, 0, 10, 10)));
    EXPECT_FALSE(w.ExcludeClip(Rect(0, 0, 10, 10)));
    EXPECT_FALSE(w.IntersectClip(Rect(0, 0, 10, 10)));
    EXPECT_FALSE(w.IsPainting(Rect(0, 0, 10, 10)));
    EXPECT_TRUE(w.GetPaintRect().IsEmpty());
    EXPECT_EQ(w.GetPageSize(), Size(0, 0));
    EXPECT_EQ(w.GetNativeDpi(), Size(600, 600));
    w.DrawImage(0, 0, SolidImage(2, 2, MakeRGBA(1, 2, 3, 255))); // nothing to see, nothing to crash
}

TEST(AngleSinCos, QuarterTurnsAreExact)
{
    struct Case {
        int angle;
        double sin, cos;
    } cases[] = {
        {0, 0, 1}, {900, 1, 0}, {1800, 0, -1}, {2700, -1, 0}, {3600, 0, 1}, {4500, 1, 0}, {-3600, 0, 1},
    };
    for(const Case& c : cases) {
        double s = 9, k = 9;
        ComputeAngleSinCos(c.angle, s, k);
        EXPECT_EQ(s, c.sin) << c.angle;
        EXPECT_EQ(k, c.cos) << c.angle;
    }
    double s, k;
    ComputeAngleSinCos(450, s, k);
    EXPECT_NEAR(s, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(k, std::sqrt(0.5), 1e-12);
    ComputeAngleSinCos(-900, s, k); // a negative remainder goes through sin and cos
    EXPECT_NEAR(s, -1, 1e-12);
    EXPECT_NEAR(k, 0, 1e-12);
    ComputeAngleSinCos(-300, s, k); // -30 degrees
    EXPECT_NEAR(s, -0.5, 1e-12);
    EXPECT_NEAR(k, std::sqrt(0.75), 1e-12);
}

TEST(RasterDrawTool, OffsetsClipsAndShapes)
{
    Color red(255, 0, 0), blue(0, 0, 255);
    RasterDraw w(6, 4);
    w.DrawRect(0, 0, 2, 2, red);
    w.ClipOffset(Rect(2, 1, 5, 3)); // 3 × 2 visible, origin at (2, 1)
    w.DrawRect(-1, -1, 10, 10, blue);
    w.End();
    w.DrawLine(0, 3, 5, 3, 1, red);
    EXPECT_EQ(w.Picture({{White(), ' '}, {red, 'r'}, {blue, 'b'}}), (Lines{
                                                                           "rr    ",
                                                                           "rrbbb ",
                                                                           "  bbb ",
                                                                           "rrrrrr",
                                                                       }));
    EXPECT_EQ(w.GetClipDepth(), 0);
}

TEST(RasterDrawTool, ImagesBlendAndTextIsABox)
{
    Color green(0, 255, 0);
    RasterDraw w(5, 3, Color(0, 0, 0));
    PixelBuffer b(2, 1);
    b[0][0] = MakeRGBA(255, 255, 255, 255);
    b[0][1] = MakeRGBA(0, 0, 0, 0);
    w.DrawImage(0, 0, Image(b));
    const wchar16 text[] = {'a', 'b'};
    const int dx[] = {1, 2};
    w.DrawTextRun(2, 1, 0, text, Font(0, 2), green, 2, dx);
    w.ExcludeClip(Rect(0, 2, 5, 3));
    w.DrawRect(0, 0, 5, 3, Color(255, 0, 0)); // only the two rows left visible
    EXPECT_EQ(w.Picture({{Black(), ' '}, {White(), 'w'}, {green, 'g'}, {Color(255, 0, 0), 'r'}}),
              (Lines{"rrrrr", "rrrrr", "  ggg"}));
}
