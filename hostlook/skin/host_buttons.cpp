// The host skin's option and check images, button, tool-button, header and OK looks, and
// the icons of dialogs and prompt buttons.

#include "hostlook/skin/host_skin.h"

#include "draw/image/pixel_buffer.h"
#include "draw/look/sys_colors.h"
#include "hostlook/builders/gtk_look_builders.h"
#include "hostlook/gtk/gtk_element.h"
#include "hostlook/gtk/gtk_icons.h"
#include "lists/header/header_ctrl.h"
#include "widgets/button/button.h"
#include "widgets/button/style_record.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/menu/menu_style.h"
#include "widgets/prompt/prompt.h"

#include <gtk/gtk.h>

namespace Qor {

namespace {

Rect NullRect() { return Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL); }

void SetToggle(GtkWidget* w, bool active, bool inconsistent)
{
    // Written directly: the setters would emit signals to nobody's benefit.
    GTK_TOGGLE_BUTTON(w)->active = active;
    GTK_TOGGLE_BUTTON(w)->inconsistent = inconsistent;
}

// A KDE-like desktop marks the mixed state with a dash.
void DashMixedChecks()
{
    for(int i = 0; i < 4; i++) {
        Image m = CtrlsImg::Get(CtrlsImg::I_O2 + i);
        int w = m.GetWidth(), h = m.GetHeight();
        if(w <= 6 || h < 2)
            continue;
        PixelBuffer pb(m);
        RGBA c = (i == 3 ? SysColorDisabled() : SysColorText()).ToRGBA();
        for(int x = w / 2 - 3; x <= w / 2 + 1; x++)
            pb[h / 2 - 1][x] = c;
        CtrlsImg::Set(CtrlsImg::I_O2 + i, Image(pb));
    }
}

void SetOptionImages()
{
    GtkWidget* option = AddGtkProbeWidget(gtk_radio_button_new(nullptr));
    int s = GetGtkStyleInt(option, "indicator-size") + 2;
    int kind = GTK_OPTION | GTK_MARGIN(1);
    SetToggle(option, false, false);
    SetCtrlsImgFromGtk(CtrlsImg::I_S0, option, GTK_SHADOW_OUT, "radiobutton", kind, s, s, NullRect());
    SetToggle(option, true, false);
    SetCtrlsImgFromGtk(CtrlsImg::I_S1, option, GTK_SHADOW_IN, "radiobutton", kind, s, s, NullRect());
    gtk_widget_destroy(option);

    GtkWidget* check = AddGtkProbeWidget(gtk_check_button_new());
    kind = GTK_CHECK | GTK_MARGIN(1);
    SetToggle(check, false, false);
    SetCtrlsImgFromGtk(CtrlsImg::I_O0, check, GTK_SHADOW_OUT, "checkbutton", kind, s, s, NullRect());
    SetToggle(check, true, false);
    SetCtrlsImgFromGtk(CtrlsImg::I_O1, check, GTK_SHADOW_IN, "checkbutton", kind, s, s, NullRect());
    SetToggle(check, false, true);
    SetCtrlsImgFromGtk(CtrlsImg::I_O2, check, GTK_SHADOW_ETCHED_IN, "checkbutton", kind, s, s, NullRect());
    gtk_widget_destroy(check);
    if(GetGtkHostSkinState().qt_like)
        DashMixedChecks();
}

GtkWidget* PlainProbeButton()
{
    static GtkWidget* button = nullptr;
    if(!button)
        button = AddGtkProbeWidget(gtk_button_new());
    return button;
}

// Themes paint the default button of a window differently.
GtkWidget* DefaultProbeButton()
{
    static GtkWidget* button = nullptr;
    if(!button) {
        button = AddGtkProbeWidget(gtk_button_new());
        g_object_set(button, "can-default", TRUE, nullptr);
        gtk_window_set_default(GTK_WINDOW(GetGtkProbeWindow()), button);
    }
    return button;
}

Point SetPlainButtonStyle()
{
    ButtonStyle& s = BeginSkinningStyle(Button::GetPlainStyle());
    s.overpaint = 3;
    PushGtkWidget(PlainProbeButton(), "button", GTK_BOX | GTK_MARGIN(3));
    SetGtkButtonLooks(s.look);
    Point pressed(GetTopGtkStyleInt("child-displacement-x"), GetTopGtkStyleInt("child-displacement-y"));
    s.ok_image = GetGtkStockIcon("gtk-ok", 4, 16);
    s.cancel_image = GetGtkStockIcon("gtk-cancel", 4, 16);
    s.exit_image = GetGtkStockIcon("gtk-quit", 4, 16);
    GetTopGtkColors(s.text_colour, GTK_COLOR_FG);
    s.pressed_offset = pressed;
    Color face = SysColorFace();
    Color mark = face.GetR() + face.GetG() + face.GetB() > 383 ? Color(0, 0, 0) : Color(255, 255, 255);
    for(int i = 0; i < 3; i++)
        s.glyph_colour[i] = mark;
    s.glyph_colour[3] = Color(128, 128, 128);
    return pressed;
}

void SetToolButtonLooks()
{
    ToolBarStyle& s = BeginSkinningStyle(ToolBar::GetDefaultStyle());
    Value* looks = s.button_style.looks;
    SetGtkButtonLooks(looks);
    // A tool button shows the theme's button only when hot, pressed or checked.
    looks[0] = looks[3] = Value();
    SetGtkElement(looks[4], GTK_SHADOW_IN, GTK_STATE_ACTIVE);
    SetGtkElement(looks[5], GTK_SHADOW_IN, GTK_STATE_ACTIVE);
}

void SetHeaderLooks(Point pressed)
{
    HeaderCtrlStyle& s = BeginSkinningStyle(HeaderCtrl::GetDefaultStyle());
    if(GetGtkHostSkinState().classic_buttons) {
        const ButtonStyle& plain = Button::GetPlainStyle();
        for(int i = 0; i < 4; i++)
            s.look[i] = plain.look[i];
        return;
    }
    PushGtkWidget(PlainProbeButton(), "button", GTK_BOX);
    // The button's left, top and right edges fall outside the tab.
    Rect extend(6, 3, 6, 0);
    s.look[0] = MakeGtkElement(GTK_SHADOW_OUT | GTK_SIDE_LINES, GTK_STATE_INSENSITIVE, extend);
    s.look[1] = MakeGtkElement(GTK_SHADOW_OUT | GTK_SIDE_LINES, GTK_STATE_PRELIGHT, extend);
    s.look[2] = MakeGtkElement(GTK_SHADOW_IN | GTK_SIDE_LINES, GTK_STATE_ACTIVE, extend);
    s.look[3] = MakeGtkElement(GTK_SHADOW_OUT | GTK_SIDE_LINES, GTK_STATE_INSENSITIVE, extend);
    s.pressed_shift = pressed.x || pressed.y;
}

void SetOkButtonStyle()
{
    ButtonStyle& s = BeginSkinningStyle(Button::GetOkStyle());
    PushGtkWidget(DefaultProbeButton(), "button", GTK_BOX | GTK_MARGIN(3));
    SetGtkButtonLooks(s.look);
}

} // namespace

void SetGtkButtonStyles()
{
    SetOptionImages();
    Point pressed = SetPlainButtonStyle();
    SetToolButtonLooks();
    SetHeaderLooks(pressed);
    SetOkButtonStyle();
}

void SetGtkIcons()
{
    // 6 is GTK's dialog icon size, 4 its button icon size.
    SetCtrlImgFromGtkStock(CtrlImg::I_information, "gtk-dialog-info", 6);
    SetCtrlImgFromGtkStock(CtrlImg::I_question, "gtk-dialog-question", 6);
    SetCtrlImgFromGtkStock(CtrlImg::I_exclamation, "gtk-dialog-warning", 6);
    SetPromptYesImage(GetGtkStockIcon("gtk-yes", 4, 16));
    SetPromptNoImage(GetGtkStockIcon("gtk-no", 4, 16));
    SetPromptAbortImage(GetGtkStockIcon("gtk-stop", 4, 16));
    SetPromptRetryImage(GetGtkStockIcon("gtk-refresh", 4, 16));
}

} // namespace Qor
