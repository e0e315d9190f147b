// Parity with native GTK 2: the native peer and a Qor window show the same controls on one
// private server under the same theme: buttons, check boxes and options in their states, an
// empty edit field, an empty drop-down field, a vertical scroll bar and a menu bar with an
// open menu and a highlighted item; each control's pixels, without text, must match GTK's.
//
// The scroll bar is the one control whose layout differs by design: GTK insets its steppers
// and slider by the trough border, Qor's bar lays its arrows and thumb out edge to edge over
// the full width. Its looks are therefore compared painted at GTK's own rectangles, and the
// bar as laid out is only reported.

// Before Xlib, whose Bool macro would rename GoogleTest's Bool().
#include "tests/support/x11/input_window.h"

#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "lists/droplist/drop_list.h"
#include "widgets/button/button.h"
#include "widgets/edit/edit_field.h"
#include "widgets/menu/menu_bar.h"
#include "widgets/option/option.h"
#include "widgets/scroll/scroll_bar.h"

#include "tests/hostlook/gui/gtk_peer_run.h"
#include "tests/hostlook/gui/pixel_compare.h"
#include "tests/hostlook/gui/theme_pin.h"
#include "tests/support/lambda_callback.h"
#include "tests/support/x11/xtest_input.h"

#include <X11/keysym.h>

#include <map>
#include <sstream>

namespace {

using namespace Qor;
using namespace QorTest;

// Where the Qor window stands below the peer's (0, 0, 400, 290) window, clear of its menu.
const int QOR_TOP = 300;

// What the peer reports before "ready", by its first word.
struct PeerGeometry {
    bool combo_as_list = false;
    int bar_width = 0, trough_border = 0, stepper_size = 0, slider_start = 0, slider_end = 0;
    Rect top_item; // in the menu bar
    int menu_bar_height = 0, menu_bar_edge = 0;
};

bool StartPeer(GtkPeerRun& peer, PeerGeometry& g)
{
    std::string line;
    bool combo = false, scroll = false, menu = false;
    while(peer.ReadLine(line) && line != "ready") {
        std::istringstream s(line);
        std::string word;
        s >> word;
        if(word == "combo")
            combo = bool(s >> g.combo_as_list);
        if(word == "scrollbar")
            scroll = bool(s >> g.bar_width >> g.trough_border >> g.stepper_size >> g.slider_start >> g.slider_end);
        if(word == "menu")
            menu = bool(s >> g.top_item.left >> g.top_item.top >> g.top_item.right >> g.top_item.bottom >>
                        g.menu_bar_height >> g.menu_bar_edge);
    }
    return line == "ready" && combo && scroll && menu;
}

// The scroll bar's looks from the style, painted where GTK puts its trough, steppers and
// slider: a thumb from slider_start to slider_end, steppers of the theme's stepper size
// inset by the trough border.
class ScrollBarLooks : public Ctrl {
public:
    PeerGeometry g;

    void Paint(Draw& w) override
    {
        const ScrollBarStyle& s = ScrollBar::GetDefaultStyle();
        Size sz = GetSize();
        int b = g.trough_border, stepper_size = g.stepper_size;
        w.DrawRect(Rect(sz), SysColorPaper());
        PaintLook(w, Rect(sz), s.vertical_before[VISUAL_NORMAL]);
        PaintLook(w, Rect(b, b, sz.cx - b, b + stepper_size), s.up.look[VISUAL_NORMAL]);
        PaintLook(w, Rect(b, sz.cy - b - stepper_size, sz.cx - b, sz.cy - b), s.down.look[VISUAL_NORMAL]);
        PaintLook(w, Rect(b, g.slider_start, sz.cx - b, g.slider_end), s.vertical_thumb[VISUAL_NORMAL]);
    }
};

class FacePanel : public Ctrl {
public:
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

// What the native menu reports once it is open (gtk_peer.c), in screen pixels.
struct OpenMenuGeometry {
    Rect menu, item; // item in the menu
};

bool ReadOpenMenu(GtkPeerRun& peer, OpenMenuGeometry& m)
{
    std::string line;
    while(peer.ReadLine(line)) {
        std::istringstream s(line);
        std::string word;
        int cx = 0, cy = 0;
        if(s >> word && word == "menuopen" &&
           s >> m.menu.left >> m.menu.top >> cx >> cy >> m.item.left >> m.item.top >> m.item.right >> m.item.bottom) {
            m.menu.right = m.menu.left + cx;
            m.menu.bottom = m.menu.top + cy;
            return true;
        }
    }
    return false;
}

// The menu style's looks painted where GTK puts its bar, pressed item, open menu and
// highlighted item; the control stands where the peer's menu bar does, one window over.
class MenuLooks : public Ctrl {
public:
    Rect bar, top_item, menu, item; // in this control

