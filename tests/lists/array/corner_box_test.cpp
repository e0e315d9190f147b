// The frame at the foot of the list's vertical scroll bar: its strip, and when the list puts
// it there.
#include "tests/lists/array/array_fixture.h"

#include "ctrl/frame/ctrl_frame.h"

namespace {

using namespace Qor;
using namespace QorTest;

TEST(CornerBox, ClaimsASquareOrItsHeightUnlessHidden)
{
    FrameBottom<ParentCtrl> box;
    Rect r(0, 0, 16, 100);
    box.FrameLayout(r);
    EXPECT_EQ(r, Rect(0, 0, 16, 84));
    EXPECT_EQ(box.GetRectInParent(), Rect(0, 84, 16, 100));
    Size sz(16, 50);
    box.FrameAddSize(sz);
    EXPECT_EQ(sz, Size(16, 66));
    box.SetFrameHeight(5);
    r = Rect(0, 0, 16, 100);
    box.FrameLayout(r);
    EXPECT_EQ(r, Rect(0, 0, 16, 95));
    box.Hide();
    sz = Size(16, 50);
    box.FrameAddSize(sz);
    EXPECT_EQ(sz, Size(16, 50));
}

TEST(CornerBox, FillsTheCornerWhileTheHeaderScrolls)
{
    ArrayCtrl list;
    list.SetRect(0, 0, 200, 150);
    list.AddColumn("wide", 500);
    list.GetHeader().SetAbsoluteWidths();
    list.ResolveLayout(1);
    ASSERT_TRUE(list.GetHeader().GetScrollBar().IsVisible());
    EXPECT_EQ(&list.GetScrollBar().GetFrame(0), static_cast<CtrlFrame*>(&list.GetCornerBox()));
    EXPECT_EQ(list.GetCornerBox().GetFrameHeight(), list.GetScrollBar().GetStyle().bar_width);
    list.SetRect(0, 0, 800, 150);
    list.ResolveLayout(1);
    ASSERT_FALSE(list.GetHeader().GetScrollBar().IsVisible());
    EXPECT_EQ(&list.GetScrollBar().GetFrame(0), &GetNullFrameInstance());
}

} // namespace
