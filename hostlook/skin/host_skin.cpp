// The host skin's run: colours, images, desktop, fonts, then the control looks.

#include "hostlook/skin/host_skin.h"

#include "ctrl/frame/frame_settings.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/settings/skin_change.h"
#include "ctrl/topwindow/top_window.h"
#include "ctrl/x11/font/xft_settings.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/image/image_sys_data.h"
#include "draw/font/font_backend.h"
#include "draw/font/font_metrics.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "foundation/desktop.h"
#include "foundation/process_environment.h"
#include "hostlook/gtk/gtk_element.h"
#include "hostlook/skin/host_font.h"
#include "widgets/images/classic_ctrls_img.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/skin/standard_skin.h"

#include <gtk/gtk.h>

namespace Qor {

namespace {

GtkHostSkinState& State()
{
    static GtkHostSkinState state;
    return state;
}

int run_count = 0;

struct ColorRow {
    void (*set)(Color);
    int index;
};

const ColorRow color_table[] = {
    { SetSysColorPaper, GTK_COLOR_BASE + GTK_STATE_NORMAL },
    { SetSysColorFace, GTK_COLOR_BG + GTK_STATE_NORMAL },
    { SetSysColorText, GTK_COLOR_TEXT + GTK_STATE_NORMAL },
    { SetSysColorHighlight, GTK_COLOR_BASE + GTK_STATE_SELECTED },
    { SetSysColorHighlightText, GTK_COLOR_TEXT + GTK_STATE_SELECTED },
    { SetSysColorMenu, GTK_COLOR_BASE + GTK_STATE_NORMAL },
    { SetSysColorMenuText, GTK_COLOR_TEXT + GTK_STATE_NORMAL },
    { SetSysColorDisabled, GTK_COLOR_TEXT + GTK_STATE_INSENSITIVE },
    { SetSysColorLight, GTK_COLOR_LIGHT + GTK_STATE_NORMAL },
    { SetSysColorShadow, GTK_COLOR_DARK + GTK_STATE_NORMAL },
};

// Every control image recoloured once to the new colours: those the classic list also has
// from its image, the others from their own.
void RecolourControlImages()
{
    ImageList& ctrls = CtrlsImg::GetList();
    ctrls.Reset();
    ctrls.SetRecolouredFrom(ctrls);
    ctrls.SetRecolouredFrom(ClassicCtrlsImg::GetList());
}

void ClassifyDesktop()
{
    GtkHostSkinState& s = State();
    int i = EnvironmentMap().Find("KDE_FULL_SESSION");
    String kde = i >= 0 ? EnvironmentMap()[i] : String();
    s.theme_name = GetGtkSettingString("gtk-theme-name");
    s.qt_like = s.theme_name == "Qt" || kde == "true";
    const String& t = s.theme_name;
    s.classic_buttons = t == "Redmond" || t == "Raleigh" || t == "Glider" || t == "Simple";
}

void SetGuiSettings()
{
    SetDialogButtonOrder(true);
    SetLookStyleLevel(2);
    SetPopupAnimation(IsCompositorRunning() ? 0 : 1);
    SetPopupOpenFlag(1);
    SetAccessKeysOnAltOnly(1);
    SetAutoAccessKeysWhenNone(0);
    FlushFontFaceCache();
}

} // namespace

const GtkHostSkinState& GetGtkHostSkinState() { return State(); }

int GetGtkHostSkinRunCount() { return run_count; }

void SetGtkFieldFrameEdge(Color c) { State().field_frame_edge = c; }

void SetGtkSystemColors()
{
    GtkWidget* window = GetGtkProbeWindow();
    for(const ColorRow& row : color_table)
        row.set(GetGtkColor(row.index, window));
    GtkWidget* label = AddGtkProbeWidget(gtk_label_new("Ch"));
    Color label_colour = GetGtkColor(GTK_COLOR_FG + GTK_STATE_NORMAL, label);
    gtk_widget_destroy(label);
    SetSysColorLabel(label_colour);
}

void SetGtkFontSettings()
{
    String font_name = GetGtkSettingString("gtk-font-name");
    int dpi = GetGtkSettingInt("gtk-xft-dpi");
    if(IsNullInt(dpi))
        dpi = 72 * 1024;
    XftRenderSettings& xft = GetXftRenderSettings();
    int antialias = GetGtkSettingInt("gtk-xft-antialias");
    xft.antialias = IsNullInt(antialias) || DesktopKind() != "gnome" ? -1 : antialias;
    int hinting = GetGtkSettingInt("gtk-xft-hinting");
    xft.hinting = IsNullInt(hinting) ? -1 : hinting;
    xft.hint_style = !IsNullInt(hinting) && hinting == 0 ? "hintnone" : "hintfull";
    xft.sub_pixel = GetGtkSettingString("gtk-xft-rgba");
    SetStandardFont(GtkFontFromName(font_name, dpi));
    FlushFontFaceCache();
}

void GtkHostSkin()
{
    run_count++;
    SetGtkSystemColors();
    RecolourControlImages();
    AddLookPainter(PaintGtkElementLook);
    ClassifyDesktop();
    SetGtkFontSettings();
    State().field_frame_edge = MixColors(SysColorHighlight(), SysColorShadow(), 128);
    // Element looks name stack entries by index: every run starts them at 0.
    GetGtkWidgetStack().Clear();
    SetGtkButtonStyles();
    SetGtkScrollBarStyles();
    SetGtkEditFieldStyles();
    SetGtkMenuStyles();
    SetGtkProgressAndViewEdge();
    SetGtkIcons();
    SetGtkPopUpListFrame();
    SetGuiSettings();
    // The earlier skin's images are let go now; their server copies would otherwise stay
    // until the cache's record limit pushed them out, some 80 skin changes later.
    GetImageSysDataCache().DropUnheld();
}

void RegisterGtkHostSkin() { SetSkinCallbacks(StandardSkin, GtkHostSkin); }

} // namespace Qor
