// Window operations reach the window host's operations with their arguments and results,
// do nothing on a control that is gone, and answer for a control without a window host.

#include "ctrl/ctrl.h"
#include "ctrl/window_ops/window_ops_internal.h"
#include "foundation/callback_action.h"

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

HostWindowOps FakeHost()
{
    HostWindowOps ops;
    ops.destroy = [](Ctrl& c) { Log(c, "destroy"); };
    ops.show = [](Ctrl& c, bool show) { Log(c, show ? "show" : "hide"); };
    ops.update = [](Ctrl& c) { Log(c, "update"); };
    ops.activate = [](Ctrl& c) { Log(c, "activate"); };
    ops.enable = [](Ctrl& c, bool* enable) {
        Log(c, *enable ? "enable" : "disable");
        *enable = c.HasHostWindow();
    };
    ops.focus = [](Ctrl& c, bool* focused) {
        Log(c, "focus");
        *focused = c.HasHostWindow();
    };
    ops.set_rect = [](Ctrl& c, const Rect& r) { Log(c, "rect " + RectText(r)); };
    ops.update_rect = [](Ctrl& c, const Rect& r) { Log(c, "update " + RectText(r)); };
    ops.scroll = [](Ctrl& c, const Rect& r, int dx, int dy) {
        Log(c, "scroll " + RectText(r) + " by " + std::to_string(dx) + "," + std::to_string(dy));
    };
    ops.wait_for_events = [](int ms) { host_log << "wait " << ms << ";"; };
    ops.run_event_loop = [](Ctrl* owner) { host_log << (owner == logged_ctrl ? "loop owner;" : "loop;"); };
    return ops;
}

class WindowOpsTest : public testing::Test {
protected:
    HostWindowOps saved;
    Ctrl ctrl;
    HostWindowRecord record;

    void SetUp() override
    {
        saved = GetHostWindowOps();
        GetHostWindowOps() = FakeHost();
        host_log.str("");
        logged_ctrl = &ctrl;
    }
    void TearDown() override
    {
        ctrl.SetHostRecord(nullptr);
        GetHostWindowOps() = saved;
    }
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
    Callback update = MakeWeakWindowOp(c.get(), GetHostWindowOps().update);
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
    GetHostWindowOps() = HostWindowOps();
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
