// ScrollBar without a window: the thumb of a sized bar, arrows that fit, the steps and which
// callbacks they run, auto-hide and auto-disable, keys, and the bar docked in a frame.
#include "widgets/scroll/scroll_bar.h"

#include "draw/font/font.h"
#include "draw/font/font_metrics.h"
#include "foundation/callback_action.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;

struct Counter {
    int n = 0;
    void Count() { n++; }
    Callback Make() { return MakeCallback(this, &Counter::Count); }
};

// A vertical bar whose track is 200 pixels: 234 less two 17-pixel arrows.
struct ScrollBarFixture : ::testing::Test {
    ScrollBar bar;
    Counter action, scrolled, visibility;

    void SetUp() override
    {
        bar.SetRect(0, 0, 17, 234);
        bar.Layout();
        bar.SetAction(action.Make());
        bar.ScrollAction() = scrolled.Make();
        bar.VisibilityAction() = visibility.Make();
    }
};

using ScrollBarNumbers = ScrollBarFixture;

TEST_F(ScrollBarNumbers, ThumbFollowsThePosition)
{
    const struct {
        int position, page, total;
        int clamped, offset, size;
    } cases[] = {
        { 0, 10, 100, 0, 0, 20 },   { 45, 10, 100, 45, 90, 20 },       { 95, 10, 100, 90, 180, 20 },
        { 0, 10, 10000, 0, 0, 16 }, { 4995, 10, 10000, 4995, 92, 16 }, { 30, 150, 100, 0, 0, 200 },
        { -5, 10, 100, 0, 0, 20 },
    };
    for(const auto& c : cases) {
        bar.Set(c.position, c.page, c.total);
        EXPECT_EQ(bar.GetPosition(), c.clamped) << c.position << "/" << c.total;
        EXPECT_EQ(bar.GetThumb().offset, c.offset) << c.position << "/" << c.total;
        EXPECT_EQ(bar.GetThumb().size, c.size) << c.position << "/" << c.total;
    }
    EXPECT_EQ(bar.GetTrackRect(), Rect(0, 17, 17, 217));
}

TEST_F(ScrollBarNumbers, ResizingMovesTheThumbNotThePosition)
{
    bar.Set(45, 10, 100);
    bar.SetRect(0, 0, 17, 434);
    bar.Layout();
    EXPECT_EQ(bar.GetPosition(), 45);
    EXPECT_EQ(bar.GetThumb().offset, 180);
    EXPECT_EQ(bar.GetThumb().size, 40);
}

TEST_F(ScrollBarNumbers, ArrowsNeedRoom)
{
    const struct {
        int length;
        bool shown;
    } cases[] = { { 50, false }, { 51, false }, { 52, true }, { 234, true } };
    for(const auto& c : cases) {
        bar.SetRect(0, 0, 17, c.length);
        bar.Layout();
        Rect back = bar.GetArrow(ScrollBar::ARROW_BACK).GetRectInParent();
        Rect forward = bar.GetArrow(ScrollBar::ARROW_FORWARD).GetRectInParent();
        EXPECT_EQ(back, c.shown ? Rect(0, 0, 17, 17) : Rect(0, 0, 17, 0)) << c.length;
        EXPECT_EQ(forward, c.shown ? Rect(0, c.length - 17, 17, c.length) : Rect(0, c.length, 17, c.length))
            << c.length;
        EXPECT_EQ(bar.GetTrackRect(), c.shown ? Rect(0, 17, 17, c.length - 17) : Rect(0, 0, 17, c.length)) << c.length;
    }
}

TEST_F(ScrollBarNumbers, HorizontalBarRunsAlongX)
{
    HScrollBar h;
    h.SetRect(0, 0, 234, 17);
    h.Layout();
    h.Set(45, 10, 100);
    EXPECT_TRUE(h.IsHorizontal());
    EXPECT_EQ(h.GetTrackRect(), Rect(17, 0, 217, 17));
    EXPECT_EQ(h.GetPartRect(SCROLL_PART_THUMB), Rect(107, 0, 127, 17));
    EXPECT_EQ(h.GetArrow(ScrollBar::ARROW_FORWARD).GetRectInParent(), Rect(217, 0, 234, 17));
}

