// TopWindow without a window system: the code a close request chooses from the break
// records, accept and reject actions, the check and cancel walks over the children, the
// focus memory, Tab navigation, the title, the dialog button order and the closing of all
// windows at shutdown.
#include "tests/ctrl/support/ctrl_probe.h"

#include "ctrl/topwindow/top_window.h"
#include "foundation/callback_action.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;
using namespace QorTest;

class CountingWindow : public TopWindow {
public:
    bool Validate() override
    {
        validates++;
        return valid && TopWindow::Validate();
    }
    void CancelInput() override
    {
        cancels++;
        TopWindow::CancelInput();
    }
    void ShutdownWindow() override { shutdowns++; }

    bool valid = true;
    int validates = 0;
    int cancels = 0;
    int shutdowns = 0;
};

struct DefaultCodeCase {
    std::vector<int> records;
    bool valid;
    int code; // INT_NULL: the run goes on
    int cancels;
};

TEST(TopWindowBreaks, CloseRequestCodeFollowsTheRecords)
{
    const DefaultCodeCase cases[] = {
        { { IDOK, IDCANCEL }, true, IDCANCEL, 1 },
        { { IDOK, IDCANCEL }, false, IDCANCEL, 1 },
        { { IDYES, IDNO }, true, IDNO, 1 },
        { { IDEXIT, IDYES }, true, IDEXIT, 0 },
        { { IDYES }, true, IDYES, 0 },
        { { IDYES }, false, INT_NULL, 0 },
        { {}, true, IDOK, 0 },
        { {}, false, INT_NULL, 0 },
    };
    for(const DefaultCodeCase& k : cases) {
        CountingWindow w;
        for(int code : k.records)
            w.MakeBreakAction(code);
        w.valid = k.valid;
        w.SetExitCode(INT_NULL);
        w.CloseWithDefaultCode();
        EXPECT_EQ(w.GetExitCode(), k.code) << k.records.size() << " records, valid " << k.valid;
        EXPECT_EQ(w.cancels, k.cancels);
    }
}

TEST(TopWindowBreaks, ActionsBreakAcceptAndReject)
{
    CountingWindow w;
    Ctrl ok, cancel;
    w.AppendChild(ok);
    w.AppendChild(cancel);
    w.SetValidateBreakAction(ok, IDOK);
    w.SetCancelBreakAction(cancel, IDCANCEL);
    Callback again = w.MakeBreakAction(IDOK); // shares the record of the OK button

    w.valid = false;
    w.SetExitCode(INT_NULL);
    ok.RunAction();
    EXPECT_EQ(w.GetExitCode(), INT_NULL);
    EXPECT_EQ(w.validates, 1);
    cancel.RunAction();
    EXPECT_EQ(w.GetExitCode(), IDCANCEL);
    EXPECT_EQ(w.cancels, 1);
    w.valid = true;
    ok.RunAction();
    EXPECT_EQ(w.GetExitCode(), IDOK);
    w.SetExitCode(INT_NULL);
    again.Run();
    EXPECT_EQ(w.GetExitCode(), IDOK);
    EXPECT_EQ(w.validates, 2);
    EXPECT_TRUE(w.AcceptBreak(IDYES));
    EXPECT_EQ(w.GetExitCode(), IDYES);
}

// Fails its check, or leaves its parent while checking or cancelling.
class Field : public Ctrl {
public:
    bool Validate() override
    {
        checked++;
        if(leave)
            Detach();
        return ok;
    }
    void CancelInput() override
    {
        cancelled++;
        if(leave)
            Detach();
    }
    bool ok = true;
    bool leave = false;
    int checked = 0;
    int cancelled = 0;
};

TEST(TopWindowBreaks, ChecksAndCancelsWalkTheChildrenUntilOneFailsOrLeaves)
{
    TopWindow w;
    Field a, b, c;
    w.AppendChild(a);
    w.AppendChild(b);
    w.AppendChild(c);
    EXPECT_TRUE(w.Validate());
    b.ok = false;
    EXPECT_FALSE(w.Validate());
    EXPECT_EQ(c.checked, 1);
    b.ok = true;
    b.leave = true;
    EXPECT_TRUE(w.Validate()); // a child that left ends the walk
    EXPECT_EQ(c.checked, 1);
    w.InsertChildAfter(b, &a);
    w.CancelInput();
    EXPECT_EQ(a.cancelled, 1);
    EXPECT_EQ(b.cancelled, 1);
    EXPECT_EQ(c.cancelled, 0);
}

TEST(TopWindowRun, RunWithoutWindowSystemEndsWithACodeAndKeepsTheFlags)
{
    CountingWindow w;
    w.SetExitCode(42);
    w.MakeBreakAction(IDCANCEL);
    EXPECT_EQ(w.RunLoop(), IDCANCEL);
    EXPECT_EQ(w.GetExitCode(), 42);
    EXPECT_FALSE(w.IsInLoop());
    // A refused default and no window: Cancel, never Null.
    CountingWindow refusing;
    refusing.valid = false;
    EXPECT_EQ(refusing.RunLoop(), IDCANCEL);
}

