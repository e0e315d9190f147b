// Option's value: the press cycle with and without the third state, values set from text and
// numbers, the updates they notify, and the box image chosen for value, look and state.
#include "widgets/option/option.h"

#include "widgets/images/ctrls_img.h"

#include <gtest/gtest.h>
#include "tests/draw/support/recording_draw.h"
#include "tests/support/printers.h"
#include "tests/widgets/label/label_checks.h"

using namespace Qor;
using QorTest::RecordingDraw;

namespace {

// Counts the update notices and action runs an option sends.
struct CountingOption : Option {
    int updates = 0;
    int actions = 0;
    CountingOption() { SetAction(MakeCallback(this, &CountingOption::Hit)); }
    void Hit() { actions++; }
    void AfterUpdate() override { updates++; }
};

TEST(OptionTest, PressCycles)
{
    struct Case {
        bool three_state;
        std::vector<int> values; // after each completed press, from 0
    } cases[] = {
        { false, { 1, 0, 1 } },
        { true, { INT_NULL, 1, 0, INT_NULL } },
    };
    for(const Case& c : cases) {
        CountingOption o;
        o.SetThreeState(c.three_state);
        EXPECT_EQ(o.Get(), 0);
        int n = 0;
        for(int v : c.values) {
            o.PerformAction();
            n++;
            EXPECT_EQ(o.Get(), v) << c.three_state << " press " << n;
            EXPECT_EQ(o.actions, n) << "each press runs the action";
            EXPECT_EQ(o.updates, n);
        }
        EXPECT_TRUE(o.IsModifiedFlag());
    }
}

TEST(OptionTest, OtherStoredValuesPressToChecked)
{
    CountingOption o;
    o.Set(7);
    EXPECT_EQ(o.Get(), 7);
    o.PerformAction();
    EXPECT_EQ(o.Get(), 1);
}

TEST(OptionTest, SetValueConverts)
{
    struct Case {
        Value v;
        bool null_is_unchecked;
        int expected;
    } cases[] = {
        { Value(String("1")), true, 1 },
        { Value(String("true")), true, 0 },
        { Value(String("")), true, 0 },
        { Value(String("")), false, INT_NULL },
        { Value(WString("1")), true, 1 },
        { Value(1), true, 1 },
        { Value(5), true, 5 },
        { Value(true), true, 1 },
        { Value(2.9), true, 2 },
        { Value((int64)0x100000001), true, 1 },
        { Value(INT_NULL), true, 0 },
        { Value(INT_NULL), false, INT_NULL },
        { Value(), true, 0 },
    };
    for(const Case& c : cases) {
        CountingOption o;
        o.Set(3); // a value none of the cases gives
        o.SetNullIsUnchecked(c.null_is_unchecked);
        o.SetValue(c.v);
        EXPECT_EQ(o.Get(), c.expected) << ::testing::PrintToString(c.v);
        EXPECT_EQ(o.GetValue(), Value(c.expected));
        EXPECT_EQ(o.actions, 0) << "setting by program runs no action";
    }
}

TEST(OptionTest, SameValueMarksNothing)
{
    CountingOption o;
    o.SetValue(Value(0));
    EXPECT_EQ(o.updates, 0);
    EXPECT_FALSE(o.IsModifiedFlag());
    o.SetValue(Value(1));
    EXPECT_EQ(o.updates, 1);
    EXPECT_TRUE(o.IsModifiedFlag());
}

// Every box image of "CtrlsImg" gets a width of its own, so the image drawn tells its index.
struct OptionImageTest : ::testing::Test {
    void SetUp() override
    {
        for(int i = CtrlsImg::I_S0; i <= CtrlsImg::I_O2d; i++) {
            CtrlsImg::Set(i, QorTest::SolidImage(20 + i, 13));
        }
    }
    void TearDown() override { CtrlsImg::GetList().Reset(); }

    static int Drawn(Option& o)
    {
        RecordingDraw w;
        o.Paint(w);
        for(const std::string& line : w.log) {
            int x, y, cx;
            if(std::sscanf(line.c_str(), "DrawImageScaled(%d, %d, %d,", &x, &y, &cx) == 3)
                return cx - 20;
        }
        return -1;
    }
};

TEST_F(OptionImageTest, ImageForValueAndLook)
{
    struct Case {
        bool radio;
        bool three_state;
        bool null_is_unchecked;
        int value;
        int image;
    } cases[] = {
        { false, false, true, 0, CtrlsImg::I_O0 },         { false, false, true, 1, CtrlsImg::I_O1 },
        { false, false, true, 5, CtrlsImg::I_O0 },         { false, true, true, INT_NULL, CtrlsImg::I_O2 },
        { false, false, false, INT_NULL, CtrlsImg::I_O2 }, { true, false, true, 0, CtrlsImg::I_S0 },
        { true, false, true, 1, CtrlsImg::I_S1 },          { true, true, true, INT_NULL, CtrlsImg::I_S1 },
    };
    for(const Case& c : cases) {
        Option o;
        o.SetRadioLook(c.radio).SetThreeState(c.three_state).SetNullIsUnchecked(false);
        o.Set(c.value);
        o.SetNullIsUnchecked(c.null_is_unchecked);
        o.SetRect(0, 0, 100, 20);
        EXPECT_EQ(Drawn(o), c.image) << c.radio << c.three_state << c.null_is_unchecked << " " << c.value;
        o.Disable();
        EXPECT_EQ(Drawn(o), c.image + 3) << "disabled";
    }
}

TEST_F(OptionImageTest, BoxBesideTheCaptionOrCentred)
{
    Option o;
    o.SetLabel("Check");
    o.SetRect(0, 0, 200, 30);
    RecordingDraw w;
    o.Paint(w);
    ASSERT_FALSE(w.log.empty());
    int x, y;
    ASSERT_EQ(std::sscanf(w.log[0].c_str(), "DrawImageScaled(%d, %d,", &x, &y), 2);
    EXPECT_EQ(x, 0);
    o.ShowCaption(false);
    RecordingDraw centred;
    o.Paint(centred);
    ASSERT_EQ(centred.log.size(), 1u) << "no caption, no focus frame";
    ASSERT_EQ(std::sscanf(centred.log[0].c_str(), "DrawImageScaled(%d, %d,", &x, &y), 2);
    EXPECT_EQ(x, (200 - (20 + CtrlsImg::I_O0)) / 2);
    EXPECT_EQ(y, (30 - 13) / 2);
}

} // namespace
