// HeaderCtrl on a real X server: its pixels, and resizing, pressing, clicking and moving
// tabs with real pointer input.

#include "lists/header/header_ctrl.h"

#include "tests/support/callback_counter.h"
#include "tests/support/printers.h"
#include "tests/support/x11/input_window.h"

#include "draw/target/draw.h"
#include "widgets/images/ctrls_img.h"

#include <X11/extensions/XTest.h>

#include <memory>
#include <string>

namespace {

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
    CallbackCounter layouts;
    CallbackCounter actions;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        HeaderCtrl& h = host.header;
        h.SetStyle(ColourStyle());
        h.Add("A", 1).SetPaper(RED);
        h.Add("B", 1).SetPaper(GREEN);
        h.Add("C", 2);
        h.WhenLayout = layouts.Make();
        h.SetAction(actions.Make());
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
    EXPECT_EQ(layouts.n, 0);
}

TEST_F(HeaderGuiTest, ClickableTabShowsHotAndPressedLooks)
{
    CallbackCounter clicks, downs;
    host.header.Tab(2).WhenAction = clicks.Make();
    host.header.Tab(2).WhenLeftDown = downs.Make();
    MovePointer(Win(), At(300));
    ASSERT_TRUE(PumpUntil([&] { return TopRow() == Run({ { 'r', 100 }, { 'g', 100 }, { 'h', 200 } }); }));
    Press(true);
    ASSERT_TRUE(PumpUntil([&] { return TopRow() == Run({ { 'r', 100 }, { 'g', 100 }, { 'p', 200 } }); }));
    EXPECT_EQ(downs.n, 1);
    EXPECT_EQ(clicks.n, 0) << "the click comes with the release";
    // Released elsewhere, the press still chose the tab.
    MovePointer(Win(), At(50));
    Press(false);
    ASSERT_TRUE(PumpUntil([&] { return clicks.n == 1; }));
    EXPECT_EQ(TopRow(), Run({ { 'r', 100 }, { 'g', 100 }, { 'n', 200 } }));
}

TEST_F(HeaderGuiTest, TabWithoutClickCallbackNeverShowsPressed)
{
    CallbackCounter downs;
    host.header.Tab(2).WhenLeftDown = downs.Make();
    MovePointer(Win(), At(300));
    PumpFor(50);
    Press(true);
    ASSERT_TRUE(PumpUntil([&] { return downs.n == 1; }));
    EXPECT_EQ(TopRow(), Run({ { 'r', 100 }, { 'g', 100 }, { 'n', 200 } }));
    Press(false);
    PumpFor(50);
    EXPECT_EQ(layouts.n, 0);
}

TEST_F(HeaderGuiTest, DoubleClickReachesTheTab)
{
    CallbackCounter doubles;
    host.header.Tab(1).WhenLeftDouble = doubles.Make();
    Click(Win(), At(150));
    Click(Win(), At(150));
    ASSERT_TRUE(PumpUntil([&] { return doubles.n == 1; }));
}

TEST_F(HeaderGuiTest, DraggingADividerResizesWhileThePointerMoves)
{
    DragBy(100, 150, 5);
    ASSERT_TRUE(PumpUntil([&] { return host.header.GetTabWidth(0) == 150; }))
        << host.header.GetTabWidth(0) << " " << layouts.n;
    EXPECT_GE(layouts.n, 5) << "every step reaches the owner";
    EXPECT_EQ(actions.n, layouts.n);
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
    EXPECT_EQ(layouts.n, 0);
}

TEST_F(HeaderGuiTest, DraggingATabMovesIt)
{
    host.header.AllowTabMoving();
    DragBy(50, 350, 8);
    ASSERT_TRUE(PumpUntil([&] { return host.header.Tab(2).GetIndex() == 0; }));
    EXPECT_EQ(host.header.Tab(0).GetIndex(), 1);
    EXPECT_EQ(host.header.Tab(1).GetIndex(), 2);
    EXPECT_EQ(layouts.n, 1);
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
    EXPECT_EQ(layouts.n, 0);
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
    CallbackCounter clicks;
    host.header.Tab(0).WhenAction = clicks.Make();
    MovePointer(Win(), At(50));
    PumpFor(20);
    Press(true);
    ASSERT_TRUE(PumpUntil([&] { return TopRow().substr(0, 100) == std::string(100, 'r'); }));
    host.header.CancelInteraction();
    Press(false);
    PumpFor(50);
    EXPECT_EQ(clicks.n, 0);
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
    EXPECT_GE(layouts.n, 2);
}

} // namespace
