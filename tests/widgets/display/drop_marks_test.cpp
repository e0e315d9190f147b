// The insertion marks' rectangles and the drag auto-scroll step near a control's edges.
#include "widgets/display/drop_marks.h"

#include "tests/draw/support/recording_draw.h"

#include "ctrl/tree/ctrl_class.h"
#include "draw/look/sys_colors.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;
using QorTest::RecordingDraw;

std::string Fill(int x, int y, int cx, int cy)
{
    return "DrawRect(" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(cx) + ", " +
           std::to_string(cy) + ", " + RecordingDraw::Text(SysColorHighlight()) + ")";
}

TEST(DropMarks, BarsWithTicksAtBothEnds)
{
    RecordingDraw h;
    DrawHorzDropMark(h, 10, 20, 30);
    EXPECT_EQ(h.log, (std::vector<std::string>{ Fill(10, 20, 30, 2), Fill(10, 18, 1, 6), Fill(39, 18, 1, 6),
                                                Fill(11, 19, 1, 4), Fill(38, 19, 1, 4) }));
    RecordingDraw v;
    DrawVertDropMark(v, 10, 20, 30);
    EXPECT_EQ(v.log, (std::vector<std::string>{ Fill(10, 20, 2, 30), Fill(8, 20, 6, 1), Fill(8, 49, 6, 1),
                                                Fill(9, 21, 4, 1), Fill(9, 48, 4, 1) }));
}

TEST(DropMarks, ScrollStepGrowsTowardsTheEdges)
{
    Ctrl c;
    c.SetRect(0, 0, 120, 60); // zones: 16 across, 10 down
    c.SetEditable(true);
    struct Case {
        Point p;
        int max;
        Point step;
    };
    const Case cases[] = {
        { Point(110, 30), 100, Point(6, 0) }, { Point(3, 30), 100, Point(-13, 0) },
        { Point(110, 30), 4, Point(4, 0) },   { Point(3, 30), 4, Point(-4, 0) },
        { Point(60, 55), 100, Point(0, 5) },  { Point(60, 0), 100, Point(0, -10) },
        { Point(104, 50), 100, Point(0, 0) }, { Point(105, 51), 100, Point(1, 1) },
        { Point(16, 10), 100, Point(0, 0) },  { Point(15, 9), 100, Point(-1, -1) },
        { Point(119, 59), 0, Point(0, 0) },
    };
    for(const Case& k : cases)
        EXPECT_EQ(GetDragScrollStep(c, k.p, k.max), k.step) << k.p.x << "," << k.p.y << " max " << k.max;
}

TEST(DropMarks, ReadOnlyControlNeverScrolls)
{
    Ctrl c;
    c.SetRect(0, 0, 120, 60);
    c.SetEditable(false);
    EXPECT_EQ(GetDragScrollStep(c, Point(110, 3), 100), Point(0, 0));
}

} // namespace