TEST_F(ScrollBarNumbers, StepsMoveAndRunTheActionOnlyOnAChange)
{
    bar.Set(50, 10, 100);
    bar.SetLine(2);
    scrolled.n = 0;
    const struct {
        const char* name;
        void (*step)(ScrollBar&);
        int position;
    } cases[] = {
        { "next line", [](ScrollBar& b) { b.NextLine(); }, 52 },
        { "previous line", [](ScrollBar& b) { b.PrevLine(); }, 50 },
        { "next page: the page less a line", [](ScrollBar& b) { b.NextPage(); }, 58 },
        { "previous page", [](ScrollBar& b) { b.PrevPage(); }, 50 },
        { "wheel towards the user", [](ScrollBar& b) { b.Wheel(-120, 3); }, 56 },
        { "wheel away", [](ScrollBar& b) { b.Wheel(120, 3); }, 50 },
        { "to the end", [](ScrollBar& b) { b.ScrollToEnd(); }, 90 },
        { "past the end changes nothing", [](ScrollBar& b) { b.NextPage(); }, 90 },
        { "to the start", [](ScrollBar& b) { b.ScrollToStart(); }, 0 },
        { "before the start changes nothing", [](ScrollBar& b) { b.PrevLine(); }, 0 },
    };
    int changes = 0;
    int last = 50;
    for(const auto& c : cases) {
        c.step(bar);
        EXPECT_EQ(bar.GetPosition(), c.position) << c.name;
        changes += c.position != last;
        last = c.position;
        EXPECT_EQ(action.n, changes) << c.name;
        EXPECT_EQ(scrolled.n, changes) << c.name;
    }
}

TEST_F(ScrollBarNumbers, SetPositionRunsOnlyTheScrollCallback)
{
    bar.Set(0, 10, 100);
    scrolled.n = action.n = 0;
    EXPECT_TRUE(bar.SetPosition(40));
    EXPECT_FALSE(bar.SetPosition(40));
    EXPECT_EQ(scrolled.n, 1);
    EXPECT_EQ(action.n, 0);
}

TEST_F(ScrollBarNumbers, WheelOfOneLineUnit)
{
    bar.Set(50, 10, 100);
    bar.Wheel(120, 3);
    EXPECT_EQ(bar.GetPosition(), 47);
    bar.Wheel(-120, 3);
    EXPECT_EQ(bar.GetPosition(), 50);
    bar.Wheel(-60, 3);
    EXPECT_EQ(bar.GetPosition(), 51);
}

TEST_F(ScrollBarNumbers, ScrollIntoMovesTheLeast)
{
    const struct {
        int from, pos, size, to;
    } cases[] = {
        { 20, 25, 3, 20 },  // already shown
        { 20, 35, 3, 28 },  // below: its end comes into the page
        { 20, 5, 3, 5 },    // above: its start becomes the first
        { 20, 40, 20, 40 }, // larger than the page: its start wins
    };
    for(const auto& c : cases) {
        bar.Set(c.from, 10, 100);
        scrolled.n = action.n = 0;
        EXPECT_EQ(bar.ScrollInto(c.pos, c.size), c.from != c.to) << c.pos << "+" << c.size;
        EXPECT_EQ(bar.GetPosition(), c.to) << c.pos << "+" << c.size;
        // The owner moves its own view: that is no user action.
        EXPECT_EQ(scrolled.n, c.from != c.to ? 1 : 0) << c.pos << "+" << c.size;
        EXPECT_EQ(action.n, 0) << c.pos << "+" << c.size;
    }
}

TEST_F(ScrollBarNumbers, AutoHideShowsTheBarExactlyWhenItScrolls)
{
    bar.Set(0, 10, 100);
    bar.SetAutoHide();
    visibility.n = 0;
    bar.SetTotal(5);
    EXPECT_FALSE(bar.IsVisible());
    EXPECT_EQ(visibility.n, 1);
    bar.SetTotal(8);
    EXPECT_EQ(visibility.n, 1);
    bar.SetTotal(100);
    EXPECT_TRUE(bar.IsVisible());
    EXPECT_EQ(visibility.n, 2);
    bar.SetAutoHide(false);
    bar.SetTotal(5);
    EXPECT_TRUE(bar.IsVisible());
}

TEST_F(ScrollBarNumbers, AutoDisableDisablesTheArrows)
{
    bar.Set(0, 10, 5);
    for(int i = 0; i < ScrollBar::ARROW_COUNT; i++)
        EXPECT_FALSE(bar.GetArrow(i).IsEnabled()) << i;
    bar.SetTotal(100);
    for(int i = 0; i < ScrollBar::ARROW_COUNT; i++)
        EXPECT_TRUE(bar.GetArrow(i).IsEnabled()) << i;
    bar.SetAutoDisable(false);
    bar.SetTotal(5);
    EXPECT_TRUE(bar.GetArrow(ScrollBar::ARROW_BACK).IsEnabled());
}

