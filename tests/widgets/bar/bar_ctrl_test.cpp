// The visible bar's pools, frame sizes and help line, and the menu's item kinds and styles.

#include "widgets/bar/bar_ctrl.h"
#include "widgets/menu/menu_bar.h"
#include "widgets/static/separator_ctrl.h"

#include "tests/support/lambda_callback.h"

#include <gtest/gtest.h>

#include <string>

using namespace Qor;
using QorTest::Lambda;

namespace {

// A bar that keeps only controls and separators, as a tool bar would.
struct PlainBar : BarCtrl {
    Item& AddItem(Callback) override { return NilItem(); }
    Item& AddSubMenu(Callback1<Bar&>) override { return NilItem(); }
};

class Box : public Ctrl {
public:
    explicit Box(Size sz) : sz(sz) {}
    Size MinimumSize() const override { return sz; }
    Size StandardSize() const override { return sz; }

private:
    Size sz;
};

TEST(BarCtrlTest, PoolsStartAgainFromTheFirstPositionAfterClearing)
{
    PlainBar bar;
    Box a(Size(20, 10));
    bar.Separator();
    bar.Separator();
    bar.AddCtrl(&a, Size(30, 0));
    EXPECT_EQ(bar.GetSeparatorsUsed(), 2);
    EXPECT_EQ(bar.GetSizersUsed(), 1);
    EXPECT_EQ(bar.GetPane().GetCount(), 3);
    EXPECT_EQ(a.GetParent(), &bar.GetSizer(0));
    // The wrapper takes the asked width and the control's standard height.
    EXPECT_EQ(bar.GetSizer(0).MinimumSize(), Size(30, 10));
    EXPECT_EQ(bar.GetSeparator(0).MinimumSize(), Size(8, 8));

    bar.ClearContent();
    EXPECT_TRUE(bar.IsEmpty());
    EXPECT_EQ(bar.GetSeparatorsUsed(), 0);
    EXPECT_EQ(a.GetParent(), nullptr);
    bar.Separator();
    EXPECT_EQ(bar.GetSeparatorsUsed(), 1);
    EXPECT_EQ(bar.GetPane().GetItem(0).ctrl, &bar.GetSeparator(0));
}

TEST(BarCtrlTest, SizeWrapperWithoutChildOrSizeAsksEight)
{
    BarCtrl::SizeCtrl s;
    EXPECT_EQ(s.MinimumSize(), Size(8, 8));
    s.size = Size(5, 0);
    EXPECT_EQ(s.MinimumSize(), Size(5, 8));
}

TEST(BarCtrlTest, MenuItemsWithoutImageOnlyGoToMenus)
{
    PlainBar plain;
    EXPECT_EQ(&plain.AddMenuItem(true, "&Open", Callback()), &Bar::NilItem());
    EXPECT_TRUE(plain.IsEmpty());

    MenuBar menu;
    menu.AddMenuItem(true, "&Open", Callback()).Key(0x1FFC2);
    ASSERT_EQ(menu.GetItemCount(), 1);
    auto* item = dynamic_cast<MenuItem*>(&menu.GetItem(0));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetText(), "Open");
    EXPECT_EQ(item->GetKey(), 0x1FFC2u);
    EXPECT_EQ(item->GetAccessKey() & 0xFFFF, 'O');
    // The menu hands its style's measures to its items.
    EXPECT_EQ(item->icon_column_width, 24);
    EXPECT_EQ(item->max_icon_size, Size(16, 16));
}

TEST(BarCtrlTest, MenuOfSeparatorsOnlyCountsAsEmpty)
{
    MenuBar menu;
    menu.Separator();
    menu.Separator();
    EXPECT_TRUE(menu.IsEmpty());
    EXPECT_EQ(menu.GetPane().GetCount(), 2);
    int runs = 0;
    // Nothing opens and nothing runs without a window system either.
    MenuBar::RunContextMenu(nullptr, Lambda<Bar&>([&](Bar& b) {
                                runs++;
                                b.Separator();
                            }),
                            Point(10, 10));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(MenuBar::OpenMenuOwners().IsEmpty());
}

TEST(BarCtrlTest, ItemSettersAndMarks)
{
    MenuBar menu;
    Bar::Item& it = menu.AddItem(Callback());
    it.Text("Save &As\tCtrl+Shift+S").Key(0x1FFC2).Key(0).Check(true).Help("Saves").InfoText2("two").Enable(false);
    auto& item = static_cast<MenuItemBase&>(menu.GetItem(0));
    EXPECT_EQ(item.GetText(), "Save As\tCtrl+Shift+S");
    EXPECT_EQ(item.GetKey(), 0x1FFC2u) << "a zero key keeps the previous one";
    EXPECT_EQ(item.GetMark(), MARK_CHECK_ON);
    EXPECT_FALSE(item.IsItemEnabled());
    EXPECT_EQ(item.GetHelpText(), "Saves");
    EXPECT_EQ(item.GetInfoPart(2), "two");
    it.Radio(false);
    EXPECT_EQ(item.GetMark(), MARK_RADIO_OFF);
}

