// The host skin's scroll bars, arrow, spin and drop-down buttons, edit-field edges, progress
// bar, view edge, menus, tool bar, slider thumbs and tab-control style, read back under
// several themes on GNOME- and KDE-like desktops against what the native GTK peer reads.

// Before Xlib, whose Bool macro would rename GoogleTest's Bool().
#include "tests/support/x11/gui_test.h"

#include "ctrl/settings/skin_change.h"
#include "ctrl/x11/image/image_draw.h"
#include "draw/look/look.h"
#include "draw/look/resettable_statics.h"
#include "draw/look/sys_colors.h"
#include "hostlook/hostlook.h"
#include "lists/popup/popup_table.h"
#include "widgets/button/button.h"
#include "widgets/edit/edit_field.h"
#include "widgets/frame/view_edge.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/menu/menu_style.h"
#include "widgets/multibutton/multi_button.h"
#include "widgets/progress/progress_indicator.h"
#include "widgets/scroll/scroll_bar.h"

#include "tests/hostlook/gui/gtk_peer_run.h"
#include "tests/hostlook/gui/theme_pin.h"
#include "tests/support/temp_folder.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtk/gtk.h>

namespace {

using namespace Qor;
using namespace QorTest;

using Peer = std::map<std::string, std::string>;

int PeerInt(const Peer& peer, const char* name)
{
    auto i = peer.find(name);
    EXPECT_NE(i, peer.end()) << name;
    return i == peer.end() ? 0 : std::stoi(i->second);
}

Color PeerColor(const Peer& peer, const char* name)
{
    auto i = peer.find(name);
    EXPECT_NE(i, peer.end()) << name;
    if(i == peer.end())
        return Color();
    unsigned v = (unsigned)std::stoul(i->second, nullptr, 16);
    return Color(v >> 16, (v >> 8) & 255, v & 255);
}

const GtkElement* Element(const Value& look) { return GetGtkElement(look); }

// A look painted over magenta, as a control meets it.
Image Painted(const Value& look, Size sz)
{
    ImageDraw w(sz.cx, sz.cy);
    w.DrawRect(0, 0, sz.cx, sz.cy, Color(255, 0, 255));
    PaintLook(w, Rect(sz), look);
    return w.GetImage();
}

void ExpectSameElement(const Value& a, const Value& b)
{
    ASSERT_NE(Element(a), nullptr);
    ASSERT_NE(Element(b), nullptr);
    EXPECT_EQ(Element(a)->widget, Element(b)->widget);
    EXPECT_EQ(Element(a)->state, Element(b)->state);
    EXPECT_EQ(Element(a)->shadow, Element(b)->shadow);
    EXPECT_EQ(Element(a)->extend, Element(b)->extend);
}

bool PaintsSomething(const Value& look, Size sz)
{
    Image m = Painted(look, sz);
    for(int y = 0; y < m.GetHeight(); y++)
        for(int x = 0; x < m.GetWidth(); x++)
            if(Color(m[y][x]) != Color(255, 0, 255))
                return true;
    return false;
}

void CheckScrollBars(const Peer& peer, bool kde)
{
    const ScrollBarStyle& s = ScrollBar::GetDefaultStyle();
    EXPECT_EQ(s.status, STATIC_SKINNED);
    int width = std::max(PeerInt(peer, "slider-width"), 14);
    int arrow = std::max(PeerInt(peer, "stepper-size"), width);
    EXPECT_EQ(s.bar_width, width + (kde ? 2 : 0));
    EXPECT_EQ(s.arrow_size, arrow + (kde ? 1 : 0));
    EXPECT_EQ(s.min_thumb, PeerInt(peer, "min-slider-length"));
    EXPECT_TRUE(s.tracks_span_bar);
    if(kde)
        EXPECT_EQ(s.thumb_overlap, 1);
    else
        EXPECT_TRUE(s.thumb_overlap == 0 || s.thumb_overlap == 1);
    for(int i = 0; i < 4; i++) {
        ASSERT_NE(Element(s.vertical_thumb[i]), nullptr) << i;
        ASSERT_NE(Element(s.horizontal_thumb[i]), nullptr) << i;
        // Raised, lit when pressed.
        const int states[4] = { GTK_STATE_NORMAL, GTK_STATE_PRELIGHT, GTK_STATE_PRELIGHT, GTK_STATE_INSENSITIVE };
        EXPECT_EQ(Element(s.vertical_thumb[i])->state, states[i]) << i;
        if(kde) {
            // The track images' hotspots are marked in the shadow colour.
            Image track = s.vertical_before[i];
            ASSERT_FALSE(track.IsEmpty()) << i;
            EXPECT_EQ(Color(track[0][0]), SysColorShadow()) << i;
        }
        else {
            // The theme's trough, sunken.
            ASSERT_NE(Element(s.vertical_before[i]), nullptr) << i;
            EXPECT_EQ(Element(s.vertical_before[i])->state, i == 3 ? GTK_STATE_INSENSITIVE : GTK_STATE_ACTIVE);
            EXPECT_EQ(Element(s.horizontal_after[i])->shadow, GTK_SHADOW_IN);
        }
    }
    Size button(s.bar_width, s.arrow_size);
    for(const ButtonStyle* b : { &s.up, &s.down, &s.second_up, &s.second_down, &s.left, &s.right })
        for(int i = 0; i < 4; i++)
            EXPECT_TRUE(PaintsSomething(b->look[i], button)) << i;
    // The theme's pressed stepper differs from its normal one (a Qt-like desktop's flat face
    // may not).
    if(!kde) {
        EXPECT_NE(Painted(s.up.look[0], button), Painted(s.up.look[2], button));
    }
    // The arrows point their own ways.
    EXPECT_NE(Painted(s.up.look[0], button), Painted(s.down.look[0], button));
    EXPECT_NE(Painted(s.left.look[0], button), Painted(s.right.look[0], button));
    for(const ButtonStyle* b : { &Button::GetScrollStyle(), &Button::GetEdgeStyle(), &Button::GetLeftEdgeStyle() }) {
        EXPECT_EQ(b->status, STATIC_SKINNED);
        EXPECT_TRUE(PaintsSomething(b->look[0], Size(16, 20)));
    }
    const SpinButtonStyle& spin = GetSpinButtonStyle();
    EXPECT_EQ(spin.status, STATIC_SKINNED);
    EXPECT_NE(Painted(spin.increase.look[0], Size(16, 10)), Painted(spin.decrease.look[0], Size(16, 10)));
    // The arrows start as the keyed ones; the GTK way may paint the theme's own over them.
    if(kde) {
        EXPECT_EQ(CtrlsImg::DA(), CtrlsImg::kDA());
    }
    EXPECT_EQ(CtrlsImg::SpU(), CtrlsImg::kSpU());
}

void CheckFields(const Peer& peer, const std::string& theme)
{
    const EditFieldStyle& es = EditField::GetDefaultStyle();
    EXPECT_EQ(es.status, STATIC_SKINNED);
    EXPECT_TRUE(es.active_edge);
    Image normal = Image(es.edge[0]);
    int m = normal.GetHotSpot().x;
    EXPECT_GE(m, 1);
    for(int i = 0; i < 4; i++) {
        Image e = Image(es.edge[i]);
        EXPECT_EQ(e.GetSize(), Size(2 * m + 3, 2 * m + 3)) << i;
        EXPECT_EQ(e.GetHotSpot(), Point(m, m)) << i;
        EXPECT_FALSE(IsImageFullyTransparent(e)) << i;
    }
    const MultiButtonStyle& d = MultiButton::GetDefaultStyle();
    EXPECT_EQ(d.status, STATIC_SKINNED);
    EXPECT_TRUE(d.edge[0].IsNull());
    EXPECT_TRUE(d.sep && d.usetrivial);
    EXPECT_EQ(d.margin.left, 3);
    EXPECT_EQ(d.loff, 1);
    EXPECT_EQ(d.roff, -1);
    EXPECT_EQ(d.sepm, 4);
    EXPECT_EQ(Color(d.sep1), SysColorLight());
    EXPECT_EQ(Color(d.sep2), SysColorShadow());
    for(int i = 0; i < 4; i++)
        ExpectSameElement(d.right[i], Button::GetPlainStyle().look[i]);
    const MultiButtonStyle& a = MultiButton::GetAltStyle();
    EXPECT_EQ(a.status, STATIC_SKINNED);
    EXPECT_TRUE(a.activeedge);
    EXPECT_EQ(a.margin, Rect(m, m, m, m));
    EXPECT_EQ(a.border, m);
    EXPECT_EQ(a.trivialborder, m);
    EXPECT_EQ(a.sepm, 0);
    EXPECT_TRUE(a.sep1.IsNull());
    for(int i = 0; i < 4; i++) {
        EXPECT_EQ(a.edge[i], es.edge[i]) << i;
        EXPECT_TRUE(PaintsSomething(a.right[i], Size(18, 20))) << i;
    }
    Color k = GetGtkHostSkinState().field_frame_edge;
    Image efe = CtrlsImg::EFE(), ve = CtrlsImg::VE();
    ASSERT_EQ(efe.GetSize(), Size(3, 3));
    ASSERT_EQ(ve.GetSize(), Size(5, 5));
    EXPECT_EQ(efe[1][1].a, 0);
    EXPECT_EQ(Color(efe[0][0]), k);
    EXPECT_EQ(efe.GetHotSpot(), Point(1, 1));
    EXPECT_EQ(ve[2][2].a, 0);
    EXPECT_EQ(Color(ve[1][2]), SysColorPaper());
    EXPECT_EQ(Color(ve[0][4]), k);
    EXPECT_EQ(ve.GetHotSpot(), Point(2, 2));

    const ProgressStyle& ps = ProgressIndicator::GetDefaultStyle();
    std::istringstream thickness(peer.at("progress_thickness"));
    int xt = 0, yt = 0;
    thickness >> xt >> yt;
    ASSERT_NE(Element(ps.hlook), nullptr);
    EXPECT_EQ(Element(ps.hlook)->margins, Rect(xt, yt, xt, yt));
    EXPECT_EQ(Element(ps.hlook)->shadow, GTK_SHADOW_IN);
    ASSERT_NE(Element(ps.hchunk), nullptr);
    EXPECT_EQ(Element(ps.hchunk)->state, GTK_STATE_PRELIGHT);
    EXPECT_TRUE(ps.bound);

    if(theme == "Redmond") {
        EXPECT_EQ(GetViewEdgeLook(), GetEditFieldEdgeLook());
        EXPECT_NE(GetPopUpListFrameLook(), GetViewEdgeLook());
    }
    else {
        Image v = Image(GetViewEdgeLook());
        EXPECT_EQ(v.GetSize(), Size(32, 32));
        EXPECT_EQ(v.GetHotSpot(), Point(2, 2));
        EXPECT_EQ(GetPopUpListFrameLook(), GetViewEdgeLook());
    }
}

void CheckMenus(const Peer& peer, const std::string& theme)
{
    Color menu = PeerColor(peer, "menu");
    EXPECT_EQ(SysColorMenu(), menu);
    EXPECT_EQ(SysColorMenuText(), PeerColor(peer, "bar_hot_text"));
    const MenuBarStyle& ms = GetMenuBarDefaultStyle();
    EXPECT_EQ(ms.status, STATIC_SKINNED);
    EXPECT_EQ(ms.hot_item_text_colour, PeerColor(peer, "menu_hot_text"));
    EXPECT_EQ(ms.top_item_text_colour[0], PeerColor(peer, "bar_text"));
    EXPECT_EQ(ms.top_item_text_colour[1], PeerColor(peer, "bar_hot_text"));
    EXPECT_EQ(ms.top_item_text_colour[2], PeerColor(peer, "bar_pressed_text"));
    // Menu text stays readable on the menu.
    EXPECT_GE(GetMaxChannelDifference(ms.item_text_colour.ToRGBA(), menu.ToRGBA()), 200);
    ASSERT_NE(Element(ms.hot_item_look), nullptr);
    EXPECT_EQ(Element(ms.hot_item_look)->state, GTK_STATE_PRELIGHT);
    EXPECT_EQ(ms.pull_shift.y, 0);
    EXPECT_EQ(ms.icon_column_width, 26);
    Image frame = Image(ms.popup_frame);
    int e = frame.GetHotSpot().x;
    EXPECT_EQ(frame.GetSize(), Size(32, 32));
    EXPECT_EQ(Image(ms.popup_body).GetSize(), Size(2 * (16 - e), 2 * (16 - e)));
    EXPECT_EQ(Color(Image(ms.popup_body)[16 - e][16 - e]), menu);
    ASSERT_NE(Element(ms.look), nullptr);
    EXPECT_EQ(Element(ms.look)->extend, Rect(0, 0, 0, 1));
    EXPECT_FALSE(Color(ms.row_separator.first_line).IsNullInstance());
    const ToolBarStyle& tb = ToolBar::GetDefaultStyle();
    EXPECT_EQ(tb.row_separator.first_line, ms.row_separator.first_line);
    EXPECT_EQ(ms.row_separator.second_line, tb.row_separator.second_line);
    EXPECT_TRUE(tb.area_look.IsNull());
    ASSERT_NE(Element(tb.look), nullptr);
    EXPECT_EQ(Element(tb.look)->extend, Rect(0, 1, 0, 1));
    if(theme == "Redmond") {
        EXPECT_EQ(Element(ms.top_item_look[1]), nullptr);
        EXPECT_EQ(Element(ms.top_item_look[2]), nullptr);
        EXPECT_TRUE(PaintsSomething(ms.top_item_look[2], Size(20, 20)));
        EXPECT_EQ(Element(tb.look)->widget, Element(ms.look)->widget);
    }
    else {
        EXPECT_TRUE(ms.top_item_look[1].IsNull());
        ASSERT_NE(Element(ms.top_item_look[2]), nullptr);
        EXPECT_EQ(Element(ms.top_item_look[2])->state, GTK_STATE_PRELIGHT);
        EXPECT_NE(Element(tb.look)->widget, Element(ms.look)->widget);
    }
}

void CheckSlidersAndTabs(const Peer& peer, const std::string& theme, bool kde)
{
    const TabCtrlStyle& st = TabCtrl::GetDefaultStyle();
    if(kde) {
        // A Qt-like desktop leaves both alone.
        EXPECT_NE(st.status, STATIC_SKINNED);
        return;
    }
    int len = PeerInt(peer, "slider-length");
    int t = theme == "Crux" ? 13 : 15;
    EXPECT_EQ(CtrlImg::hthumb().GetSize(), Size(len, t));
    EXPECT_EQ(CtrlImg::hthumb1().GetSize(), Size(len, t));
    EXPECT_EQ(CtrlImg::vthumb().GetSize(), Size(t, len));
    EXPECT_EQ(CtrlImg::vthumb1().GetSize(), Size(t, len));
    EXPECT_FALSE(IsImageFullyTransparent(CtrlImg::hthumb()));
    EXPECT_FALSE(IsImageFullyTransparent(CtrlImg::vthumb()));

    EXPECT_EQ(st.status, STATIC_SKINNED);
    const int metrics[7] = { GetStandardFont().GetHeight() + 8, 0, 2, 0, 2, 0, 4 };
    for(int i = 0; i < 7; i++)
        EXPECT_EQ(st.metric[i], metrics[i]) << i;
    for(int i = 7; i < 11; i++)
        EXPECT_EQ(st.metric[i], 6) << i;
    for(int i = 0; i < 4; i++) {
        ASSERT_NE(Element(st.tabs[i]), nullptr) << i;
        EXPECT_EQ(Element(st.tabs[i])->state, i == 2 ? GTK_STATE_NORMAL : GTK_STATE_ACTIVE) << i;
        EXPECT_EQ((Element(st.tabs[i])->shadow & GTK_CUT_BOTTOM) != 0, i == 2) << i;
        ExpectSameElement(st.first[i], st.tabs[i]);
        ExpectSameElement(st.last[i], st.tabs[i]);
        ExpectSameElement(st.both[i], st.tabs[i]);
    }
    Image body = Image(st.body);
    EXPECT_EQ(body.GetSize(), Size(9, 9));
    EXPECT_EQ(body.GetHotSpot(), Point(4, 4));
    EXPECT_EQ(body[0][8], body[0][0]);
    EXPECT_EQ(body[8][8], body[1][8]);
    EXPECT_EQ(st.text_colour[0], PeerColor(peer, "tab_text"));
    EXPECT_EQ(st.text_colour[3], PeerColor(peer, "tab_disabled_text"));
}

void CheckControls(const std::string& theme, bool kde)
{
    Peer peer = ReadGtkPeerTheme();
    ASSERT_EQ(peer["theme"], theme);
    CheckScrollBars(peer, kde);
    CheckFields(peer, theme);
    CheckMenus(peer, theme);
    CheckSlidersAndTabs(peer, theme, kde);
}

class HostControls : public ::testing::TestWithParam<ThemeCase> {};

TEST_P(HostControls, ReadBack)
{
    if(!RunUnderTheme(PinOnDesktop(GetParam())))
        return;
    ASSERT_TRUE(RequireDisplay());
    CheckControls(GetParam().theme, GetParam().kde);
    // A second skin change gives the same records.
    Value thumb = ScrollBar::GetDefaultStyle().vertical_thumb[0];
    Image edge = Image(EditField::GetDefaultStyle().edge[2]);
    ApplySkinChange();
    ExpectSameElement(ScrollBar::GetDefaultStyle().vertical_thumb[0], thumb);
    EXPECT_EQ(Image(EditField::GetDefaultStyle().edge[2]), edge);
}

INSTANTIATE_TEST_SUITE_P(Themes, HostControls,
                         ::testing::Values(ThemeCase{ "Raleigh", false }, ThemeCase{ "Clearlooks", false },
                                           ThemeCase{ "Redmond", false }, ThemeCase{ "Crux", false },
                                           ThemeCase{ "Raleigh", true }, ThemeCase{ "Clearlooks", true },
                                           ThemeCase{ "Redmond", true }, ThemeCase{ "Crux", true }),
                         [](const ::testing::TestParamInfo<ThemeCase>& info) { return ThemeCaseName(info.param); });

} // namespace
