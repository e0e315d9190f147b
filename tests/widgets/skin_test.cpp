// The standard skin (replaced images dropped, skinnable statics back to their defaults,
// the look style level, the recoloured looks) and the pop-up animation's steps.
#include "widgets/skin/popup_animation.h"
#include "widgets/skin/standard_skin.h"

#include "ctrl/settings/gui_settings.h"
#include "ctrl/settings/skin_change.h"
#include "ctrl/topwindow/top_window.h"
#include "draw/image/pixel_buffer.h"
#include "draw/image_list/image_list.h"
#include "foundation/process.h"
#include "tests/ctrl/support/test_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Qor;

// The list of the name: the widget library's once it is linked in, else a one-image list
// registered here in its place.
ImageList& ListNamed(const char* name)
{
    static const byte line[] = { 0x82, 120, 120, 120, 0x80 };
    static const byte* const lines[] = { line, line };
    static const RunLengthImage records[] = { { lines, 2, 0, 3, 2, 0, 0 } };
    static const char* const names[] = { "grey" };
    static ImageList stand_ins[] = { ImageList(records, names, 1), ImageList(records, names, 1) };
    int i = FindImageListIndex(name);
    if(i < 0) {
        RegisterImageList(name, &stand_ins[std::string(name) == "CtrlImg" ? 0 : 1]);
        i = FindImageListIndex(name);
    }
    return GetImageList(i);
}

Image Dot(Color c)
{
    PixelBuffer b(1, 1);
    b[0][0] = RGBA{ byte(c.GetB()), byte(c.GetG()), byte(c.GetR()), 255 };
    return Image(b);
}

TEST(StandardSkin, DropsReplacedImagesResetsStaticsAndRecolours)
{
    ImageList& ctrl_img = ListNamed("CtrlImg");
    ImageList& ctrls_img = ListNamed("CtrlsImg");
    Size original = ctrl_img.Get(0).GetSize();
    Size look = ctrls_img.Get(0).GetSize();
    ctrl_img.Set(0, Dot(Color(255, 0, 0)));
    ctrls_img.Set(0, Dot(Color(0, 255, 0)));
    SetDialogButtonOrder(true);
    SetLookStyleLevel(1);

    StandardSkin();
    EXPECT_EQ(ctrl_img.Get(0).GetSize(), original);
    EXPECT_EQ(ctrls_img.Get(0).GetSize(), look);
    EXPECT_FALSE(IsButtonOrderReversed());
    EXPECT_EQ(GetLookStyleLevel(), 2);
    // The look is the recoloured compiled-in image, not the raw one decoded again.
    ImageList fresh = ctrls_img;
    fresh.Reset();
    EXPECT_NE(ctrls_img.Get(0).GetSerialId(), fresh.Get(0).GetSerialId());
}

// Records every rectangle it is given and the opacity its window got.
class PopupProbe : public Ctrl {
public:
    void Layout() override { rects.push_back(GetRectInParent()); }
    std::vector<Rect> rects;
};

std::vector<int>& Opacities()
{
    static std::vector<int> v;
    return v;
}

void HostSkinStandIn() {}

// The libraries' registrations run in link order, which a program does not choose: the
// standard skin's registration must not drop a host skin registered before it.
TEST(StandardSkin, RegistrationKeepsAHostSkinRegisteredBefore)
{
    void (*base)() = GetBaseSkin();
    void (*host)() = GetHostSkin();
    SetSkinCallbacks(nullptr, HostSkinStandIn);
    RegisterStandardSkin();
    EXPECT_EQ(GetBaseSkin(), &StandardSkin);
    EXPECT_EQ(GetHostSkin(), &HostSkinStandIn);
    SetSkinCallbacks(base, host);
}

class AnimationTest : public ::testing::Test {
protected:
    void SetUp() override { Opacities().clear(); }
    struct Host : Platform {
        void SetWindowOpacity(Ctrl&, int alpha) override { Opacities().push_back(alpha); }
    } host;
    QorTest::PlatformScope installed{ host };
};

TEST_F(AnimationTest, NoEffectPlacesAtOnceWithFullOpacity)
{
    PopupProbe c;
    c.SetRect(Rect(10, 10, 110, 11));
    uint32 start = MonotonicMs();
    AnimatePopup(c, Rect(10, 10, 110, 210), POPUP_ANIMATION_NONE);
    EXPECT_LT(MonotonicMs() - start, 100u);
    EXPECT_EQ(c.GetRectInParent(), Rect(10, 10, 110, 210));
    EXPECT_EQ(Opacities(), std::vector<int>{ 255 });
}

TEST_F(AnimationTest, SlideGrowsTowardsTheTarget)
{
    PopupProbe c;
    c.SetRect(Rect(50, 50, 51, 51));
    c.rects.clear();
    uint32 start = MonotonicMs();
    AnimatePopup(c, 20, 50, 130, 100, POPUP_ANIMATION_SLIDE);
    EXPECT_GE(MonotonicMs() - start, uint32(POPUP_ANIMATION_MS));
    ASSERT_GE(c.rects.size(), 2u);
    for(size_t i = 1; i < c.rects.size(); i++) {
        EXPECT_LE(c.rects[i].left, c.rects[i - 1].left);
        EXPECT_GE(c.rects[i].right, c.rects[i - 1].right);
        EXPECT_GE(c.rects[i].bottom, c.rects[i - 1].bottom);
        EXPECT_EQ(c.rects[i].top, 50);
    }
    EXPECT_EQ(c.GetRectInParent(), Rect(20, 50, 150, 150));
}

TEST_F(AnimationTest, FadeRaisesTheOpacityToFull)
{
    PopupProbe c;
    c.SetRect(Rect(0, 0, 40, 40));
    AnimatePopup(c, Rect(0, 0, 40, 40), POPUP_ANIMATION_FADE);
    ASSERT_GE(Opacities().size(), 2u);
    for(size_t i = 1; i < Opacities().size(); i++)
        EXPECT_GE(Opacities()[i], Opacities()[i - 1]);
    EXPECT_LT(Opacities().front(), 128);
    EXPECT_EQ(Opacities().back(), 255);
}

TEST_F(AnimationTest, NegativeEffectTakesTheSetting)
{
    int saved_setting = GetPopupAnimation();
    SetPopupAnimation(POPUP_ANIMATION_NONE);
    PopupProbe c;
    c.SetRect(Rect(0, 0, 10, 1));
    uint32 start = MonotonicMs();
    AnimatePopup(c, Rect(0, 0, 10, 90));
    EXPECT_LT(MonotonicMs() - start, 100u);
    EXPECT_EQ(c.GetRectInParent(), Rect(0, 0, 10, 90));
    SetPopupAnimation(saved_setting);
}

} // namespace