TEST_F(ScrollBarNumbers, VerticalKeys)
{
    const struct {
        dword key;
        bool home_end;
        bool taken;
        int position;
    } cases[] = {
        { 0x1FF52, true, true, 49 },  { 0x1FF54, true, true, 51 },  { 0x1FF55, true, true, 41 },
        { 0x1FF56, true, true, 59 },  { 0x3FF50, false, true, 0 },  { 0x3FF55, false, true, 0 },
        { 0x3FF57, false, true, 90 }, { 0x3FF56, false, true, 90 }, { 0x1FF50, true, true, 0 },
        { 0x1FF57, true, true, 90 },  { 0x1FF50, false, true, 50 }, { 0x1FF57, false, true, 50 },
        { 'a', true, false, 50 },     { 0x1FF51, true, false, 50 },
    };
    for(const auto& c : cases) {
        bar.Set(50, 10, 100);
        EXPECT_EQ(bar.VerticalKey(c.key, c.home_end), c.taken) << std::hex << c.key;
        EXPECT_EQ(bar.GetPosition(), c.position) << std::hex << c.key << " " << c.home_end;
    }
    bar.Disable();
    EXPECT_FALSE(bar.VerticalKey(0x1FF54, true));
    EXPECT_EQ(bar.GetPosition(), 50);
}

TEST(ScrollBarFrame, DocksAtTheEdgeOfTheFramedControl)
{
    Ctrl view;
    ScrollBar vertical;
    HScrollBar horizontal;
    view.SetRect(0, 0, 200, 150);
    view.AddFrame(vertical);
    view.AddFrame(horizontal);
    view.ResolveLayout(2);
    EXPECT_EQ(vertical.GetParent(), &view);
    EXPECT_TRUE(vertical.IsInFrameArea());
    EXPECT_EQ(vertical.GetRectInParent(), Rect(183, 0, 200, 150));
    EXPECT_EQ(horizontal.GetRectInParent(), Rect(0, 133, 183, 150));
    EXPECT_EQ(view.GetViewRect(), Rect(0, 0, 183, 133));
    EXPECT_EQ(view.GrowByFrames(Size(100, 100)), Size(117, 117));
    EXPECT_EQ(vertical.GetViewSizeWithoutBar(), Size(200, 133));
    EXPECT_EQ(horizontal.GetViewSizeWithoutBar(), Size(183, 150));

    // A hidden bar gives its band back, and still counts in the size calculation.
    vertical.Hide();
    view.ResolveLayout(2);
    EXPECT_EQ(view.GetViewRect(), Rect(0, 0, 200, 133));
    EXPECT_EQ(view.GrowByFrames(Size(100, 100)), Size(117, 117));
    EXPECT_EQ(vertical.GetViewSizeWithoutBar(), Size(200, 133));

    view.SetFrame(2, GetNullFrameInstance());
    EXPECT_EQ(horizontal.GetParent(), nullptr);
    EXPECT_EQ(vertical.GetParent(), &view);
    ScrollBar loose;
    EXPECT_EQ(loose.GetViewSizeWithoutBar(), Size(0, 0));
}

TEST(ScrollBarStyle, DefaultsAndArrowLooks)
{
    const ScrollBarStyle& s = ScrollBar::GetDefaultStyle();
    EXPECT_EQ(s.bar_width, 17);
    EXPECT_EQ(s.arrow_size, 17);
    EXPECT_EQ(s.min_thumb, 16);
    EXPECT_EQ(s.standard->bar_width, 17);
    for(int i = 0; i < VISUAL_COUNT; i++) {
        EXPECT_FALSE(s.vertical_thumb[i].IsVoid()) << i;
        EXPECT_FALSE(s.up.look[i].IsVoid()) << i;
        EXPECT_FALSE(s.second_right.look[i].IsVoid()) << i;
    }
    EXPECT_FALSE(s.has_second_up || s.has_second_down || s.has_second_left || s.has_second_right);
}

} // namespace

TEST(ScrollBarSize, StandardSizeIsASquareOnTheStandardHeight)
{
    // The layout's standard height is that of the bold variant, taller than the nominal
    // height of the font: the square takes the former.
    int standard = GetStandardFontSize().cy;
    ASSERT_GT(standard, GetStandardFont().GetHeight());
    ScrollBar bar;
    EXPECT_EQ(bar.StandardSize(), Size(standard + 4, standard + 4));
}
