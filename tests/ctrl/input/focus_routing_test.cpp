// Focus moves and their notices in order, the window system's focus reports, deferred focus
// after a destroyed focus control, key routing and the access-key underlines.
#include "tests/ctrl/input/input_fixture.h"

namespace {

using namespace Qor;
using namespace QorTest;

// Two windows: w1 with p1 holding a, w2 with b.
class FocusRoutingTest : public ::testing::Test {
protected:
    FocusRoutingTest()
    {
        w1.SetRect(0, 0, 100, 100);
        w2.SetRect(200, 0, 100, 100);
        w1.AppendChild(p1);
        p1.AppendChild(a);
        w2.AppendChild(b);
        w1.AppendChild(a2);
        for(Recorder* c : { &p1, &a, &b, &a2 })
            c->SetRect(0, 0, 10, 10);
        journal.clear();
    }

    InputScope scope;
    Journal journal;
    Recorder w1{ "w1", journal }, p1{ "p1", journal }, a{ "a", journal }, a2{ "a2", journal };
    Recorder w2{ "w2", journal }, b{ "b", journal };
    OpenWindow o1{ w1 }, o2{ w2 };
};

TEST_F(FocusRoutingTest, MoveBetweenWindowsSendsTheNoticesInOrder)
{
    ASSERT_TRUE(a.SetFocus());
    journal.clear();
    ASSERT_TRUE(b.SetFocus());
    // State changes reach a subtree children first.
    EXPECT_EQ(journal,
              (Journal{ "a:State10", "a:FocusLost", "p1:ChildFocusLost", "w1:ChildFocusLost", "w1:WindowDeactivated",
                        "a:State12", "p1:State12", "a2:State12", "w1:State12", "b:State11", "w2:State11",
                        "w2:WindowActivated", "b:FocusGained", "b:State10", "w2:ChildFocusGained" }));
    EXPECT_TRUE(b.HasFocus());
    EXPECT_EQ(GetCtrlGlobalRefs().active_window.Get(), &w2);
}

TEST_F(FocusRoutingTest, MoveWithinAWindowSendsNoActivation)
{
    ASSERT_TRUE(a.SetFocus());
    journal.clear();
    ASSERT_TRUE(a2.SetFocus());
    EXPECT_EQ(journal, (Journal{ "a:State10", "a:FocusLost", "p1:ChildFocusLost", "w1:ChildFocusLost", "a2:FocusGained",
                                 "a2:State10", "w1:ChildFocusGained" }));
    journal.clear();
    EXPECT_TRUE(a2.SetFocus());
    EXPECT_EQ(journal, Journal{});
}

TEST_F(FocusRoutingTest, ControlsThatCannotTakeTheFocus)
{
    a.Disable();
    EXPECT_FALSE(a.SetFocus());
    p1.Hide();
    EXPECT_FALSE(a2.HasFocus());
    EXPECT_FALSE(a.SetFocus());
    Recorder loose("loose", journal);
    EXPECT_FALSE(loose.SetFocus());
    EXPECT_EQ(GetCtrlGlobalRefs().focus_ctrl.Get(), nullptr);
}

TEST_F(FocusRoutingTest, WindowSystemFocusReports)
{
    ASSERT_TRUE(a.SetFocus());
    journal.clear();
    SyncFocusWindow(&w1); // already the active window: nothing
    EXPECT_EQ(journal, Journal{});
    DropWindowFocus(&w1);
    EXPECT_EQ(journal, (Journal{ "w1:WindowDeactivated", "a:State12", "p1:State12", "a2:State12", "w1:State12",
                                 "a:State10", "a:FocusLost", "p1:ChildFocusLost", "w1:ChildFocusLost" }));
    EXPECT_EQ(GetCtrlGlobalRefs().focus_ctrl.Get(), nullptr);
    journal.clear();
    SyncFocusWindow(&w2);
    EXPECT_TRUE(w2.HasFocus());
    EXPECT_EQ(journal, (Journal{ "b:State11", "w2:State11", "w2:WindowActivated", "w2:FocusGained", "b:State10",
                                 "w2:State10" }));
}

TEST_F(FocusRoutingTest, ClickIntoTheActiveWindowBringsTheFocusBack)
{
    ASSERT_TRUE(a.SetFocus());
    // A pop-up took the focus without becoming the active window.
    FocusTopControl(&w2);
    GetCtrlGlobalRefs().active_window = &w1;
    RefocusWindow(&w1);
    EXPECT_TRUE(w1.HasFocus());
}

TEST_F(FocusRoutingTest, DestroyedFocusGoesToTheParentAfterTheEvent)
{
    Recorder* doomed = new Recorder("doomed", journal);
    p1.AppendChild(*doomed);
    doomed->SetRect(0, 0, 5, 5);
    ASSERT_TRUE(doomed->SetFocus());
    journal.clear();
    delete doomed;
    EXPECT_EQ(GetCtrlGlobalRefs().focus_ctrl.Get(), nullptr);
    ProcessDeferredFocus();
    EXPECT_TRUE(p1.HasFocus());
    // The old focus is gone, so the window is activated afresh.
    EXPECT_EQ(journal, (Journal{ "p1:ChildRemoving(?)", "p1:ChildFocusLost", "w1:ChildFocusLost", "a:State11",
                                 "p1:State11", "a2:State11", "w1:State11", "w1:WindowActivated", "p1:FocusGained",
                                 "a:State10", "p1:State10", "w1:ChildFocusGained" }));
}

bool hook_takes = false;
bool KeyHook(Ctrl*, dword key, int) { return hook_takes && key == 'h'; }

TEST_F(FocusRoutingTest, KeysClimbFromTheFocusToTheAccessKeys)
{
    AddKeyHook(KeyHook);
    EXPECT_FALSE(DispatchKey('x', 1)); // no focus: dropped
    ASSERT_TRUE(a.SetFocus());
    journal.clear();
    p1.take_keys = true;
    EXPECT_TRUE(DispatchKey(0x1FF50, 2));
    EXPECT_EQ(journal, (Journal{ "a:Key 1ff50*2", "p1:Key 1ff50*2" }));
    // A disabled control in the chain is skipped.
    a.Disable();
    ASSERT_TRUE(p1.IsEnabled());
    GetCtrlGlobalRefs().focus_ctrl = &a;
    journal.clear();
    EXPECT_TRUE(DispatchKey('q', 1));
    EXPECT_EQ(journal, (Journal{ "p1:Key 71*1" }));
    // Nobody takes it: the root's access keys decide.
    journal.clear();
    p1.take_keys = false;
    a2.take_access_key = true;
    EXPECT_TRUE(DispatchKey(0x90053, 1));
    EXPECT_EQ(journal, (Journal{ "p1:Key 90053*1", "w1:Key 90053*1", "a2:AccessKey" }));
    hook_takes = true;
    journal.clear();
    EXPECT_TRUE(DispatchKey('h', 1));
    hook_takes = false;
    EXPECT_EQ(journal, Journal{});
}

class MarkedLabel : public Recorder {
public:
    using Recorder::Recorder;
    dword OwnAccessKeys() const override { return AccessKeyMask('S'); }
};

TEST_F(FocusRoutingTest, AltShowsAndHidesTheUnderlinesOfTheFocusedWindow)
{
    MarkedLabel label("label", journal);
    w1.AppendChild(label);
    label.SetRect(0, 20, 30, 10);
    ASSERT_TRUE(a.SetFocus());
    FakeWindowSystem::Marks().clear();
    // As after a paint: nothing is waiting for a refresh.
    label.SetFullRefreshPending(false);
    w1.SetFullRefreshPending(false);
    Input().alt = true;
    DispatchKey(0x1FFE7, 1);
    EXPECT_TRUE(w1.IsAccessKeyMarksShown());
    EXPECT_EQ(FakeWindowSystem::Marks().size(), 1u);
    label.SetFullRefreshPending(false);
    w1.SetFullRefreshPending(false);
    Input().alt = false;
    DispatchKey(0x1FFE7 | K_KEYUP, 1);
    EXPECT_FALSE(w1.IsAccessKeyMarksShown());
    EXPECT_EQ(FakeWindowSystem::Marks().size(), 2u);
}

TEST(KeyNames, FormatKeyNameInEnglish)
{
    struct Case {
        dword key;
        const char* text;
    } cases[] = {
        { 0, "" },
        { K_CTRL | K_SHIFT | 0x1FFC2, "Ctrl+Shift+F5" },
        { K_ALT | K_CTRL | 0x10041, "Ctrl+Alt+A" },
        { 0x1FFB7, "Num 7" },
        { 0x1FFFF, "Delete" },
        { 0x100B3, "3" },
        { 0x1FFC9, "F12" },
        { 'x', "x" },
        { 0x09, "Tab" },
        { 0x1FF55, "Page Up" },
        { 0x1FFAA, "Num[*]" },
        { 0x1FFE3, "Ctrl" },
        { 0x1FE03, "1fe03" },
    };
    for(const Case& c : cases)
        EXPECT_EQ(std::string(FormatKeyName(c.key).Begin()), c.text) << std::hex << c.key;
}

TEST(KeyNames, LogLinesOfCharactersAndKeys)
{
    EXPECT_EQ(std::string(FormatKeyLogLine(0xE9).Begin()), "  CHAR '\xC3\xA9' (233)");
    EXPECT_EQ(std::string(FormatKeyLogLine(0x1FF50).Begin()), "KEY Home");
    EXPECT_EQ(std::string(FormatKeyLogLine(0x1FF50 | K_KEYUP).Begin()), "  KEYUP Home");
}

} // namespace
