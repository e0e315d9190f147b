// Lorvane's window on the X server: how it first shows, its layout when resized, its columns
// and the row numbers after sorting.
#include "tests/support/x11/input_window.h"

#include "app/lorvane.h"
#include "app/word_match.h"
#include "ctrl/settings/layout_zoom.h"

#include <string>

namespace {

using namespace Qor;
using namespace QorTest;

using LorvaneWindowTest = PrivateDisplayTest;

TEST_F(LorvaneWindowTest, FirstShowAtItsMinimumSizeWithContainsChosen)
{
    lorvane w;
    Size min = w.GrowByFrames(ZoomSize(668, 472));
    EXPECT_EQ(w.GetRectInParent(), Rect(Point(0, 0), min));
    OpenInput open(w, w.GetRectInParent());
    ASSERT_TRUE(open.IsOpen());
    EXPECT_EQ(w.GetTitle(), WString("Lorvane"));
    EXPECT_TRUE(w.IsSizeable());
    EXPECT_EQ(w.MinimumSize(), min);
    EXPECT_EQ(w.match.GetValue(), Value(MATCH_CONTAINS));
    EXPECT_EQ(w.match.Format(w.match.GetValue()), Value(String("Contains")));
    EXPECT_EQ(w.criteria.GetValue().ToString(), String());
    EXPECT_EQ(w.array.GetCount(), 0);
    EXPECT_TRUE(w.array.GetScrollBar().IsVisible());
    EXPECT_EQ(w.searchbutton.GetTipText(), String("Open Spreadsheet"));

    // The child order, which Tab follows, and the names the layout gives.
    std::string order;
    for(Ctrl* c = w.GetFirstChild(); c; c = c->GetNext())
        order += std::string(c->GetInfoPart(4).Begin()) + " ";
    EXPECT_EQ(order, "array criteria criterialabel provincelabel searchbutton match ");
    EXPECT_EQ(w.GetInfoPart(4), String("lorvaneLayout"));
}

TEST_F(LorvaneWindowTest, ListKeepsItsPixelMarginsWhenResized)
{
    lorvane w;
    OpenInput open(w, w.GetRectInParent());
    ASSERT_TRUE(open.IsOpen());
    Rect criteria = w.criteria.GetRectInParent();
    Size at = ZoomSize(136, 28), size = ZoomSize(164, 19);
    EXPECT_EQ(criteria, Rect(at.cx, at.cy, at.cx + size.cx, at.cy + size.cy));
    for(Size sz : { w.GetRectInParent().GetSize(), Size(900, 700) }) {
        SCOPED_TRACE(testing::Message() << sz.cx << "x" << sz.cy);
        w.SetRect(Rect(Point(0, 0), sz));
        PumpFor(100);
        Size view = w.GetViewSize();
        EXPECT_EQ(w.array.GetRectInParent(), Rect(5, 85, view.cx - 5, view.cy - 30));
        EXPECT_EQ(w.criteria.GetRectInParent(), criteria);
    }
}

TEST_F(LorvaneWindowTest, ColumnsAndRowNumbersThatFollowSorting)
{
    lorvane w;
    ASSERT_EQ(w.array.GetColumnCount(), 3);
    HeaderCtrl& h = w.array.GetHeader();
    EXPECT_TRUE(h.IsAbsoluteWidths());
    const char* const titles[] = { "", "Word", "Meaning" };
    const int widths[] = { 16, 300, 600 };
    for(int i = 0; i < 3; i++) {
        EXPECT_EQ(h.Tab(i).GetText(), String(titles[i])) << i;
        EXPECT_EQ(h.GetTabWidth(i), widths[i]) << i;
    }
    const char* const words[][2] = { { "Cherry", "c" }, { "Apple", "a" }, { "Banana", "b" } };
    for(int r = 0; r < 3; r++) {
        w.array.Set(r, 0, String(words[r][0]));
        w.array.Set(r, 1, String(words[r][1]));
    }
    auto shown = [&] {
        std::string s;
        for(int r = 0; r < w.array.GetCount(); r++)
            s += std::string(w.array.GetConvertedValue(r, 0).ToString().Begin()) +
                 w.array.Get(r, 0).ToString().Begin() + " ";
        return s;
    };
    EXPECT_EQ(shown(), "1Cherry 2Apple 3Banana ");
    w.array.OnHeaderClick(1);
    EXPECT_EQ(shown(), "1Apple 2Banana 3Cherry ");
    w.array.OnHeaderClick(1);
    EXPECT_EQ(shown(), "1Cherry 2Banana 3Apple ");
    w.array.OnHeaderClick(2);
    EXPECT_EQ(shown(), "1Apple 2Banana 3Cherry ");
}

TEST(LorvaneLineNumber, RowIndexPlusOneAsInt64)
{
    lorvane::LineNumber n;
    const struct {
        Value in;
        int64 out;
    } cases[] = { { 0, 1 }, { 41, 42 }, { int64(1) << 40, (int64(1) << 40) + 1 } };
    for(const auto& c : cases) {
        Value v = n.Format(c.in);
        EXPECT_EQ(v.GetTypeNumber(), INT64_V);
        EXPECT_EQ(v.ToInt64(), c.out);
    }
}

} // namespace
