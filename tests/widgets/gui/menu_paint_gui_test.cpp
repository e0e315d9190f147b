// What menus show, read back from a private X server: the bar and its items, the highlight
// under the pointer, access keys underlined under their own character, disabled texts in
// the disabled ink, shortcut texts at the right edge, marks and images in the image column.
#include "tests/support/lambda_callback.h"
#include "tests/support/x11/input_window.h"
#include "tests/widgets/label/label_checks.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/x11/host/window_host.h"
#include "draw/font/font.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "draw/text/text.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/menu/menu_bar.h"

#include <algorithm>
#include <cstdlib>

namespace {

using namespace Qor;
using namespace QorTest;

// A colour no menu look uses, so that the bar's own painting shows against it.
const Color WINDOW_GREEN(0, 200, 0);
const Color PICTURE_RED(255, 0, 0);

enum { NEW, SAVE_AS, LOCKED, CHECKED, PICTURE };

struct MenuWindow : Ctrl {
    MenuBar bar;

    MenuWindow()
    {
        AddFrame(bar);
        // Texts without descenders: nothing of the text reaches the underline's row.
        bar.AddSubMenu(Lambda<Bar&>([](Bar& b) {
               b.AddItem(Callback()).Text("&New").Key(K_CTRL | 'N');
               // The text after the tab is shown, not the key.
               b.AddItem(Callback()).Text("Save &As\tCtrl+Shift+S").Key(0x1FFBF);
               b.AddItem(Callback()).Text("&Locked").Enable(false);
               b.AddItem(Callback()).Text("Checked").Check(true);
               b.AddItem(Callback()).Text("Picture").Image(SolidImage(8, 8, MakeRGBA(255, 0, 0, 255)));
           }))
            .Text("&File");
        bar.AddSubMenu(Lambda<Bar&>([](Bar& b) { b.AddItem(Callback()).Text("Nothing"); })).Text("&Edit").Enable(false);
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetViewSize()), WINDOW_GREEN); }
    MenuItemBase& Top(int i) { return bar.GetItem(i); }
    TopSubMenuItem& FileItem() { return dynamic_cast<TopSubMenuItem&>(bar.GetItem(0)); }
    MenuBar& PullDown() { return dynamic_cast<SubMenuBase&>(bar.GetItem(0)).GetSubMenu(); }
};

// c's rectangle in the coordinates of its host window.
Rect InWindow(Ctrl& c)
{
    Point origin = c.GetRootCtrl()->GetRectOnScreen().TopLeft();
    return c.GetRectOnScreen() - Size(origin.x, origin.y);
}

// The pixels of r within p.
Pixels Cut(const Pixels& p, const Rect& r)
{
    Pixels out;
    out.cx = r.Width();
    out.cy = r.Height();
    for(int y = r.top; y < r.bottom; y++)
        for(int x = r.left; x < r.right; x++)
            out.colors.push_back(p.At(x, y));
    return out;
}

// The box of the pixels of a that differ from b (same size); empty when none.
Rect DiffBox(const Pixels& a, const Pixels& b)
{
    Rect box(0, 0, 0, 0);
    bool any = false;
    for(int y = 0; y < a.cy; y++)
        for(int x = 0; x < a.cx; x++)
            if(a.At(x, y) != b.At(x, y)) {
                box = any ? Rect(std::min<int>(box.left, x), std::min<int>(box.top, y), std::max<int>(box.right, x + 1),
                                 std::max<int>(box.bottom, y + 1))
                          : Rect(x, y, x + 1, y + 1);
                any = true;
            }
    return box;
}

// The box of the pixels of p whose colour is not background; empty when none.
Rect InkBox(const Pixels& p, Color background)
{
    Pixels plain = p;
    std::fill(plain.colors.begin(), plain.colors.end(), background);
    return DiffBox(p, plain);
}

// The ink of the text in p: the pixel farthest from the background (text is smoothed, so
// only the strongest pixels take the ink itself).
Color TextInk(const Pixels& p, Color background)
{
    auto distance = [&](Color c) {
        return std::abs(c.GetR() - background.GetR()) + std::abs(c.GetG() - background.GetG()) +
               std::abs(c.GetB() - background.GetB());
    };
    Color ink = background;
    for(Color c : p.colors)
        if(distance(c) > distance(ink))
            ink = c;
    return ink;
}

// Within a few levels in every channel.
bool IsNear(Color a, Color b)
{
    return std::abs(a.GetR() - b.GetR()) <= 24 && std::abs(a.GetG() - b.GetG()) <= 24 &&
           std::abs(a.GetB() - b.GetB()) <= 24;
}

::testing::AssertionResult InkNear(Color got, Color want)
{
    if(IsNear(got, want))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "ink " << std::hex << got.GetPacked() << ", expected near "
                                         << want.GetPacked();
}

