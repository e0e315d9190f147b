// The button style statics: their defaults and looks, the records derived from the plain
// one, the standard copy, what a skin change rebuilds and what it keeps, the spin pair and
// the look loaders.
#include "widgets/button/button.h"
#include "widgets/button/style_record.h"

#include "draw/look/look.h"
#include "draw/look/skin_reset.h"
#include "draw/look/sys_colors.h"
#include "widgets/images/ctrls_img.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;

// Every style goes back to its defaults after each test, as after a skin change.
class ButtonStyleTest : public ::testing::Test {
protected:
    void TearDown() override { ResetThemeStatics(); }
};

Value ImageLook(int i) { return ImageToValue(CtrlsImg::Get(i)); }

TEST_F(ButtonStyleTest, PlainStyleHoldsItsDefaultsAndAStandardCopy)
{
    const ButtonStyle& s = Button::GetPlainStyle();
    EXPECT_EQ(s.status, STATIC_DEFAULT);
    for(int i = 0; i < VISUAL_COUNT; i++) {
        EXPECT_EQ(s.look[i], ImageLook(CtrlsImg::I_B + i)) << i;
        EXPECT_EQ(s.glyph_colour[i],
                  MixColors(MixColors(SysColorHighlight(), SysColorShadow(), 128), SysColorLabel(), 80));
        EXPECT_EQ(s.text_colour[i], i == VISUAL_DISABLED ? SysColorDisabled() : SysColorLabel()) << i;
    }
    EXPECT_EQ(s.pressed_offset, Point(0, 0));
    EXPECT_EQ(s.focus_margin, 3);
    EXPECT_EQ(s.overpaint, 0);
    EXPECT_EQ(s.font, GetStandardFontReference());
    EXPECT_TRUE(s.ok_image.IsEmpty() && s.cancel_image.IsEmpty() && s.exit_image.IsEmpty());
    EXPECT_TRUE(s.transparent);

    ASSERT_NE(s.standard, nullptr);
    EXPECT_NE(s.standard, &s);
    EXPECT_EQ(s.standard->standard, s.standard);
    EXPECT_EQ(s.standard->look[2], s.look[2]);
    EXPECT_EQ(s.standard->focus_margin, 3);
    // Built once: the same record on every call.
    EXPECT_EQ(&Button::GetPlainStyle(), &s);
}

struct StyleCase {
    const char* name;
    ButtonStyle& (*getter)();
    int first_look;
};

const StyleCase style_cases[] = {
    { "plain", Button::GetPlainStyle, CtrlsImg::I_B },    { "ok", Button::GetOkStyle, CtrlsImg::I_OkB },
    { "edge", Button::GetEdgeStyle, CtrlsImg::I_EB },     { "left edge", Button::GetLeftEdgeStyle, CtrlsImg::I_EB },
    { "scroll", Button::GetScrollStyle, CtrlsImg::I_SB },
};

TEST_F(ButtonStyleTest, EveryStyleHasItsOwnLooksOverThePlainFields)
{
    for(const StyleCase& c : style_cases) {
        SCOPED_TRACE(c.name);
        const ButtonStyle& s = c.getter();
        EXPECT_EQ(s.status, STATIC_DEFAULT);
        for(int i = 0; i < VISUAL_COUNT; i++)
            EXPECT_EQ(s.look[i], ImageLook(c.first_look + i)) << i;
        EXPECT_EQ(s.focus_margin, 3);
        EXPECT_EQ(s.text_colour[VISUAL_DISABLED], SysColorDisabled());
        EXPECT_TRUE(s.transparent);
        // Each record has a standard copy of its own.
        ASSERT_NE(s.standard, nullptr);
        EXPECT_EQ(s.standard->look[0], s.look[0]);
        EXPECT_EQ(s.standard->standard, s.standard);
    }
    EXPECT_NE(&Button::GetEdgeStyle(), &Button::GetLeftEdgeStyle());
}

// A skin writes after the reset and before the rebuild; styles derived later copy what it
// wrote, the rebuild keeps it, and the next skin change drops it.
TEST_F(ButtonStyleTest, SkinChangesReachDerivedStylesUntilTheNextSkinChange)
{
    Button::GetOkStyle();
    ResetThemeStatics();
    ButtonStyle& plain = BeginSkinningStyle(Button::GetPlainStyle());
    EXPECT_TRUE(IsLookModified());
    plain.focus_margin = 7;
    plain.pressed_offset = Point(1, 1);
    plain.look[0] = Color(255, 0, 0);
    RebuildThemeStatics();

    EXPECT_EQ(Button::GetPlainStyle().status, STATIC_SKINNED);
    EXPECT_EQ(Button::GetPlainStyle().focus_margin, 7);
    EXPECT_EQ(Button::GetPlainStyle().standard->focus_margin, 3);
    const ButtonStyle& ok = Button::GetOkStyle();
    EXPECT_EQ(ok.status, STATIC_DEFAULT);
    EXPECT_EQ(ok.focus_margin, 7);
    EXPECT_EQ(ok.pressed_offset, Point(1, 1));
    EXPECT_EQ(ok.look[0], ImageLook(CtrlsImg::I_OkB));

    ResetThemeStatics();
    RebuildThemeStatics();
    EXPECT_EQ(Button::GetPlainStyle().status, STATIC_DEFAULT);
    EXPECT_EQ(Button::GetPlainStyle().focus_margin, 3);
    EXPECT_EQ(Button::GetPlainStyle().look[0], ImageLook(CtrlsImg::I_B));
    EXPECT_EQ(Button::GetOkStyle().focus_margin, 3);
}

