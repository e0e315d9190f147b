// What controls draw around captions: the label colour by background, greyed images and the
// dotted focus rectangle.
#include "widgets/label/label_look.h"

#include "ctrl/settings/gui_settings.h"
#include "ctrl/topwindow/top_window.h"
#include "draw/image/pixel_buffer.h"
#include "draw/image_ops/image_filters.h"
#include "draw/look/skin_reset.h"
#include "draw/look/sys_colors.h"
#include "widgets/images/ctrl_img.h"

#include <gtest/gtest.h>
#include "tests/draw/support/recording_draw.h"
#include "tests/support/printers.h"

using namespace Qor;
using QorTest::RecordingDraw;

namespace {

// Label text light, ordinary text dark: the two colours differ, so the background decides.
struct LabelColorTest : ::testing::Test {
    void SetUp() override
    {
        ResetThemeStatics();
        SetSysColorLabel(Color(255, 255, 255));
        RebuildThemeStatics();
        ASSERT_TRUE(IsDarkTheme());
    }
    void TearDown() override
    {
        ResetThemeStatics();
        RebuildThemeStatics();
    }
};

// A control that counts as a bar background through the test a bar library would add.
struct Bar : Ctrl {};
bool IsBar(const Ctrl& c) { return dynamic_cast<const Bar*>(&c) != nullptr; }

TEST_F(LabelColorTest, BackgroundPicksTheColour)
{
    TopWindow window;
    Ctrl field;
    Ctrl transparent;
    Ctrl label;
    transparent.SetTransparent();
    label.SetTransparent();
    window.AppendChild(label);
    EXPECT_EQ(GetLabelTextColor(&label), SysColorLabel()) << "on a window";
    label.Detach();
    window.AppendChild(field);
    field.AppendChild(transparent);
    transparent.AppendChild(label);
    EXPECT_EQ(GetLabelTextColor(&label), SysColorText()) << "on a field, past a transparent control";
    EXPECT_EQ(GetLabelTextColor(&field), SysColorText()) << "an opaque control is its own background";
    Ctrl lone;
    lone.SetTransparent();
    EXPECT_EQ(GetLabelTextColor(&lone), SysColorLabel()) << "no background at all";
    EXPECT_EQ(GetLabelTextColor(nullptr), SysColorLabel());

    Bar bar;
    Ctrl on_bar;
    on_bar.SetTransparent();
    bar.AppendChild(on_bar);
    EXPECT_EQ(GetLabelTextColor(&on_bar), SysColorText());
    AddLabelBackgroundTest(IsBar);
    AddLabelBackgroundTest(IsBar); // once is enough
    EXPECT_EQ(GetLabelTextColor(&on_bar), SysColorLabel()) << "a bar added by its library";
}

TEST(LabelColorSameDarknessTest, AlwaysTheLabelColour)
{
    ResetThemeStatics();
    SetSysColorLabel(Color(40, 40, 40));
    RebuildThemeStatics();
    ASSERT_FALSE(IsDarkTheme());
    Ctrl field;
    EXPECT_EQ(GetLabelTextColor(&field), Color(40, 40, 40));
    ResetThemeStatics();
    RebuildThemeStatics();
}

Image Pixels2(RGBA a, RGBA b)
{
    PixelBuffer buffer(2, 1);
    buffer[0][0] = a;
    buffer[0][1] = b;
    buffer.SetKind(IMAGE_UNKNOWN);
    return Image(buffer);
}

TEST(GreyedImageTest, FadedIsGreyAtAThirdOfTheOpacity)
{
    // An opaque red pixel and a half-transparent one (premultiplied).
    Image img = Pixels2(MakeRGBA(255, 0, 0, 255), MakeRGBA(128, 0, 0, 128));
    Image faded = FadedDisabledImage(img);
    ASSERT_EQ(faded.GetSize(), Size(2, 1));
    const RGBA* p = faded.GetPixels();
    EXPECT_EQ(p[0].a, 85);
    EXPECT_EQ(p[1].a, 42);
    // Both pixels had the same colour: faded they keep one colour, only the opacity differs.
    // (Cutting the alpha of premultiplied pixels would darken the half-transparent one twice.)
    auto straight = [](RGBA c) { return c.a ? c.r * 255 / c.a : 0; };
    EXPECT_NEAR(straight(p[1]), straight(p[0]), 8);
    for(const RGBA* q = p; q != p + 2; q++) {
        EXPECT_LE(q->r, q->a) << "premultiplied";
        EXPECT_LT(std::abs(q->r - q->g), q->r) << "moved towards grey";
    }
    EXPECT_TRUE(FadedDisabledImage(Image()).GetSize().IsEmpty());
}

TEST(GreyedImageTest, StateImageByLookLevel)
{
    Image img = Pixels2(MakeRGBA(0, 0, 0, 255), MakeRGBA(255, 255, 255, 255));
    EXPECT_EQ(StateImage(img, false), img);
    int level = GetLookStyleLevel();
    SetLookStyleLevel(1);
    Image etched = StateImage(img, true);
    SetLookStyleLevel(2);
    Image faded = StateImage(img, true);
    SetLookStyleLevel(level);
    auto same = [](const Image& a, const Image& b) {
        return a.GetSize() == b.GetSize() &&
               std::equal(a.GetPixels(), a.GetPixels() + 2, b.GetPixels(), [](RGBA x, RGBA y) { return x == y; });
    };
    EXPECT_TRUE(same(etched, EtchImage(img)));
    EXPECT_TRUE(same(faded, FadedDisabledImage(img)));
    EXPECT_FALSE(same(etched, faded));
}

TEST(FocusFrameTest, DottedEdgesInsideTheRectangle)
{
    RecordingDraw w;
    DrawFocusFrame(w, Rect(10, 20, 50, 60), Color(0, 0, 0));
    Size h = CtrlImg::focus_h().GetSize();
    Size v = CtrlImg::focus_v().GetSize();
    ASSERT_EQ(h, Size(32, 1));
    ASSERT_EQ(v, Size(1, 32));
    std::vector<std::string> expected = { "ClipOffset((10, 20, 50, 60))" };
    auto image = [](int x, int y, Size sz) {
        std::string s = std::to_string(sz.cx) + ", " + std::to_string(sz.cy);
        return "DrawImageScaled(" + std::to_string(x) + ", " + std::to_string(y) + ", " + s + ", Image(" +
               std::to_string(sz.cx) + "x" + std::to_string(sz.cy) + "), (0, 0, " + s + "), #000000)";
    };
    for(int x : { 0, 32 }) {
        expected.push_back(image(x, 0, h));
        expected.push_back(image(x, 39, h));
    }
    for(int y : { 0, 32 }) {
        expected.push_back(image(0, y, v));
        expected.push_back(image(39, y, v));
    }
    expected.push_back("End()");
    EXPECT_EQ(w.log, expected);
}

} // namespace
