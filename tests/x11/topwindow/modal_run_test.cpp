// The modal run of a TopWindow on a real X server: exit codes from break actions and from
// a window manager's close request, accept and reject, the run that never returns Null,
// and the other windows disabled around it.
#include "tests/x11/topwindow/top_window_fixture.h"

#include "foundation/callback_action.h"

namespace {

using namespace Qor;
using namespace QorTest;

using ModalRunTest = TopWindowTest;

void RunCallback(Callback* cb) { cb->Run(); }
void CloseThroughBase(Ctrl* c) { c->Ctrl::Close(); }
void BreakWith9(TopWindow* w) { w->Break(9); }

struct CloseCase {
    std::vector<int> records;
    bool valid;
    int expected;
    int cancels;
};

TEST_F(ModalRunTest, WindowManagerCloseEndsWithTheCodeTheBreakRecordsChoose)
{
    const CloseCase cases[] = {
        { { IDOK, IDCANCEL }, true, IDCANCEL, 1 },
        { { IDYES, IDNO }, true, IDNO, 1 },
        { {}, true, IDOK, 0 },
        { { IDYES }, true, IDYES, 0 },
        { { IDEXIT, IDYES }, true, IDEXIT, 0 },
    };
    for(const CloseCase& k : cases) {
        ProbeDialog w;
        w.SetRect(Rect(40, 40, 240, 160));
        for(int code : k.records)
            w.MakeBreakAction(code);
        w.valid = k.valid;
        w.ScheduleTimer(30, MakeCallbackArg(SendDeleteWindow, static_cast<Ctrl*>(&w)), 3);
        EXPECT_EQ(w.RunLoop(), k.expected) << "records " << k.records.size();
        EXPECT_EQ(w.cancels, k.cancels);
        w.Close();
    }
}

TEST_F(ModalRunTest, RefusedCloseKeepsTheDialogRunning)
{
    ProbeDialog w;
    w.SetRect(Rect(40, 40, 240, 160));
    w.valid = false;
    w.ScheduleTimer(30, MakeCallbackArg(SendDeleteWindow, static_cast<Ctrl*>(&w)), 3);
    w.ScheduleTimer(300, MakeCallbackArg(BreakWith9, static_cast<TopWindow*>(&w)), 4);
    EXPECT_EQ(w.RunLoop(), 9);
    EXPECT_GE(w.validates, 1);
    w.Close();
}

TEST_F(ModalRunTest, RunNeverReturnsNullWhenTheWindowGoesAway)
{
    ProbeDialog w;
    w.SetRect(Rect(40, 40, 240, 160));
    w.valid = false; // the default code (OK) is refused, yet the window is gone
    w.ScheduleTimer(30, MakeCallbackArg(CloseThroughBase, static_cast<Ctrl*>(&w)), 3);
    int code = w.RunLoop();
    EXPECT_FALSE(IsNullInt(code));
    EXPECT_EQ(code, IDCANCEL);
    EXPECT_FALSE(w.IsOpen());
}

TEST_F(ModalRunTest, BreakActionsAcceptAndReject)
{
    ProbeDialog w;
    w.SetRect(Rect(40, 40, 240, 160));
    Ctrl ok, cancel;
    w.AppendChild(ok);
    w.AppendChild(cancel);
    w.SetValidateBreakAction(ok, IDOK);
    w.SetCancelBreakAction(cancel, IDCANCEL);
    Callback press_ok = ok.GetAction();
    Callback press_cancel = cancel.GetAction();

    w.ScheduleTimer(30, MakeCallbackArg(RunCallback, &press_ok), 3);
    EXPECT_EQ(w.RunLoop(), IDOK);
    EXPECT_EQ(w.validates, 1);
    EXPECT_EQ(w.cancels, 0);

    // A failed check keeps the run going; cancelling ends it with its code.
    w.valid = false;
    w.ScheduleTimer(30, MakeCallbackArg(RunCallback, &press_ok), 3);
    w.ScheduleTimer(200, MakeCallbackArg(RunCallback, &press_cancel), 4);
    EXPECT_EQ(w.RunLoop(), IDCANCEL);
    EXPECT_EQ(w.validates, 2);
    EXPECT_EQ(w.cancels, 1);

    Callback yes = w.MakeBreakAction(IDYES);
    w.ScheduleTimer(30, MakeCallbackArg(RunCallback, &yes), 3);
    EXPECT_EQ(w.RunThenClose(), IDYES);
    EXPECT_FALSE(w.IsOpen());
}

TEST_F(ModalRunTest, RunKeepsTheLoopFlagAndCodeAndDisablesTheOwnerMeanwhile)
{
    ProbeDialog main_window;
    main_window.SetRect(Rect(20, 20, 320, 220));
    main_window.OpenWithOwner(nullptr);
    ASSERT_TRUE(main_window.IsOpen());
    ProbeDialog dialog;
    dialog.SetRect(Rect(60, 60, 200, 140));
    dialog.OpenWithOwner(&main_window);
    dialog.SetExitCode(77);
    bool owner_enabled_inside = true;
    struct Probe {
        ProbeDialog* main;
        ProbeDialog* dialog;
        bool* enabled;
    } probe{ &main_window, &dialog, &owner_enabled_inside };
    auto check = [](Probe* p) {
        *p->enabled = p->main->IsEnabled();
        p->dialog->Break(IDOK);
    };
    void (*fn)(Probe*) = check;
    dialog.ScheduleTimer(30, MakeCallbackArg(fn, &probe), 3);
    EXPECT_EQ(dialog.RunLoop(), IDOK);
    EXPECT_FALSE(owner_enabled_inside);
    EXPECT_TRUE(main_window.IsEnabled());
    EXPECT_FALSE(dialog.IsInLoop());
    EXPECT_EQ(dialog.GetExitCode(), 77);
}

} // namespace