TEST(TopWindowFocus, FocusComesBackOnActivationAndTabWraps)
{
    FakeWindowSystem fake;
    TopWindow w;
    Ctrl a, b, c;
    for(Ctrl* q : { &a, &b, &c }) {
        q->SetWantsFocus();
        w.AppendChild(*q);
    }
    Ctrl other;
    other.SetWantsFocus();
    OpenWindow open(w);
    OpenWindow open_other(other);
    ASSERT_TRUE(b.SetFocus());
    w.WindowDeactivated();
    EXPECT_EQ(w.GetLastFocus(), &b);
    ASSERT_TRUE(other.SetFocus());
    w.WindowActivated();
    EXPECT_TRUE(b.HasFocus());

    ASSERT_TRUE(c.SetFocus());
    EXPECT_TRUE(w.ProcessKey(0x09, 1));
    EXPECT_TRUE(a.HasFocus());
    EXPECT_TRUE(w.ProcessKey(0x40009, 1));
    EXPECT_TRUE(c.HasFocus());
    EXPECT_TRUE(w.ProcessKey(0x1FF52, 1)); // Up
    EXPECT_TRUE(b.HasFocus());
    EXPECT_FALSE(w.ProcessKey('x', 1));
}

TEST(TopWindowSetters, SameTitleSchedulesNothing)
{
    TopWindow w;
    w.SetTitle("");
    w.SetTitle(nullptr);
    EXPECT_FALSE(w.HasTimer(1));
    w.SetTitle("Lookup");
    EXPECT_TRUE(w.HasTimer(1));
    EXPECT_EQ(w.Describe(), "Lookup");
    EXPECT_EQ(w.StandardSize(), Size(80, 20));
    w.SetMinSize(Size(200, 100));
    EXPECT_EQ(w.StandardSize(), Size(200, 100));
}

TEST(TopWindowSetters, ButtonOrderSwapsOnlyEqualSizes)
{
    Ctrl ok, cancel, wide;
    ok.PlaceRight(90, 64).PlaceBottom(8, 24);
    cancel.PlaceRight(20, 64).PlaceBottom(8, 24);
    wide.PlaceRight(20, 80).PlaceBottom(8, 24);
    LogicalPos p_ok = ok.GetLogicalPos(), p_cancel = cancel.GetLogicalPos();
    SetDialogButtonOrder(false);
    ApplyButtonOrder(ok, cancel);
    EXPECT_EQ(ok.GetLogicalPos(), p_ok);
    SetDialogButtonOrder(true);
    EXPECT_TRUE(IsButtonOrderReversed());
    ApplyButtonOrder(ok, wide);
    EXPECT_EQ(ok.GetLogicalPos(), p_ok);
    ApplyButtonOrder(ok, cancel);
    EXPECT_EQ(ok.GetLogicalPos(), p_cancel);
    EXPECT_EQ(cancel.GetLogicalPos(), p_ok);
    SetDialogButtonOrder(false);
}

std::vector<Ctrl*>& OpenTops()
{
    static std::vector<Ctrl*> tops;
    return tops;
}

class ShutdownScope : public SeamsScope {
public:
    ShutdownScope()
    {
        activations = 0;
        CtrlCoreSeams& s = GetCtrlCoreSeams();
        s.activate_window = [](Ctrl&) { activations++; };
        s.destroy_window = [](Ctrl& c) { c.SetOpenFlag(false); };
    }
    ~ShutdownScope() { OpenTops().clear(); }
    static inline int activations = 0;

private:
    struct Host : Platform {
        Vector<Ctrl*> GetTopCtrls() override
        {
            Vector<Ctrl*> v;
            for(Ctrl* c : OpenTops())
                if(c->IsOpen())
                    v.Add(c);
            return v;
        }
    } host;
    PlatformScope installed{ host };
};

int close_actions = 0;
void CountClose(TopWindow* w)
{
    close_actions++;
    w->Close();
}
void Refuse() { close_actions++; }

TEST(TopWindowShutdown, EveryWindowIsAskedAndShutdownEndsEvenWhenOneRefuses)
{
    ShutdownScope scope;
    HostWindowRecord ra, rb;
    CountingWindow a, b;
    a.SetHostRecord(&ra);
    a.SetOpenFlag(true);
    b.SetHostRecord(&rb);
    b.SetOpenFlag(true);
    OpenTops() = { &a };
    close_actions = 0;
    a.CloseAction() = MakeCallbackArg(CountClose, static_cast<TopWindow*>(&a));
    CloseTopWindows();
    EXPECT_EQ(ShutdownScope::activations, 1);
    EXPECT_EQ(a.shutdowns, 1);
    EXPECT_EQ(close_actions, 1);
    EXPECT_FALSE(a.IsOpen());

    // A window whose close action never closes it is asked on every pass, then closed.
    OpenTops() = { &b };
    close_actions = 0;
    b.CloseAction() = MakeCallback(Refuse);
    CloseTopWindows();
    EXPECT_EQ(close_actions, CLOSE_TOP_WINDOWS_MAX_PASSES);
    EXPECT_FALSE(b.IsOpen());
    a.SetHostRecord(nullptr);
    b.SetHostRecord(nullptr);
}

} // namespace
