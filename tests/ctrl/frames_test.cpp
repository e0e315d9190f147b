// Control frames: the bands they take, nested frames and their view rectangles, frames
// replaced at an index, frame controls docked in the frame area, and the frame settings.

#include "tests/ctrl/support/ctrl_probe.h"
#include "tests/draw/support/recording_draw.h"

#include "draw/look/skin_reset.h"

#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

namespace {

// A frame that takes n on every side and journals its life.
struct BandFrame : CtrlFrame {
    BandFrame(const char* name, int n, Journal& j) : name(name), n(n), j(j) {}
    std::string name;
    int n;
    Journal& j;
    void LayOut(Rect& r) override { r.Deflate(n); }
    void AddSize(Size& sz) override
    {
        j.push_back(name + ":AddSize");
        sz.cx += 2 * n;
        sz.cy += 2 * n;
    }
    void AddedTo(Ctrl&) override { j.push_back(name + ":AddedTo"); }
    void RemovedFrom() override { j.push_back(name + ":RemovedFrom"); }
    int OverpaintMargin() const override { return n; }
};

TEST(BorderFrames, TakeTheirRingsOnlyWhenThereIsRoom)
{
    BorderFrame two(GetSunkenBorder());
    struct Case {
        Rect r;
        Rect laid;
        int painted_rects;
    } cases[] = {
        { Rect(0, 0, 3, 10), Rect(0, 0, 3, 10), 0 }, { Rect(0, 0, 10, 3), Rect(0, 0, 10, 3), 0 },
        { Rect(0, 0, 4, 4), Rect(2, 2, 2, 2), 8 },   { Rect(5, 5, 25, 15), Rect(7, 7, 23, 13), 8 },
        { Rect(0, 0, 0, 0), Rect(0, 0, 0, 0), 0 },   { Rect(0, 0, -5, -5), Rect(0, 0, -5, -5), 0 },
    };
    for(const Case& c : cases) {
        Rect r = c.r;
        two.LayOut(r);
        EXPECT_EQ(r, c.laid) << Describe(c.r);
        RecordingDraw w;
        two.PaintFrame(w, c.r);
        EXPECT_EQ(int(w.log.size()), c.painted_rects) << Describe(c.r);
    }
    Size sz(10, 20);
    two.AddSize(sz);
    EXPECT_EQ(sz, Size(14, 24));
}

Color shade;
Color Shade() { return shade; }

TEST(BorderFrames, ColoursAreAskedAtEveryPaint)
{
    static const BorderRing ring{ Shade, Shade, Shade, Shade };
    static const BorderTable table{ 1, &ring };
    BorderFrame frame(&table);
    shade = Color(1, 2, 3);
    RecordingDraw first;
    frame.PaintFrame(first, Rect(0, 0, 10, 10));
    shade = Color(200, 100, 50);
    RecordingDraw second;
    frame.PaintFrame(second, Rect(0, 0, 10, 10));
    ASSERT_EQ(first.log.size(), 4u);
    ASSERT_EQ(second.log.size(), 4u);
    for(size_t i = 0; i < 4; i++)
        EXPECT_NE(first.log[i], second.log[i]);
}

TEST(FieldFrame, TakesTwoWhateverTheSize)
{
    XPFieldFrameCls field;
    Rect r(0, 0, 3, 3);
    field.LayOut(r);
    EXPECT_EQ(r, Rect(2, 2, 1, 1));
    Size sz(0, 0);
    field.AddSize(sz);
    EXPECT_EQ(sz, Size(4, 4));
    RecordingDraw w;
    field.PaintFrame(w, Rect(0, 0, 20, 10));
    EXPECT_FALSE(w.log.empty());
}

TEST(FrameSingletons, EditFrameFollowsTheLookStyleLevel)
{
    SeamsScope seams;
    Rect r(0, 0, 3, 3);
    GetEditFrame().LayOut(r); // the sunken border keeps a too-small rectangle
    EXPECT_EQ(r, Rect(0, 0, 3, 3));
    GetCtrlCoreSeams().look_style_level = [] { return 2; };
    GetEditFrame().LayOut(r);
    EXPECT_EQ(r, Rect(2, 2, 1, 1));
    EXPECT_EQ(&GetNullFrameInstance(), &GetNullFrameInstance());
    Rect big(0, 0, 10, 10);
    GetRaisedFrame().LayOut(big);
    EXPECT_EQ(big, Rect(2, 2, 8, 8));
    GetBlackLineFrame().LayOut(big);
    GetSunkenLineFrame().LayOut(big);
    EXPECT_EQ(big, Rect(4, 4, 6, 6));
}

struct FrameFixture : testing::Test {
    SeamsScope seams;
    Journal j;
    Probe c{ "C", j };
};

TEST_F(FrameFixture, SetFrameChangesTheViewAndNotifies)
{
    BorderFrame one(GetBlackBorder());
    c.SetRect(0, 0, 100, 50);
    j.clear();
    c.SetFrame(0, one);
    EXPECT_EQ(c.GetViewRect(), Rect(1, 1, 99, 49));
    EXPECT_EQ(j, (Journal{ "C:State101", "C:Layout" }));
    Probe tiny("T", j);
    tiny.SetRect(0, 0, 1, 1);
    j.clear();
    tiny.SetFrame(0, one);
    EXPECT_EQ(tiny.GetViewRect(), Rect(0, 0, 1, 1));
    EXPECT_TRUE(j.empty());
}

TEST_F(FrameFixture, SetFramePastTheEndFillsWithNullFrames)
{
    BandFrame f("F", 1, j);
    c.SetFrame(2, f);
    ASSERT_EQ(c.GetFrameCount(), 3);
    EXPECT_EQ(&c.GetFrame(0), &GetNullFrameInstance());
    EXPECT_EQ(&c.GetFrame(1), &GetNullFrameInstance());
    EXPECT_EQ(&c.GetFrame(2), &f);
}

TEST_F(FrameFixture, NestedFramesLeaveTheirRectanglesInTheEntries)
{
    BandFrame outer("O", 1, j), middle("M", 2, j), inner("I", 3, j);
    c.SetRect(0, 0, 100, 60);
    c.SetFrame(outer);
    c.AddFrame(middle);
    c.AddFrame(inner);
    ASSERT_EQ(c.GetFrameCount(), 3);
    EXPECT_EQ(c.GetFrameEntry(0).GetRect(), Rect(1, 1, 99, 59));
    EXPECT_EQ(c.GetFrameEntry(1).GetRect(), Rect(3, 3, 97, 57));
    EXPECT_EQ(c.GetFrameEntry(2).GetRect(), Rect(6, 6, 94, 54));
    EXPECT_EQ(c.GetViewRect(), Rect(6, 6, 94, 54));
    EXPECT_EQ(c.GetOverpaintByte(), 3);
    j.clear();
    EXPECT_EQ(c.GrowByFrames(Size(1, 1)), Size(13, 13));
    EXPECT_EQ(j, (Journal{ "I:AddSize", "M:AddSize", "O:AddSize" }));
    // A view child is placed inside the innermost frame.
    Ctrl child;
    c.AppendChild(child);
    child.FillParent();
    EXPECT_EQ(child.GetRectInParent(), Rect(0, 0, 88, 48));
}

TEST_F(FrameFixture, ReplacingAFrameRemovesTheOldOne)
{
    BandFrame a("A", 1, j), b("B", 2, j);
    c.SetRect(0, 0, 50, 50);
    j.clear();
    c.AddFrame(a);
    c.SetFrame(1, b);
    EXPECT_EQ(
        j, (Journal{ "A:AddedTo", "C:State101", "C:Layout", "A:RemovedFrom", "B:AddedTo", "C:State101", "C:Layout" }));
    EXPECT_EQ(c.GetViewRect(), Rect(2, 2, 48, 48));
    j.clear();
    c.SetFrame(1, GetNullFrameInstance());
    EXPECT_EQ(c.GetViewRect(), Rect(0, 0, 50, 50));
    EXPECT_EQ(j, (Journal{ "B:RemovedFrom", "C:State101", "C:Layout" }));
}

// A frame that docks a control along the top of its owner.
struct StripFrame : CtrlFrame {
    Ctrl* strip = nullptr;
    void LayOut(Rect& r) override { DockCtrlTop(r, strip, 10); }
    void AddSize(Size& sz) override { sz.cy += strip && strip->IsVisible() ? 10 : 0; }
};

TEST_F(FrameFixture, HiddenFrameControlGivesUpItsBand)
{
    StripFrame frame;
    Probe strip("S", j);
    frame.strip = &strip;
    c.SetRect(0, 0, 100, 60);
    c.AppendChild(strip);
    c.SetFrame(frame);
    EXPECT_TRUE(strip.IsInFrameArea());
    EXPECT_EQ(strip.GetRectInParent(), Rect(0, 0, 100, 10));
    EXPECT_EQ(c.GetViewRect(), Rect(0, 10, 100, 60));
    j.clear();
    strip.Hide();
    EXPECT_EQ(c.GetViewRect(), Rect(0, 0, 100, 60));
    EXPECT_EQ(strip.GetRectInParent(), Rect(0, 0, 100, 0));
    EXPECT_EQ(j, (Journal{ "S:State13", "S:State101", "S:Layout", "S:State100", "C:State101", "C:Layout" }));
}

TEST(Docking, EachSideTakesItsBand)
{
    SeamsScope seams;
    Ctrl parent, c;
    parent.SetRect(0, 0, 100, 100);
    parent.AppendChild(c);
    struct Case {
        void (*dock)(Rect&, Ctrl*, int);
        bool visible;
        Rect placed;
        Rect left;
    } cases[] = {
        { DockCtrlLeft, true, Rect(10, 20, 15, 80), Rect(15, 20, 90, 80) },
        { DockCtrlRight, true, Rect(85, 20, 90, 80), Rect(10, 20, 85, 80) },
        { DockCtrlTop, true, Rect(10, 20, 90, 25), Rect(10, 25, 90, 80) },
        { DockCtrlBottom, true, Rect(10, 75, 90, 80), Rect(10, 20, 90, 75) },
        { DockCtrlRight, false, Rect(90, 20, 90, 80), Rect(10, 20, 90, 80) },
        { DockCtrlTop, false, Rect(10, 20, 90, 20), Rect(10, 20, 90, 80) },
    };
    for(const Case& k : cases) {
        c.Show(k.visible);
        Rect r(10, 20, 90, 80);
        k.dock(r, &c, 5);
        EXPECT_EQ(r, k.left);
        EXPECT_EQ(c.GetRectInParent(), k.placed);
        EXPECT_TRUE(c.IsInFrameArea());
        Rect untouched(10, 20, 90, 80);
        k.dock(untouched, nullptr, 5);
        EXPECT_EQ(untouched, Rect(10, 20, 90, 80));
    }
}

TEST(FrameSettings, DefaultsComeBackAfterASkinChange)
{
    EXPECT_EQ(GetCtrlMinHeightMargin(), 0);
    EXPECT_EQ(GetStdScrollBarWidth(), 17);
    EXPECT_EQ(GetStdScrollArrowSize(), 17);
    EXPECT_EQ(GetFieldFrameEdgeColor(), MixColors(SysColorHighlight(), SysColorShadow(), 128));
    EXPECT_EQ(GetMenuBarFrameLook(), Value(SysColorShadow()));
    EXPECT_EQ(GetToolBarFrameLook(), Value(SysColorLight()));
    SetCtrlMinHeightMargin(3);
    SetStdScrollBarWidth(20);
    SetFieldFrameEdgeColor(Color(1, 2, 3));
    EXPECT_EQ(GetCtrlMinHeightMargin(), 3);
    EXPECT_EQ(GetStdScrollArrowSize(), 17); // built before the width changed
    EXPECT_EQ(GetFieldFrameEdgeColor(), Color(1, 2, 3));
    EXPECT_TRUE(IsLookModified());
    ResetThemeStatics();
    EXPECT_EQ(GetCtrlMinHeightMargin(), 0);
    EXPECT_EQ(GetStdScrollBarWidth(), 17);
    EXPECT_EQ(GetFieldFrameEdgeColor(), MixColors(SysColorHighlight(), SysColorShadow(), 128));
}

TEST(FrameSettings, MinimumHeightMarginCountsTwice)
{
    Ctrl c;
    int base = c.MinimumSize().cy;
    SetCtrlMinHeightMargin(4);
    EXPECT_EQ(c.MinimumSize().cy, base + 8);
    ResetThemeStatics();
}

} // namespace
