// The pop-up table on a private X server: where and how large it opens, the keys and clicks
// that close it, and the notification each way of closing sends.
#include "lists/popup/popup_table.h"

#include "tests/support/x11/input_window.h"

#include "ctrl/settings/gui_settings.h"
#include "draw/look/sys_colors.h"
#include "foundation/values/format.h"
#include "tests/support/lambda_callback.h"
#include "widgets/skin/popup_animation.h"

#include <X11/keysym.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

// A window with one plain control that owns the pop-up.
class OwnerPanel : public InputRecorder {
public:
    Ctrl owner;

    OwnerPanel()
    {
        take_keys = false;
        owner.SetRect(20, 10, 120, 20);
        AppendChild(owner);
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

class PopUpTableGui : public PrivateDisplayTest {
protected:
    OwnerPanel panel;
    PopUpTable table;
    std::vector<std::string> events;
    std::optional<OpenInput> window;
    int animation = 0;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
        animation = GetPopupAnimation();
        SetPopupAnimation(0);
        table.SetupDropDown();
        table.WhenSelect = Lambda([this] { events.push_back("select " + std::to_string(table.GetCursor())); });
        table.WhenCancel = Lambda([this] { events.push_back("cancel"); });
    }
    void TearDown() override
    {
        window.reset();
        SetPopupAnimation(animation);
        PrivateDisplayTest::TearDown();
    }
    void Fill(int n)
    {
        for(int i = 0; i < n; i++)
            table.AddValue(String(Format("Row %d", i)));
    }
    // The panel at the screen position given, 300 x 200.
    void OpenAt(Point p)
    {
        window.emplace(panel, Rect(p, Size(300, 200)));
        ASSERT_TRUE(window->IsOpen());
    }
    void PopUp(int width = 0)
    {
        table.PopUp(&panel.owner, width);
        ASSERT_TRUE(table.IsPoppedUp());
        ASSERT_TRUE(PumpUntil([&] { return table.GetPopup() && table.GetPopup()->IsVisible(); }));
        PumpFor(50);
    }
    Rect PopupRect() { return table.GetPopup() ? table.GetPopup()->GetRectOnScreen() : Rect(0, 0, 0, 0); }
    int RowHeight() { return table.GetDefaultRowHeight(); }
};

TEST_F(PopUpTableGui, AShortListOpensJustTallEnoughBelowItsOwner)
{
    Fill(3);
    OpenAt(Point(40, 40));
    PopUp();
    Rect owner = panel.owner.GetRectOnScreen();
    EXPECT_EQ(PopupRect(), Rect(owner.left, owner.bottom, owner.right, owner.bottom + 3 * RowHeight() + 2));
    EXPECT_EQ(table.GetRectOnScreen(), PopupRect()) << "the table fills its pop-up";
    EXPECT_FALSE(table.GetScrollBar().IsVisible()) << "nothing to scroll";
    EXPECT_TRUE(table.HasFocus());
    EXPECT_EQ(table.GetCursor(), 0) << "the focus put the cursor on the first row";
}

TEST_F(PopUpTableGui, ALongListOpensDropLinesHighWithTheCursorRowTowardsTheMiddle)
{
    Fill(40);
    table.SetCursor(30);
    OpenAt(Point(40, 40));
    PopUp();
    EXPECT_EQ(PopupRect().Height(), 16 * RowHeight() + 2);
    EXPECT_TRUE(table.GetScrollBar().IsVisible());
    int view = table.GetViewSize().cy;
    EXPECT_EQ(table.GetScrollPos(), table.GetLineY(30) - (view - RowHeight()) / 2);
    EXPECT_EQ(table.GetCursor(), 30);
}

TEST_F(PopUpTableGui, TheWidthIsTheOwnersOrTheOneAskedForFromTheOwnersLeftEdge)
{
    Fill(3);
    OpenAt(Point(40, 40));
    Rect owner = panel.owner.GetRectOnScreen();
    for(int width : { 0, 300 }) {
        SCOPED_TRACE(width);
        PopUp(width);
        EXPECT_EQ(PopupRect().left, owner.left);
        EXPECT_EQ(PopupRect().Width(), width ? width : owner.Width());
        ASSERT_TRUE(table.ProcessKey(27, 1));
    }
}

TEST_F(PopUpTableGui, NearTheBottomOfTheScreenItOpensAboveItsOwnerAndIsNeverMovedSideways)
{
    Fill(10);
    // The owner 10 pixels above the screen's bottom, and right at its right edge.
    OpenAt(Point(1024 - 140, 768 - 40));
    PopUp(400);
    Rect owner = panel.owner.GetRectOnScreen();
    EXPECT_EQ(PopupRect(), Rect(owner.left, owner.top - 10 * RowHeight() - 2, owner.left + 400, owner.top));
}

TEST_F(PopUpTableGui, TheSlideOpeningEndsAtTheSamePlace)
{
    SetPopupAnimation(POPUP_ANIMATION_SLIDE);
    Fill(5);
    OpenAt(Point(40, 40));
    PopUp();
    Rect owner = panel.owner.GetRectOnScreen();
    EXPECT_EQ(PopupRect(), Rect(owner.left, owner.bottom, owner.right, owner.bottom + 5 * RowHeight() + 2));
    EXPECT_EQ(table.GetRectOnScreen(), PopupRect());
}

// Each key and click that closes the list, and the notification it sends.
TEST_F(PopUpTableGui, EnterAndAltDownPickEscapeAndAClickOutsideCancel)
{
    Fill(4);
    OpenAt(Point(40, 40));
    struct Case {
        const char* name;
        std::function<void()> act;
        const char* event;
    } cases[] = {
        { "Enter", [] { TypeKey(XK_Return); }, "select 0" },
        { "Alt+Down", [] { TypeKey(XK_Down, { XK_Alt_L }); }, "select 0" },
        { "Escape", [] { TypeKey(XK_Escape); }, "cancel" },
        { "a click outside", [&] { Click(window->GetWindow(), Point(250, 150)); }, "cancel" },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        PopUp();
        c.act();
        ASSERT_TRUE(PumpUntil([&] { return !events.empty(); }));
        PumpFor(50);
        EXPECT_EQ(events, std::vector<std::string>{ c.event });
        EXPECT_FALSE(table.IsPoppedUp());
        EXPECT_EQ(table.GetPopup(), nullptr);
        EXPECT_EQ(table.GetParent(), nullptr) << "the table left its closed pop-up";
    }
}

TEST_F(PopUpTableGui, TheCursorFollowsThePointerAndAClickPicksTheRow)
{
    Fill(4);
    OpenAt(Point(40, 40));
    PopUp();
    Rect view = table.GetViewRectOnScreen();
    Point row2(view.left + 10, view.top + table.GetLineY(2) + RowHeight() / 2);
    Point row3(view.left + 10, view.top + table.GetLineY(3) + RowHeight() / 2);
    MovePointer(DefaultRootWindow(display), row3);
    EXPECT_TRUE(PumpUntil([&] { return table.GetCursor() == 3; })) << "the cursor follows the pointer";
    EXPECT_TRUE(events.empty());
    Click(DefaultRootWindow(display), row2);
    ASSERT_TRUE(PumpUntil([&] { return !events.empty(); }));
    EXPECT_EQ(events, std::vector<std::string>{ "select 2" });
    EXPECT_FALSE(table.IsPoppedUp());
}

TEST_F(PopUpTableGui, UpAndDownWithoutACursorEnterTheListAtItsEnds)
{
    Fill(5);
    ASSERT_FALSE(table.IsCursor());
    EXPECT_TRUE(table.ProcessKey(0x1FF52, 1));
    EXPECT_EQ(table.GetCursor(), 4);
    table.ClearCursor();
    EXPECT_TRUE(table.ProcessKey(0x1FF54, 1));
    EXPECT_EQ(table.GetCursor(), 0);
    EXPECT_TRUE(events.empty());
}

TEST_F(PopUpTableGui, ItOpensAgainAsOftenAsAsked)
{
    Fill(3);
    OpenAt(Point(40, 40));
    for(int i = 0; i < 3; i++) {
        PopUp();
        TypeKey(XK_Escape);
        ASSERT_TRUE(PumpUntil([&] { return !table.IsPoppedUp(); }));
    }
    EXPECT_EQ(events, (std::vector<std::string>{ "cancel", "cancel", "cancel" }));
}

} // namespace
