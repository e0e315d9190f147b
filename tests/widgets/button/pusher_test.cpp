// The press state machine of Pusher driven without a window: the space key and its
// auto-repeat, the press by program and by access key, what cancels a press, read-only
// pushers, automatic access keys, and actions that destroy their control.
#include "widgets/button/pusher.h"

#include "tests/widgets/button/counting_pusher.h"

#include "ctrl/input/mouse_routing.h"
#include "foundation/callback_action.h"
#include "foundation/process.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace Qor;

constexpr dword SPACE = 0x20;
constexpr dword SPACE_UP = SPACE | K_KEYUP;

using CountingPusher = QorTest::Counting<Pusher>;

TEST(Pusher, StartsIdleWithoutInitialFocusInTheStandardFont)
{
    Pusher p;
    EXPECT_FALSE(p.IsPushed());
    EXPECT_FALSE(p.HasInitialFocus());
    EXPECT_TRUE(p.WantsFocus());
    EXPECT_EQ(p.GetFont(), GetStandardFontReference());
    EXPECT_EQ(p.GetAccessKey(), 0);
}

TEST(Pusher, HeldSpaceRepeatsAndActsOnceOnRelease)
{
    CountingPusher p;
    EXPECT_TRUE(p.ProcessKey(SPACE, 1));
    EXPECT_TRUE(p.IsPushed());
    EXPECT_TRUE(p.IsKeyPushed());
    EXPECT_EQ(p.pushes, 1);
    EXPECT_TRUE(p.ProcessKey(SPACE, 1));
    EXPECT_TRUE(p.ProcessKey(SPACE, 1));
    EXPECT_EQ(p.pushes, 1);
    EXPECT_EQ(p.repeats, 2);
    EXPECT_EQ(p.actions, 0);
    EXPECT_TRUE(p.ProcessKey(SPACE_UP, 1));
    EXPECT_EQ(p.actions, 1);
    EXPECT_FALSE(p.IsPushed());
    // A release without a press is not the pusher's.
    EXPECT_FALSE(p.ProcessKey(SPACE_UP, 1));
    EXPECT_FALSE(p.ProcessKey('x', 1));
    EXPECT_EQ(p.actions, 1);
    EXPECT_EQ(p.push_refreshes, 2);
}

// What ends a key press without its action.
TEST(Pusher, KeyPressEndsWithoutActionWhenCancelled)
{
    struct Case {
        const char* name;
        void (*cancel)(Pusher& p);
    } cases[] = {
        { "focus lost", [](Pusher& p) { p.FocusLost(); } },
        { "pointer left", [](Pusher& p) { p.PointerLeft(); } },
        { "interaction cancelled", [](Pusher& p) { p.CancelInteraction(); } },
        // Outside an open window the root never has the focus in its tree.
        { "window lost the focus", [](Pusher& p) { p.StateChanged(STATE_DEACTIVATE); } },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountingPusher p;
        p.ProcessKey(SPACE, 1);
        c.cancel(p);
        EXPECT_FALSE(p.IsPushed());
        EXPECT_FALSE(p.ProcessKey(SPACE_UP, 1));
        EXPECT_EQ(p.actions, 0);
        EXPECT_EQ(p.push_refreshes, 2);
    }
}

TEST(Pusher, ReadOnlyPusherIgnoresSpaceAndTheMouse)
{
    CountingPusher p;
    p.SetEditable(false);
    EXPECT_FALSE(p.ProcessKey(SPACE, 1));
    p.LeftButtonDown(Point(1, 1), 0);
    p.LeftButtonRepeat(Point(1, 1), 0);
    p.LeftButtonUp(Point(1, 1), 0);
    p.SimulatePush();
    EXPECT_FALSE(p.IsPushed());
    EXPECT_EQ(p.pushes + p.repeats + p.actions, 0);
}

TEST(Pusher, LabelLosesItsAccessKeyMark)
{
    Pusher p;
    p.SetLabel("&Search");
    EXPECT_EQ(p.GetLabel(), "Search");
    EXPECT_EQ(p.GetAccessKey(), (1 << 16) | 'S');
    EXPECT_EQ(p.Describe(), "Search");
    EXPECT_EQ(p.OwnAccessKeys(), AccessKeyMask('S'));
    p.SetLabel(nullptr);
    EXPECT_EQ(p.GetLabel(), "");
    EXPECT_EQ(p.GetAccessKey(), 0);
    EXPECT_EQ(p.OwnAccessKeys(), 0u);
}

TEST(Pusher, AccessKeyPressesAndReleasesWithAPause)
{
    CountingPusher p;
    p.SetLabel("Se&arch");
    EXPECT_FALSE(p.AccessKeyPressed(K_ALT | 0x10000 | 'S'));
    uint32 start = MonotonicMs();
    EXPECT_TRUE(p.AccessKeyPressed(K_ALT | 0x10000 | 'A'));
    EXPECT_GE(MonotonicMs() - start, 50u);
    EXPECT_EQ(p.pushes, 1);
    EXPECT_EQ(p.actions, 1);
    EXPECT_FALSE(p.IsPushed());
    // A pusher that cannot act still takes its key.
    for(bool editable : { true, false }) {
        p.SetEditable(editable);
        p.SetEnabled(!editable);
        EXPECT_TRUE(p.AccessKeyPressed(K_ALT | 0x10000 | 'A'));
    }
    EXPECT_EQ(p.actions, 1);
}

TEST(Pusher, FreeAccessKeysAreChosenOnceAndPassedOn)
{
    Ctrl parent;
    Pusher a, b, marked;
    a.SetLabel("open");
    b.SetLabel("open");
    marked.SetLabel("&Other");
    parent.AppendChild(a);
    parent.AppendChild(b);
    parent.AppendChild(marked);
    parent.AutoAssignAccessKeys();
    // 'O' is taken by the marked one: the first free letter that is not I or L.
    EXPECT_EQ(a.GetAccessKey(), 'P');
    EXPECT_EQ(b.GetAccessKey(), 'E');
    EXPECT_EQ(marked.GetAccessKey(), (1 << 16) | 'O');
    // Keys already held stay.
    parent.AutoAssignAccessKeys();
    EXPECT_EQ(a.GetAccessKey(), 'P');
    EXPECT_EQ(b.GetAccessKey(), 'E');
}

void DeleteFirst(std::unique_ptr<Pusher>* p) { p->reset(); }

// An action or a push callback may close what holds the pusher: the press stops there.
TEST(Pusher, CallbacksMayDestroyThePusher)
{
    for(int which = 0; which < 3; which++) {
        SCOPED_TRACE(which);
        auto p = std::make_unique<Pusher>();
        Callback destroy = MakeCallbackArg(DeleteFirst, &p);
        if(which == 0)
            p->SetPushAction(destroy);
        else
            p->SetAction(destroy);
        if(which == 2) {
            p->SetLabel("&X");
            EXPECT_TRUE(p->AccessKeyPressed(K_ALT | 0x10000 | 'X'));
        }
        else
            p->SimulatePush();
        EXPECT_EQ(p, nullptr);
    }
    auto p = std::make_unique<Pusher>();
    p->SetPushAction(MakeCallbackArg(DeleteFirst, &p));
    p->LeftButtonDown(Point(0, 0), 0);
    EXPECT_EQ(p, nullptr);
}

} // namespace
