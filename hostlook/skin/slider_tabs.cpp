// The host skin's slider thumbs, from a GTK scale, and the tab-control style, from the tabs
// of a GTK notebook.

#include "hostlook/skin/host_skin.h"

#include "draw/image/pixel_buffer.h"
#include "widgets/button/style_record.h"
#include "widgets/images/ctrl_img.h"
#include "hostlook/gtk/gtk_element.h"
#include "hostlook/tabs/tab_ctrl_style.h"

#include <gtk/gtk.h>

namespace Qor {

namespace {

Rect NullRect() { return Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL); }

// The vertical thumbs take a horizontal scale with a vertical scale's detail and orientation.
void SetThumbs(GtkWidget* scale, const char* normal, const char* hot, const char* detail, int kind, int cx, int cy)
{
    Rect r = NullRect();
    CtrlImg::SetByName(normal, PaintGtkElement(scale, GTK_STATE_NORMAL, 0, detail, kind, cx, cy, r));
    r = NullRect();
    CtrlImg::SetByName(hot, PaintGtkElement(scale, GTK_STATE_PRELIGHT, 0, detail, kind, cx, cy, r));
    gtk_widget_destroy(scale);
}

GtkWidget* NotebookProbe()
{
    static GtkWidget* notebook = nullptr;
    if(!notebook)
        notebook = AddGtkProbeWidget(gtk_notebook_new());
    return notebook;
}

// Concentric squares in the colours of one edge of the tab, from the outside in.
void FillSquares(PixelBuffer& pb, const Image& tab, int column(int k))
{
    for(int k = 0; k < 5; k++) {
        RGBA c = tab[21][column(k)];
        for(int y = k; y < 9 - k; y++)
            for(int x = k; x < 9 - k; x++)
                pb[y][x] = c;
    }
}

// The body's edges: the tab's left edge above the anti-diagonal, its right edge below.
Image TabBody(const Image& tab)
{
    PixelBuffer left(9, 9), right(9, 9);
    FillSquares(left, tab, [](int k) { return k; });
    FillSquares(right, tab, [](int k) { return 11 - k; });
    for(int y = 1; y < 9; y++)
        for(int x = 9 - y; x < 9; x++)
            left[y][x] = right[y][x];
    left.SetHotSpot(Point(4, 4));
    return Image(left);
}

} // namespace

void SetGtkSliderThumbs()
{
    GtkWidget* scale = AddGtkProbeWidget(gtk_hscale_new_with_range(0, 100, 1));
    int len = GetGtkStyleInt(scale, "slider-length");
    const String& theme = GetGtkHostSkinState().theme_name;
    int t = 15;
    if(theme == "Glider")
        t = len + 12;
    if(theme == "Human" || theme == "DarkRoom" || theme == "Crux")
        t = 13;
    SetThumbs(scale, "hthumb", "hthumb1", "hscale", GTK_SLIDER, len, t);
    scale = AddGtkProbeWidget(gtk_hscale_new_with_range(0, 100, 1));
    SetThumbs(scale, "vthumb", "vthumb1", "vscale", GTK_SLIDER | 0x100, t, len);
}

void SetGtkTabCtrlStyle()
{
    TabCtrlStyle& st = BeginSkinningStyle(TabCtrl::GetDefaultStyle());
    GtkWidget* notebook = NotebookProbe();
    const int gap_bottom = GTK_POS_BOTTOM << GTK_PARAM_SHIFT;
    PushGtkWidget(notebook, "tab", GTK_EXTENSION | GTK_MARGIN(3) | gap_bottom);
    Rect r = NullRect();
    Image tab =
        PaintGtkElement(notebook, GTK_STATE_NORMAL, GTK_SHADOW_OUT, "tab", GTK_EXTENSION | gap_bottom, 12, 24, r);
    st.body = ImageToValue(TabBody(tab));
    SetGtkElement(st.tabs[0], GTK_SHADOW_OUT, GTK_STATE_ACTIVE);
    SetGtkElement(st.tabs[1], GTK_SHADOW_OUT, GTK_STATE_ACTIVE);
    // The selected tab loses its bottom rows so that it merges with the body.
    SetGtkElement(st.tabs[2], GTK_SHADOW_OUT | GTK_CUT_BOTTOM, GTK_STATE_NORMAL);
    SetGtkElement(st.tabs[3], GTK_SHADOW_OUT, GTK_STATE_ACTIVE);
    for(int i = 0; i < 4; i++)
        st.first[i] = st.last[i] = st.both[i] = st.tabs[i];
    const int32 metrics[6] = { 0, 2, 0, 2, 0, 4 };
    for(int i = 0; i < 6; i++)
        st.metric[1 + i] = metrics[i];
    GetTopGtkColors(st.text_colour, GTK_COLOR_FG);
}

} // namespace Qor
