// HeaderCtrl on a real X server: its pixels, and resizing, pressing, clicking and moving
// tabs with real pointer input.

#include "lists/header/header_ctrl.h"

#include "tests/support/lambda_callback.h"
#include "tests/support/printers.h"
#include "tests/support/x11/image_pixels.h"
#include "tests/support/x11/input_window.h"

#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "draw/target/image_any_draw.h"
#include "widgets/bar/bar.h"
#include "widgets/images/ctrls_img.h"

#include <X11/extensions/XTest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

// A callback that counts its calls in n.
Qor::Callback Count(int& n)
{
    return QorTest::Lambda([&n] { n++; });
}

using namespace Qor;
using namespace QorTest;

const Color WHITE(255, 255, 255);
const Color RED(255, 0, 0);
const Color GREEN(0, 255, 0);
const Color BLUE(0, 0, 255);
const Color NORMAL(200, 200, 200);
const Color HOT(255, 255, 0);
const Color PRESSED(0, 255, 255);
const Color DISABLED(90, 90, 90);

// A list stand-in: white, with the header as its top frame.
class Host : public Ctrl {
public:
    HeaderCtrl header;
    // A press in the view resizes this tab, as a list offers it from inside its rows.
    int split_on_press = -1;

    Host() { AddFrame(header); }
    void LeftButtonDown(Point, dword) override
    {
        if(split_on_press >= 0)
            header.StartSplitDrag(split_on_press);
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetViewSize()), WHITE); }
};

// One colour per visual state, so each look can be told by its pixels.
HeaderCtrlStyle& ColourStyle()
{
    static HeaderCtrlStyle s;
    s.look[VISUAL_NORMAL] = NORMAL;
    s.look[VISUAL_HOT] = HOT;
    s.look[VISUAL_PRESSED] = PRESSED;
    s.look[VISUAL_DISABLED] = DISABLED;
    s.first_tab_adjust = 0;
    return s;
}

const Rect HOST_ON_SCREEN(Point(40, 40), Size(400, 120));

// Tabs "A" (red), "B" (green) and "C" (the style's looks) of ratios 1, 1, 2 in a 400-pixel
// header: [0,100), [100,200), [200,400).
class HeaderGuiTest : public PrivateDisplayTest {
protected:
    Host host;
    int layouts = 0;
    int actions = 0;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        HeaderCtrl& h = host.header;
        h.SetStyle(ColourStyle());
        h.Add("A", 1).SetPaper(RED);
        h.Add("B", 1).SetPaper(GREEN);
        h.Add("C", 2);
        h.WhenLayout = Count(layouts);
        h.SetAction(Count(actions));
        window = std::make_unique<OpenInput>(host, HOST_ON_SCREEN);
        ASSERT_TRUE(window->IsOpen());
        height = h.GetHeight();
        ASSERT_GT(height, 8);
        PumpFor(50);
    }
    void TearDown() override
    {
        Ctrl::ReleaseCapture();
        window.reset();
        PrivateDisplayTest::TearDown();
    }

    Window Win() const { return window->GetWindow(); }
    Point At(int x) const { return Point(x, height / 2); }
    // The header's top row, one letter per pixel.
    std::string TopRow()
    {
        PumpFor(30);
        Pixels px = GrabPixels(Win(), Rect(0, 0, 400, 1));
        return px.Picture({ { RED, 'r' },
                            { GREEN, 'g' },
                            { BLUE, 'b' },
                            { NORMAL, 'n' },
                            { HOT, 'h' },
                            { PRESSED, 'p' },
                            { DISABLED, 'd' } })[0];
    }
    static std::string Run(std::initializer_list<std::pair<char, int>> runs)
    {
        std::string s;
        for(auto [c, n] : runs)
            s += std::string(n, c);
        return s;
    }
    void Press(bool down)
    {
        XTestFakeButtonEvent(display, 1, down, 0);
        XSync(display, false);
    }
    // A drag the event loop sees step by step: it takes only the latest pointer position
    // of each turn.
    void DragBy(int from, int to, int steps = 6)
    {
        MovePointer(Win(), At(from));
        PumpFor(20);
        Press(true);
        PumpFor(20);
        for(int i = 1; i <= steps; i++) {
            MovePointer(Win(), At(from + (to - from) * i / steps));
            PumpFor(20);
        }
        Press(false);
        PumpFor(30);
    }

    std::unique_ptr<OpenInput> window;
    int height = 0;
};

TEST_F(HeaderGuiTest, PaintsTabsSideBySide)
{
    EXPECT_EQ(TopRow(), Run({ { 'r', 100 }, { 'g', 100 }, { 'n', 200 } }));
    // Below the header the list's view begins.
    Pixels below = GrabPixels(Win(), Rect(0, height, 400, height + 1));
    EXPECT_EQ(below.Count(WHITE), 400);
}