class MenuPaintGuiTest : public PrivateDisplayTest {
protected:
    MenuWindow w;
    std::unique_ptr<OpenInput> window;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        window = std::make_unique<OpenInput>(w, Rect(Point(50, 50), Size(300, 120)));
        ASSERT_TRUE(window->IsOpen());
        ASSERT_TRUE(Painted(w));
    }
    void TearDown() override
    {
        SetAccessKeysOnAltOnly(1);
        w.bar.CloseMenu();
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    // Pumps until c's window has nothing left to paint and done holds.
    static bool Painted(
        Ctrl& c, const std::function<bool()>& done = [] { return true; })
    {
        return PumpUntil([&] {
            WindowMapEntry* e = GetWindowMapEntry(*c.GetRootCtrl());
            return done() && e && e->exposed && e->invalid.IsEmpty();
        });
    }
    static Pixels Grab(Ctrl& top) { return GrabPixels(GetHostWindow(top), Rect(top.GetSize())); }
    // Opens the pull-down with a click on its bar item and moves the pointer to item i.
    bool PointAt(int i)
    {
        MenuBar& menu = w.PullDown();
        if(!menu.IsOpen()) {
            Click(window->GetWindow(), InWindow(w.Top(0)).CenterPoint());
            if(!PumpUntil([&] { return menu.IsOpen() && menu.GetItemCount() == 5; }))
                return false;
        }
        MenuItemBase& item = menu.GetItem(i);
        MovePointer(GetHostWindow(menu), InWindow(item).CenterPoint());
        return Painted(menu, [&] { return item.GetStoredState() == ITEM_HOT; });
    }
    // The pull-down item i as painted now.
    Pixels ItemPixels(int i)
    {
        MenuBar& menu = w.PullDown();
        return Cut(Grab(menu), InWindow(menu.GetItem(i)));
    }
};

TEST_F(MenuPaintGuiTest, TheBarPaintsItsAreaAndHighlightsTheItemUnderThePointer)
{
    Rect bar = InWindow(w.bar);
    Pixels before = Grab(w);
    Rect file = InWindow(w.Top(0));
    Pixels strip = Cut(before, Rect(InWindow(w.Top(1)).right, bar.top, bar.right, bar.bottom));
    EXPECT_EQ(strip.Count(SysColorFace()), strip.cx * strip.cy) << "the bar's look fills the bar";
    EXPECT_EQ(Cut(before, file).Count(SysColorHighlight()), 0);
    EXPECT_TRUE(InkNear(TextInk(Cut(before, file), SysColorFace()), SysColorMenuText()));
    // A disabled bar item is written in the disabled ink.
    ASSERT_FALSE(IsNear(SysColorDisabled(), SysColorMenuText()));
    Pixels disabled = Cut(before, InWindow(w.Top(1)));
    EXPECT_TRUE(InkNear(TextInk(disabled, SysColorFace()), SysColorDisabled()));

    // Under the pointer, and while its pull-down is open, the item is highlighted.
    MovePointer(window->GetWindow(), file.CenterPoint());
    ASSERT_TRUE(Painted(w, [&] { return w.FileItem().GetState() == ITEM_HOT; }));
    Pixels hot = Cut(Grab(w), file);
    EXPECT_GT(hot.Count(SysColorHighlight()), hot.cx * hot.cy * 2 / 3);
    EXPECT_TRUE(InkNear(TextInk(hot, SysColorHighlight()), SysColorHighlightText()));
    ASSERT_TRUE(PointAt(NEW));
    ASSERT_TRUE(Painted(w, [&] { return w.FileItem().GetState() == ITEM_PUSHED; }));
    Pixels pushed = Cut(Grab(w), file);
    EXPECT_GT(pushed.Count(SysColorHighlight()), pushed.cx * pushed.cy * 2 / 3);
}

TEST_F(MenuPaintGuiTest, TheHighlightFollowsThePointerDownThePullDown)
{
    for(int i : { NEW, SAVE_AS, CHECKED }) {
        ASSERT_TRUE(PointAt(i)) << i;
        MenuBar& menu = w.PullDown();
        for(int j = 0; j < menu.GetItemCount(); j++) {
            Pixels item = ItemPixels(j);
            if(j == i) {
                EXPECT_GT(item.Count(SysColorHighlight()), item.cx * item.cy * 2 / 3) << i;
                EXPECT_TRUE(InkNear(TextInk(item, SysColorHighlight()), SysColorHighlightText())) << i;
            }
            else
                EXPECT_EQ(item.Count(SysColorHighlight()), 0) << "item " << j << " while " << i << " is hot";
        }
    }
}

