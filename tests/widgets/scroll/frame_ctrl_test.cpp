// Frame controls without a window: a size grip docked as a frame takes its band at the
// right edge, the standard scroll-bar width when its size is 0, and nothing when hidden.
#include "widgets/scroll/size_grip.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;

TEST(FrameRight, DocksItsWidthAtTheRightEdge)
{
    const struct {
        int size;
        bool visible;
        Rect view;
        Size grown;
    } cases[] = {
        { 14, true, Rect(0, 0, 186, 100), Size(64, 50) },
        // 0: the standard scroll-bar width in layout, the height being grown in add size.
        { 0, true, Rect(0, 0, 183, 100), Size(100, 50) },
        { 14, false, Rect(0, 0, 200, 100), Size(50, 50) },
    };
    for(const auto& c : cases) {
        Ctrl view;
        SizeGrip grip;
        grip.SetSize(c.size);
        grip.SetVisible(c.visible);
        view.SetRect(0, 0, 200, 100);
        view.AddFrame(grip);
        view.ResolveLayout(2);
        EXPECT_EQ(grip.GetParent(), &view) << c.size;
        EXPECT_EQ(view.GetViewRect(), c.view) << c.size << " " << c.visible;
        EXPECT_EQ(view.GrowByFrames(Size(50, 50)), c.grown) << c.size << " " << c.visible;
        if(c.visible) {
            EXPECT_EQ(grip.GetRectInParent(), Rect(c.view.right, 0, 200, 100)) << c.size;
        }
    }
}

TEST(FrameRight, RemovedFrameLeavesTheControl)
{
    Ctrl view;
    SizeGrip grip;
    view.AddFrame(grip);
    ASSERT_EQ(grip.GetParent(), &view);
    view.SetFrame(1, GetNullFrameInstance());
    EXPECT_EQ(grip.GetParent(), nullptr);
}

TEST(SizeGrip, SitsInTheCornerAndIsInactiveWithoutAWindow)
{
    Ctrl parent;
    SizeGrip grip;
    parent.SetRect(0, 0, 300, 200);
    parent.AppendChild(grip);
    parent.ResolveLayout(2);
    EXPECT_EQ(grip.GetRectInParent(), Rect(288, 188, 300, 200));
    EXPECT_TRUE(grip.IsTransparent());
    EXPECT_FALSE(grip.WantsFocus());
    EXPECT_FALSE(grip.IsActive());
}

} // namespace
