// The progress dialog on a real X server: it opens only when due, throttles its updates,
// shows its text and bar but never its Cancel button, and keeps the other windows from
// taking input while it is open.
#include "tests/support/x11/input_window.h"
#include "tests/x11/topwindow/top_window_fixture.h"

#include "draw/look/sys_colors.h"
#include "foundation/process.h"
#include "foundation/values/format.h"
#include "widgets/progress/progress.h"

#include <optional>

namespace {

using namespace Qor;
using namespace QorTest;

// A plain bar in the edge look, so that its length can be counted in highlight pixels.
ProgressStyle ClassicStyle()
{
    ProgressStyle s = ProgressIndicator::GetDefaultStyle();
    s.classic = true;
    return s;
}

class ProgressGuiTest : public PrivateDisplayTest {
protected:
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
        main_window.SetWantsFocus();
        window.emplace(main_window, Rect(Point(500, 300), Size(200, 120)));
        ASSERT_TRUE(window->IsOpen());
    }
    void TearDown() override
    {
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    // Past the throttle, so that the next update counts.
    void PassGranularity(const Progress& p) { SleepMs(p.GetGranularity() + 5); }
    int ClicksOnMain()
    {
        main_window.mouse.clear();
        Click(window->GetWindow(), Point(100, 60));
        PumpFor(150);
        return int(main_window.mouse.size());
    }

    InputRecorder main_window;
    std::optional<OpenInput> window;
};

TEST_F(ProgressGuiTest, OpensOnlyOnceItsGranularityHasPassedAndNeverShowsCancel)
{
    Progress p;
    p.text = "Searching";
    p.UpdateText();
    EXPECT_FALSE(p.IsOpen()) << "a task that ends at once shows nothing";
    EXPECT_EQ(p.info.GetText(), "Searching");
    PassGranularity(p);
    p.UpdateText();
    ASSERT_TRUE(p.IsOpen());
    EXPECT_TRUE(PumpUntil([&] { return GetWindowMapEntry(p) && GetWindowMapEntry(p)->exposed; }));
    EXPECT_FALSE(p.stop.IsVisible());
    EXPECT_EQ(p.GetTitle(), WString("Working..."));
    EXPECT_EQ(p.GetSize(), p.GrowByFrames(ZoomSize(320, 72)));
    p.Cancel();
    EXPECT_FALSE(p.IsOpen());
}

TEST_F(ProgressGuiTest, SetIsThrottledAndScalesLargeTotals)
{
    Progress p;
    p.Open();
    ASSERT_TRUE(p.IsOpen());
    PassGranularity(p);
    p.Set(500, 64000);
    EXPECT_EQ(p.pi.GetPos(), 1);
    EXPECT_EQ(p.pi.GetTotal(), 250);
    // Ten milliseconds later: stored, but nothing shown changes.
    SleepMs(10);
    p.Set(20000, 64000);
    EXPECT_EQ(p.GetPos(), 20000);
    EXPECT_EQ(p.pi.GetPos(), 1);
    PassGranularity(p);
    p.Set(15000, 30000);
    EXPECT_EQ(p.pi.GetPos(), 15000) << "a total of 30000 is not scaled";
    EXPECT_EQ(p.pi.GetTotal(), 30000);
}

TEST_F(ProgressGuiTest, TextShowsTheRawPositionAndTheBarItsShare)
{
    ProgressStyle classic = ClassicStyle();
    Progress p;
    p.pi.SetStyle(classic);
    p.text = "Entry %d";
    p.Open();
    ASSERT_TRUE(PumpUntil([&] { return GetWindowMapEntry(p) && GetWindowMapEntry(p)->exposed; }));
    for(int share : { 0, 1, 2, 4 }) {
        SCOPED_TRACE(share);
        PassGranularity(p);
        p.Set(16000 * share, 64000);
        EXPECT_EQ(p.info.GetText(), String(Format("Entry %d", Value(16000 * share))));
        PumpFor(30);
        Rect bar = p.pi.GetRectInParent();
        Pixels px = GrabPixels(GetHostWindow(p), bar);
        Size inner = p.pi.GetInnerSize();
        int expected = inner.cx * share / 4 * inner.cy;
        EXPECT_NEAR(px.Count(SysColorHighlight()), expected, inner.cy);
    }
}

TEST_F(ProgressGuiTest, OtherWindowsTakeNoInputWhileItIsOpenAndAgainAfterCancel)
{
    ASSERT_GT(ClicksOnMain(), 0);
    {
        Progress p;
        p.Open();
        ASSERT_TRUE(p.IsOpen());
        EXPECT_FALSE(main_window.IsEnabled());
        EXPECT_EQ(ClicksOnMain(), 0);
        p.Cancel();
        EXPECT_TRUE(main_window.IsEnabled());
        EXPECT_GT(ClicksOnMain(), 0);
        // Cancelled for good: updates never open it again.
        PassGranularity(p);
        p.UpdateText();
        p.Set(5, 10);
        EXPECT_FALSE(p.IsOpen());
        EXPECT_TRUE(main_window.IsEnabled());
    }
    {
        // The destructor re-enables them too.
        Progress p;
        p.Open();
        EXPECT_FALSE(main_window.IsEnabled());
    }
    EXPECT_TRUE(main_window.IsEnabled());
    EXPECT_GT(ClicksOnMain(), 0);
}

TEST_F(ProgressGuiTest, WindowManagerCloseIsNoCancelSoTheNextDueUpdateOpensItAgain)
{
    Progress p;
    p.Open();
    ASSERT_TRUE(p.IsOpen());
    SendDeleteWindow(&p);
    ASSERT_TRUE(PumpUntil([&] { return !p.IsOpen(); }));
    EXPECT_FALSE(p.IsCancelled());
    EXPECT_TRUE(main_window.IsEnabled());
    PassGranularity(p);
    p.Set(3, 10);
    EXPECT_TRUE(p.IsOpen());
    EXPECT_FALSE(main_window.IsEnabled());
}

} // namespace
