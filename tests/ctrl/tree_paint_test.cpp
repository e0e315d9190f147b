// The platform-independent side of painting and scrolling: how back-buffer areas are
// gathered and merged, which child covers an area, the order and clips of the tree paint,
// and scroll records queued on a window (a window faked by a host record and a seam).
#include "ctrl/ctrl.h"
#include "tests/ctrl/support/test_platform.h"
#include "tests/draw/support/recording_draw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Qor;
using QorTest::RecordingDraw;

class Box : public Ctrl {
public:
    explicit Box(int margin = 0) : margin(margin) {}
    void Paint(Draw& w) override { w.DrawRect(0, 0, 1, 1, Color(1, 2, 3)); }
    int OverpaintMargin() const override { return margin; }
    int margin;
};

class Container : public Box {
public:
    Rect UnpaintedArea() const override { return Rect(GetViewSize()); }
};

TEST(MergeIntoAreaListTest, MergesWhileTheUnionWastesLittle)
{
    struct Case {
        const char* what;
        Vector<Rect> list;
        Rect add;
        Vector<Rect> expected;
    } cases[] = {
        { "empty rectangle adds nothing", {}, Rect(5, 5, 5, 9), {} },
        { "first goes in", {}, Rect(0, 0, 10, 10), { Rect(0, 0, 10, 10) } },
        { "small union merges", { Rect(0, 0, 10, 10) }, Rect(100, 100, 110, 110), { Rect(0, 0, 110, 110) } },
        { "adjacent areas merge", { Rect(0, 0, 200, 100) }, Rect(200, 0, 400, 100), { Rect(0, 0, 400, 100) } },
        { "far areas stay apart",
          { Rect(0, 0, 50, 50) },
          Rect(400, 400, 450, 450),
          { Rect(0, 0, 50, 50), Rect(400, 400, 450, 450) } },
    };
    for(Case& c : cases) {
        SCOPED_TRACE(c.what);
        MergeIntoAreaList(c.list, c.add);
        ASSERT_EQ(c.list.GetCount(), c.expected.GetCount());
        for(int i = 0; i < c.list.GetCount(); i++)
            EXPECT_TRUE(c.list[i] == c.expected[i]);
    }
}

TEST(CollectBackBufferAreasTest, TransparentControlsGiveTheirRectanglesOpaqueOnlyTheirMargins)
{
    Box top;
    top.SetRect(0, 0, 400, 300);
    Box opaque(3);
    opaque.SetRect(10, 10, 100, 50);
    Box glass;
    glass.SetTransparent();
    glass.SetRect(300, 200, 20, 20);
    top.AppendChild(opaque);
    top.AppendChild(glass);
    opaque.ResolveLayout(2);
    RecordingDraw w;
    Vector<Rect> area;
    top.CollectBackBufferAreas(area, w, Rect(0, 0, 400, 300), Rect(0, 0, 400, 300));
    // The opaque child's 3-pixel margin bands merge into one small area; the transparent
    // child is far from it.
    ASSERT_EQ(area.GetCount(), 2);
    EXPECT_TRUE(area[0] == Rect(7, 7, 113, 63));
    EXPECT_TRUE(area[1] == Rect(300, 200, 320, 220));
    // A container that leaves its view to its children lets each child decide.
    Container box;
    box.SetRect(0, 0, 400, 300);
    Box inner;
    inner.SetTransparent();
    inner.SetRect(50, 50, 10, 10);
    box.AppendChild(inner);
    area.Clear();
    box.CollectBackBufferAreas(area, w, Rect(0, 0, 400, 300), Rect(0, 0, 40, 40));
    EXPECT_TRUE(area.IsEmpty());
    box.CollectBackBufferAreas(area, w, Rect(0, 0, 400, 300), Rect(0, 0, 400, 300));
    ASSERT_EQ(area.GetCount(), 1);
    EXPECT_TRUE(area[0] == Rect(50, 50, 60, 60));
}