TEST_F(HeaderGuiTest, FirstTabAdjustmentShiftsTheLaterTabs)
{
    HeaderCtrlStyle s = ColourStyle();
    s.first_tab_adjust = 1;
    host.header.SetStyle(s);
    host.header.Tab(2).SetPaper(BLUE);
    EXPECT_EQ(TopRow(), Run({ { 'r', 99 }, { 'g', 100 }, { 'b', 200 }, { 'n', 1 } }));
    host.header.SetStyle(ColourStyle());
}

TEST_F(HeaderGuiTest, DisabledHeaderShowsItsLookAndNeitherResizesNorPresses)
{
    host.header.Disable();
    EXPECT_EQ(TopRow(), Run({ { 'r', 100 }, { 'g', 100 }, { 'd', 200 } }));
    EXPECT_EQ(host.header.GetSplit(100), HEADER_NO_SPLIT);
    DragBy(100, 160);
    PumpFor(100);
    EXPECT_EQ(host.header.GetTabWidth(0), 100);
    EXPECT_EQ(layouts, 0);
}

TEST_F(HeaderGuiTest, ClickableTabShowsHotAndPressedLooks)
{
    int clicks = 0, downs = 0;
    host.header.Tab(2).WhenAction = Count(clicks);
    host.header.Tab(2).WhenLeftDown = Count(downs);
    MovePointer(Win(), At(300));
    ASSERT_TRUE(PumpUntil([&] { return TopRow() == Run({ { 'r', 100 }, { 'g', 100 }, { 'h', 200 } }); }));
    Press(true);
    ASSERT_TRUE(PumpUntil([&] { return TopRow() == Run({ { 'r', 100 }, { 'g', 100 }, { 'p', 200 } }); }));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(clicks, 0) << "the click comes with the release";
    // Released elsewhere, the press still chose the tab.
    MovePointer(Win(), At(50));
    Press(false);
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_EQ(TopRow(), Run({ { 'r', 100 }, { 'g', 100 }, { 'n', 200 } }));
}

TEST_F(HeaderGuiTest, TabWithoutClickCallbackNeverShowsPressed)
{
    int downs = 0;
    host.header.Tab(2).WhenLeftDown = Count(downs);
    MovePointer(Win(), At(300));
    PumpFor(50);
    Press(true);
    ASSERT_TRUE(PumpUntil([&] { return downs == 1; }));
    EXPECT_EQ(TopRow(), Run({ { 'r', 100 }, { 'g', 100 }, { 'n', 200 } }));
    Press(false);
    PumpFor(50);
    EXPECT_EQ(layouts, 0);
}

TEST_F(HeaderGuiTest, DoubleClickReachesTheTab)
{
    int doubles = 0;
    host.header.Tab(1).WhenLeftDouble = Count(doubles);
    Click(Win(), At(150));
    Click(Win(), At(150));
    ASSERT_TRUE(PumpUntil([&] { return doubles == 1; }));
}

TEST_F(HeaderGuiTest, DraggingADividerResizesWhileThePointerMoves)
{
    DragBy(100, 150, 5);
    ASSERT_TRUE(PumpUntil([&] { return host.header.GetTabWidth(0) == 150; }))
        << host.header.GetTabWidth(0) << " " << layouts;
    EXPECT_GE(layouts, 5) << "every step reaches the owner";
    EXPECT_EQ(actions, layouts);
    EXPECT_EQ(host.header.GetTabRect(2).right, 400);
    EXPECT_EQ(host.header.GetTabRect(1).left, 150);
    std::string row = TopRow();
    EXPECT_EQ(row.substr(0, 150), std::string(150, 'r'));
    EXPECT_EQ(row.back(), 'n');
}

TEST_F(HeaderGuiTest, TheRightEdgeOfAProportionalHeaderOffersNoDivider)
{
    EXPECT_EQ(host.header.GetSplit(399), ~2);
    DragBy(399, 300);
    PumpFor(100);
    EXPECT_EQ(host.header.GetTabRect(2), Rect(200, 0, 400, height));
    EXPECT_EQ(layouts, 0);
}

