// Splitter without a window: panes laid out by the bar positions, bars moved within the
// minimums, the bar under a coordinate, and the stored form of the positions, whose bad
// values are refused without losing the positions the splitter has.
#include "widgets/splitter/splitter.h"

#include "foundation/exc.h"
#include "foundation/string_stream.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace Qor;

// A splitter of a given size with n plain panes.
struct SplitterFixture : ::testing::Test {
    Splitter splitter;
    Ctrl panes[4];

    void Make(int n, int cx, int cy = 100, bool vertical = false)
    {
        splitter.SetVertical(vertical);
        splitter.SetRect(0, 0, cx, cy);
        for(int i = 0; i < n; i++)
            splitter.Add(panes[i]);
        splitter.Layout();
    }
    std::vector<int> Positions() const
    {
        const Vector<int>& v = splitter.GetPositions();
        return std::vector<int>(v.begin(), v.end());
    }
};

String Bytes(std::initializer_list<int> bytes)
{
    String s;
    for(int b : bytes)
        s.AppendChar(b);
    return s;
}

String Store(Splitter& s)
{
    StringStream out;
    s.ArchiveBinary(out);
    return out.GetText();
}

using SplitterLayout = SplitterFixture;

TEST_F(SplitterLayout, ThreePanesAreSpreadEvenly)
{
    Make(3, 300);
    EXPECT_EQ(Positions(), (std::vector<int>{ 3333, 6666 }));
    EXPECT_EQ(splitter.GetBarCount(), 2);
}

TEST_F(SplitterLayout, PanesEndAndStartAroundTheBar)
{
    Make(2, 404);
    EXPECT_EQ(panes[0].GetRectInParent(), Rect(0, 0, 200, 100));
    EXPECT_EQ(panes[1].GetRectInParent(), Rect(204, 0, 404, 100));
}

TEST_F(SplitterLayout, VerticalSplitterStacksThePanes)
{
    Make(2, 100, 404, true);
    EXPECT_EQ(panes[0].GetRectInParent(), Rect(0, 0, 100, 200));
    EXPECT_EQ(panes[1].GetRectInParent(), Rect(0, 204, 100, 404));
}

TEST_F(SplitterLayout, PanesKeepTheirProportionsWhenResized)
{
    Make(2, 404);
    splitter.SetPos(2500);
    splitter.SetRect(0, 0, 804, 100);
    splitter.Layout();
    EXPECT_EQ(panes[0].GetRectInParent(), Rect(0, 0, 199, 100));
    EXPECT_EQ(panes[1].GetRectInParent(), Rect(203, 0, 804, 100));
}

TEST_F(SplitterLayout, ShownPaneFillsTheSplitterAlone)
{
    Make(3, 300);
    splitter.ShowPane(1);
    EXPECT_FALSE(panes[0].IsVisible());
    EXPECT_TRUE(panes[1].IsVisible());
    EXPECT_FALSE(panes[2].IsVisible());
    splitter.ShowAllPanes();
    for(int i = 0; i < 3; i++)
        EXPECT_TRUE(panes[i].IsVisible()) << i;
}

TEST_F(SplitterLayout, ClearForgetsPanesAndPositions)
{
    Make(3, 300);
    splitter.Clear();
    EXPECT_EQ(splitter.GetFirstChild(), nullptr);
    EXPECT_TRUE(Positions().empty());
    EXPECT_EQ(panes[0].GetParent(), nullptr);
}

using SplitterMoves = SplitterFixture;

TEST_F(SplitterMoves, BarsStayWithinTheMinimums)
{
    const struct {
        const char* name;
        int units0, units1, pixels0, pixels1;
        int pos, expected;
    } cases[] = {
        { "free move", 0, 0, 0, 0, 7000, 7000 },
        { "pixel minimum of the second pane", 0, 0, 0, 100, 9500, 9000 },
        { "pixel minimum of the first pane", 0, 0, 250, 0, 1000, 2500 },
        { "unit minimum of the first pane", 1500, 0, 0, 0, 1000, 1500 },
        { "the larger of the two minimums", 1500, 0, 200, 0, 0, 2000 },
        { "conflicting limits: the high one wins", 0, 6000, 6000, 0, 5000, 4000 },
        { "beyond the end", 0, 0, 0, 0, 12000, 10000 },
    };
    for(const auto& c : cases) {
        Splitter s;
        Ctrl a, b;
        s.SetRect(0, 0, 1000, 100);
        s.Add(a).Add(b);
        s.SetMinimum(0, c.units0).SetMinimum(1, c.units1).SetPixelMinimum(0, c.pixels0).SetPixelMinimum(1, c.pixels1);
        s.SetPos(c.pos, 0);
        EXPECT_EQ(s.GetPos(0), c.expected) << c.name;
    }
}

TEST_F(SplitterMoves, MiddleBarStaysBetweenItsNeighbours)
{
    Make(3, 900);
    splitter.SetPos(1000, 1);
    EXPECT_EQ(splitter.GetPos(1), 3333);
    splitter.SetPos(9000, 1);
    EXPECT_EQ(splitter.GetPos(1), 9000);
    splitter.SetPos(9500, 0);
    EXPECT_EQ(splitter.GetPos(0), 9000);
}

TEST_F(SplitterMoves, ABarPastTheEndGrowsThePositionsInOrder)
{
    Splitter s;
    s.SetRect(0, 0, 1000, 100);
    s.SetPos(9000, 3);
    ASSERT_EQ(s.GetPositions().GetCount(), 4);
    for(int i = 1; i < 4; i++)
        EXPECT_LE(s.GetPos(i - 1), s.GetPos(i)) << i;
    EXPECT_EQ(s.GetPos(3), 9000);
}

