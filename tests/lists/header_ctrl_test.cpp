// HeaderCtrl without a window: tabs, order, identity indexes, width modes, its stored
// layout and the notifications of each.

#include "lists/header/header_ctrl.h"

#include "foundation/stream.h"
#include "foundation/string_stream.h"
#include "tests/support/lambda_callback.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

using namespace Qor;

namespace {

// A callback that counts its calls in n.
Qor::Callback Count(int& n)
{
    return QorTest::Lambda([&n] { n++; });
}

// A header 400 pixels wide with tabs "A", "B", "C" of ratios 1, 1, 2, counting layout notices.
class HeaderModelTest : public ::testing::Test {
protected:
    HeaderCtrl header;
    int layouts = 0;

    void SetUp() override
    {
        header.SetRect(0, 0, 400, 20);
        header.Add("A", 1);
        header.Add("B", 1);
        header.Add("C", 2);
        header.WhenLayout = Count(layouts);
    }

    std::string Order() const
    {
        std::string s;
        for(int i = 0; i < header.GetCount(); i++)
            s += Std(header.Tab(i).GetText());
        return s;
    }
    std::vector<int> Widths()
    {
        std::vector<int> w;
        for(int i = 0; i < header.GetCount(); i++)
            w.push_back(header.GetTabWidth(i));
        return w;
    }
    std::string Stored()
    {
        StringStream out;
        header.Serialize(out);
        return Std(out.GetText());
    }
    bool Load(const std::string& data)
    {
        StringStream in(String(data.data(), (int)data.size()));
        in.SetLoading();
        header.Serialize(in);
        return !in.IsError();
    }
};

TEST_F(HeaderModelTest, AddedTabsShareTheWidthByRatio)
{
    EXPECT_EQ(Widths(), (std::vector<int>{ 100, 100, 200 }));
    EXPECT_EQ(header.GetTabRect(2), Rect(200, 0, 400, 20));
    HeaderCtrl::Column& d = header.Add("D", 0);
    EXPECT_EQ(d.GetRatio(), 1) << "a ratio of 0 counts as 1";
    EXPECT_EQ(d.GetIndex(), 3);
    EXPECT_EQ(d.GetOwner(), &header);
    EXPECT_EQ(Widths(), (std::vector<int>{ 80, 80, 160, 80 }));
}

TEST_F(HeaderModelTest, TabGrowsTheListWithDefaultTabs)
{
    HeaderCtrl::Column& t = header.Tab(5);
    EXPECT_EQ(header.GetCount(), 6);
    EXPECT_EQ(t.GetIndex(), 5);
    EXPECT_EQ(header.Tab(4).GetRatio(), 1);
    EXPECT_TRUE(header.Tab(4).IsShown());
    EXPECT_EQ(header.Tab(4).GetMargin(), 4);
    EXPECT_EQ(header.Tab(4).GetMaxWidth(), INT_MAX);
    EXPECT_EQ(header.GetTabRect(5).right, 400) << "the grown tabs join the layout";
}

TEST_F(HeaderModelTest, MovingTabsCountsPositionsBeforeTheRemoval)
{
    struct Case {
        int from, to;
        const char* order;
    } cases[] = { { 0, 2, "BAC" }, { 0, 3, "BCA" }, { 2, 0, "CAB" }, { 1, 1, "ABC" }, { 1, 2, "ABC" } };
    for(const Case& c : cases) {
        header.Reset();
        header.Add("A", 1);
        header.Add("B", 1);
        header.Add("C", 2);
        int before = layouts;
        header.MoveTab(c.from, c.to);
        EXPECT_EQ(Order(), c.order) << c.from << " to " << c.to;
        EXPECT_EQ(layouts, before + 1) << "a move, even onto itself, tells the owner";
    }
}

TEST_F(HeaderModelTest, IdentityIndexesTravelWithTheTabs)
{
    header.MoveTab(0, 3);
    EXPECT_EQ(Order(), "BCA");
    EXPECT_EQ(header.FindIndex(0), 2);
    EXPECT_EQ(header.FindIndex(2), 1);
    EXPECT_EQ(header.FindIndex(7), -1);
    EXPECT_EQ(Widths(), (std::vector<int>{ 100, 200, 100 }));
}

TEST_F(HeaderModelTest, MarginChangesNotifyOnlyWhenDifferent)
{
    int before = layouts;
    header.Tab(0).SetMargin(4);
    EXPECT_EQ(layouts, before);
    header.Tab(0).SetMargin(6);
    EXPECT_EQ(layouts, before + 1);
    header.Tab(1).SetText("Bee");
    EXPECT_EQ(layouts, before + 2);
}

TEST_F(HeaderModelTest, HiddenHeaderTakesNoHeight)
{
    int cy = header.GetHeight();
    EXPECT_GT(cy, 4) << "the titles' height plus 4";
    Size sz(0, 0);
    header.AddSize(sz);
    EXPECT_EQ(sz.cy, cy);
    header.SetHidden();
    EXPECT_EQ(header.GetHeight(), 0);
    sz = Size(0, 0);
    header.AddSize(sz);
    EXPECT_EQ(sz.cy, 0);
    HeaderCtrl empty;
    EXPECT_EQ(empty.GetHeight(), 4);
}

TEST_F(HeaderModelTest, ResetStartsOver)
{
    header.SetAbsoluteWidths().AllowTabMoving().SetHidden();
    header.Reset();
    EXPECT_EQ(header.GetCount(), 0);
    EXPECT_FALSE(header.IsAbsoluteWidths());
    EXPECT_FALSE(header.IsTabMovingAllowed());
    EXPECT_FALSE(header.IsHidden());
}

TEST_F(HeaderModelTest, StoredLayoutRestoresOrderWidthsAndVisibility)
{
    header.ResizeTab(0, 150);
    std::vector<int> widths = Widths();
    std::string data = Stored();
    EXPECT_EQ(data.size(), 2u + 3 * 13);
    EXPECT_EQ((byte)data[0], 4) << "version 3, packed";
    EXPECT_EQ((byte)data[1], 4) << "three tabs, packed";

    header.MoveTab(0, 3);
    header.MoveTab(0, 2);
    header.ResizeTab(0, 30);
    ASSERT_NE(Order(), "ABC");
    int before = layouts;
    EXPECT_TRUE(Load(data));
    EXPECT_EQ(Order(), "ABC");
    EXPECT_EQ(Widths(), widths);
    EXPECT_GT(layouts, before);
    EXPECT_EQ(Stored(), data) << "the same sequence leaves the tabs unchanged";
}

TEST_F(HeaderModelTest, StoredVisibilityHidesTabs)
{
    std::string data = Stored();
    // Entry 1 (tab "B"): its visible byte is the last of its 13 bytes.
    data[2 + 13 + 12] = 0;
    EXPECT_TRUE(Load(data));
    EXPECT_FALSE(header.Tab(1).IsShown());
    EXPECT_EQ(Widths(), (std::vector<int>{ 133, 0, 267 }));
}

// The mended fault: data that cannot apply is an error and leaves the header as it was.
TEST_F(HeaderModelTest, BadStoredLayoutChangesNothing)
{
    header.MoveTab(0, 3);
    header.ResizeTab(0, 150);
    std::string good = Stored();
    std::vector<int> widths = Widths();
    auto with_ratio = [&](int entry, double r) {
        std::string d = good;
        std::memcpy(&d[2 + 13 * entry + 4], &r, 8);
        return d;
    };
    HeaderCtrl two;
    two.Add("X", 1);
    two.Add("Y", 1);
    StringStream two_out;
    two.Serialize(two_out);
    struct Case {
        const char* name;
        std::string data;
    } cases[] = {
        { "NaN", with_ratio(1, std::numeric_limits<double>::quiet_NaN()) },
        { "negative", with_ratio(0, -1) },
        { "infinite", with_ratio(2, std::numeric_limits<double>::infinity()) },
        { "other tab count", Std(two_out.GetText()) },
    };
    header.MoveTab(2, 0);
    std::string order = Order();
    widths = Widths();
    for(const Case& c : cases) {
        int before = layouts;
        EXPECT_FALSE(Load(c.data)) << c.name;
        EXPECT_EQ(Order(), order) << c.name;
        EXPECT_EQ(Widths(), widths) << c.name;
        EXPECT_EQ(layouts, before) << c.name;
        for(int i = 0; i < header.GetCount(); i++)
            EXPECT_TRUE(std::isfinite(header.Tab(i).GetRatio()) && header.Tab(i).GetRatio() >= 0) << c.name;
    }
}

TEST_F(HeaderModelTest, AbsoluteWidthsDriveTheScrollBar)
{
    HeaderCtrl h;
    h.SetRect(0, 0, 500, 20);
    h.SetAbsoluteWidths();
    h.Add("a", 16);
    h.Add("b", 300);
    h.Add("c", 600);
    EXPECT_EQ(h.GetTabRect(2), Rect(316, 0, 916, 20));
    EXPECT_EQ(h.GetScrollBar().GetTotal(), 916);
    h.ResizeTab(2, 100);
    EXPECT_EQ(h.GetTabRect(2), Rect(316, 0, 416, 20));
    EXPECT_EQ(h.Tab(2).GetRatio(), 100);
    EXPECT_EQ(h.GetScrollBar().GetTotal(), 416) << "resizing re-derives the total";
}

// A hidden tab takes no room, so the bar does not scroll into empty space for it.
TEST_F(HeaderModelTest, HiddenTabsAddNothingToTheScrollTotal)
{
    std::string data = Stored();
    data[2 + 13 * 2 + 12] = 0;
    ASSERT_TRUE(Load(data));
    header.SetAbsoluteWidths();
    EXPECT_EQ(header.GetScrollBar().GetTotal(), 2);
    header.Reset();
    header.Add("x", 700);
    EXPECT_EQ(header.GetScrollBar().GetTotal(), 0) << "proportional widths never scroll";
}

} // namespace