TEST(FindOpaqueCoveringChildTest, DeepestCoveringChildUnlessSomethingInFrontOverlaps)
{
    Box top;
    top.SetRect(0, 0, 200, 200);
    Box a;
    a.SetRect(10, 10, 100, 100);
    Box deep;
    deep.SetRect(10, 10, 50, 50);
    Box front;
    front.SetTransparent();
    front.SetRect(90, 90, 50, 50);
    top.AppendChild(a);
    a.AppendChild(deep);
    EXPECT_EQ(top.FindOpaqueCoveringChild(Rect(30, 30, 40, 40)), &deep);
    EXPECT_EQ(top.FindOpaqueCoveringChild(Rect(15, 15, 100, 100)), &a);
    EXPECT_EQ(top.FindOpaqueCoveringChild(Rect(5, 5, 40, 40)), nullptr);
    top.AppendChild(front);
    EXPECT_EQ(top.FindOpaqueCoveringChild(Rect(95, 95, 105, 105)), nullptr);
    EXPECT_EQ(top.FindOpaqueCoveringChild(Rect(30, 30, 40, 40)), &deep);
}

std::vector<std::string> WithoutQueries(const std::vector<std::string>& log)
{
    std::vector<std::string> out;
    for(const std::string& s : log)
        if(s.rfind("IsPainting", 0) != 0)
            out.push_back(s);
    return out;
}

TEST(PaintWithChildrenTest, ParentFirstThenChildrenInOrderEachClippedToItsPlace)
{
    Box top;
    top.SetRect(0, 0, 100, 100);
    Box first(2);
    first.SetRect(10, 10, 20, 20);
    first.ResolveLayout(2);
    Box second;
    second.SetRect(50, 50, 20, 20);
    Box hidden;
    hidden.SetRect(0, 0, 10, 10);
    hidden.Hide();
    top.AppendChild(first);
    top.AppendChild(second);
    top.AppendChild(hidden);
    RecordingDraw w;
    top.PaintWithChildren(w, Rect(0, 0, 100, 100));
    std::vector<std::string> log = WithoutQueries(w.log);
    // The parent paints, then the children in list order inside the parent's view; the
    // child with an overpaint margin paints through a clip 2 pixels beyond its view.
    std::vector<std::string> expected = {
        "ClipOffset((0, 0, 100, 100))",
        "DrawRect(0, 0, 1, 1, #010203)",
        "End()",
        "Clip((0, 0, 100, 100))",
        "Offset((10, 10))",
        "Clip((-2, -2, 22, 22))",
        "Offset((0, 0))",
        "DrawRect(0, 0, 1, 1, #010203)",
        "End()",
        "End()",
        "End()",
        "Offset((50, 50))",
        "ClipOffset((0, 0, 20, 20))",
        "DrawRect(0, 0, 1, 1, #010203)",
        "End()",
        "End()",
        "End()",
    };
    EXPECT_EQ(log, expected);
    // A child outside the clip is not visited at all.
    w.log.clear();
    top.PaintWithChildren(w, Rect(0, 0, 40, 40));
    for(const std::string& s : w.log)
        EXPECT_EQ(s.find("50, 50"), std::string::npos) << s;
}

// A window faked for the refresh layer: a host record, the open flag, and the invalid
// areas and window copies gathered through the window system.
class FakeWindowTest : public ::testing::Test {
protected:
    static inline std::vector<Rect> invalid;
    static inline std::vector<std::string> copies;
    static void Copy(Ctrl&, const Rect& r, int dx, int dy)
    {
        copies.push_back(std::to_string(r.Width()) + "x" + std::to_string(r.Height()) + " by " + std::to_string(dx) +
                         "," + std::to_string(dy));
    }

    void SetUp() override
    {
        CtrlCoreSeams& s = GetCtrlCoreSeams();
        saved = s;
        s.scroll_window = Copy;
        invalid.clear();
        copies.clear();
        top.SetRect(0, 0, 200, 100);
        top.SetHostRecord(&record);
        top.SetOpenFlag(true);
    }
    void TearDown() override
    {
        top.SetOpenFlag(false);
        top.SetHostRecord(nullptr);
        GetCtrlCoreSeams() = saved;
    }

