// The host skin's menus, menu bar and tool bar, read from a GTK menu bar with an open menu.

#include "hostlook/skin/host_skin.h"

#include "draw/image_ops/image_parts.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "draw/utils/border_table.h"
#include "hostlook/gtk/gtk_element.h"
#include "widgets/button/style_record.h"
#include "widgets/menu/menu_style.h"

#include <gtk/gtk.h>

namespace Qor {

namespace {

Rect NullRect() { return Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL); }

struct MenuProbes {
    GtkWidget* bar = nullptr;
    GtkWidget* top_item = nullptr;
    GtkWidget* menu = nullptr;
    GtkWidget* item = nullptr;
    GtkWidget* loose_menu = nullptr;
    GtkWidget* tool_bar = nullptr;
};

const MenuProbes& Probes()
{
    static MenuProbes p;
    if(!p.bar)
        p.bar = AddGtkProbeWidget(gtk_menu_bar_new());
    if(!p.menu) {
        p.top_item = gtk_menu_item_new_with_label("M");
        gtk_menu_shell_append(GTK_MENU_SHELL(p.bar), p.top_item);
        gtk_widget_realize(p.top_item);
        gtk_widget_show(p.top_item);
        p.menu = gtk_menu_new();
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(p.top_item), p.menu);
        gtk_widget_realize(p.menu);
        gtk_widget_show(p.menu);
        // The theme paints the bar as one with an open menu.
        GTK_MENU_SHELL(p.bar)->active = TRUE;
        p.item = gtk_menu_item_new_with_label("M");
        gtk_menu_shell_append(GTK_MENU_SHELL(p.menu), p.item);
        gtk_widget_realize(p.item);
        gtk_widget_show(p.item);
        p.loose_menu = gtk_menu_new();
        GtkWidget* handle = AddGtkProbeWidget(gtk_handle_box_new());
        p.tool_bar = gtk_toolbar_new();
        gtk_container_add(GTK_CONTAINER(handle), p.tool_bar);
        gtk_widget_realize(p.tool_bar);
        gtk_widget_show(p.tool_bar);
    }
    return p;
}

// GTK before 2.1 has no selected shadow type of its own.
int SelectedShadow(int fallback)
{
    if(gtk_major_version > 2 || (gtk_major_version == 2 && gtk_minor_version != 0))
        return GetTopGtkStyleInt("selected_shadow_type");
    return fallback;
}

Color Pixel(const Image& img, int x, int y)
{
    return x < img.GetWidth() && y < img.GetHeight() ? Color(img[y][x]) : Color();
}

} // namespace

void SetGtkMenuStyles()
{
    const MenuProbes& p = Probes();
    const String& theme = GetGtkHostSkinState().theme_name;
    Rect r = NullRect();
    Image img = PaintGtkElement(p.menu, GTK_STATE_NORMAL, GTK_SHADOW_OUT, "menu", GTK_BGBOX, 32, 32, r);
    Color mc = Pixel(img, 16, 16);
    if(!mc.IsNullInstance())
        SetSysColorMenu(mc);

    MenuBarStyle& ms = BeginSkinningStyle(GetMenuBarDefaultStyle());
    ms.pull_shift.y = 0;
    int e = GetImageBorderWidth(img, 4, 5);
    ms.popup_frame = ImageToValue(CopyWithHotSpot(img, e, e));
    ms.popup_body = ImageToValue(CropImage(img, e, e, 2 * (16 - e), 2 * (16 - e)));
    ms.icon_column_width = 26;

    PushGtkWidget(p.item, "menuitem", GTK_BOX);
    int s = SelectedShadow(GTK_SHADOW_OUT);
    SetGtkElement(ms.hot_item_look, s, GTK_STATE_PRELIGHT);
    ms.hot_item_text_colour = GetGtkColor(GTK_COLOR_FG + GTK_STATE_PRELIGHT, p.item);
    Color text = SysColorMenuText();
    // Menu text must stay readable on the theme's menu background.
    if(GetMaxChannelDifference(text.ToRGBA(), mc.ToRGBA()) < 200)
        text = IsDarkColor(mc) ? Color(255, 255, 255) : Color(0, 0, 0);
    ms.item_text_colour = text;

    PushGtkWidget(p.top_item, "menuitem", GTK_BOX);
    s = SelectedShadow(s);
    ms.top_item_text_colour[0] = GetGtkColor(GTK_COLOR_FG + GTK_STATE_NORMAL, p.top_item);
    ms.top_item_text_colour[1] = GetGtkColor(GTK_COLOR_FG + GTK_STATE_ACTIVE, p.loose_menu);
    ms.top_item_text_colour[2] = GetGtkColor(GTK_COLOR_FG + GTK_STATE_PRELIGHT, p.top_item);
    SetSysColorMenuText(ms.top_item_text_colour[1]);
    ms.top_item_look[1] = ms.top_item_look[0];
    SetGtkElement(ms.top_item_look[2], s, GTK_STATE_PRELIGHT);
    if(theme == "Redmond") {
        ms.top_item_look[1] = MakeBorderLook(GetThinOutsetBorder(), SysColorFace());
        ms.top_item_look[2] = MakeBorderLook(GetThinInsetBorder(), SysColorFace());
    }
    if(theme == "Geramik" || theme == "ThinGeramik")
        ms.top_item_text_colour[2] = SysColorText();

    PushGtkWidget(p.bar, "menubar", GTK_BGBOX);
    int t = GetTopGtkStyleInt("shadow_type");
    ms.look = MakeGtkElement(t, GTK_STATE_NORMAL, Rect(0, 0, 0, 1));
    Value redmond_bar = MakeGtkElement(t, GTK_STATE_NORMAL, Rect(0, 1, 0, 1));
    r = NullRect();
    Image b = PaintGtkElement(p.bar, GTK_STATE_NORMAL, t, "menubar", GTK_BGBOX, 32, 32, r);
    ms.row_separator.first_line = Pixel(b, 15, 31);
    ms.row_separator.second_line = Value();

    ToolBarStyle& tb = BeginSkinningStyle(ToolBar::GetDefaultStyle());
    PushGtkWidget(p.tool_bar, "toolbar", GTK_BGBOX);
    int u = GetTopGtkStyleInt("shadow_type");
    tb.area_look = Value();
    tb.look = theme == "Redmond" ? redmond_bar : MakeGtkElement(u, GTK_STATE_NORMAL, Rect(0, 1, 0, 1));
    tb.row_separator.first_line = ms.row_separator.first_line;
    r = NullRect();
    Image c = PaintGtkElement(p.tool_bar, GTK_STATE_NORMAL, u, "toolbar", GTK_BGBOX, 32, 32, r);
    tb.row_separator.second_line = Pixel(c, 15, 0);
    BeginSkinningStyle(ms).row_separator.second_line = tb.row_separator.second_line;
}

} // namespace Qor