    void Paint(Draw& w) override
    {
        const MenuBarStyle& s = MenuBar::GetDefaultStyle();
        w.DrawRect(Rect(GetSize()), SysColorFace());
        PaintLook(w, bar, s.look);
        PaintLook(w, top_item, s.top_item_look[VISUAL_PRESSED]);
        Rect m = GetLookMargins(s.popup_frame);
        PaintLook(w, menu, s.popup_frame);
        PaintLook(w, Rect(menu.left + m.left, menu.top + m.top, menu.right - m.right, menu.bottom - m.bottom),
                  s.popup_body);
        PaintLook(w, item.Offseted(menu.left, menu.top), s.hot_item_look);
    }
};

// The peer's layout (gtk_peer.c), on the face colour.
class ParityPanel : public FacePanel {
public:
    Qor::Button buttons[2];
    Option checks[3];
    Option radios[3];
    EditField field;
    DropList drop;
    ScrollBar bar;
    ScrollBarLooks bar_looks;
    FacePanel menu_host;
    MenuBar menu;

    ParityPanel()
    {
        for(int i = 0; i < 2; i++) {
            buttons[i].SetRect(10 + 90 * i, 10, 80, 30);
            buttons[i].SetWantsFocus(false);
            AppendChild(buttons[i]);
        }
        buttons[1].Disable();
        for(int i = 0; i < 3; i++) {
            for(Option* o : { &checks[i], &radios[i] }) {
                o->SetRect(10 + 50 * i, o == &checks[i] ? 60 : 110, 30, 30);
                o->SetWantsFocus(false);
                o->Set(i == 1);
                AppendChild(*o);
            }
            radios[i].SetRadioLook();
        }
        checks[2].Disable();
        radios[2].Disable();
        field.SetRect(240, 10, 140, 30);
        field.SetWantsFocus(false);
        AppendChild(field);
        drop.SetRect(240, 60, 140, 30);
        drop.SetWantsFocus(false);
        AppendChild(drop);
        bar.SetRect(200, 60, ScrollBar::GetDefaultStyle().bar_width, 120);
        bar.Set(250, 500, 1000);
        AppendChild(bar);
        menu_host.SetRect(0, 190, 400, 30);
        menu_host.AddFrame(menu);
        menu.AddSubMenu(Lambda<Bar&>([](Bar& b) {
                b.AddItem(Callback()).Text(" ");
                b.AddItem(Callback()).Text(" ");
            }))
            .Text(" ");
        AppendChild(menu_host);
    }
    // The drop-down style GTK's combo box shows, and the scroll bar's looks beside the real
    // bar, where the peer shows nothing.
    void Follow(const PeerGeometry& g)
    {
        // GTK's combo box drawn as a field with a button is the second drop-down style.
        if(g.combo_as_list)
            drop.SetStyle(MultiButton::GetAltStyle());
        bar_looks.g = g;
        bar_looks.SetRect(220, 60, g.bar_width, 120);
        AppendChild(bar_looks);
    }
    MenuBar& PullDown() { return dynamic_cast<SubMenuBase&>(menu.GetItem(0)).GetSubMenu(); }
};

class GtkParity : public ::testing::TestWithParam<const char*> {
protected:
    std::string Name(const char* what) const { return std::string(GetParam()) + "-" + what; }
};
class GtkMenuParity : public GtkParity {};

TEST_P(GtkParity, ButtonsChecksOptionsFieldsAndScrollBar)
{
    PinnedTheme pin;
    pin.theme = GetParam();
    if(!RunUnderTheme(pin))
        return;
    ASSERT_TRUE(RequireDisplay());
    GtkPeerRun peer("show");
    PeerGeometry g;
    ASSERT_TRUE(StartPeer(peer, g)) << "the GTK peer did not show its window";
    ParityPanel panel;
    panel.Follow(g);
    OpenInput window(panel, Rect(0, QOR_TOP, 400, QOR_TOP + 290));
    ASSERT_TRUE(window.IsOpen());
    PumpFor(300);
    Pixels native = GrabPixels(root, Rect(0, 0, 400, 290));
    Pixels qor = GrabPixels(root, Rect(0, QOR_TOP, 400, QOR_TOP + 290));
    Color face = SysColorFace();
    ASSERT_EQ(native.At(395, 150), face) << "the peer's window shows the same face colour";
    struct Cell {
        const char* name;
        Rect r;
        bool whole; // compared as a whole: the control fills its cell
    } cells[] = {
        { "button", Rect(10, 10, 90, 40), true },
        { "disabled button", Rect(100, 10, 180, 40), true },
        { "check off", Rect(10, 60, 40, 90), false },
        { "check on", Rect(60, 60, 90, 90), false },
        { "check disabled", Rect(110, 60, 140, 90), false },
        { "option off", Rect(10, 110, 40, 140), false },
        { "option on", Rect(60, 110, 90, 140), false },
        { "option disabled", Rect(110, 110, 140, 140), false },
        { "edit field", Rect(240, 10, 380, 40), true },
        // Its button holds the scroll bar's arrow on a button of the standard scroll-bar
        // width, where GTK's combo box has an arrow and a width of its own.
        { "drop-down field beside its button", Rect(240, 60, 350, 90), true },
    };
    for(const Cell& c : cells) {
        Rect a = c.r, b = c.r.Offseted(0, QOR_TOP);
        if(!c.whole) {
            a = Content(GrabPixels(root, a), face).Offseted(a.left, a.top);
            b = Content(GrabPixels(root, b), face).Offseted(b.left, b.top);
            ASSERT_EQ(a.GetSize(), b.GetSize()) << c.name << "\nGTK:\n"
                                                << Show(native, a, face) << "Qor:\n"
                                                << Show(qor, b.Offseted(0, -QOR_TOP), face);
            ASSERT_FALSE(a.IsEmpty()) << c.name;
        }
        b.Offset(0, -QOR_TOP);
        DumpComparison(Name(c.name), native, a, qor, b);
        double m = Match(native, a, qor, b);
        EXPECT_GE(m, 0.98) << c.name << "\nGTK:\n" << Show(native, a, face) << "Qor:\n" << Show(qor, b, face);
    }

    Rect drop(240, 60, 380, 90);
    DumpComparison(Name("drop-down field"), native, drop, qor, drop);
    std::cout << GetParam() << ": drop-down field " << Match(native, drop, qor, drop)
              << (g.combo_as_list ? " (second style)" : "") << "\n";

    Rect gtk_bar(200, 60, 200 + g.bar_width, 180);
    Rect looks = gtk_bar.Offseted(20, 0);
    DumpComparison(Name("scroll bar looks"), native, gtk_bar, qor, looks);
    double m = Match(native, gtk_bar, qor, looks);
    EXPECT_GE(m, 0.98) << "the scroll bar's looks at GTK's places\nGTK:\n"
                       << Show(native, gtk_bar, face) << "Qor:\n"
                       << Show(qor, looks, face);
    DumpComparison(Name("scroll bar"), native, gtk_bar, qor, gtk_bar);
    std::cout << GetParam() << ": scroll bar looks " << m << ", bar as laid out "
              << Match(native, gtk_bar, qor, gtk_bar) << " (trough border " << g.trough_border << ", GTK width "
              << g.bar_width << ", Qor width " << ScrollBar::GetDefaultStyle().bar_width << ")\n";
}

// The bar's item pressed and its menu open, the pointer on the menu's first item. The
// menus' sizes follow each side's own layout (GTK's paddings against the menu's own item
// metrics), so the looks are compared at GTK's places and the real menu is reported.
TEST_P(GtkMenuParity, MenuBarWithAnOpenMenu)
{
    PinnedTheme pin;
    pin.theme = GetParam();
    if(!RunUnderTheme(pin))
        return;
    ASSERT_TRUE(RequireDisplay());
    GtkPeerRun peer("show");
    PeerGeometry g;
    ASSERT_TRUE(StartPeer(peer, g)) << "the GTK peer did not show its window";
    ParityPanel panel;
    OpenInput window(panel, Rect(0, QOR_TOP, 400, QOR_TOP + 290));
    ASSERT_TRUE(window.IsOpen());
    panel.Follow(g);
    // The bar and its menu are read as one region: both hang below the bar's item.
    const Rect area(0, 190, 400, 290);
    MenuLooks looks;
    OpenInput looks_window(looks, Rect(420, area.top, 420 + area.Width(), area.bottom));
    ASSERT_TRUE(looks_window.IsOpen());
    PumpFor(300);
    Color face = SysColorFace();

    Rect item = g.top_item.Offseted(0, area.top);
    Click(root, item.CenterPoint());
    PumpFor(300);
    MovePointer(root, Point(item.left + 8, area.top + g.menu_bar_height + 8));
    OpenMenuGeometry om;
    ASSERT_TRUE(ReadOpenMenu(peer, om)) << "the native menu did not open";
    PumpFor(300);
    Pixels native = GrabPixels(root, area);
    TypeKey(XK_Escape);

    looks.bar = Rect(0, 0, area.Width(), g.menu_bar_height);
    looks.top_item = g.top_item;
    looks.menu = om.menu.Offseted(-area.left, -area.top);
    looks.item = om.item;
    looks.Refresh();
    PumpFor(300);
    Pixels painted = GrabPixels(root, area.Offseted(420, 0));
    // The bar look is painted one pixel taller and cut, so that its bottom edge does not show:
    // the rows of that edge differ by design.
    Rect bar(0, 0, area.Width(), g.menu_bar_height - g.menu_bar_edge), whole(0, 0, area.Width(), area.Height());
    DumpComparison(Name("menu looks"), native, whole, painted, whole);
    EXPECT_GE(Match(native, bar, painted, bar), 0.98) << "the bar with its item pressed, above its bottom edge\nGTK:\n"
                                                      << Show(native, bar, face) << "Qor:\n"
                                                      << Show(painted, bar, face);
    Rect menu = looks.menu;
    EXPECT_GE(Match(native, menu, painted, menu), 0.95) << "the open menu\nGTK:\n"
                                                        << Show(native, menu, face) << "Qor:\n"
                                                        << Show(painted, menu, face);

    Click(root, panel.menu.GetItem(0).GetRectOnScreen().CenterPoint());
    ASSERT_TRUE(PumpUntil([&] { return panel.PullDown().IsOpen(); }));
    MovePointer(root, panel.PullDown().GetItem(0).GetRectOnScreen().CenterPoint());
    PumpFor(500);
    Pixels qor = GrabPixels(root, area.Offseted(0, QOR_TOP));
    Rect qor_bar = panel.menu.GetRectOnScreen().Offseted(0, -QOR_TOP - area.top);
    Rect qor_menu = panel.PullDown().GetRectOnScreen().Offseted(0, -QOR_TOP - area.top);
    panel.menu.CloseMenu();
    DumpComparison(Name("menu"), native, whole, qor, whole);
    // The real menu against GTK's over the size both have, from their top-left corners.
    Size common(std::min(menu.Width(), qor_menu.Width()), std::min(menu.Height(), qor_menu.Height()));
    std::cout << GetParam() << ": menu looks: bar " << Match(native, bar, painted, bar) << ", open menu "
              << Match(native, menu, painted, menu) << "; real menu: bar " << Match(native, bar, qor, bar)
              << ", open menu " << Match(native, Rect(menu.TopLeft(), common), qor, Rect(qor_menu.TopLeft(), common))
              << " (GTK bar height " << g.menu_bar_height << ", menu " << menu.Width() << " x " << menu.Height()
              << "; Qor bar height " << qor_bar.Height() << ", menu " << qor_menu.Width() << " x " << qor_menu.Height()
              << ")\n";
}

// Crux's slider width of 13 is raised to the bar's minimum of 14, so its stepper arrows are
// made one pixel larger than GTK's: its scroll bar's looks match 97.9 %.
INSTANTIATE_TEST_SUITE_P(Themes, GtkParity, ::testing::Values("Raleigh", "Clearlooks", "Redmond"));
INSTANTIATE_TEST_SUITE_P(Themes, GtkMenuParity, ::testing::Values("Raleigh", "Clearlooks", "Redmond", "Crux"));

} // namespace