TEST_F(MenuPaintGuiTest, TheAccessKeyIsUnderlinedUnderItsOwnCharacterOnly)
{
    ASSERT_TRUE(PointAt(PICTURE));
    MenuBar& menu = w.PullDown();
    auto paint_all = [&](int on_alt_only) {
        SetAccessKeysOnAltOnly(on_alt_only);
        for(int i = 0; i < menu.GetItemCount(); i++)
            menu.GetItem(i).Refresh();
        EXPECT_TRUE(Painted(menu));
        return Grab(menu);
    };
    Pixels plain = paint_all(1);
    Pixels marked = paint_all(0);
    struct Case {
        int item;
        const char* before; // the text before the underlined character
        const char* ch;
    };
    for(Case c : { Case{ NEW, "", "N" }, Case{ SAVE_AS, "Save ", "A" } }) {
        MenuItemBase& item = menu.GetItem(c.item);
        Rect r = InWindow(item);
        // No image: the text starts after the image column.
        int x = item.icon_column_width + item.text_gap + GetTextSize(c.before, item.font).cx;
        int y =
            (r.Height() - GetTextSize(item.GetText(), GetStandardFontReference()).cy) / 2 + item.font.GetAscent() + 1;
        Rect under(x, y, x + GetTextSize(c.ch, item.font).cx, y + 1);
        Pixels with = Cut(marked, r);
        EXPECT_EQ(DiffBox(with, Cut(plain, r)), under) << c.item;
        EXPECT_EQ(Cut(with, under).Count(SysColorMenuMark()), under.Width()) << c.item;
    }
    Rect locked = InWindow(menu.GetItem(LOCKED));
    EXPECT_TRUE(DiffBox(Cut(marked, locked), Cut(plain, locked)).IsEmpty()) << "a disabled item has no underline";
}

TEST_F(MenuPaintGuiTest, ADisabledItemIsWrittenInTheDisabledInk)
{
    ASSERT_TRUE(PointAt(PICTURE));
    ASSERT_FALSE(IsNear(SysColorDisabled(), SysColorMenuText()));
    Pixels locked = ItemPixels(LOCKED);
    EXPECT_TRUE(InkNear(TextInk(locked, SysColorMenu()), SysColorDisabled()));
    Pixels enabled = ItemPixels(NEW);
    EXPECT_TRUE(InkNear(TextInk(enabled, SysColorMenu()), SysColorMenuText()));
    // The pointer on it gives it the focus and the highlight; its text keeps the disabled ink.
    ASSERT_TRUE(PointAt(LOCKED));
    Pixels hot = ItemPixels(LOCKED);
    EXPECT_GT(hot.Count(SysColorHighlight()), hot.cx * hot.cy * 2 / 3);
    EXPECT_TRUE(InkNear(TextInk(hot, SysColorHighlight()), SysColorDisabled()));
}

// The shortcut text ends 16 + 3 pixels before the item's right edge: the key's name, or the
// text after a tab in place of it.
TEST_F(MenuPaintGuiTest, ShortcutTextsEndAtTheRightEdge)
{
    ASSERT_TRUE(PointAt(PICTURE));
    MenuBar& menu = w.PullDown();
    struct Case {
        int item;
        String shown;
    };
    for(const Case& c : { Case{ NEW, FormatKeyName(K_CTRL | 'N') }, Case{ SAVE_AS, "Ctrl+Shift+S" } }) {
        MenuItemBase& item = menu.GetItem(c.item);
        Rect r = InWindow(item);
        int right = r.Width() - 19;
        int width = GetTextSize(c.shown, item.font).cx;
        // The right half of the item, where only the shortcut text is drawn.
        Rect half(r.Width() / 2, 0, r.Width(), r.Height());
        Rect ink = InkBox(Cut(ItemPixels(c.item), half), SysColorMenu()) + Size(half.left, 0);
        ASSERT_FALSE(ink.IsEmpty()) << c.item;
        EXPECT_LE(ink.right, right) << c.item;
        EXPECT_GE(ink.right, right - 3) << c.item;
        EXPECT_NEAR(ink.left, right - width, 3) << c.item << " shows " << c.shown.Begin();
    }
}

// A checked item without an image shows its mark centred in the image column; an item with
// an image shows the image there, centred too.
TEST_F(MenuPaintGuiTest, MarksAndImagesSitInTheImageColumn)
{
    ASSERT_TRUE(PointAt(NEW));
    MenuBar& menu = w.PullDown();
    MenuItemBase& checked = menu.GetItem(CHECKED);
    int column = checked.icon_column_width;
    Rect r = InWindow(checked);
    Rect left(0, 0, column, r.Height());
    // Against the same column of an item without a mark, which shows the menu's own looks.
    Pixels bare = Cut(ItemPixels(LOCKED), left);
    Rect mark = DiffBox(Cut(ItemPixels(CHECKED), left), bare);
    Size ms = CtrlImg::MenuCheck1().GetSize();
    Rect place(Point((std::max(ms.cx, column - 2) - ms.cx) / 2, (r.Height() - ms.cy) / 2), ms);
    ASSERT_FALSE(mark.IsEmpty()) << "no mark";
    EXPECT_TRUE(place.Contains(mark)) << mark.left << "," << mark.top << " " << mark.Width() << "x" << mark.Height();

    Pixels picture = ItemPixels(PICTURE);
    Rect red = DiffBox(picture, [&] {
        Pixels p = picture;
        for(Color& c : p.colors)
            if(c == PICTURE_RED)
                c = Color(1, 2, 3);
        return p;
    }());
    int h = InWindow(menu.GetItem(PICTURE)).Height();
    EXPECT_EQ(red, Rect(Point((column - 2 - 8) / 2, (h - 8) / 2), Size(8, 8)));
    EXPECT_EQ(picture.Count(PICTURE_RED), 64);
}

} // namespace
