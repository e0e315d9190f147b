// Static controls painted into a recording Draw, their sizes, and the access keys labels
// show and take for the fields after them.
#include "widgets/static/separator_ctrl.h"
#include "widgets/static/static_text.h"

#include "ctrl/settings/gui_settings.h"
#include "draw/image/pixel_buffer.h"
#include "draw/look/skin_reset.h"
#include "draw/look/sys_colors.h"

#include <gtest/gtest.h>
#include "tests/draw/support/recording_draw.h"
#include "tests/support/printers.h"
#include "tests/widgets/label/label_checks.h"

using namespace Qor;
using QorTest::RecordingDraw;

namespace {

std::string Rect1(int x, int y, int cx, int cy, Color c)
{
    return "DrawRect(" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(cx) + ", " +
           std::to_string(cy) + ", " + RecordingDraw::Text(c) + ")";
}

// Looks paint through the look painter chain, which a reset of the skin statics sets up;
// the styles come back with their defaults.
struct SeparatorCtrlTest : ::testing::Test {
    void SetUp() override
    {
        ResetThemeStatics();
        RebuildThemeStatics();
    }
};

TEST_F(SeparatorCtrlTest, LinesAcrossTheLongerSide)
{
    struct Case {
        int cx, cy;
        std::vector<std::string> log;
    } cases[] = {
        { 100, 7, { Rect1(2, 2, 96, 1, SysColorShadow()) } },
        { 7, 50, { Rect1(2, 2, 1, 46, SysColorShadow()) } },
        { 10, 10, { Rect1(4, 2, 1, 6, SysColorShadow()) } }, // square: vertical
    };
    for(const Case& c : cases) {
        SeparatorCtrl s;
        s.SetRect(0, 0, c.cx, c.cy);
        RecordingDraw w;
        s.Paint(w);
        EXPECT_EQ(w.log, c.log) << c.cx << " x " << c.cy;
    }
}

TEST_F(SeparatorCtrlTest, SecondLineMarginsAndSize)
{
    SeparatorCtrlStyle style = SeparatorCtrl::GetDefaultStyle();
    style.second_line = Color(255, 255, 255);
    SeparatorCtrl s;
    EXPECT_FALSE(s.IsEnabled());
    EXPECT_EQ(s.MinimumSize(), Size(7, 7));
    s.SetStyle(style).SetMargins(5, 10).SetSize(3);
    EXPECT_EQ(s.MinimumSize(), Size(3, 3));
    s.SetRect(0, 0, 100, 7);
    RecordingDraw w;
    s.Paint(w);
    std::vector<std::string> log = { Rect1(5, 2, 85, 1, SysColorShadow()), Rect1(5, 3, 85, 1, Color(255, 255, 255)) };
    EXPECT_EQ(w.log, log);
}

TEST(StaticTextTest, PaintsTheCaptionLeftAligned)
{
    StaticText t;
    t.SetText("Caption");
    t.SetRect(0, 0, 200, 20);
    EXPECT_TRUE(t.IsTransparent());
    EXPECT_TRUE(t.IgnoresMouse());
    EXPECT_FALSE(t.WantsFocus());
    RecordingDraw w;
    t.Paint(w);
    ASSERT_EQ(w.log.size(), 1u) << "transparent: no background";
    EXPECT_EQ(w.log[0].rfind("DrawTextRun(0, ", 0), 0u) << w.log[0];
    EXPECT_EQ(t.MinimumSize(), t.GetLabelSize());

    t.SetTransparent(false);
    t.Disable();
    RecordingDraw opaque;
    t.Paint(opaque);
    ASSERT_EQ(opaque.log.size(), 3u) << "background, shadow and text";
    EXPECT_EQ(opaque.log[0], Rect1(0, 0, 200, 20, SysColorFace()));
    EXPECT_NE(opaque.log[2].find(RecordingDraw::Text(SysColorDisabled())), std::string::npos);
}

TEST(ImageCtrlTest, CentredImageAndItsSize)
{
    ImageCtrl c;
    c.SetRect(0, 0, 40, 30);
    RecordingDraw empty;
    c.Paint(empty);
    EXPECT_TRUE(empty.log.empty());
    EXPECT_EQ(c.MinimumSize(), Size(0, 0));
    c.SetImage(QorTest::SolidImage(11, 6));
    EXPECT_EQ(c.StandardSize(), Size(11, 6));
    RecordingDraw w;
    c.Paint(w);
    ASSERT_EQ(w.log.size(), 1u);
    EXPECT_EQ(w.log[0].rfind("DrawImageScaled(14, 12, 11, 6", 0), 0u) << w.log[0];
}

TEST(DisplayCtrlTest, ValueThroughItsDisplay)
{
    DisplayCtrl c;
    c.SetValue(Value(String("shown")));
    EXPECT_EQ(c.GetValue(), Value(String("shown")));
    EXPECT_EQ(c.MinimumSize(), Size(0, 0)) << "no display yet";
    c.SetDisplay(GetStandardDisplay());
    EXPECT_EQ(c.MinimumSize(), GetStandardDisplay().GetStandardSize(Value(String("shown"))));
    c.SetRect(0, 0, 100, 20);
    RecordingDraw w;
    c.Paint(w);
    bool text = false;
    for(const std::string& l : w.log)
        text |= l.find("\"shown\"") != std::string::npos;
    EXPECT_TRUE(text) << ::testing::PrintToString(w.log);
}

TEST(ParentCtrlTest, MinimumSizeAndNothingPainted)
{
    ParentCtrl p;
    EXPECT_TRUE(p.IsTransparent());
    EXPECT_EQ(p.MinimumSize(), Ctrl().MinimumSize());
    p.SetMinimumSize(Size(30, 40));
    EXPECT_EQ(p.StandardSize(), Size(30, 40));
    p.SetRect(0, 0, 50, 60);
    EXPECT_EQ(p.UnpaintedArea(), Rect(0, 0, 50, 60));
}

TEST(LabelTest, SetLabelTakesTheMarkSetTextDoesNot)
{
    Label l;
    l.SetLabel("&Yes");
    EXPECT_EQ(Std(l.GetText()), "Yes");
    EXPECT_EQ(l.GetAccessKey(), 1 << 16 | 'Y');
    EXPECT_EQ(l.OwnAccessKeys(), AccessKeyMask('Y'));
    l.SetText("&Raw");
    EXPECT_EQ(Std(l.GetText()), "&Raw");
    EXPECT_EQ(l.GetAccessKey(), 0);
}

TEST(LabelTest, UnderlinesItsKeyWhenMarksAreShown)
{
    int alt_only = GetAccessKeysOnAltOnly();
    Label l;
    l.SetLabel("&Yes");
    l.SetRect(0, 0, 100, 20);
    SetAccessKeysOnAltOnly(1); // shown only while Alt is held: not now
    RecordingDraw hidden;
    l.Paint(hidden);
    SetAccessKeysOnAltOnly(0); // always shown
    RecordingDraw shown;
    l.Paint(shown);
    SetAccessKeysOnAltOnly(alt_only);
    EXPECT_EQ(QorTest::UnderlinedText(hidden), "");
    EXPECT_EQ(QorTest::UnderlinedText(shown), "Y");
}

// A field that takes the initial focus, with an access key of its own when given one.
struct Field : Ctrl {
    int key = 0;
    Field() { SetInitialFocus(); }
    dword OwnAccessKeys() const override { return AccessKeyMask(key); }
};

TEST(LabelTest, AutomaticKeyOnlyBeforeAFieldWithoutOne)
{
    struct Case {
        bool initial_focus;
        int field_key;
        int expected;
    } cases[] = {
        { true, 0, 1 << 16 | 'W' },
        { false, 0, 0 },  // a button or anything without the initial focus
        { true, 'O', 0 }, // the field has its own key
    };
    for(const Case& c : cases) {
        Ctrl parent;
        Label label;
        Field field;
        field.SetInitialFocus(c.initial_focus);
        field.key = c.field_key;
        label.SetText("Word or Phrase");
        parent.AppendChild(label);
        parent.AppendChild(field);
        parent.AssignFreeAccessKeys(0);
        EXPECT_EQ(label.GetAccessKey(), c.expected) << c.initial_focus << " " << c.field_key;
    }
}

TEST(LabelTest, AutomaticKeyAvoidsUsedLetters)
{
    Ctrl parent;
    Label label;
    Field field;
    label.SetText("Word or Phrase");
    parent.AppendChild(label);
    parent.AppendChild(field);
    label.AssignFreeAccessKeys(AccessKeyMask('W'));
    EXPECT_EQ(label.GetAccessKey(), 9 << 16 | 'P');
}

} // namespace
