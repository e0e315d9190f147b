// Rectangle lists: subtraction pieces and their order, clipping, merging additions.

#include "draw/utils/rect_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Qor;

namespace {

std::vector<Rect> Std(const Vector<Rect>& v) { return std::vector<Rect>(v.begin(), v.end()); }

Vector<Rect> List(const std::vector<Rect>& rects)
{
    Vector<Rect> v;
    for(const Rect& r : rects)
        v.Add(r);
    return v;
}

int64 Area(const std::vector<Rect>& rects)
{
    int64 a = 0;
    for(const Rect& r : rects)
        a += (int64)r.Width() * r.Height();
    return a;
}

bool Overlapping(const std::vector<Rect>& rects)
{
    for(size_t i = 0; i < rects.size(); i++)
        for(size_t j = i + 1; j < rects.size(); j++)
            if(rects[i].Intersects(rects[j]))
                return true;
    return false;
}

struct CutCase {
    const char* name;
    std::vector<Rect> rects;
    Rect cut;
    std::vector<Rect> expected;
    bool changed;
};

// The flag starts opposite to the expected one, so an operation that leaves it alone fails.
template <size_t N>
void RunCutCases(const CutCase (&cases)[N], Vector<Rect> (*operation)(const Vector<Rect>&, const Rect&, bool&))
{
    for(const CutCase& c : cases) {
        SCOPED_TRACE(c.name);
        bool changed = !c.changed;
        std::vector<Rect> out = Std(operation(List(c.rects), c.cut, changed));
        EXPECT_EQ(out, c.expected);
        EXPECT_EQ(changed, c.changed);
    }
}

TEST(RectList, SubtractFromRectsGivesPiecesInOrder)
{
    const Rect r(0, 0, 30, 30);
    const CutCase cases[] = {
        { "middle",
          { r },
          Rect(10, 10, 20, 20),
          { Rect(0, 0, 10, 10), Rect(10, 0, 20, 10), Rect(20, 0, 30, 10), Rect(0, 10, 10, 20), Rect(20, 10, 30, 20),
            Rect(0, 20, 10, 30), Rect(10, 20, 20, 30), Rect(20, 20, 30, 30) },
          true },
        { "left half", { r }, Rect(-5, -5, 15, 35), { Rect(15, 0, 30, 30) }, true },
        { "top band", { r }, Rect(-5, -5, 35, 10), { Rect(0, 10, 30, 30) }, true },
        { "miss", { r }, Rect(40, 0, 50, 30), { r }, false },
        { "touching edge", { r }, Rect(30, 0, 40, 30), { r }, false },
        { "whole", { r }, Rect(-1, -1, 31, 31), {}, true },
        { "only the hit one changes",
          { Rect(0, 0, 10, 10), Rect(50, 50, 60, 60) },
          Rect(0, 0, 5, 10),
          { Rect(5, 0, 10, 10), Rect(50, 50, 60, 60) },
          true },
    };
    RunCutCases(cases, SubtractFromRects);
}

TEST(RectList, IntersectRectsClipsAndDropsEmpty)
{
    const CutCase cases[] = {
        { "inside", { Rect(2, 2, 5, 5) }, Rect(0, 0, 10, 10), { Rect(2, 2, 5, 5) }, false },
        { "cut", { Rect(5, 5, 15, 15) }, Rect(0, 0, 10, 10), { Rect(5, 5, 10, 10) }, true },
        { "dropped", { Rect(20, 0, 30, 10), Rect(1, 1, 2, 2) }, Rect(0, 0, 10, 10), { Rect(1, 1, 2, 2) }, true },
        { "clip left of rect", { Rect(20, 0, 30, 10) }, Rect(0, 0, 10, 10), {}, true },
        { "empty list", {}, Rect(0, 0, 10, 10), {}, false },
    };
    RunCutCases(cases, IntersectRects);
}

TEST(RectList, AddRectMergingJoinsNeighboursOfTheSameSize)
{
    Vector<Rect> list = List({ Rect(0, 0, 10, 10) });
    AddRectMerging(list, Rect(10, 0, 20, 10));
    EXPECT_EQ(Std(list), (std::vector<Rect>{ Rect(0, 0, 20, 10) }));
}

TEST(RectList, AddRectMergingKeepsSmallFarRectangleApart)
{
    Vector<Rect> list = List({ Rect(0, 0, 100, 100) });
    AddRectMerging(list, Rect(500, 500, 502, 502));
    EXPECT_EQ(Std(list), (std::vector<Rect>{ Rect(0, 0, 100, 100), Rect(500, 500, 502, 502) }));
}

TEST(RectList, AddRectMergingDropsCoveredAndKeepsTheListDisjoint)
{
    // A large area over a small listed one swallows it.
    Vector<Rect> list = List({ Rect(5, 5, 6, 6) });
    AddRectMerging(list, Rect(0, 0, 100, 100));
    EXPECT_EQ(Std(list), (std::vector<Rect>{ Rect(0, 0, 100, 100) }));

    // Partly overlapping far-apart shapes: the new area is added only where not yet covered.
    list = List({ Rect(0, 0, 100, 10), Rect(200, 200, 210, 300) });
    AddRectMerging(list, Rect(50, 0, 60, 300));
    std::vector<Rect> out = Std(list);
    EXPECT_FALSE(Overlapping(out));
    EXPECT_EQ(out[0], Rect(0, 0, 100, 10));
    EXPECT_EQ(out[1], Rect(200, 200, 210, 300));
    EXPECT_EQ(Area(out), 1000 + 1000 + 10 * 290);
}

TEST(RectList, AddRectMergingOfAnEmptyRectangleAddsNothing)
{
    Vector<Rect> list = List({ Rect(0, 0, 10, 10) });
    AddRectMerging(list, Rect(3, 3, 3, 8));
    EXPECT_EQ(Std(list), (std::vector<Rect>{ Rect(0, 0, 10, 10) }));
}

} // namespace
