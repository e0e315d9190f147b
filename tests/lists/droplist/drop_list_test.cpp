// DropList without a window: entries and the shown value, setting and reading the value,
// stepping by keys and the wheel, and the key-to-shown-value conversion.
#include "lists/droplist/drop_list.h"

#include "tests/support/lambda_callback.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;
using namespace QorTest;

const dword K_UP = 0x1FF52;
const dword K_DOWN = 0x1FF54;
const dword K_LEFT = 0x1FF51;
const dword K_RIGHT = 0x1FF53;

// What the control shows: the value its MultiButton part holds.
Value Shown(DropList& d) { return static_cast<MultiButton&>(d).MultiButton::GetValue(); }

class DropListTest : public ::testing::Test {
protected:
    DropList list;
    int actions = 0;

    void SetUp() override
    {
        list.SetAction(Lambda([this] { actions++; }));
    }
    // Keys 0 to 3 showing "Zero" to "Three".
    void AddFour()
    {
        const char* names[] = { "Zero", "One", "Two", "Three" };
        for(int i = 0; i < 4; i++)
            list.Add(i, String(names[i]));
    }
};

TEST_F(DropListTest, ANewListShowsNothingAndNothingMovesIt)
{
    EXPECT_TRUE(list.GetValue().IsNull());
    EXPECT_TRUE(Shown(list).IsNull());
    EXPECT_FALSE(list.GetMainButton().IsEnabled());
    EXPECT_FALSE(list.HasInitialFocus()) << "a label before it must not lend it an access key";
    for(dword key : { K_UP, K_DOWN, K_LEFT, K_RIGHT })
        EXPECT_TRUE(list.ProcessKey(key, 1)) << std::hex << key;
    list.WheelRotated(Point(0, 0), -120, 0);
    list.WheelRotated(Point(0, 0), 120, 0);
    EXPECT_TRUE(list.GetValue().IsNull());
    EXPECT_EQ(actions, 0);
    list.Drop();
    EXPECT_FALSE(list.GetList().IsPoppedUp());
}

TEST_F(DropListTest, EntriesEnableTheButtonAndTheValueShowsItsEntry)
{
    AddFour();
    EXPECT_TRUE(list.GetMainButton().IsEnabled());
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetList().GetCount(), 4);
    list.SetValue(2);
    EXPECT_EQ(list.GetValue(), Value(2));
    EXPECT_EQ(Shown(list), Value(String("Two")));
    EXPECT_EQ(actions, 0) << "a value set by program runs no action";
    EXPECT_TRUE(list.IsModifiedFlag());

    list.ClearModified();
    list.SetValue(2);
    EXPECT_FALSE(list.IsModifiedFlag()) << "an equal value changes nothing";
}

TEST_F(DropListTest, AValueThatIsNoKeyIsKeptAndShownOnlyWhenUnlistedValuesShow)
{
    AddFour();
    list.SetValue(String("seven"));
    EXPECT_EQ(list.GetValue(), Value(String("seven")));
    EXPECT_TRUE(Shown(list).IsNull());
    list.ShowUnlisted();
    EXPECT_EQ(Shown(list), Value(String("seven")));
    list.ShowUnlisted(false);
    EXPECT_TRUE(Shown(list).IsNull());
}

TEST_F(DropListTest, FormatTurnsAKeyIntoItsShownValue)
{
    AddFour();
    const Convert& c = list;
    EXPECT_EQ(c.Format(3), Value(String("Three")));
    EXPECT_TRUE(c.Format(9).IsNull());
    list.ShowUnlisted();
    EXPECT_EQ(c.Format(9), Value(9));
}

TEST_F(DropListTest, ARequiredValueReadsAsAnErrorWhileNull)
{
    AddFour();
    list.SetRequireValue();
    EXPECT_TRUE(IsError(list.GetValue()));
    list.SetValue(1);
    EXPECT_EQ(list.GetValue(), Value(1));
}

// Down, Right and the wheel turned down step to the next entry; Up, Left and the wheel
// turned up to the previous one; each change runs the action, the ends stay put.
TEST_F(DropListTest, KeysAndTheWheelStepWithoutWrapping)
{
    AddFour();
    list.SetValue(0);
    struct Step {
        const char* name;
        dword key; // 0: the wheel
        int zdelta;
        int value;
        int actions;
    } steps[] = {
        { "Down", K_DOWN, 0, 1, 1 },
        { "Right", K_RIGHT, 0, 2, 2 },
        { "wheel down", 0, -120, 3, 3 },
        { "Down at the end", K_DOWN, 0, 3, 3 },
        { "wheel down at the end", 0, -120, 3, 3 },
        { "Up", K_UP, 0, 2, 4 },
        { "Left", K_LEFT, 0, 1, 5 },
        { "wheel up", 0, 120, 0, 6 },
        { "Left at the start", K_LEFT, 0, 0, 6 },
    };
    for(const Step& s : steps) {
        if(s.key)
            EXPECT_TRUE(list.ProcessKey(s.key, 1)) << s.name;
        else
            list.WheelRotated(Point(0, 0), s.zdelta, 0);
        EXPECT_EQ(list.GetValue(), Value(s.value)) << s.name;
        EXPECT_EQ(actions, s.actions) << s.name;
    }
    EXPECT_EQ(Shown(list), Value(String("Zero")));
}

TEST_F(DropListTest, SteppingSkipsDisabledEntriesAndNeverLandsOnOne)
{
    AddFour();
    list.GetList().SetRowEnabled(1, false);
    list.GetList().SetRowEnabled(3, false);
    list.SetValue(0);
    list.ProcessKey(K_DOWN, 1);
    EXPECT_EQ(list.GetValue(), Value(2));
    list.ProcessKey(K_DOWN, 1);
    EXPECT_EQ(list.GetValue(), Value(2)) << "only a disabled entry lies further down";
    EXPECT_EQ(actions, 1);
    list.ProcessKey(K_UP, 1);
    EXPECT_EQ(list.GetValue(), Value(0));
}

TEST_F(DropListTest, StepsFromAValueThatIsNoKeyStartBeforeTheFirstEntry)
{
    AddFour();
    list.SetValue(42);
    list.ProcessKey(K_DOWN, 1);
    EXPECT_EQ(list.GetValue(), Value(0));
    list.SetValue(42);
    list.ProcessKey(K_UP, 1);
    EXPECT_EQ(list.GetValue(), Value(0)) << "before the first entry Up clamps to it";
}

TEST_F(DropListTest, ADisabledListTakesNoKeysButTheWheelStillSteps)
{
    AddFour();
    list.SetValue(1);
    list.Disable();
    EXPECT_FALSE(list.ProcessKey(K_DOWN, 1));
    EXPECT_EQ(list.GetValue(), Value(1));
    list.WheelRotated(Point(0, 0), -120, 0);
    EXPECT_EQ(list.GetValue(), Value(2));
}

TEST_F(DropListTest, OtherKeysAreNotTaken)
{
    AddFour();
    EXPECT_FALSE(list.ProcessKey(13, 1));
    EXPECT_FALSE(list.ProcessKey(27, 1));
    EXPECT_FALSE(list.ProcessKey(0x1FF50, 1)); // Home
}

TEST_F(DropListTest, TheDropButtonCanStayEnabledWithoutEntries)
{
    list.SetDropAlways();
    EXPECT_TRUE(list.GetMainButton().IsEnabled());
    list.SetDropAlways(false);
    EXPECT_FALSE(list.GetMainButton().IsEnabled());
}

} // namespace
