// Logical positions: the word encoding, the resolution of each alignment as tables of
// cases, the special sizes, the setters and the queries in parent and screen coordinates.

#include "tests/ctrl/support/ctrl_probe.h"

#include "draw/font/font_metrics.h"

#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

namespace {

// A 1024 x 768 screen.
struct ScreenPlatform : Platform {
    bool HasScreen() const override { return true; }
    Rect GetScreenRect() override { return Rect(0, 0, 1024, 768); }
};

} // namespace

namespace {

TEST(LogicalPosWord, ValuesWrapToFifteenBitsAndSignExtend)
{
    struct Case {
        int a, b;
        int read_a, read_b;
    } cases[] = {
        { 0, 0, 0, 0 },
        { 16383, -16384, 16383, -16384 },
        { -1, -2, -1, -2 },
        { 16384, 32768, -16384, 0 }, // only the low 15 bits are kept
        { -16385, 40000, 16383, 7232 },
    };
    for(const Case& c : cases)
        for(int align = 0; align < 4; align++) {
            dword w = MakeLogicalPosWord(align, c.a, c.b);
            EXPECT_EQ(GetLogicalPosAlign(w), align);
            EXPECT_EQ(GetLogicalPosA(w), c.read_a) << c.a;
            EXPECT_EQ(GetLogicalPosB(w), c.read_b) << c.b;
        }
    EXPECT_EQ(MakeLogicalPosWord(ALIGN_NEAR, 0, 0), LOGPOS_DEFAULT);
    EXPECT_EQ(MakeLogicalPosWord(ALIGN_BOTH, 0, 0), LOGPOS_FILL);
}

TEST(LogicalPosWord, Emptiness)
{
    struct Case {
        int align, a, b;
        bool empty;
    } cases[] = {
        { ALIGN_NEAR, 0, 0, true },  { ALIGN_NEAR, 5, 1, false },  { ALIGN_NEAR, 5, -1, true },
        { ALIGN_FAR, 0, 10, false }, { ALIGN_CENTER, 0, 0, true }, { ALIGN_BOTH, 3, 3, true },
        { ALIGN_BOTH, 3, 4, false }, { ALIGN_BOTH, 4, 3, true },
    };
    for(const Case& c : cases)
        EXPECT_EQ(IsLogicalPosEmpty(MakeLogicalPosWord(c.align, c.a, c.b)), c.empty)
            << c.align << " " << c.a << " " << c.b;
    EXPECT_TRUE(IsLogicalPosEmpty(LOGPOS_DEFAULT));
}

TEST(LogicalPosWord, ResolvesEachAlignment)
{
    LogicalPosSizes sizes{ 7, 70, 700 };
    struct Case {
        int align, a, b, extent;
        int64 near, far;
    } cases[] = {
        { ALIGN_NEAR, 10, 50, 200, 10, 60 },
        { ALIGN_NEAR, -10, 50, 200, -10, 40 },
        { ALIGN_NEAR, 10, -5, 200, 10, 10 }, // a negative size is empty
        { ALIGN_NEAR, 10, 0, 200, 10, 10 },
        { ALIGN_FAR, 10, 50, 200, 140, 190 },
        { ALIGN_FAR, 10, 50, 0, -60, -10 },
        { ALIGN_BOTH, 10, 20, 200, 10, 180 },
        { ALIGN_BOTH, 10, 20, 25, 10, 10 }, // size -5 counts as 0
        { ALIGN_BOTH, 0, 0, 0, 0, 0 },
        { ALIGN_CENTER, 0, 50, 201, 75, 125 },
        { ALIGN_CENTER, -10, 50, 201, 65, 115 },
        { ALIGN_CENTER, 0, 51, 0, -25, 26 }, // -51 / 2 truncates toward zero
        { ALIGN_NEAR, 0, POS_MINSIZE, 100, 0, 7 },
        { ALIGN_NEAR, POS_STDSIZE, POS_MAXSIZE, 100, 70, 770 },
        { ALIGN_FAR, 0, POS_STDSIZE, 100, 30, 100 },
        { ALIGN_BOTH, 16383, 16383, 16383, 16383, 16383 },
        { ALIGN_FAR, -16384, 16383, 16383, 16384, 32767 },
    };
    for(const Case& c : cases) {
        AxisPlacement p = ResolveLogicalPosWord(MakeLogicalPosWord(c.align, c.a, c.b), c.extent, sizes);
        EXPECT_EQ(p.near, c.near) << c.align << " " << c.a << " " << c.b << " in " << c.extent;
        EXPECT_EQ(p.far, c.far) << c.align << " " << c.a << " " << c.b << " in " << c.extent;
    }
}

TEST(LogicalPosWord, HugeSpecialSizesDoNotOverflow)
{
    LogicalPosSizes sizes{ INT32_MAX, INT32_MAX, INT32_MAX };
    AxisPlacement p = ResolveLogicalPosWord(MakeLogicalPosWord(ALIGN_FAR, POS_MAXSIZE, POS_MAXSIZE), 100, sizes);
    EXPECT_EQ(p.near, 100 - 2 * int64(INT32_MAX));
    EXPECT_EQ(p.far, 100 - int64(INT32_MAX));
}

// A control whose size operations answer fixed sizes.
struct Sized : Ctrl {
    Size MinimumSize() const override { return Size(11, 12); }
    Size StandardSize() const override { return Size(21, 22); }
    Size MaximumSize() const override { return Size(31, 32); }
};

struct PlacementFixture : testing::Test {
    SeamsScope seams;
    Ctrl parent;
    Sized child;
    void SetUp() override
    {
        parent.SetRect(0, 0, 200, 100);
        parent.AppendChild(child);
    }
};

TEST_F(PlacementFixture, SettersResolveInTheParentsView)
{
    struct Case {
        const char* what;
        void (*set)(Ctrl&);
        Rect rect;
    } cases[] = {
        { "PlaceRight", [](Ctrl& c) { c.PlaceRight(10, 50).PlaceTop(5, 20); }, Rect(140, 5, 190, 25) },
        { "PlaceBottom", [](Ctrl& c) { c.PlaceLeft(3, 4).PlaceBottom(10, 20); }, Rect(3, 70, 7, 90) },
        { "Stretch", [](Ctrl& c) { c.StretchHorizontal(10, 20).StretchVertical(1, 2); }, Rect(10, 1, 180, 98) },
        { "StretchPast", [](Ctrl& c) { c.StretchHorizontal(150, 60).StretchVertical(0, 0); }, Rect(150, 0, 150, 100) },
        { "Centre", [](Ctrl& c) { c.CentreHorizontal(50, 0).CentreVertical(10, -10); }, Rect(75, 35, 125, 45) },
        { "SetRect", [](Ctrl& c) { c.SetRect(Rect(1, 2, 11, 22)); }, Rect(1, 2, 11, 22) },
        { "NegativeSize", [](Ctrl& c) { c.SetRect(5, 6, -10, -1); }, Rect(5, 6, 5, 6) },
        { "Min", [](Ctrl& c) { c.SetRect(0, 0, POS_MINSIZE, POS_MINSIZE); }, Rect(0, 0, 11, 12) },
        { "Std", [](Ctrl& c) { c.SetRect(0, 0, POS_STDSIZE, POS_STDSIZE); }, Rect(0, 0, 21, 22) },
        { "Max", [](Ctrl& c) { c.PlaceRight(0, POS_MAXSIZE).PlaceBottom(0, POS_MAXSIZE); }, Rect(169, 68, 200, 100) },
        { "Fill", [](Ctrl& c) { c.FillParent(); }, Rect(0, 0, 200, 100) },
    };
    for(const Case& c : cases) {
        c.set(child);
        EXPECT_EQ(child.GetRectInParent(), c.rect) << c.what;
        EXPECT_FALSE(child.IsInFrameArea()) << c.what;
    }
}

TEST_F(PlacementFixture, CoordinatesWrapAtTheRecordsRange)
{
    Ctrl big;
    big.SetRect(0, 0, 16000, 16000);
    big.AppendChild(child);
    child.PlaceRight(-16000, 16000); // far past the int16 range: left 16000, right 32000
    EXPECT_EQ(child.GetRectInParent().left, 16000);
    EXPECT_EQ(child.GetRectInParent().right, 32000);
    child.PlaceRight(-16384, 16383);
    EXPECT_EQ(child.GetRectInParent().left, 16001);
    EXPECT_EQ(child.GetRectInParent().right, int16(16001 + 16383));
}

TEST_F(PlacementFixture, FillParentInFrameAreaCoversTheWholeRectangle)
{
    BorderFrame border(GetBlackBorder());
    parent.SetFrame(border);
    Ctrl view_child;
    parent.AppendChild(view_child);
    view_child.FillParent();
    EXPECT_EQ(view_child.GetRectInParent(), Rect(0, 0, 198, 98));
    child.SetFrameRect(0, 0, 0, 0);
    child.SetPos(LogicalPos{ LOGPOS_FILL, LOGPOS_FILL }, true);
    EXPECT_EQ(child.GetRectInParent(), Rect(0, 0, 200, 100));
    EXPECT_TRUE(child.IsInFrameArea());
}

TEST_F(PlacementFixture, UnchangedSetterDoesNothingUnlessItLeavesTheFrameArea)
{
    Journal j;
    Probe p("P", j);
    parent.AppendChild(p);
    p.SetRect(1, 2, 3, 4);
    j.clear();
    p.SetRect(1, 2, 3, 4);
    EXPECT_TRUE(j.empty());
    p.SetFrameRect(1, 2, 3, 4);
    EXPECT_EQ(j, (Journal{ "P:State100" }));
    EXPECT_TRUE(p.IsInFrameArea());
    j.clear();
    p.SetRect(1, 2, 3, 4);
    EXPECT_EQ(j, (Journal{ "P:State100" }));
    EXPECT_FALSE(p.IsInFrameArea());
}

TEST_F(PlacementFixture, PositionChangeLaysOutAndNotifies)
{
    Journal j;
    Probe p("P", j);
    parent.AppendChild(p);
    j.clear();
    p.SetRect(0, 0, 10, 10);
    EXPECT_EQ(j, (Journal{ "P:State101", "P:Layout", "P:State100" }));
    j.clear();
    p.SetRect(5, 5, 10, 10); // moved, same size: the view is unchanged
    EXPECT_EQ(j, (Journal{ "P:State100" }));
}

TEST_F(PlacementFixture, ZoomedSettersGoThroughTheZoom)
{
    GetCtrlCoreSeams().zoom_x = [](int x) { return 2 * x; };
    GetCtrlCoreSeams().zoom_y = [](int y) { return 3 * y; };
    child.PlaceLeftZoomed(1, 10).PlaceTopZoomed(1, 10);
    EXPECT_EQ(child.GetRectInParent(), Rect(2, 3, 22, 33));
    child.PlaceRightZoomed(1, 10).PlaceBottomZoomed(1, 10);
    EXPECT_EQ(child.GetRectInParent(), Rect(178, 67, 198, 97));
    child.StretchHorizontalZoomed(5, 5).StretchVerticalZoomed(5, 5);
    EXPECT_EQ(child.GetRectInParent(), Rect(10, 15, 190, 85));
    child.CentreHorizontalZoomed(20, 5);
    EXPECT_EQ(child.GetRectInParent().left, 10 + 80);
}

TEST_F(PlacementFixture, OpenTopLevelControlAsksTheWindowSystem)
{
    static Rect asked;
    asked = Rect();
    GetCtrlCoreSeams().set_window_rect = [](Ctrl&, const Rect& r) { asked = r; };
    struct Desktop : Platform {
        Rect GetWorkArea() override { return Rect(0, 0, 1000, 800); }
    } desktop;
    PlatformScope installed(desktop);
    Journal j;
    Probe top("T", j);
    top.SetRect(0, 0, 100, 100);
    OpenWindow w(top);
    j.clear();
    top.PlaceRight(10, 300);
    EXPECT_EQ(asked, Rect(690, 0, 990, 100));
    EXPECT_EQ(j, (Journal{ "T:State100" }));
    // The stored words wait for the window system's answer.
    EXPECT_EQ(top.GetRectInParent(), Rect(0, 0, 100, 100));
    top.AdoptRect(Rect(690, 0, 990, 100));
    EXPECT_EQ(top.GetRectInParent(), Rect(690, 0, 990, 100));
    EXPECT_EQ(GetLogicalPosAlign(top.GetLogicalPos().x), ALIGN_NEAR);
}

TEST_F(PlacementFixture, ScreenRectanglesFollowTheAncestors)
{
    BorderFrame border(GetBlackBorder());
    parent.SetRect(100, 50, 200, 100);
    parent.SetFrame(border);
    child.SetRect(10, 20, 30, 40);
    child.SetFrame(border);
    EXPECT_EQ(parent.GetRectOnScreen(), Rect(100, 50, 300, 150));
    EXPECT_EQ(parent.GetViewRectOnScreen(), Rect(101, 51, 299, 149));
    EXPECT_EQ(child.GetRectOnScreen(), Rect(111, 71, 141, 111));
    EXPECT_EQ(child.GetViewRectOnScreen(), Rect(112, 72, 140, 110));
    Ctrl framed;
    parent.AppendChild(framed);
    framed.SetFrameRect(0, 0, 5, 5);
    EXPECT_EQ(framed.GetRectOnScreen(), Rect(100, 50, 105, 55));
}

TEST_F(PlacementFixture, VisibleRectanglesAreClippedByAncestorsAndScreen)
{
    ScreenPlatform screen;
    PlatformScope installed(screen);
    BorderFrame border(GetBlackBorder());
    parent.SetRect(-50, 10, 200, 100);
    child.SetFrame(border);
    struct Case {
        Rect placed;
        Rect visible;
        Rect view;
    } cases[] = {
        { Rect(60, 10, 80, 30), Rect(10, 20, 30, 40), Rect(11, 21, 29, 39) },
        // Cut on the left by the screen: the view keeps its true left edge.
        { Rect(0, 0, 60, 20), Rect(0, 10, 10, 30), Rect(0, 11, 9, 29) },
        // Cut on the right by the parent.
        { Rect(190, 0, 230, 20), Rect(140, 10, 150, 30), Rect(141, 11, 150, 29) },
        // Outside the parent: nothing visible, never inverted.
        { Rect(300, 0, 320, 20), Rect(250, 10, 250, 30), Rect(251, 11, 251, 29) },
    };
    for(const Case& c : cases) {
        child.SetRect(c.placed);
        EXPECT_EQ(child.GetVisibleScreenRect(), c.visible) << Describe(c.placed);
        EXPECT_EQ(child.GetVisibleScreenView(), c.view) << Describe(c.placed);
    }
}

TEST(CtrlSizes, BaseSizesFollowTheStandardFontAndFrames)
{
    SeamsScope seams;
    int fh = GetStandardFontSize().cy;
    Ctrl c;
    EXPECT_EQ(c.MinimumSize(), Size(fh / 2, fh + 2));
    EXPECT_EQ(c.StandardSize(), Size(fh / 2 * 10, fh + 2));
    BorderFrame border(GetBlackBorder());
    c.SetFrame(border);
    EXPECT_EQ(c.MinimumSize(), Size(fh / 2 + 2, fh + 4));
    EXPECT_EQ(c.MaximumSize(), Size(0, 0)); // no screen known
    ScreenPlatform screen;
    PlatformScope installed(screen);
    EXPECT_EQ(c.MaximumSize(), Size(1024, 768));
}

TEST(CtrlSizes, StandardWidthSaturates)
{
    struct Wide : Ctrl {
        Size MinimumSize() const override { return Size(INT32_MAX / 2, 1); }
    } c;
    EXPECT_EQ(c.StandardSize(), Size(INT32_MAX, 1));
}

} // namespace
