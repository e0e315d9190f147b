// Window operations reach the window host's operations with their arguments and results,
// do nothing on a control that is gone, and answer for a control without a window host.

#include "ctrl/ctrl.h"
#include "ctrl/window_ops/window_ops_internal.h"
#include "foundation/callback_action.h"
#include "tests/ctrl/support/test_platform.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>

using namespace Qor;

namespace {

std::ostringstream host_log;
const Ctrl* logged_ctrl;

void Log(Ctrl& c, const std::string& what)
{
    if(&c != logged_ctrl)
        host_log << "other ";
    host_log << what << ";";
}

std::string RectText(const Rect& r)
{
    std::ostringstream s;
    s << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    return s.str();
}

class FakeHost : public Platform {
public:
    void DestroyWindow(Ctrl& c) override { Log(c, "destroy"); }
    void ShowWindow(Ctrl& c, bool show) override { Log(c, show ? "show" : "hide"); }
    void UpdateWindow(Ctrl& c) override { Log(c, "update"); }
    void ActivateWindow(Ctrl& c) override { Log(c, "activate"); }
    bool EnableWindow(Ctrl& c, bool enable) override
    {
        Log(c, enable ? "enable" : "disable");
        return c.HasHostWindow();
    }
    bool FocusWindow(Ctrl& c) override
    {
        Log(c, "focus");
        return c.HasHostWindow();
    }
    void SetWindowRect(Ctrl& c, const Rect& r) override { Log(c, "rect " + RectText(r)); }
    void UpdateWindowRect(Ctrl& c, const Rect& r) override { Log(c, "update " + RectText(r)); }
    void ScrollWindow(Ctrl& c, const Rect& r, int dx, int dy) override
    {
        Log(c, "scroll " + RectText(r) + " by " + std::to_string(dx) + "," + std::to_string(dy));
    }
    void WaitForEvents(int ms) override { host_log << "wait " << ms << ";"; }
    void RunEventLoop(Ctrl* owner) override { host_log << (owner == logged_ctrl ? "loop owner;" : "loop;"); }
};

class WindowOpsTest : public testing::Test {
protected:
    FakeHost host;
    QorTest::PlatformScope installed{ host };
    Ctrl ctrl;
    HostWindowRecord record;

    void SetUp() override
    {
        host_log.str("");
        logged_ctrl = &ctrl;
    }
    void TearDown() override { ctrl.SetHostRecord(nullptr); }
};

TEST_F(WindowOpsTest, EveryOperationReachesTheHostWithItsArguments)
{
    struct {
        std::function<void(Ctrl&)> call;
        const char* expected;
    } cases[] = {
        { [](Ctrl& c) { c.DestroyWindowCall(); }, "destroy;" },
        { [](Ctrl& c) { c.ShowWindowCall(true); }, "show;" },
        { [](Ctrl& c) { c.ShowWindowCall(false); }, "hide;" },
        { [](Ctrl& c) { c.UpdateWindowCall(); }, "update;" },
        { [](Ctrl& c) { c.ActivateWindowCall(); }, "activate;" },
        { [](Ctrl& c) { c.SetWindowRectCall(Rect(1, 2, 30, 40)); }, "rect 1,2,30,40;" },
        { [](Ctrl& c) { c.UpdateWindowRectCall(Rect(-5, 0, 7, 8)); }, "update -5,0,7,8;" },
        { [](Ctrl& c) { c.ScrollWindowCall(Rect(0, 0, 10, 20), -3, 4); }, "scroll 0,0,10,20 by -3,4;" },
        { [](Ctrl&) { WaitForEventsCall(10); }, "wait 10;" },
        { [](Ctrl& c) { EventLoopCall(&c); }, "loop owner;" },
        { [](Ctrl&) { EventLoopCall(nullptr); }, "loop;" },
    };
    for(const auto& c : cases) {
        host_log.str("");
        c.call(ctrl);
        EXPECT_EQ(host_log.str(), c.expected);
    }
}

TEST_F(WindowOpsTest, EnableAndFocusPassTheHostsAnswerBack)
{
    EXPECT_FALSE(ctrl.EnableWindowCall(true)); // no window
    EXPECT_FALSE(ctrl.FocusWindowCall());
    ctrl.SetHostRecord(&record);
    EXPECT_TRUE(ctrl.EnableWindowCall(false));
    EXPECT_TRUE(ctrl.FocusWindowCall());
    EXPECT_EQ(host_log.str(), "enable;focus;disable;focus;");
}

TEST_F(WindowOpsTest, AnOperationOnAControlThatIsGoneDoesNothing)
{
    auto c = std::make_unique<Ctrl>();
    Callback update = MakeWeakWindowOp(c.get(), &WindowPlatform::UpdateWindow);
    c.reset();
    EXPECT_FALSE(update.GetAction()->CanRun());
    RunOnGuiThread(update);
    EXPECT_EQ(host_log.str(), "");

    // An empty target answers the starting value of the result.
    EXPECT_TRUE(EnableWindowOf(nullptr, true));
    EXPECT_FALSE(EnableWindowOf(nullptr, false));
    EXPECT_FALSE(FocusWindowOf(nullptr));
    EXPECT_EQ(host_log.str(), "");
}

TEST_F(WindowOpsTest, WithoutAWindowHostNothingHasAWindow)
{
    Platform none;
    QorTest::PlatformScope without(none);
    ctrl.SetHostRecord(&record);
    EXPECT_FALSE(ctrl.EnableWindowCall(true));
    EXPECT_FALSE(ctrl.FocusWindowCall());
    ctrl.ShowWindowCall(true);
    WaitForEventsCall(5);
    EventLoopCall(nullptr);
    EXPECT_EQ(host_log.str(), "");
}

TEST(RunOnGuiThreadTest, RunsAtOnceAndAnEmptyCallbackDoesNothing)
{
    Callback empty;
    RunOnGuiThread(empty);
    static int runs;
    runs = 0;
    Callback cb = MakeCallback(+[] { runs++; });
    RunOnGuiThread(cb);
    EXPECT_EQ(runs, 1);
}

} // namespace
