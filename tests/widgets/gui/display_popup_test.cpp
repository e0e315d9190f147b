// The display pop-up on a real X server: it opens exactly over a clipped item while the
// pointer rests there, hands presses and the wheel to its owner, and closes when the pointer
// leaves, the owner goes or the owner's window loses the focus.
#include "widgets/display/display_popup.h"

#include "tests/support/x11/input_window.h"

#include "ctrl/dnd/drop_target.h"
#include "draw/display/display.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"

#include <memory>

namespace {

using namespace Qor;
using namespace QorTest;

class Owner : public Ctrl {
public:
    std::vector<std::string> log;

    Owner() { SetWantsFocus(); }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetViewSize()), Color(255, 255, 255)); }
    void LeftButtonDown(Point p, dword) override { Note("down", p); }
    void LeftButtonUp(Point p, dword) override { Note("up", p); }
    void RightButtonDown(Point p, dword) override { Note("right", p); }
    void WheelRotated(Point p, int zdelta, dword) override { Note("wheel", p, " " + std::to_string(zdelta)); }
    void LeftDragStart(Point p, dword) override { Note("drag", p); }
    void DropAtPoint(Point, TransferOffer& offer) override { offer.accepted = true; }

private:
    void Note(const char* what, Point p, const std::string& more = "")
    {
        log.push_back(std::string(what) + " " + std::to_string(p.x) + "," + std::to_string(p.y) + more);
    }
};

const Rect OWNER_ON_SCREEN(Point(40, 40), Size(300, 120));
const Rect ITEM(20, 30, 80, 50);
const Value LONG_TEXT = String("A value far too long for its little cell");

class DisplayPopupTest : public PrivateDisplayTest {
protected:
    Owner owner;
    DisplayPopup popup;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        window = std::make_unique<OpenInput>(owner, OWNER_ON_SCREEN);
        ASSERT_TRUE(window->IsOpen());
    }
    void TearDown() override
    {
        popup.Dismiss();
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    void PointAt(Point p)
    {
        MovePointer(window->GetWindow(), p);
        PumpFor(50);
    }
    void Show(const Rect& item, const Value& v, int margin = 2)
    {
        popup.Set(&owner, item, v, &GetStandardDisplay(), SysColorText(), SysColorPaper(), 0, margin);
    }

    std::unique_ptr<OpenInput> window;
};

TEST_F(DisplayPopupTest, OpensOverTheClippedItemWhileThePointerRestsOnIt)
{
    PointAt(Point(200, 100));
    Show(ITEM, LONG_TEXT);
    PumpFor(50);
    EXPECT_FALSE(popup.IsOpen()) << "the pointer is not on the item";

    PointAt(Point(30, 40));
    ASSERT_TRUE(PumpUntil([&] { return popup.IsOpen(); }));
    Size sz = GetStandardDisplay().GetStandardSize(LONG_TEXT);
    Rect expected(ITEM.left - 1, ITEM.top - 1, std::max(ITEM.right, ITEM.left + sz.cx + 4) + 1,
                  std::max(ITEM.bottom, ITEM.top + sz.cy) + 1);
    expected.Offset(OWNER_ON_SCREEN.left, OWNER_ON_SCREEN.top);
    EXPECT_EQ(popup.GetRectOnScreen(), expected);
    EXPECT_GT(expected.Width(), ITEM.Width() + 2);

    // One black pixel of frame all round, paper inside.
    ASSERT_TRUE(WaitFor([&] {
        Pixels px = GrabPixels(GetHostWindow(popup), Rect(expected.GetSize()));
        return px.At(0, 0) == Color(0, 0, 0) && px.At(px.cx - 1, px.cy - 1) == Color(0, 0, 0) &&
               px.At(1, 1) == SysColorPaper() && px.Count(SysColorText()) > 0;
    }));

    // The pop-up covers the item: moving over it keeps it open.
    PointAt(Point(70, 45));
    EXPECT_TRUE(popup.IsOpen());
    PointAt(Point(200, 100));
    EXPECT_TRUE(PumpUntil([&] { return !popup.IsOpen(); }));
}