TEST_F(HeaderGuiTest, DraggingATabMovesIt)
{
    host.header.AllowTabMoving();
    DragBy(50, 350, 8);
    ASSERT_TRUE(PumpUntil([&] { return host.header.Tab(2).GetIndex() == 0; }));
    EXPECT_EQ(host.header.Tab(0).GetIndex(), 1);
    EXPECT_EQ(host.header.Tab(1).GetIndex(), 2);
    EXPECT_EQ(layouts, 1);
    // B, C, A: green, the style's look, red.
    EXPECT_EQ(TopRow(), Run({ { 'g', 100 }, { 'n', 200 }, { 'r', 100 } }));

    // Dropped left of the first middle: position 0.
    DragBy(350, 10, 8);
    ASSERT_TRUE(PumpUntil([&] { return host.header.Tab(0).GetIndex() == 0; }));
    EXPECT_EQ(TopRow(), Run({ { 'r', 100 }, { 'g', 100 }, { 'n', 200 } }));
}

TEST_F(HeaderGuiTest, TabsStayPutWhenMovingIsNotAllowed)
{
    DragBy(50, 350, 8);
    PumpFor(100);
    EXPECT_EQ(host.header.Tab(0).GetIndex(), 0);
    EXPECT_EQ(layouts, 0);
}

TEST_F(HeaderGuiTest, PointerShapeFollowsTheDividers)
{
    EXPECT_TRUE(host.header.CursorFor(At(100), 0) == CtrlsImg::HorzPos());
    EXPECT_FALSE(host.header.CursorFor(At(50), 0) == CtrlsImg::HorzPos());
    EXPECT_FALSE(host.header.CursorFor(At(50), 0) == CtrlsImg::HorzSplit());
}

TEST_F(HeaderGuiTest, TabTipBecomesTheHeadersTooltip)
{
    host.header.Tab(1).SetTip("The meaning");
    MovePointer(Win(), At(50));
    PumpFor(50);
    EXPECT_EQ(Std(host.header.GetTipText()), "");
    MovePointer(Win(), At(150));
    ASSERT_TRUE(PumpUntil([&] { return Std(host.header.GetTipText()) == "The meaning"; }));
    // A tab without a tip leaves the text as it was.
    MovePointer(Win(), At(300));
    PumpFor(50);
    EXPECT_EQ(Std(host.header.GetTipText()), "The meaning");
}

TEST_F(HeaderGuiTest, CancelledPressFiresNothing)
{
    int clicks = 0;
    host.header.Tab(0).WhenAction = Count(clicks);
    MovePointer(Win(), At(50));
    PumpFor(20);
    Press(true);
    ASSERT_TRUE(PumpUntil([&] { return TopRow().substr(0, 100) == std::string(100, 'r'); }));
    host.header.CancelInteraction();
    Press(false);
    PumpFor(50);
    EXPECT_EQ(clicks, 0);
}

TEST_F(HeaderGuiTest, SplitDragStartedByTheOwnerFollowsThePointer)
{
    host.split_on_press = 1;
    const int y = height + 30;
    MovePointer(Win(), Point(200, y));
    PumpFor(20);
    Press(true);
    ASSERT_TRUE(PumpUntil([&] { return host.header.HasCapture(); }));
    MovePointer(Win(), Point(60, y));
    ASSERT_TRUE(PumpUntil([&] { return host.header.GetTabWidth(1) == 0; })) << host.header.GetTabWidth(1);
    MovePointer(Win(), Point(130, y));
    ASSERT_TRUE(PumpUntil([&] { return host.header.GetTabWidth(1) == 30; })) << host.header.GetTabWidth(1);
    Press(false);
    PumpFor(30);
    EXPECT_EQ(host.header.GetTabWidth(0), 100);
    EXPECT_EQ(host.header.GetTabRect(2).right, 400);
    EXPECT_GE(layouts, 2);
}

TEST_F(HeaderGuiTest, RightClickOnATabBuildsItsMenu)
{
    int builds = 0;
    // A menu of a separator only is empty and does not open, so nothing waits for it.
    host.header.Tab(1).WhenBar = QorTest::Lambda<Bar&>([&](Bar& b) {
        builds++;
        b.Separator();
    });
    Click(Win(), At(150), 3);
    ASSERT_TRUE(PumpUntil([&] { return builds == 1; }));
    Click(Win(), At(50), 3);
    Click(Win(), At(250), 3);
    PumpFor(80);
    EXPECT_EQ(builds, 1) << "only the tab with a menu builds one";
    host.header.Disable();
    Click(Win(), At(150), 3);
    PumpFor(80);
    EXPECT_EQ(builds, 1) << "a disabled header hits no tab";
}

