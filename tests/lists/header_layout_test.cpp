// The header's width arithmetic: tab rectangles, sharing under limits, resizing and the
// divider hit test, as tables of cases.

#include "lists/header/header_layout.h"

#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace Qor;

namespace {

// One tab of a case: ratio, visibility and limits.
struct TabSpec {
    double ratio;
    bool visible = true;
    int min_width = 0;
    int max_width = INT_MAX;
};

// The tabs of a case and the pointer list the arithmetic takes.
struct Tabs {
    std::vector<HeaderTabSizing> sizing;
    HeaderTabList list;

    explicit Tabs(const std::vector<TabSpec>& specs)
    {
        for(const TabSpec& s : specs) {
            HeaderTabSizing t;
            t.ratio = s.ratio;
            t.visible = s.visible;
            t.min_width = s.min_width;
            t.max_width = s.max_width;
            sizing.push_back(t);
        }
        for(HeaderTabSizing& t : sizing)
            list.Add(&t);
    }

    Vector<Rect> Rects(int mode, int width, int height = 20) const
    {
        Vector<Rect> r;
        ComputeHeaderTabRects(list, mode, Size(width, height), r);
        return r;
    }

    // What the header does before every query in proportional mode.
    Vector<Rect> Distributed(int width)
    {
        DistributeHeaderRatios(list, GetVisibleHeaderTabs(list, 0), 0, width);
        return Rects(HEADER_PROPORTIONAL, width);
    }
};

// The left and right edges of every rectangle, flattened.
std::vector<int> Edges(const Vector<Rect>& rects)
{
    std::vector<int> e;
    for(const Rect& r : rects) {
        e.push_back(r.left);
        e.push_back(r.right);
    }
    return e;
}

struct RectCase {
    const char* name;
    int mode;
    std::vector<TabSpec> tabs;
    int width;
    std::vector<int> edges;
};

TEST(HeaderLayout, TabRectanglesFollowTheRatiosOrTheWidths)
{
    const int P = HEADER_PROPORTIONAL, A = HEADER_ABSOLUTE;
    const RectCase cases[] = {
        { "shares 1 1 2", P, { { 1 }, { 1 }, { 2 } }, 400, { 0, 100, 100, 200, 200, 400 } },
        { "thirds truncate, last ends at edge", P, { { 1 }, { 1 }, { 1 } }, 100, { 0, 33, 33, 66, 66, 100 } },
        { "hidden middle tab", P, { { 1 }, { 1, false }, { 1 } }, 300, { 0, 150, 150, 150, 150, 300 } },
        { "hidden after the last visible", P, { { 1 }, { 1 }, { 5, false } }, 200, { 0, 100, 100, 200, 200, 200 } },
        { "hidden first tab", P, { { 3, false }, { 1 }, { 1 } }, 200, { 0, 0, 0, 100, 100, 200 } },
        { "nothing visible", P, { { 1, false }, { 2, false } }, 300, { 0, 0, 0, 0 } },
        { "all ratios zero share evenly",
          P,
          { { 0 }, { 0 }, { 0 }, { 0 } },
          400,
          { 0, 100, 100, 200, 200, 300, 300, 400 } },
        { "absolute widths side by side", A, { { 16 }, { 300 }, { 600 } }, 500, { 0, 16, 16, 316, 316, 916 } },
        { "absolute hidden tab takes nothing",
          A,
          { { 16 }, { 300, false }, { 600 } },
          500,
          { 0, 16, 16, 16, 16, 616 } },
        { "absolute ratio truncates", A, { { 10.9 }, { 5.5 } }, 500, { 0, 10, 10, 15 } },
    };
    for(const RectCase& c : cases) {
        Tabs t(c.tabs);
        Vector<Rect> r = t.Rects(c.mode, c.width, 17);
        EXPECT_EQ(Edges(r), c.edges) << c.name;
        for(const Rect& q : r) {
            EXPECT_EQ(q.top, 0) << c.name;
            EXPECT_EQ(q.bottom, 17) << c.name;
        }
    }
}

struct DistributeCase {
    const char* name;
    std::vector<TabSpec> tabs;
    int width;
    std::vector<int> edges;
};

TEST(HeaderLayout, SharingHonoursMinimumAndMaximumWidths)
{
    const DistributeCase cases[] = {
        { "no limits keeps the ratios", { { 1 }, { 1 }, { 2 } }, 400, { 0, 100, 100, 200, 200, 400 } },
        { "a minimum widens its tab, the others make room",
          { { 1, true, 200 }, { 1 }, { 1 } },
          300,
          { 0, 200, 200, 250, 250, 300 } },
        { "a maximum narrows its tab, the others take the rest",
          { { 1, true, 0, 50 }, { 1 }, { 1 } },
          300,
          { 0, 50, 50, 175, 175, 300 } },
        { "minimums that do not fit are ignored", { { 1, true, 80 }, { 1, true, 80 } }, 100, { 0, 50, 50, 100 } },
        { "a hidden tab's minimum takes no room",
          { { 1 }, { 1, false, 250 }, { 1 } },
          300,
          { 0, 150, 150, 150, 150, 300 } },
        { "two minimums at once", { { 1, true, 100 }, { 1, true, 100 }, { 4 } }, 300, { 0, 100, 100, 200, 200, 300 } },
    };
    for(const DistributeCase& c : cases) {
        Tabs t(c.tabs);
        EXPECT_EQ(Edges(t.Distributed(c.width)), c.edges) << c.name;
    }
}

TEST(HeaderLayout, SharingChangesTheListedTabsByDelta)
{
    Tabs t({ { 1 }, { 1 }, { 2 } });
    DistributeHeaderRatios(t.list, { 1, 2 }, 1.5, 400);
    EXPECT_DOUBLE_EQ(t.sizing[0].ratio, 1);
    EXPECT_DOUBLE_EQ(t.sizing[1].ratio + t.sizing[2].ratio, 4.5);
    EXPECT_DOUBLE_EQ(t.sizing[2].ratio, 2 * t.sizing[1].ratio);

    // A zero-width view distributes nothing.
    Tabs z({ { 1, true, 100 }, { 1 } });
    DistributeHeaderRatios(z.list, GetVisibleHeaderTabs(z.list, 0), 0, 0);
    EXPECT_DOUBLE_EQ(z.sizing[0].ratio, 1);

    // Taking more than the tabs have never leaves a negative share.
    Tabs n({ { 1 }, { 1 } });
    DistributeHeaderRatios(n.list, { 1 }, -5, 200);
    EXPECT_GE(n.sizing[1].ratio, 0);
}

TEST(HeaderLayout, AbsoluteWidthsAreWholeAndWithinLimits)
{
    Tabs t({ { 10.7 }, { 3, true, 20 }, { 500, true, 0, 90 }, { -4.2 } });
    ClampAbsoluteHeaderWidths(t.list);
    EXPECT_DOUBLE_EQ(t.sizing[0].ratio, 10);
    EXPECT_DOUBLE_EQ(t.sizing[1].ratio, 20);
    EXPECT_DOUBLE_EQ(t.sizing[2].ratio, 90);
    EXPECT_DOUBLE_EQ(t.sizing[3].ratio, 0);
}

struct ResizeCase {
    const char* name;
    int mode;
    std::vector<TabSpec> tabs;
    int width;
    int tab;
    int cx;
    bool changed;
    std::vector<int> edges;
};

TEST(HeaderLayout, ResizingTakesFromTheTabsAfter)
{
    const int P = HEADER_PROPORTIONAL, A = HEADER_ABSOLUTE;
    const ResizeCase cases[] = {
        { "grow, followers shrink evenly",
          P,
          { { 1 }, { 1 }, { 1 }, { 1 } },
          400,
          1,
          150,
          true,
          { 0, 100, 100, 250, 250, 325, 325, 400 } },
        { "shrink, followers grow",
          P,
          { { 1 }, { 1 }, { 1 }, { 1 } },
          400,
          1,
          60,
          true,
          { 0, 100, 100, 160, 160, 280, 280, 400 } },
        { "followers' minimums stop growth",
          P,
          { { 1 }, { 1 }, { 1, true, 100 }, { 1, true, 100 } },
          400,
          1,
          250,
          false,
          { 0, 100, 100, 200, 200, 300, 300, 400 } },
        { "followers' minimums allow what is left",
          P,
          { { 1 }, { 1 }, { 1, true, 100 }, { 1, true, 80 } },
          400,
          1,
          250,
          true,
          { 0, 100, 100, 220, 220, 320, 320, 400 } },
        { "followers' maximums stop shrinking",
          P,
          { { 1 }, { 1 }, { 1, true, 0, 110 }, { 1, true, 0, 110 } },
          400,
          1,
          20,
          true,
          { 0, 100, 100, 180, 180, 290, 290, 400 } },
        { "the last tab always reaches the edge", P, { { 1 }, { 1 } }, 200, 1, 40, false, { 0, 100, 100, 200 } },
        { "own limits hold",
          P,
          { { 1 }, { 1, true, 0, 120 }, { 1 } },
          300,
          1,
          200,
          true,
          { 0, 100, 100, 220, 220, 300 } },
        { "minimums that do not fit let a tab go below its own",
          P,
          { { 1, true, 80 }, { 1, true, 80 } },
          100,
          0,
          10,
          true,
          { 0, 10, 10, 100 } },
        { "fixed tab keeps its width",
          A,
          { { 100, true, 100, 100 }, { 100 } },
          500,
          0,
          160,
          false,
          { 0, 100, 100, 200 } },
        { "absolute width is the new size",
          A,
          { { 16 }, { 300 }, { 600 } },
          500,
          0,
          50,
          true,
          { 0, 50, 50, 350, 350, 950 } },
        { "absolute maximum", A, { { 16, true, 0, 40 }, { 300 } }, 500, 0, 90, true, { 0, 40, 40, 340 } },
        { "absolute never below zero", A, { { 16 }, { 300 } }, 500, 0, -30, true, { 0, 0, 0, 300 } },
        { "zero-width view changes nothing", A, { { 16 }, { 300 } }, 0, 0, 40, false, { 0, 16, 16, 316 } },
    };
    for(const ResizeCase& c : cases) {
        Tabs t(c.tabs);
        Vector<Rect> before = c.mode == P ? t.Distributed(c.width) : t.Rects(c.mode, c.width);
        EXPECT_EQ(ResizeHeaderTab(t.list, c.mode, before, c.tab, c.cx, c.width), c.changed) << c.name;
        EXPECT_EQ(Edges(t.Rects(c.mode, c.width)), c.edges) << c.name;
    }
}

struct SplitCase {
    const char* name;
    int mode;
    std::vector<TabSpec> tabs;
    int width;
    std::vector<std::pair<int, int>> hits; // x, expected result
};

TEST(HeaderLayout, HitTestFindsDividersAndTabs)
{
    const int P = HEADER_PROPORTIONAL, A = HEADER_ABSOLUTE, NONE = HEADER_NO_SPLIT;
    const SplitCase cases[] = {
        { "proportional thirds",
          P,
          { { 1 }, { 1 }, { 1 } },
          300,
          { { 0, ~0 },
            { 96, ~0 },
            { 97, 0 },
            { 100, 0 },
            { 102, 0 },
            { 103, ~1 },
            { 200, 1 },
            { 296, ~2 },
            { 299, ~2 },
            { 300, NONE } } },
        { "absolute offers the last divider",
          A,
          { { 16 }, { 300 }, { 600 } },
          500,
          { { 5, ~0 }, { 16, 0 }, { 500, ~2 }, { 913, 2 }, { 918, 2 }, { 919, NONE } } },
        { "hidden tabs are skipped",
          A,
          { { 100 }, { 50, false }, { 100 } },
          400,
          { { 100, 0 }, { 150, ~2 }, { 200, 2 } } },
        { "fixed tab before a resizable one offers",
          A,
          { { 100 }, { 100, true, 100, 100 }, { 100 } },
          400,
          { { 200, 1 }, { 100, 0 } } },
        { "fixed tab before a fixed one does not",
          A,
          { { 100 }, { 100, true, 100, 100 }, { 100, true, 100, 100 } },
          400,
          { { 200, ~2 }, { 100, 0 }, { 300, NONE } } },
        { "fixed first tab does not",
          A,
          { { 100, true, 100, 100 }, { 100 } },
          400,
          { { 100, ~1 }, { 99, ~0 }, { 200, 1 } } },
        { "narrow neighbour splits the zone",
          A,
          { { 100 }, { 2 }, { 100 } },
          400,
          { { 98, 0 }, { 99, 0 }, { 100, 1 }, { 101, 1 }, { 104, 1 }, { 105, ~2 } } },
        { "squeezed last tab gives its edge to the last wide one",
          P,
          { { 100 }, { 100 }, { 1 } },
          201,
          { { 197, 1 }, { 205, 1 }, { 150, ~1 } } },
        { "nothing visible", P, { { 1, false } }, 300, { { 10, NONE } } },
        { "no tabs", P, {}, 300, { { 10, NONE } } },
    };
    for(const SplitCase& c : cases) {
        Tabs t(c.tabs);
        Vector<Rect> rects = c.mode == P ? t.Distributed(c.width) : t.Rects(c.mode, c.width);
        for(auto [x, expected] : c.hits)
            EXPECT_EQ(FindHeaderSplit(t.list, c.mode, rects, x, c.width), expected) << c.name << " at x " << x;
    }
}

} // namespace