TEST_F(SplitterMoves, NearestBarWithinTheBarWidthIsFound)
{
    Make(3, 1000);
    splitter.SetPos(5000, 1);
    splitter.SetPos(4960, 0);
    const struct {
        int c, bar;
    } cases[] = { { 496, 0 }, { 499, 1 }, { 500, 1 }, { 498, 1 }, { 503, 1 }, { 505, -1 }, { 492, 0 }, { 491, -1 }, { 100, -1 } };
    // Bars at 496 and 500: 498 lies between them at equal distance and takes the later one.
    for(const auto& c : cases)
        EXPECT_EQ(splitter.FindBar(c.c), c.bar) << c.c;
}

using SplitterArchive = SplitterFixture;

TEST_F(SplitterArchive, DefaultTwoPanesStoreSevenBytes)
{
    Make(2, 400);
    EXPECT_EQ(Store(splitter), Bytes({ 0x03, 0x02, 0x88, 0x13, 0x00, 0x00, 0x00 }));
}

TEST_F(SplitterArchive, PositionsAndShownPaneComeBack)
{
    Make(3, 900);
    splitter.SetPos(2000, 0).SetPos(7000, 1).ShowPane(2);
    String stored = Store(splitter);

    Splitter other;
    Ctrl a, b, c;
    other.SetRect(0, 0, 900, 100);
    other.Add(a).Add(b).Add(c);
    StringStream in(stored);
    other.ArchiveBinary(in);
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(other.GetPos(0), 2000);
    EXPECT_EQ(other.GetPos(1), 7000);
    EXPECT_EQ(other.GetShownPane(), 2);
}

TEST_F(SplitterArchive, OlderVersionsCarryTheFirstBar)
{
    const struct {
        const char* name;
        String data;
        int pos0, shown;
    } cases[] = {
        { "version 0", Bytes({ 0x01, 0x70, 0x17, 0x00, 0x00 }), 6000, -1 },
        { "version 1 with a pane", Bytes({ 0x02, 0xA0, 0x0F, 0x00, 0x00, 0x02 }), 4000, 1 },
        { "version 1, pane 3 meant all", Bytes({ 0x02, 0xA0, 0x0F, 0x00, 0x00, 0x04 }), 4000, -1 },
    };
    for(const auto& c : cases) {
        Splitter s;
        Ctrl p[2];
        s.SetRect(0, 0, 1000, 100);
        for(Ctrl& q : p)
            s.Add(q);
        s.SetPos(5000, 0);
        StringStream in(c.data);
        s.ArchiveBinary(in);
        EXPECT_FALSE(in.IsError()) << c.name;
        EXPECT_EQ(s.GetPos(0), c.pos0) << c.name;
        EXPECT_EQ(s.GetShownPane(), c.shown) << c.name;
    }
}

TEST_F(SplitterArchive, BadPositionsAreRefusedAndTheOldOnesKept)
{
    const struct {
        const char* name;
        String data;
    } cases[] = {
        { "a position above 10000", Bytes({ 0x03, 0x02, 0xE0, 0x2E, 0x00, 0x00, 0x00 }) },
        { "a negative position", Bytes({ 0x03, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x00 }) },
        { "the second of two out of range", Bytes({ 0x03, 0x03, 0x10, 0x27, 0, 0, 0x11, 0x27, 0, 0, 0x00 }) },
        { "cut short", Bytes({ 0x03, 0x03, 0x10, 0x27, 0x00 }) },
        { "a count far beyond the data", Bytes({ 0x03, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 0x10, 0x00, 0x00, 0x00 }) },
        { "a later version", Bytes({ 0x04, 0x02, 0x88, 0x13, 0x00, 0x00, 0x00 }) },
        { "nothing at all", String() },
    };
    for(const auto& c : cases) {
        Make(3, 900);
        splitter.SetPos(2000, 0).SetPos(7000, 1);
        StringStream in(c.data);
        splitter.ArchiveBinary(in);
        EXPECT_TRUE(in.IsError()) << c.name;
        EXPECT_EQ(Positions(), (std::vector<int>{ 2000, 7000 })) << c.name;
        EXPECT_EQ(panes[0].GetRectInParent().right, 178) << c.name;
        splitter.Clear();
    }
}

TEST_F(SplitterArchive, BadPositionsThrowFromAThrowingStreamWithoutChanges)
{
    Make(2, 400);
    splitter.SetPos(3000);
    StringStream in(Bytes({ 0x03, 0x02, 0xE0, 0x2E, 0x00, 0x00, 0x00 }));
    in.SetLoadThrowing();
    EXPECT_THROW(splitter.ArchiveBinary(in), LoadingError);
    EXPECT_EQ(Positions(), std::vector<int>{ 3000 });
}

TEST_F(SplitterArchive, MissingPaneIsRefusedAndAllPanesShown)
{
    Make(2, 400);
    StringStream in(Bytes({ 0x03, 0x02, 0xA0, 0x0F, 0x00, 0x00, 0x06 }));
    splitter.ArchiveBinary(in);
    EXPECT_TRUE(in.IsError());
    EXPECT_EQ(splitter.GetShownPane(), -1);
    EXPECT_TRUE(panes[0].IsVisible());
    EXPECT_TRUE(panes[1].IsVisible());
}

} // namespace
