// Switch without a window: cases from label texts, the selected case, the layout of one case
// per line or side by side, the case under a point, arrow keys with wrapping and disabled
// cases, access keys and the notices each change sends.
#include "widgets/switch/switch.h"

#include "draw/target/nil_draw.h"
#include "foundation/callback_action.h"
#include "widgets/label/access_key.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"

using namespace Qor;

namespace {

constexpr dword KEY_LEFT = 0x1FF51, KEY_UP = 0x1FF52, KEY_RIGHT = 0x1FF53, KEY_DOWN = 0x1FF54;

struct CountingSwitch : Switch {
    int updates = 0;
    int actions = 0;
    CountingSwitch() { SetAction(MakeCallback(this, &CountingSwitch::Hit)); }
    void Hit() { actions++; }
    void AfterUpdate() override { updates++; }
};

TEST(SwitchTest, LabelsMakeCases)
{
    struct Case {
        const char* text;
        std::vector<std::string> captions;
    } cases[] = {
        { "&One\nT&wo\r\nThree", { "One", "Two", "Three" } },
        { "One\nTwo\r\nThree\n", { "One", "Two", "Three", "" } },
        { "A\r\rB", { "A", "", "B" } },
        { "", { "" } },
    };
    for(const Case& c : cases) {
        Switch s;
        s.SetLabels(c.text);
        ASSERT_EQ(s.GetCount(), (int)c.captions.size()) << c.text;
        for(int i = 0; i < s.GetCount(); i++) {
            EXPECT_EQ(std::string(s.GetCase(i).caption.Begin()), c.captions[i]) << c.text << " " << i;
            EXPECT_EQ(s.GetCase(i).value, Value(i)) << c.text << " " << i;
        }
    }
    Switch s;
    s.SetLabels("&One\nT&wo\nThree\nFour");
    EXPECT_EQ(AccessKeyChar(s.GetCase(0).access_key), 'O');
    EXPECT_EQ(AccessKeyChar(s.GetCase(1).access_key), 'W');
    EXPECT_EQ(s.GetCase(2).access_key, 0);
    s.SetLabels("A\nB");
    EXPECT_EQ(s.GetCount(), 2) << "fewer lines drop the extra cases";
    EXPECT_EQ(s.GetCase(0).access_key, 0);
}

TEST(SwitchTest, ValueSelectsTheFirstEqualCase)
{
    CountingSwitch s;
    s.SetLabels("a\nb\nc");
    EXPECT_EQ(s.GetSelectedCase(), -1) << "a void value selects nothing";
    s.SetValue(Value(1));
    EXPECT_EQ(s.GetSelectedCase(), 1);
    EXPECT_EQ(s.updates, 1);
    EXPECT_EQ(s.actions, 0) << "a value set by the program runs no action";
    s.SetValue(Value(1));
    EXPECT_EQ(s.updates, 1);
    s.SetValue(Value(9));
    EXPECT_EQ(s.GetSelectedCase(), -1);
    s.SetCaseValue(2, Value(String("x")));
    s.SetValue(Value(String("x")));
    EXPECT_EQ(s.GetSelectedCase(), 2);
}

TEST(SwitchTest, ArrowsStepAndWrapOverEnabledCases)
{
    struct Case {
        int from;
        dword key;
        int to;
    } steps[] = {
        { 0, KEY_RIGHT, 2 },                      // 1 is disabled
        { 2, KEY_DOWN, 3 },  { 3, KEY_RIGHT, 0 }, // wraps to the first
        { 0, KEY_LEFT, 3 },  { 3, KEY_UP, 2 },
        { 2, KEY_LEFT, 0 },  { -1, KEY_RIGHT, 0 }, // nothing selected: from before the first
        { -1, KEY_LEFT, 3 },
    };
    for(const Case& c : steps) {
        CountingSwitch s;
        s.SetLabels("a\nb\nc\nd");
        s.EnableCase(1, false);
        s.SetValue(Value(c.from < 0 ? 99 : c.from));
        s.actions = 0;
        EXPECT_TRUE(s.ProcessKey(c.key, 1));
        EXPECT_EQ(s.GetSelectedCase(), c.to) << c.from << " " << c.key;
        EXPECT_EQ(s.actions, 1);
    }
    CountingSwitch s;
    s.SetLabels("a\nb");
    EXPECT_FALSE(s.ProcessKey('x', 1));
    EXPECT_FALSE(s.ProcessKey(KEY_RIGHT | 0x100000, 1)) << "key up";
    s.EnableCase(0, false).EnableCase(1, false);
    s.SetValue(Value(0));
    EXPECT_TRUE(s.ProcessKey(KEY_RIGHT, 1)) << "all disabled: consumed";
    EXPECT_EQ(s.GetSelectedCase(), 0);
    EXPECT_EQ(s.actions, 0);
    Switch empty;
    EXPECT_TRUE(empty.ProcessKey(KEY_DOWN, 1));
    Switch locked;
    locked.SetLabels("a\nb");
    locked.SetEditable(false);
    EXPECT_FALSE(locked.ProcessKey(KEY_DOWN, 1));
    EXPECT_EQ(locked.GetSelectedCase(), -1);
}

// One case per line while the lines fit the height, else side by side with the last case
// reaching the right edge.
TEST(SwitchTest, LayoutAndCaseAtPoint)
{
    Switch s;
    s.SetLabels("One\nTwo\nThree");
    s.SetRect(0, 0, 300, 200);
    NilDraw w;
    s.Paint(w);
    int lh = s.GetLineHeight();
    ASSERT_GE(lh, 16);
    EXPECT_TRUE(s.GetLineEnds().IsEmpty());
    EXPECT_EQ(s.FindCaseAt(Point(5, 0)), 0);
    EXPECT_EQ(s.FindCaseAt(Point(5, -3)), 0) << "just above counts as the first line";
    EXPECT_EQ(s.FindCaseAt(Point(5, lh)), 1);
    EXPECT_EQ(s.FindCaseAt(Point(5, 3 * lh - 1)), 2);
    EXPECT_EQ(s.FindCaseAt(Point(5, 3 * lh)), -1);
    s.EnableCase(1, false);
    EXPECT_EQ(s.FindCaseAt(Point(5, lh)), -1) << "a disabled case";

    s.SetRect(0, 0, 300, 2 * lh);
    s.Paint(w);
    const Vector<int>& ends = s.GetLineEnds();
    ASSERT_EQ(ends.GetCount(), 3);
    EXPECT_LT(ends[0], ends[1]);
    EXPECT_EQ(ends[2], 300);
    EXPECT_EQ(s.FindCaseAt(Point(0, 5)), 0);
    EXPECT_EQ(s.FindCaseAt(Point(ends[0] - 1, 5)), 0);
    EXPECT_EQ(s.FindCaseAt(Point(ends[0], 5)), -1) << "the disabled second case";
    EXPECT_EQ(s.FindCaseAt(Point(ends[1], 5)), 2);
    EXPECT_EQ(s.FindCaseAt(Point(300, 5)), -1);
}

TEST(SwitchTest, AccessKeys)
{
    CountingSwitch s;
    s.SetLabels("&Left\n&Right\nNone");
    EXPECT_EQ(s.OwnAccessKeys(), AccessKeyMask('L') | AccessKeyMask('R'));
    EXPECT_TRUE(s.AccessKeyPressed(0x80000 | 0x10000 | 'R'));
    EXPECT_EQ(s.GetSelectedCase(), 1);
    EXPECT_EQ(s.actions, 1);
    s.EnableCase(0, false);
    EXPECT_FALSE(s.AccessKeyPressed(0x80000 | 0x10000 | 'L')) << "a disabled case";
    EXPECT_FALSE(s.AccessKeyPressed(0x80000 | 0x10000 | 'Q'));
    s.AssignFreeAccessKeys(AccessKeyMask('N'));
    EXPECT_NE(AccessKeyChar(s.GetCase(2).access_key), 0);
    EXPECT_NE(AccessKeyChar(s.GetCase(2).access_key), 'N') << "a used letter is not handed out";
    EXPECT_EQ(AccessKeyChar(s.GetCase(0).access_key), 'L') << "marked keys stay";
}

} // namespace
