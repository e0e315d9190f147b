// The host skin's edit-field edges, drop-down field styles, field-frame images, progress bar,
// view edge and pop-up list frame.

#include "hostlook/skin/host_skin.h"

#include "draw/image/pixel_buffer.h"
#include "draw/image_ops/image_parts.h"
#include "draw/look/sys_colors.h"
#include "hostlook/gtk/gtk_element.h"
#include "lists/popup/popup_table.h"
#include "widgets/button/button.h"
#include "widgets/button/style_record.h"
#include "widgets/edit/edit_field.h"
#include "widgets/edit/edit_style.h"
#include "widgets/frame/view_edge.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/multibutton/multi_button.h"
#include "widgets/progress/progress_indicator.h"

#include <gtk/gtk.h>

namespace Qor {

namespace {

Rect NullRect() { return Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL); }

// The entry's frame in one visual state; m is the frame width measured on the normal one.
Image EntryEdge(int visual, int& m)
{
    GtkWidget* entry = AddGtkProbeWidget(gtk_entry_new());
    if(visual == VISUAL_PRESSED)
        GTK_WIDGET_SET_FLAGS(entry, GTK_HAS_FOCUS);
    // Only the parent-sensitive bit: clearing the others would drop the realized bit too, and
    // the entry's window would outlive the entry.
    if(visual == VISUAL_DISABLED)
        GTK_WIDGET_UNSET_FLAGS(entry, GTK_PARENT_SENSITIVE);
    Rect r = NullRect();
    if(visual == VISUAL_NORMAL) {
        Image f = PaintGtkElement(entry, GTK_STATE_NORMAL, GTK_SHADOW_IN, "entry", GTK_SHADOW, 20, 20, r);
        m = std::max(GetImageBorderWidth(f, 4, 0), 1);
        r = NullRect();
    }
    Image g = PaintGtkElement(entry, GTK_STATE_NORMAL, GTK_SHADOW_IN, "entry", GTK_SHADOW, 2 * m + 3, 2 * m + 3, r);
    gtk_widget_destroy(entry);
    static Image earlier[4];
    return KeepEarlierGtkImage(earlier[visual], CopyWithHotSpot(g, m, m));
}

void SetDropDownStyles(const EditFieldStyle& es, int m)
{
    const ButtonStyle& plain = Button::GetPlainStyle();
    MultiButtonStyle& d = BeginSkinningStyle(MultiButton::DefaultStyleRecord());
    d.sep = d.usetrivial = true;
    d.edge[0] = Value();
    d.margin.left = 3;
    d.overpaint = plain.overpaint;
    for(int i = 0; i < 4; i++)
        d.look[i] = d.left[i] = d.lmiddle[i] = d.right[i] = plain.look[i];
    d.border = d.trivialborder = 0;
    d.loff = 1;
    d.roff = -1;
    d.sep1 = SysColorLight();
    d.sep2 = SysColorShadow();
    d.sepm = 4;

    MultiButtonStyle& a = BeginSkinningStyle(MultiButton::AltStyleRecord());
    for(int i = 0; i < 4; i++)
        a.edge[i] = es.edge[i];
    a.activeedge = true;
    a.sep1 = Value();
    a.border = a.trivialborder = m;
    a.usetrivial = true;
    a.sepm = 0;
    a.margin = Rect(m, m, m, m);
}

// A ring of the frame colour around a transparent middle, with a paper ring between them in
// the view edge.
Image FrameImage(int size, Color edge, Color paper)
{
    PixelBuffer pb(size, size);
    for(int y = 0; y < size; y++)
        for(int x = 0; x < size; x++) {
            int ring = std::min(std::min(x, y), std::min(size - 1 - x, size - 1 - y));
            pb[y][x] = ring == 0 ? edge.ToRGBA() : paper.ToRGBA();
        }
    pb[size / 2][size / 2] = RGBA{ 0, 0, 0, 0 };
    pb.SetHotSpot(Point(size / 2, size / 2));
    return Image(pb);
}

GtkWidget* ProgressProbe()
{
    static GtkWidget* bar = nullptr;
    if(!bar)
        bar = AddGtkProbeWidget(gtk_progress_bar_new());
    return bar;
}

GtkWidget* TextViewProbe()
{
    static GtkWidget* view = nullptr;
    if(!view)
        view = AddGtkProbeWidget(gtk_text_view_new());
    return view;
}

} // namespace

void SetGtkEditFieldStyles()
{
    EditFieldStyle& es = BeginSkinningStyle(EditField::GetDefaultStyle());
    int m = 1;
    for(int i = 0; i < 4; i++) {
        es.edge[i] = ImageToValue(EntryEdge(i, m));
        es.active_edge = true;
    }
    SetDropDownStyles(es, m);
    Color k = GetGtkHostSkinState().field_frame_edge;
    CtrlsImg::Set(CtrlsImg::I_EFE, FrameImage(3, k, k));
    CtrlsImg::Set(CtrlsImg::I_VE, FrameImage(5, k, SysColorPaper()));
}

void SetGtkProgressAndViewEdge()
{
    if(GetGtkHostSkinState().theme_name != "Qt") {
        // The getter hands out its static record const; skins write it like the others.
        ProgressStyle& ps = BeginSkinningStyle(const_cast<ProgressStyle&>(ProgressIndicator::GetDefaultStyle()));
        GtkWidget* bar = ProgressProbe();
        PushGtkWidget(bar, "trough", GTK_BOX);
        int xt = bar->style->xthickness, yt = bar->style->ythickness;
        ps.hlook = MakeGtkElement(GTK_SHADOW_IN, GTK_STATE_NORMAL, Rect(0, 0, 0, 0), Rect(xt, yt, xt, yt));
        PushGtkDetail("bar", GTK_BOX);
        SetGtkElement(ps.hchunk, GTK_SHADOW_OUT, GTK_STATE_PRELIGHT);
        ps.bound = true;
    }
    GtkWidget* view = TextViewProbe();
    if(GetGtkHostSkinState().theme_name == "Redmond") {
        SetViewEdgeLook(GetEditFieldEdgeLook());
        return;
    }
    Rect r = NullRect();
    Image v = PaintGtkElement(view, GTK_STATE_NORMAL, GTK_SHADOW_IN, "frame", GTK_BOX, 32, 32, r);
    static Image earlier;
    SetViewEdgeLook(ImageToValue(KeepEarlierGtkImage(earlier, CopyWithHotSpot(v, 2, 2))));
}

void SetGtkPopUpListFrame()
{
    if(GetGtkHostSkinState().theme_name != "Redmond")
        SetPopUpListFrameLook(GetViewEdgeLook());
}

} // namespace Qor