    struct Host : Platform {
        void InvalidateHostArea(Ctrl&, const Rect& r) override { invalid.push_back(r); }
    } host;
    QorTest::PlatformScope installed{ host };
    CtrlCoreSeams saved;
    HostWindowRecord record;
    Box top;
};

TEST_F(FakeWindowTest, ScrollsMergeAndDegradeToRepaint)
{
    struct Case {
        int dy1, dy2;
        int queued_dy; // of the one record
        bool refresh;  // the second scroll asked for a full refresh
    } cases[] = { { -5, -7, -12, false }, { 10, 20, 30, false }, { -5, 5, 0, true } };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.dy1 * 100 + c.dy2);
        record.scrolls.Clear();
        EXPECT_FALSE(top.QueueScroll(Rect(0, 0, 200, 100), 0, c.dy1));
        EXPECT_EQ(top.QueueScroll(Rect(0, 0, 200, 100), 0, c.dy2), c.refresh);
        ASSERT_EQ(record.scrolls.GetCount(), 1);
        EXPECT_EQ(record.scrolls[0].dy, c.queued_dy);
    }
    // A different area that overlaps turns the record into a repaint of both.
    record.scrolls.Clear();
    EXPECT_FALSE(top.QueueScroll(Rect(0, 0, 100, 100), 3, 0));
    EXPECT_TRUE(top.QueueScroll(Rect(50, 0, 200, 100), 3, 0));
    EXPECT_TRUE(record.scrolls[0].area == Rect(0, 0, 200, 100));
    // A separate area gets a record of its own.
    record.scrolls.Clear();
    top.QueueScroll(Rect(0, 0, 100, 50), 0, 4);
    top.QueueScroll(Rect(0, 50, 100, 100), 0, 4);
    EXPECT_EQ(record.scrolls.GetCount(), 2);
}

TEST_F(FakeWindowTest, UncoveredStripsAreInvalidatedAndLargeScrollsRepainted)
{
    top.QueueScroll(Rect(0, 0, 200, 100), 0, -10);
    ASSERT_EQ(invalid.size(), 1u);
    EXPECT_TRUE(invalid[0] == Rect(0, 90, 200, 100));
    record.scrolls.Clear();
    invalid.clear();
    top.QueueScroll(Rect(0, 0, 200, 100), 6, 0);
    top.QueueScroll(Rect(300, 0, 400, 100), -4, 3);
    // A diagonal scroll's strips cover the whole width and height of the area.
    std::vector<Rect> expected = { Rect(0, 0, 6, 100), Rect(396, 0, 400, 100), Rect(300, 0, 400, 3) };
    ASSERT_EQ(invalid.size(), expected.size());
    for(size_t i = 0; i < expected.size(); i++)
        EXPECT_TRUE(invalid[i] == expected[i]) << i;
    record.scrolls.Clear();
    invalid.clear();
    top.QueueScroll(Rect(0, 0, 200, 100), 0, 75);
    top.QueueScroll(Rect(0, 200, 200, 300), 0, 76);
    invalid.clear();
    top.ApplyPendingScrolls();
    EXPECT_EQ(copies, std::vector<std::string>{ "200x100 by 0,75" });
    ASSERT_EQ(invalid.size(), 1u);
    EXPECT_TRUE(invalid[0] == Rect(0, 200, 200, 300));
    EXPECT_TRUE(record.scrolls.IsEmpty());
}

TEST_F(FakeWindowTest, ControlInAFrameAreaScrollsByFullRefresh)
{
    Box side;
    side.SetFrameRect(0, 0, 50, 100);
    Box inside;
    inside.SetRect(0, 0, 50, 50);
    top.AppendChild(side);
    side.AppendChild(inside);
    inside.ScrollArea(Rect(0, 0, 50, 50), 0, 5);
    EXPECT_TRUE(record.scrolls.IsEmpty());
    EXPECT_TRUE(inside.IsFullRefreshPending());
    top.RemoveChild(side);
}

} // namespace
