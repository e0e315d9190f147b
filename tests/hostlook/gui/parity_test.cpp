// Parity with native GTK 2: the native peer and a Qor window show a button, a check box and
// an option in their states, and an empty edit field, on one private server under the same
// theme; each control's pixels, without text, must match GTK's.

// Before Xlib, whose Bool macro would rename GoogleTest's Bool().
#include "tests/support/x11/input_window.h"

#include "draw/look/sys_colors.h"
#include "widgets/button/button.h"
#include "widgets/edit/edit_field.h"
#include "widgets/option/option.h"

#include "tests/hostlook/gui/gtk_peer_run.h"
#include "tests/hostlook/gui/theme_pin.h"

#include <cstdlib>
#include <sstream>

namespace {

using namespace Qor;
using namespace QorTest;

// The peer's layout (gtk_peer.c), on the face colour.
class ParityPanel : public Ctrl {
public:
    Qor::Button buttons[2];
    Option checks[3];
    Option radios[3];
    EditField field;

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
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

// The smallest rectangle of the cell holding what differs from the face colour.
Rect Content(const Pixels& p, Color face)
{
    Rect r(p.cx, p.cy, 0, 0);
    for(int y = 0; y < p.cy; y++)
        for(int x = 0; x < p.cx; x++)
            if(p.At(x, y) != face)
                r = Rect(std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1));
    return r.left < r.right ? r : Rect(0, 0, 0, 0);
}

int ChannelDistance(Color a, Color b)
{
    return std::max({ std::abs(a.GetR() - b.GetR()), std::abs(a.GetG() - b.GetG()), std::abs(a.GetB() - b.GetB()) });
}

// The share of pixels within 6 levels per channel, the rectangles aligned at their corners.
double Match(const Pixels& a, const Rect& ra, const Pixels& b, const Rect& rb)
{
    int close = 0, total = ra.Width() * ra.Height();
    for(int y = 0; y < ra.Height(); y++)
        for(int x = 0; x < ra.Width(); x++)
            close += ChannelDistance(a.At(ra.left + x, ra.top + y), b.At(rb.left + x, rb.top + y)) <= 6;
    return total ? double(close) / total : 0;
}

std::string Show(const Pixels& p, const Rect& r, Color face)
{
    std::ostringstream s;
    for(int y = r.top; y < r.bottom; y++) {
        for(int x = r.left; x < r.right; x++) {
            Color c = p.At(x, y);
            s << (c == face ? '.' : (c.GetR() + c.GetG() + c.GetB() < 384 ? '#' : '+'));
        }
        s << '\n';
    }
    return s.str();
}

class GtkParity : public ::testing::TestWithParam<const char*> {};

TEST_P(GtkParity, ButtonsChecksAndOptions)
{
    PinnedTheme pin;
    pin.theme = GetParam();
    if(!RunUnderTheme(pin))
        return;
    ASSERT_TRUE(RequireDisplay());
    GtkPeerRun peer("show");
    std::string line;
    ASSERT_TRUE(peer.ReadLine(line)) << "the GTK peer did not show its window";
    ASSERT_EQ(line, "ready");
    ParityPanel panel;
    OpenInput window(panel, Rect(0, 200, 400, 360));
    ASSERT_TRUE(window.IsOpen());
    PumpFor(300);
    Pixels native = GrabPixels(root, Rect(0, 0, 400, 160));
    Pixels qor = GrabPixels(root, Rect(0, 200, 400, 360));
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
    };
    for(const Cell& c : cells) {
        Rect a = c.r, b = c.r;
        if(!c.whole) {
            Pixels pa = GrabPixels(root, c.r);
            Pixels pb = GrabPixels(root, c.r.Offseted(0, 200));
            a = Content(pa, face).Offseted(c.r.left, c.r.top);
            b = Content(pb, face).Offseted(c.r.left, c.r.top);
            ASSERT_EQ(a.GetSize(), b.GetSize()) << c.name << "\nGTK:\n"
                                                << Show(native, a, face) << "Qor:\n"
                                                << Show(qor, b, face);
            ASSERT_FALSE(a.IsEmpty()) << c.name;
        }
        double m = Match(native, a, qor, b);
        EXPECT_GE(m, 0.98) << c.name << "\nGTK:\n" << Show(native, a, face) << "Qor:\n" << Show(qor, b, face);
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, GtkParity, ::testing::Values("Raleigh", "Clearlooks", "Redmond"));

} // namespace