TEST_F(PrivateDisplayTest, AbsoluteHeaderScrollsWithItsBar)
{
    Host wide;
    HeaderCtrl& h = wide.header;
    h.SetStyle(ColourStyle());
    h.SetAbsoluteWidths();
    h.Add("a", 16).SetPaper(RED);
    h.Add("b", 300).SetPaper(GREEN);
    h.Add("c", 600).SetPaper(BLUE);
    int scrolls = 0;
    h.WhenScroll = Count(scrolls);
    OpenInput window(wide, Rect(Point(40, 40), Size(500, 120)));
    ASSERT_TRUE(window.IsOpen());
    PumpFor(50);
    HScrollBar& bar = h.GetScrollBar();
    EXPECT_TRUE(bar.IsVisible());
    EXPECT_EQ(bar.GetTotal(), 916);
    EXPECT_EQ(bar.GetPage(), 500);
    Pixels before = GrabPixels(window.GetWindow(), Rect(0, 0, 500, 1));
    EXPECT_EQ(before.Count(RED), 16);
    EXPECT_EQ(before.Count(GREEN), 300);

    // Drag the thumb from just past the left arrow to the right.
    int y = 120 - bar.GetStyle().bar_width / 2;
    int x0 = bar.GetStyle().arrow_size + 5;
    MovePointer(window.GetWindow(), Point(x0, y));
    PumpFor(20);
    XTestFakeButtonEvent(display, 1, true, 0);
    XSync(display, false);
    PumpFor(20);
    for(int x = x0 + 40; x <= x0 + 200; x += 40) {
        MovePointer(window.GetWindow(), Point(x, y));
        PumpFor(20);
    }
    XTestFakeButtonEvent(display, 1, false, 0);
    XSync(display, false);
    ASSERT_TRUE(PumpUntil([&] { return h.GetScroll() > 16; })) << h.GetScroll();
    EXPECT_GE(scrolls, 1);
    PumpFor(50);
    Pixels after = GrabPixels(window.GetWindow(), Rect(0, 0, 500, 1));
    EXPECT_EQ(after.Count(RED), 0) << "the first tab scrolled out of view";
    int scroll = h.GetScroll();
    EXPECT_EQ(after.Count(BLUE), std::min(500, 916 - scroll) - std::max(0, 316 - scroll));
    Ctrl::ReleaseCapture();
}

TEST_F(HeaderGuiTest, MovedTabShowsHalfTransparentWithTheDropMark)
{
    host.header.AllowTabMoving();
    MovePointer(Win(), At(50));
    PumpFor(20);
    Press(true);
    PumpFor(20);
    for(int x = 80; x <= 180; x += 25) {
        MovePointer(Win(), At(x));
        PumpFor(20);
    }
    PumpFor(50);
    // The drop lands before "C", whose middle is right of the pointer: the mark stands on
    // its left edge.
    Pixels px = GrabPixels(Win(), Rect(0, 0, 400, height));
    Color mark = SysColorHighlight();
    EXPECT_EQ(px.At(199, height / 2), mark);
    EXPECT_EQ(px.At(200, height / 2), mark);
    EXPECT_NE(px.At(202, height / 2), mark);
    // The picture, grabbed 50 pixels into "A", follows the pointer: red over green, halved.
    Color blend = px.At(140, height - 2);
    EXPECT_GT(blend.GetR(), 80);
    EXPECT_LT(blend.GetR(), 180);
    EXPECT_GT(blend.GetG(), 80);
    EXPECT_LT(blend.GetG(), 180);
    EXPECT_EQ(px.At(240, height - 2), NORMAL) << "right of the picture";
    Press(false);
    ASSERT_TRUE(PumpUntil([&] { return host.header.Tab(1).GetIndex() == 0; }));
    EXPECT_EQ(TopRow(), Run({ { 'g', 100 }, { 'r', 100 }, { 'n', 200 } }));
}

// The title as painted into an image: its ink box with the tab pushed or not.
Rect TitleInk(const HeaderCtrl::Column& tab, bool pushed)
{
    ImageAnyDraw w(100, 24);
    w.DrawRect(0, 0, 100, 24, WHITE);
    bool first = true;
    tab.Paint(first, w, 0, 0, 100, 24, false, pushed, false);
    return Qor::test::InkBox(w.GetImage());
}

TEST_F(HeaderGuiTest, PressedShiftMovesAPushedTitle)
{
    HeaderCtrlStyle s = ColourStyle();
    for(Value& look : s.look)
        look = WHITE;
    host.header.SetStyle(s);
    const HeaderCtrl::Column& tab = host.header.Tab(2);
    Rect still = TitleInk(tab, false);
    ASSERT_FALSE(still.IsEmpty());
    EXPECT_EQ(TitleInk(tab, true), still) << "without the shift a pushed title stays";
    s.pressed_shift = true;
    EXPECT_EQ(TitleInk(tab, true), still.Offseted(1, 1));
    EXPECT_EQ(TitleInk(tab, false), still);
    EXPECT_GE(still.left, 4 + 2) << "the margin and two pixels keep the title off the edge";
    host.header.SetStyle(ColourStyle());
}

} // namespace
