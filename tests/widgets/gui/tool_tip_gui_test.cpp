// Tool tips on a private X server through XTest: the tip opens after the hover delay below
// the pointer, in its colours and frame; it hides when the pointer leaves or a button is
// pressed; later tips show at once; near the bottom of the work area it opens above the
// pointer.
#include "tests/support/x11/input_window.h"

#include "ctrl/input/input_host.h"
#include "ctrl/window_ops/window_ops.h"
#include "draw/look/sys_colors.h"
#include "foundation/process.h"
#include "widgets/tooltip/tool_tip.h"

#include <algorithm>
#include <optional>

namespace {

using namespace Qor;
using namespace QorTest;

struct Patch : Ctrl {
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

// Three patches side by side, 60 x 30 each from (10, 10), 80 apart: two with tips, the
// middle one without.
class TipPanel : public InputRecorder {
public:
    Patch first, plain, second;

    TipPanel()
    {
        take_keys = false;
        Patch* p[3] = { &first, &plain, &second };
        for(int i = 0; i < 3; i++) {
            p[i]->SetRect(10 + 80 * i, 10, 60, 30);
            AppendChild(*p[i]);
        }
        first.SetTipText("Search the list");
        second.SetTipText("Start over");
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

bool TipOpen() { return GetToolTipWindow().IsInOpenWindow(); }

class ToolTipGuiTest : public PrivateDisplayTest {
protected:
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
        ResetTips();
    }
    void TearDown() override
    {
        window.reset();
        ResetTips();
        PrivateDisplayTest::TearDown();
    }
    static void ResetTips()
    {
        CloseToolTip();
        SetTipOwner(nullptr);
        ResetQuickTips();
    }
    void Open(Point at)
    {
        window.emplace(panel, Rect(at, Size(250, 50)));
        ASSERT_TRUE(window->IsOpen());
        MovePointer(window->GetWindow(), Point(245, 45)); // on the panel, no tip there
        PumpFor(50);
    }
    // Moves the pointer to p in the panel and returns how long the tip took to open.
    int HoverUntilTip(Point p)
    {
        int start = (int)MonotonicMs();
        MovePointer(window->GetWindow(), p);
        if(!PumpUntil(TipOpen, 4000))
            return -1;
        return (int)MonotonicMs() - start;
    }
    Point OnScreen(Point p) { return p + panel.GetRectOnScreen().TopLeft(); }

    TipPanel panel;
    std::optional<OpenInput> window;
};

TEST_F(ToolTipGuiTest, OpensAfterTheHoverDelayBelowThePointer)
{
    Open(Point(40, 40));
    int took = HoverUntilTip(Point(30, 20));
    ASSERT_GE(took, 0) << "no tip opened";
    EXPECT_GE(took, GetTipHoverDelay() - 50);
    EXPECT_EQ(GetToolTipOwner(), &panel.first);
    ToolTip& tip = GetToolTipWindow();
    EXPECT_EQ(tip.GetText(), "Search the list");
    Point m = GetPointerPosition();
    EXPECT_EQ(m, OnScreen(Point(30, 20)));
    Rect r = tip.GetRectOnScreen();
    EXPECT_EQ(r.TopLeft(), Point(m.x, m.y + 22));
    EXPECT_EQ(r.GetSize(), tip.MinimumSize());
    // The info paper inside a one-pixel frame in the text colour.
    PumpFor(50);
    Pixels px = GrabPixels(RootWindow(display, DefaultScreen(display)), r);
    EXPECT_EQ(px.At(0, 0), SysColorText());
    EXPECT_EQ(px.At(r.Width() - 1, r.Height() - 1), SysColorText());
    EXPECT_EQ(px.At(1, 1), SysColorInfo());
    EXPECT_GT(px.Count(SysColorInfoText()), 10) << "the text is drawn";
}

// Small moves inside the control keep the delay running from the first move.
TEST_F(ToolTipGuiTest, MovingWithinTheControlKeepsTheDelay)
{
    Open(Point(40, 40));
    int start = (int)MonotonicMs();
    for(int x = 15; x < 65; x += 10) {
        MovePointer(window->GetWindow(), Point(x, 25));
        PumpFor(150);
    }
    ASSERT_TRUE(PumpUntil(TipOpen, 4000));
    EXPECT_LT((int)MonotonicMs() - start, GetTipHoverDelay() + 400) << "the delay was restarted by the moves";
}

TEST_F(ToolTipGuiTest, HidesWhenThePointerLeavesAndLaterTipsAreQuick)
{
    Open(Point(40, 40));
    ASSERT_GE(HoverUntilTip(Point(30, 20)), 0);
    ASSERT_TRUE(IsQuickTips());
    // Onto the control without a tip: hidden.
    MovePointer(window->GetWindow(), Point(120, 25));
    ASSERT_TRUE(PumpUntil([] { return !TipOpen(); }));
    // On to the next control at once: its tip shows without the delay.
    int took = HoverUntilTip(Point(190, 25));
    ASSERT_GE(took, 0);
    EXPECT_LT(took, 500);
    EXPECT_EQ(GetToolTipWindow().GetText(), "Start over");
    EXPECT_EQ(GetToolTipWindow().GetRectOnScreen().GetSize(), GetToolTipWindow().MinimumSize())
        << "opened at its full size, not sliding";
}

TEST_F(ToolTipGuiTest, PressHidesAndTheNextTipWaitsAgain)
{
    Open(Point(40, 40));
    ASSERT_GE(HoverUntilTip(Point(30, 20)), 0);
    Click(window->GetWindow(), Point(30, 20));
    ASSERT_TRUE(PumpUntil([] { return !TipOpen(); }));
    EXPECT_FALSE(IsQuickTips());
    int took = HoverUntilTip(Point(190, 25));
    ASSERT_GE(took, 0);
    EXPECT_GE(took, GetTipHoverDelay() - 50);
}

// Near the bottom of the work area the tip opens above the pointer, its top 22 pixels above
// it, and moves left into the work area at its right edge.
TEST_F(ToolTipGuiTest, NearTheBottomRightItOpensAboveThePointer)
{
    Rect work = GetWorkAreaAtCall(Point(0, 0));
    Open(Point(work.right - 250, work.bottom - 50));
    ASSERT_GE(HoverUntilTip(Point(240 - 50, 30)), 0) << "onto the second patch";
    ToolTip& tip = GetToolTipWindow();
    Point m = GetPointerPosition();
    Rect r = tip.GetRectOnScreen();
    EXPECT_EQ(r.top, m.y - 22);
    EXPECT_LE(r.right, work.right);
    EXPECT_EQ(r.right, std::min(work.right, m.x + r.Width()));
}

// A tip taller than the space between its top and the pointer still ends above the pointer,
// where it cannot take the pointer's clicks.
TEST_F(ToolTipGuiTest, TallTipAboveThePointerLeavesItFree)
{
    Rect work = GetWorkAreaAtCall(Point(0, 0));
    panel.first.SetTipText("First line\nSecond line\nThird line");
    Open(Point(100, work.bottom - 50));
    ASSERT_GE(HoverUntilTip(Point(30, 30)), 0);
    Point m = GetPointerPosition();
    Rect r = GetToolTipWindow().GetRectOnScreen();
    ASSERT_GT(r.Height(), 22);
    EXPECT_EQ(r.bottom, m.y);
    EXPECT_FALSE(r.Contains(m));
}

// A control in a window without the focus shows no tip.
TEST_F(ToolTipGuiTest, InactiveWindowShowsNothing)
{
    Open(Point(40, 40));
    Patch other;
    OpenInput second(other, Rect(Point(400, 300), Size(100, 50)));
    ASSERT_TRUE(second.IsOpen());
    ASSERT_TRUE(PumpUntil([&] { return !panel.IsInActiveWindow(); }));
    MovePointer(window->GetWindow(), Point(30, 20));
    PumpFor(GetTipHoverDelay() + 400);
    EXPECT_FALSE(TipOpen());
}

} // namespace
