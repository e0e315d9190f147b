// The host skin's run: what it reads of the theme and writes into the system colours, the
// standard font, the font rendering settings, the control images and the style records; in
// this process under Raleigh, and on private servers under other themes and desktops, where
// the native GTK peer reports what GTK itself reads of the same theme.

// Before Xlib, whose Bool macro would rename GoogleTest's Bool().
#include "tests/support/x11/gui_test.h"

#include "ctrl/settings/layout_zoom.h"
#include "ctrl/settings/skin_change.h"
#include "ctrl/x11/image/image_draw.h"
#include "draw/look/resettable_statics.h"
#include "ctrl/x11/font/xft_settings.h"
#include "ctrl/x11/startup/window_system.h"
#include "draw/font/font_metrics.h"
#include "draw/look/look.h"
#include "draw/look/recolour.h"
#include "draw/look/sys_colors.h"
#include "hostlook/hostlook.h"
#include "lists/header/header_ctrl.h"
#include "widgets/button/button.h"
#include "widgets/images/classic_ctrls_img.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/menu/menu_style.h"
#include "widgets/prompt/prompt.h"

#include "tests/hostlook/gui/gtk_peer_run.h"
#include "tests/hostlook/gui/theme_pin.h"

#include <gtk/gtk.h>

namespace {

using namespace Qor;
using namespace QorTest;

Color PeerColor(const std::map<std::string, std::string>& peer, const char* name)
{
    auto i = peer.find(name);
    EXPECT_NE(i, peer.end()) << name;
    if(i == peer.end())
        return Color();
    unsigned v = (unsigned)std::stoul(i->second, nullptr, 16);
    return Color(v >> 16, (v >> 8) & 255, v & 255);
}

const GtkElement& Element(const Value& look)
{
    const GtkElement* e = GetGtkElement(look);
    EXPECT_NE(e, nullptr);
    static GtkElement none{};
    return e ? *e : none;
}

void ExpectButtonLooks(const Value* looks)
{
    const int states[4] = { GTK_STATE_NORMAL, GTK_STATE_PRELIGHT, GTK_STATE_ACTIVE, GTK_STATE_INSENSITIVE };
    for(int i = 0; i < 4; i++) {
        EXPECT_EQ(Element(looks[i]).state, states[i]) << i;
        EXPECT_EQ(Element(looks[i]).shadow, i == 2 ? GTK_SHADOW_IN : GTK_SHADOW_OUT) << i;
    }
}

// What every theme must show after the skin ran, checked against the native peer.
void CheckReadBack(const char* theme, bool kde, bool gnome)
{
    std::map<std::string, std::string> peer = ReadGtkPeerTheme();
    ASSERT_EQ(peer["theme"], theme) << "the peer runs under the pinned theme";
    EXPECT_EQ(SysColorPaper(), PeerColor(peer, "paper"));
    EXPECT_EQ(SysColorFace(), PeerColor(peer, "face"));
    EXPECT_EQ(SysColorText(), PeerColor(peer, "text"));
    EXPECT_EQ(SysColorHighlight(), PeerColor(peer, "highlight"));
    EXPECT_EQ(SysColorHighlightText(), PeerColor(peer, "highlight_text"));
    // The menu colours are those of a GTK menu and a menu bar's open item.
    EXPECT_EQ(SysColorMenu(), PeerColor(peer, "menu"));
    EXPECT_EQ(SysColorMenuText(), PeerColor(peer, "bar_hot_text"));
    EXPECT_EQ(SysColorDisabled(), PeerColor(peer, "disabled"));
    EXPECT_EQ(SysColorLight(), PeerColor(peer, "light"));
    EXPECT_EQ(SysColorShadow(), PeerColor(peer, "shadow"));
    EXPECT_EQ(SysColorLabel(), PeerColor(peer, "label"));
    EXPECT_EQ(GetStandardFont(), GtkFontFromName(peer["font"].c_str(), GetGtkSettingInt("gtk-xft-dpi")));

    const GtkHostSkinState& state = GetGtkHostSkinState();
    EXPECT_EQ(state.theme_name, theme);
    EXPECT_EQ(state.qt_like, kde);
    std::string t = theme;
    bool classic = t == "Raleigh" || t == "Redmond";
    EXPECT_EQ(state.classic_buttons, classic);
    // Only a GNOME desktop's antialiasing is taken; a plain Xvfb gives it on.
    EXPECT_EQ(GetXftRenderSettings().antialias, gnome ? 1 : -1);

    int s = std::stoi(peer["indicator"]) + 2;
    for(int i = CtrlsImg::I_S0; i <= CtrlsImg::I_O2d; i++) {
        EXPECT_EQ(CtrlsImg::Get(i).GetSize(), Size(s, s)) << CtrlsImg::GetList().GetName(i).Begin();
        EXPECT_FALSE(IsImageFullyTransparent(CtrlsImg::Get(i))) << i;
    }
    EXPECT_NE(CtrlsImg::S0(), CtrlsImg::S1());
    EXPECT_NE(CtrlsImg::O0(), CtrlsImg::O1());
    EXPECT_NE(CtrlsImg::O1(), CtrlsImg::O2());

    const ButtonStyle& plain = Button::GetPlainStyle();
    EXPECT_EQ(plain.status, STATIC_SKINNED);
    ExpectButtonLooks(plain.look);
    ExpectButtonLooks(Button::GetOkStyle().look);
    EXPECT_NE(Element(Button::GetOkStyle().look[0]).widget, Element(plain.look[0]).widget);
    const HeaderCtrlStyle& header = HeaderCtrl::GetDefaultStyle();
    EXPECT_EQ(header.status, STATIC_SKINNED);
    for(int i = 0; i < 4; i++) {
        if(classic) {
            EXPECT_EQ(Element(header.look[i]).widget, Element(plain.look[i]).widget) << i;
            EXPECT_EQ(Element(header.look[i]).state, Element(plain.look[i]).state) << i;
            EXPECT_EQ(Element(header.look[i]).shadow, Element(plain.look[i]).shadow) << i;
        }
        else {
            EXPECT_EQ(Element(header.look[i]).extend, Rect(6, 3, 6, 0)) << i;
            EXPECT_TRUE(Element(header.look[i]).shadow & GTK_SIDE_LINES) << i;
        }
    }
    // The skin's looks paint through GTK: a button face in the window's face colour.
    ImageDraw w(60, 30);
    w.DrawRect(0, 0, 60, 30, Color(255, 0, 255));
    PaintLook(w, Rect(0, 0, 60, 30), plain.look[0]);
    Image painted = w.GetImage();
    EXPECT_NE(Color(painted[15][30].r, painted[15][30].g, painted[15][30].b), Color(255, 0, 255));
}

class HostSkin : public GuiTest {};

TEST_F(HostSkin, RaleighInThisProcess)
{
    ApplySkinChange();
    CheckReadBack("Raleigh", false, false);
}

TEST_F(HostSkin, ButtonsToolButtonsAndIcons)
{
    ApplySkinChange();
    const ButtonStyle& plain = Button::GetPlainStyle();
    EXPECT_EQ(plain.overpaint, 3);
    GtkWidget* button = gtk_button_new();
    gint dx = 0, dy = 0;
    gtk_widget_style_get(button, "child-displacement-x", &dx, "child-displacement-y", &dy, nullptr);
    EXPECT_EQ(plain.pressed_offset, Point(dx, dy));
    GtkStyle* style = gtk_rc_get_style(button);
    EXPECT_EQ(plain.text_colour[0], GdkColorToColor(style->fg[GTK_STATE_NORMAL]));
    EXPECT_EQ(plain.text_colour[1], GdkColorToColor(style->fg[GTK_STATE_PRELIGHT]));
    EXPECT_EQ(plain.text_colour[2], GdkColorToColor(style->fg[GTK_STATE_ACTIVE]));
    EXPECT_EQ(plain.text_colour[3], GdkColorToColor(style->fg[GTK_STATE_INSENSITIVE]));
    gtk_widget_destroy(button);
    // Raleigh's face is light: dark marks.
    for(int i = 0; i < 3; i++)
        EXPECT_EQ(plain.glyph_colour[i], Color(0, 0, 0)) << i;
    EXPECT_EQ(plain.glyph_colour[3], Color(128, 128, 128));
    int limit = ZoomY(16);
    for(const Image& m : { plain.ok_image, plain.cancel_image, plain.exit_image, GetPromptYesImage(),
                           GetPromptNoImage(), GetPromptAbortImage(), GetPromptRetryImage() }) {
        EXPECT_FALSE(m.IsEmpty());
        EXPECT_LE(m.GetHeight(), limit);
    }
    EXPECT_EQ(CtrlImg::information().GetSize(), Size(48, 48));
    EXPECT_EQ(CtrlImg::question().GetSize(), Size(48, 48));
    EXPECT_EQ(CtrlImg::exclamation().GetSize(), Size(48, 48));

    const Value* tool = ToolBar::GetDefaultStyle().button_style.looks;
    EXPECT_TRUE(tool[0].IsNull());
    EXPECT_TRUE(tool[3].IsNull());
    EXPECT_EQ(Element(tool[1]).state, GTK_STATE_PRELIGHT);
    EXPECT_EQ(Element(tool[2]).shadow, GTK_SHADOW_IN);
    for(int i : { 4, 5 }) {
        EXPECT_EQ(Element(tool[i]).state, GTK_STATE_ACTIVE) << i;
        EXPECT_EQ(Element(tool[i]).shadow, GTK_SHADOW_IN) << i;
    }
}

TEST_F(HostSkin, EveryRunStartsAFreshStackAndKeepsOnePainter)
{
    ApplySkinChange();
    int entries = GetGtkWidgetStack().GetCount();
    int runs = GetGtkHostSkinRunCount();
    ApplySkinChange();
    EXPECT_EQ(GetGtkHostSkinRunCount(), runs + 1);
    EXPECT_EQ(GetGtkWidgetStack().GetCount(), entries);
    int painters = 0;
    for(LookPainter p : GetLookPainters())
        painters += p == &PaintGtkElementLook;
    EXPECT_EQ(painters, 1);
    EXPECT_LT(Element(Button::GetOkStyle().look[3]).widget, entries);
}

// Every control image is recoloured once: the classic ones from the classic list, the rest
// from their own. Raleigh's face is no grey, so a second recolouring changes nothing there:
// this run's grey theme shows it.
TEST_F(HostSkin, ControlImagesAreRecolouredOnce)
{
    PinnedTheme grey;
    grey.rc = "style \"qor-grey\" { bg[NORMAL] = \"#a8a8a8\" base[NORMAL] = \"#f0f0f0\" text[NORMAL] = \"#101010\" }\n"
              "class \"GtkWidget\" style \"qor-grey\"\n";
    if(!RunUnderTheme(grey))
        return;
    ASSERT_TRUE(RequireDisplay());
    ASSERT_EQ(SysColorFace(), Color(0xa8, 0xa8, 0xa8));
    ImageList& ctrls = CtrlsImg::GetList();
    ctrls.Reset();
    Image track = ctrls.Get(CtrlsImg::I_SBVU);
    ApplySkinChange();
    Image classic = ClassicCtrlsImg::GetList().Get(ClassicCtrlsImg::GetList().Find("B"));
    ASSERT_NE(RecolourToSystem(classic), RecolourToSystem(RecolourToSystem(classic)))
        << "the theme was to show a second recolouring";
    EXPECT_EQ(CtrlsImg::B(), RecolourToSystem(classic));
    EXPECT_EQ(CtrlsImg::SBVU(), RecolourToSystem(track));
}

class HostSkinThemes : public ::testing::TestWithParam<ThemeCase> {};

TEST_P(HostSkinThemes, ReadBack)
{
    if(!RunUnderTheme(PinOnDesktop(GetParam())))
        return;
    ASSERT_TRUE(RequireDisplay());
    CheckReadBack(GetParam().theme, GetParam().kde, !GetParam().kde);
    if(GetParam().kde) {
        // The mixed check gets a dash on a KDE desktop.
        Image m = CtrlsImg::O2();
        int w = m.GetWidth(), h = m.GetHeight();
        for(int x = w / 2 - 3; x <= w / 2 + 1; x++)
            EXPECT_EQ(m[h / 2 - 1][x], SysColorText().ToRGBA()) << x;
        Image d = CtrlsImg::O2d();
        EXPECT_EQ(d[h / 2 - 1][w / 2], SysColorDisabled().ToRGBA());
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, HostSkinThemes,
                         ::testing::Values(ThemeCase{ "Raleigh", false }, ThemeCase{ "Clearlooks", false },
                                           ThemeCase{ "Redmond", false }, ThemeCase{ "Raleigh", true },
                                           ThemeCase{ "Clearlooks", true }, ThemeCase{ "Redmond", true }),
                         [](const ::testing::TestParamInfo<ThemeCase>& info) { return ThemeCaseName(info.param); });

// The display opens in the test, after the desktop's resources are on the root window.
class HostSkinDesktop : public ::testing::Test {};

// The desktop's font and rendering settings come from the root window's resources.
TEST_F(HostSkinDesktop, FontAndRenderingSettings)
{
    PinnedTheme pin;
    pin.font = "DejaVu Sans Mono Bold 9";
    pin.environment = { { "GNOME_DESKTOP_SESSION_ID", "this-is-deprecated" } };
    if(!RunUnderTheme(pin))
        return;
    SetRootResources("Xft.dpi:\t120\nXft.antialias:\t0\nXft.hinting:\t0\nXft.hintstyle:\thintnone\nXft.rgba:\tvbgr\n");
    ASSERT_EQ(ReadGtkPeerTheme()["dpi"], "122880") << "GTK reads the desktop's resolution";
    ASSERT_TRUE(RequireDisplay());
    ASSERT_EQ(GetGtkSettingInt("gtk-xft-dpi"), 120 * 1024);
    const XftRenderSettings& xft = GetXftRenderSettings();
    EXPECT_EQ(xft.antialias, 0);
    EXPECT_EQ(xft.hinting, 0);
    EXPECT_EQ(xft.hint_style, "hintnone");
    EXPECT_EQ(xft.sub_pixel, "vbgr");
    Qor::Font f = GetStandardFont();
    EXPECT_EQ(f.GetFace(), FindFontFace("DejaVu Sans Mono"));
    EXPECT_TRUE(f.IsBold());
    EXPECT_EQ(f.GetHeightCode(), (9 * 120 * 1024 + 36864) / 73728);
}

// Each host-skin run costs tens of milliseconds: the window system's start-up sets its fonts
// (each of which would run both skins twice) and runs the skins once.
TEST_F(HostSkinDesktop, StartUpRunsTheHostSkinOnce)
{
    if(!RunUnderTheme(PinnedTheme()))
        return;
    InitWindowSystem();
    EXPECT_EQ(GetGtkHostSkinRunCount(), 1);
    EXPECT_EQ(GetGtkHostSkinState().theme_name, "Raleigh");
    EXPECT_EQ(Button::GetPlainStyle().status, STATIC_SKINNED);
    EXPECT_EQ(GetStandardFont(), GtkFontFromName("Sans 10", GetGtkSettingInt("gtk-xft-dpi")));
    ExitWindowSystem();
}

} // namespace