TEST_F(DisplayPopupTest, AValueThatFitsExactlyOpensNothing)
{
    Size sz = GetStandardDisplay().GetStandardSize(LONG_TEXT);
    struct Case {
        int width_less;
        int height_less;
        bool opens;
    };
    const Case cases[] = { { 0, 0, false }, { 1, 0, true }, { 0, 1, true } };
    for(const Case& c : cases) {
        Rect item(10, 10, 10 + sz.cx + 2 * 3 - c.width_less, 10 + sz.cy - c.height_less);
        PointAt(Point(12, 12));
        Show(item, LONG_TEXT, 3);
        PumpFor(80);
        EXPECT_EQ(popup.IsOpen(), c.opens) << c.width_less << " " << c.height_less;
        popup.Dismiss();
        PumpFor(30);
    }
}

TEST_F(DisplayPopupTest, PressesAndTheWheelReachTheOwnerAtTheSameSpot)
{
    PointAt(Point(30, 40));
    Show(ITEM, LONG_TEXT);
    ASSERT_TRUE(PumpUntil([&] { return popup.IsOpen(); }));
    Window w = GetHostWindow(popup);
    // The pop-up's window starts one frame pixel above and left of the item.
    Click(w, Point(6, 6));
    Click(w, Point(6, 6), 3);
    ASSERT_TRUE(PumpUntil([&] { return owner.log.size() >= 3; }));
    EXPECT_TRUE(popup.IsOpen()) << "a press on the pop-up leaves it where it is";
    // The wheel scrolls the window with the focus, which is the owner's.
    Click(w, Point(6, 6), 4);
    ASSERT_TRUE(PumpUntil([&] { return owner.log.size() >= 4; }));
    EXPECT_EQ(owner.log, (std::vector<std::string>{ "down 25,35", "up 25,35", "right 25,35", "wheel 25,35 120" }));
}

TEST_F(DisplayPopupTest, ADragFromThePopupClosesItAndStartsOnTheOwner)
{
    PointAt(Point(30, 40));
    Show(ITEM, LONG_TEXT);
    ASSERT_TRUE(PumpUntil([&] { return popup.IsOpen(); }));
    popup.LeftDragStart(Point(5, 5), 0);
    EXPECT_FALSE(popup.IsOpen());
    EXPECT_EQ(owner.log, (std::vector<std::string>{ "drag 25,35" }));
}

TEST_F(DisplayPopupTest, ADragOverTheOwnerClosesIt)
{
    PointAt(Point(30, 40));
    Show(ITEM, LONG_TEXT);
    ASSERT_TRUE(PumpUntil([&] { return popup.IsOpen(); }));
    TransferOffer offer;
    offer.kind = TRANSFER_DRAG;
    offer.fetch_on_accept = false;
    DispatchDragAndDrop(&owner, Point(OWNER_ON_SCREEN.left + 200, OWNER_ON_SCREEN.top + 100), offer);
    ASSERT_EQ(GetDropTarget(), &owner);
    popup.Sync();
    EXPECT_FALSE(popup.IsOpen()) << "the pop-up would hide where the drop goes";
    EndDropTarget();
    popup.Sync();
    EXPECT_TRUE(popup.IsOpen());
}

TEST_F(DisplayPopupTest, LosingTheFocusClosesIt)
{
    PointAt(Point(30, 40));
    Show(ITEM, LONG_TEXT);
    ASSERT_TRUE(PumpUntil([&] { return popup.IsOpen(); }));
    Owner other;
    OpenInput second(other, Rect(Point(40, 300), Size(100, 50)));
    ASSERT_TRUE(second.IsOpen());
    EXPECT_TRUE(PumpUntil([&] { return !popup.IsOpen(); }));
}

TEST_F(DisplayPopupTest, APopupWhoseOwnerIsGoneIgnoresPressesAndCloses)
{
    auto gone = std::make_unique<Owner>();
    // Destroyed with its window still open, as an owner going away is.
    ASSERT_TRUE(OpenInputWindow(*gone, Rect(Point(40, 300), Size(200, 80))));
    MovePointer(GetHostWindow(*gone), Point(30, 40));
    PumpFor(50);
    popup.Set(gone.get(), ITEM, LONG_TEXT, &GetStandardDisplay(), SysColorText(), SysColorPaper(), 0, 2);
    ASSERT_TRUE(PumpUntil([&] { return popup.IsOpen(); }));
    gone.reset();
    EXPECT_EQ(popup.GetOwnerCtrl(), nullptr);
    popup.LeftButtonDown(Point(5, 5), 0);
    popup.WheelRotated(Point(5, 5), 120, 0);
    popup.LeftDragStart(Point(5, 5), 0);
    PointAt(Point(31, 41));
    EXPECT_TRUE(PumpUntil([&] { return !popup.IsOpen(); }));
}

} // namespace