TEST(BarCtrlTest, WiderTextWidensTheItemAndKeysKeepTheRightColumn)
{
    MenuBar menu;
    menu.AddItem(Callback()).Text("Short");
    menu.AddItem(Callback()).Text("A much longer item text");
    menu.AddItem(Callback()).Text("Short").Key(0x1FFC2);
    Size s0 = menu.GetItem(0).MinimumSize();
    Size s1 = menu.GetItem(1).MinimumSize();
    Size s2 = menu.GetItem(2).MinimumSize();
    EXPECT_GT(s1.cx, s0.cx);
    EXPECT_GT(s2.cx, s0.cx + 12);
    // A column layout gives every item the width of the widest.
    Size ps = menu.GetPane().LayOutRows(false, 1000);
    EXPECT_EQ(ps.cx, std::max(s1.cx, s2.cx));
}

TEST(BarCtrlTest, SubMenuItemShowsTheArrowAndHasNoActionOfItsOwn)
{
    MenuBar menu;
    menu.AddSubMenu(Lambda<Bar&>([](Bar& b) { b.AddItem(Callback()).Text("inner"); })).Text("&More");
    auto* sub = dynamic_cast<SubMenuItem*>(&menu.GetItem(0));
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->GetAction().IsEmpty());
    EXPECT_EQ(sub->parent_menu, &menu);
    EXPECT_GT(sub->MinimumSize().cx, 24 + 6 + 16);
}

TEST(BarCtrlTest, HelpLineReachesTheBarOnceAndClears)
{
    MenuBar menu;
    std::string help;
    int calls = 0;
    menu.help_callback = Lambda<const String&>([&](const String& s) {
        help = s.Begin();
        calls++;
    });
    menu.AddItem(Callback()).Text("Open").Help("Opens a file");
    ShowBarHelp(&menu.GetItem(0));
    EXPECT_EQ(help, "Opens a file");
    ClearBarHelp(&menu.GetItem(0));
    EXPECT_EQ(help, "");
    EXPECT_EQ(calls, 2);
    // A control without a help line leaves the line alone.
    Box plain(Size(1, 1));
    menu.GetPane().AppendChild(plain);
    ShowBarHelp(&plain);
    EXPECT_EQ(calls, 2);
    plain.Detach();
}

TEST(BarCtrlTest, PointerMovesWithinOneItemShowTheHelpOnce)
{
    MenuBar menu;
    int calls = 0;
    std::string last;
    menu.help_callback = Lambda<const String&>([&](const String& s) {
        last = s.Begin();
        calls++;
    });
    menu.AddItem(Callback()).Text("Open").Help("Opens");
    menu.AddItem(Callback()).Text("Save").Help("Saves");
    menu.SetRect(0, 0, 200, 200);
    menu.GetPane().SetRect(0, 0, 200, 200);
    menu.GetPane().LayOutRows(false, 200);
    for(int i = 0; i < 2; i++)
        menu.GetItem(i).UpdateRect(false);
    Rect first = menu.GetItem(0).GetRectInParent();
    Rect second = menu.GetItem(1).GetRectInParent();
    menu.GetPane().PointerMoved(first.TopLeft() + Point(2, 2), 0);
    menu.GetPane().PointerMoved(first.TopLeft() + Point(5, 3), 0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(last, "Opens");
    menu.GetPane().PointerMoved(second.TopLeft() + Point(2, 2), 0);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(last, "Saves");
}

TEST(MenuStyleTest, DefaultsAndStandardCopies)
{
    const MenuBarStyle& s = MenuBar::GetDefaultStyle();
    EXPECT_EQ(s.status, 1);
    ASSERT_NE(s.standard, nullptr);
    EXPECT_EQ(s.standard->icon_column_width, 24);
    EXPECT_TRUE(s.top_item_look[0].IsNull());
    EXPECT_EQ(s.max_icon_size, Size(16, 16));
    EXPECT_EQ(s.pull_shift, Point(0, -1));
    EXPECT_EQ(s.text_gap, 6);
    Image frame(s.popup_frame);
    EXPECT_EQ(frame.GetSize(), Size(7, 7));
    EXPECT_EQ(frame.GetHotSpot(), Point(3, 3));

    const ToolBarStyle& tb = ToolBar::GetDefaultStyle();
    EXPECT_EQ(tb.status, 1);
    EXPECT_EQ(tb.button_style.status, 1) << "the tool-button defaults are copied in, header included";
    EXPECT_EQ(tb.button_min_size, Size(16, 16));
    const ToolButtonStyle& tbs = GetToolButtonDefaultStyle();
    EXPECT_TRUE(tbs.state_flags[1] && tbs.state_flags[2] && tbs.state_flags[5]);
    EXPECT_FALSE(tbs.state_flags[0] || tbs.state_flags[3] || tbs.state_flags[4]);
    EXPECT_EQ(tbs.text_colour[4], tbs.text_colour[0]);
    EXPECT_EQ(tbs.text_colour[5], tbs.text_colour[1]);
}

} // namespace