TEST_F(ButtonStyleTest, LeftEdgeStyleCopiesTheEdgeStyleAsASkinLeftIt)
{
    ResetThemeStatics();
    ButtonStyle& edge = BeginSkinningStyle(Button::GetEdgeStyle());
    for(int i = 0; i < VISUAL_COUNT; i++)
        edge.look[i] = Color(0, 0, 40 * i);
    const ButtonStyle& left = Button::GetLeftEdgeStyle();
    for(int i = 0; i < VISUAL_COUNT; i++)
        EXPECT_EQ(left.look[i], Value(Color(0, 0, 40 * i))) << i;
    EXPECT_EQ(left.status, STATIC_DEFAULT);
    EXPECT_NE(left.standard, edge.standard);
}

TEST_F(ButtonStyleTest, PlainStyleColorIsTheGlyphColourOfEachState)
{
    ResetThemeStatics();
    ButtonStyle& plain = BeginSkinningStyle(Button::GetPlainStyle());
    for(int i = 0; i < VISUAL_COUNT; i++)
        plain.glyph_colour[i] = Color(10 * i, 20, 30);
    for(int i = 0; i < VISUAL_COUNT; i++)
        EXPECT_EQ(Button::GetPlainStyleColor(i), Color(10 * i, 20, 30)) << i;
}

TEST_F(ButtonStyleTest, SpinPairPutsTheArrowsOverTheEdgeFaces)
{
    const SpinButtonStyle& s = GetSpinButtonStyle();
    EXPECT_EQ(s.status, STATIC_DEFAULT);
    EXPECT_EQ(s.width, 12);
    ASSERT_NE(s.standard, nullptr);
    EXPECT_EQ(s.standard->width, 12);
    struct {
        const ButtonStyle& button;
        Image arrow;
    } pairs[] = { { s.increase, CtrlsImg::SpU() }, { s.decrease, CtrlsImg::SpD() } };
    for(const auto& p : pairs) {
        // A whole copy of the plain style, header included.
        EXPECT_EQ(p.button.status, STATIC_DEFAULT);
        EXPECT_EQ(p.button.standard, Button::GetPlainStyle().standard);
        EXPECT_EQ(p.button.focus_margin, 3);
        for(int i = 0; i < VISUAL_COUNT; i++) {
            const sChLookWith* look = GetLookWith(p.button.look[i]);
            ASSERT_NE(look, nullptr) << i;
            EXPECT_EQ(look->look, ImageLook(CtrlsImg::I_EB + i));
            EXPECT_EQ(look->image, p.arrow);
            EXPECT_EQ(look->colour, Button::GetPlainStyleColor(i));
            EXPECT_EQ(look->offset, Point(0, 0));
        }
    }
}

TEST_F(ButtonStyleTest, LoadersFillTheLooksTheyAreAskedFor)
{
    Value looks[3];
    Value untouched = Color(1, 2, 3);
    looks[2] = untouched;
    LoadCtrlsImgLooks(looks, CtrlsImg::I_SBHT, 2);
    EXPECT_EQ(looks[0], ImageLook(CtrlsImg::I_SBHT));
    EXPECT_EQ(looks[1], ImageLook(CtrlsImg::I_SBHTh));
    EXPECT_EQ(looks[2], untouched);

    LoadCtrlsImgLooksWithImage(looks, CtrlsImg::I_SBVT, CtrlsImg::SBVI(), 3);
    for(int i = 0; i < 3; i++) {
        const sChLookWith* look = GetLookWith(looks[i]);
        ASSERT_NE(look, nullptr) << i;
        EXPECT_EQ(look->look, ImageLook(CtrlsImg::I_SBVT + i));
        EXPECT_EQ(look->image, CtrlsImg::SBVI());
        // In the image's own colours.
        EXPECT_TRUE(IsNull(look->colour));
    }

    const Color colours[] = { Color(1, 0, 0), Color(2, 0, 0) };
    LoadCtrlsImgLooksWithGlyph(looks, CtrlsImg::I_SB, CtrlsImg::UA(), colours, 2);
    for(int i = 0; i < 2; i++) {
        const sChLookWith* look = GetLookWith(looks[i]);
        ASSERT_NE(look, nullptr) << i;
        EXPECT_EQ(look->colour, colours[i]);
        EXPECT_EQ(look->image, CtrlsImg::UA());
    }
}

} // namespace
