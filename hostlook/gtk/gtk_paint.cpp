// GTK paints one element or icon into an off-screen image, on white and on black.

#include "hostlook/gtk/gtk_element.h"

#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/image/image_draw.h"
#include "draw/image_ops/image_parts.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

// GTK 2 keeps a range's stepper rectangles in a private layout record that begins with them;
// themes read them to tell which stepper they paint.
struct _GtkRangeLayout {
    GdkRectangle stepper_a;
    GdkRectangle stepper_b;
    GdkRectangle stepper_c;
    GdkRectangle stepper_d;
};

namespace Qor {

namespace {

Image& LastImage()
{
    static Image last;
    return last;
}

GdkColormap* ForeignColormap()
{
    static GdkColormap* cmap = nullptr;
    if(!cmap)
        cmap = gdk_x11_colormap_foreign_new(gdkx_visual_get(XVisualIDFromVisual(visual)), colormap);
    return cmap;
}

// The icon theme's icon of the name for a size in pixels, at the size GTK would scale it to.
// Not through gtk_icon_theme_load_icon, which loses a copy of the file's type name with every
// icon it loads.
GdkPixbuf* LoadThemeIcon(const char* name, int size)
{
    GtkIconInfo* info = gtk_icon_theme_lookup_icon(gtk_icon_theme_get_default(), name, size, (GtkIconLookupFlags)0);
    if(!info)
        return nullptr;
    GdkPixbuf* pixbuf = nullptr;
    const gchar* file = gtk_icon_info_get_filename(info);
    if(file)
        pixbuf = gdk_pixbuf_new_from_file(file, nullptr);
    else if(GdkPixbuf* builtin = gtk_icon_info_get_builtin_pixbuf(info))
        pixbuf = (GdkPixbuf*)g_object_ref(builtin);
    int base = gtk_icon_info_get_base_size(info);
    gtk_icon_info_free(info);
    // GTK scales an icon by the asked size over its folder's size.
    if(pixbuf && base > 0 && base != size) {
        int cx = std::max(gdk_pixbuf_get_width(pixbuf) * size / base, 1);
        int cy = std::max(gdk_pixbuf_get_height(pixbuf) * size / base, 1);
        GdkPixbuf* scaled = gdk_pixbuf_scale_simple(pixbuf, cx, cy, GDK_INTERP_BILINEAR);
        g_object_unref(pixbuf);
        pixbuf = scaled;
    }
    return pixbuf;
}

void MarkRangeSteppers(GtkWidget* widget, int kind, const Rect& rect)
{
    if(G_OBJECT_TYPE(widget) != gtk_range_get_type() &&
       !g_type_check_instance_is_a((GTypeInstance*)widget, gtk_range_get_type()))
        return;
    GtkRange* range = GTK_RANGE(widget);
    range->has_stepper_a = range->has_stepper_b = range->has_stepper_c = range->has_stepper_d = 1;
    if(!range->layout)
        return;
    GdkRectangle* steppers[4] = { &range->layout->stepper_a, &range->layout->stepper_b, &range->layout->stepper_c,
                                  &range->layout->stepper_d };
    for(int i = 0; i < 4; i++) {
        bool selected = kind & (GTK_RANGE_A << i);
        *steppers[i] = GdkRectangle{ rect.left, rect.top, selected ? rect.Width() : 0, selected ? rect.Height() : 0 };
    }
}

void PaintKind(GtkWidget* widget, GdkPixmap* pixmap, GdkPixbuf* pixbuf, int state, int shadow, const char* detail,
               int kind, GdkRectangle* clip, int x, int y, int w, int h)
{
    GtkStyle* style = gtk_widget_get_style(widget);
    GtkStateType st = (GtkStateType)state;
    GtkShadowType sh = (GtkShadowType)shadow;
    int param = (kind & GTK_PARAM_MASK) >> GTK_PARAM_SHIFT;
    switch(kind & GTK_PAINT_KIND_MASK) {
    case GTK_BGBOX:
        gtk_style_apply_default_background(style, pixmap, TRUE, st, clip, x, y, w, h);
        [[fallthrough]];
    case GTK_BOX:
        gtk_paint_box(style, pixmap, st, sh, clip, widget, detail, x, y, w, h);
        break;
    case GTK_CHECK:
        gtk_paint_check(style, pixmap, st, sh, clip, widget, detail, x, y, w, h);
        break;
    case GTK_OPTION:
        gtk_paint_option(style, pixmap, st, sh, clip, widget, detail, x, y, w, h);
        break;
    case GTK_ARROW:
        gtk_paint_arrow(style, pixmap, st, sh, clip, widget, detail, (GtkArrowType)param, TRUE, x, y, w, h);
        break;
    case GTK_SLIDER:
        gtk_paint_slider(style, pixmap, st, sh, clip, widget, detail, x, y, w, h, (GtkOrientation)param);
        break;
    case GTK_STOCK_ICON:
    case GTK_THEME_ICON:
        if(pixbuf)
            gdk_draw_pixbuf(pixmap, nullptr, pixbuf, 0, 0, 0, 0, -1, -1, GDK_RGB_DITHER_NONE, 0, 0);
        break;
    case GTK_EXTENSION:
        gtk_paint_extension(style, pixmap, st, sh, clip, widget, detail, x, y, w, h, (GtkPositionType)param);
        break;
    case GTK_SHADOW:
        gtk_paint_shadow(style, pixmap, st, sh, clip, widget, detail, x, y, w, h);
        break;
    case GTK_FOCUS:
        gtk_paint_focus(style, pixmap, st, clip, widget, detail, x, y, w, h);
        break;
    case GTK_FLATBOX:
        gtk_paint_flat_box(style, pixmap, st, sh, clip, widget, detail, x, y, w, h);
        break;
    default:
        break;
    }
}

} // namespace

Image PaintGtkElement(GtkWidget* widget, int state, int shadow, const char* detail, int kind, int cx, int cy,
                      Rect& rect)
{
    GdkPixbuf* pixbuf = nullptr;
    bool icon = kind == GTK_STOCK_ICON || kind == GTK_THEME_ICON;
    if(icon) {
        gtk_widget_set_sensitive(widget, TRUE);
        gtk_widget_set_state(widget, GTK_STATE_NORMAL);
        if(kind == GTK_STOCK_ICON)
            pixbuf = gtk_widget_render_icon(widget, detail, (GtkIconSize)state, nullptr);
        else
            pixbuf = LoadThemeIcon(detail, state);
        if(!pixbuf)
            return Image();
        cx = gdk_pixbuf_get_width(pixbuf);
        cy = gdk_pixbuf_get_height(pixbuf);
    }
    else {
        gtk_widget_set_sensitive(widget, state != GTK_STATE_INSENSITIVE);
        gtk_widget_set_state(widget, (GtkStateType)state);
    }
    int m = (kind & GTK_MARGIN_MASK) >> GTK_MARGIN_SHIFT;
    int placement = (kind & GTK_PLACEMENT_MASK) >> GTK_PLACEMENT_SHIFT;
    int w, h;
    Rect crop;
    if(IsNullInt(rect.left)) {
        Point origin(0, 0);
        switch(placement) {
        case 2:
            origin = Point(0, cy);
            break;
        case 3:
            origin = Point(0, 2 * cy);
            break;
        case 5:
            origin = Point(cx, 0);
            break;
        case 6:
            origin = Point(2 * cx, 0);
            break;
        default:
            break;
        }
        rect = Rect(origin.x, origin.y, origin.x + cx, origin.y + cy);
        w = std::max(cx - 2 * m, 0);
        h = std::max(cy - 2 * m, 0);
        // Exactly the asked size: the margin is room inside it for the theme's drawing.
        crop = rect;
    }
    else {
        w = rect.Width();
        h = rect.Height();
        crop = Rect(0, 0, cx, cy);
    }
    int canvas_cx = cx * (placement >= 4 && placement <= 6 ? 3 : 1);
    int canvas_cy = cy * (placement >= 1 && placement <= 3 ? 3 : 1);
    MarkRangeSteppers(widget, kind, rect);
    // Set directly: a size allocation would queue a resize of the probe window.
    widget->allocation = GtkAllocation{ 0, 0, canvas_cx, canvas_cy };

    // Both renderings go through one pixmap, wrapped for GDK once: each new pixmap, GC and
    // wrapper costs requests and round trips, and a skin makes dozens of these images.
    Image renderings[2];
    static const Color backgrounds[2] = { Color(255, 255, 255), Color(0, 0, 0) };
    Size canvas(canvas_cx + 2 * m, canvas_cy + 2 * m);
    ImageDraw iw(canvas);
    // Told its size and depth, GDK does not ask the server for them.
    GdkScreen* gdk_screen = gdk_display_get_screen(gdk_display_get_default(), screen_number);
    if(GdkPixmap* pixmap = gdk_pixmap_foreign_new_for_screen(gdk_screen, iw.GetDrawable(), std::max(canvas.cx, 1),
                                                             std::max(canvas.cy, 1), depth)) {
        gdk_drawable_set_colormap(pixmap, ForeignColormap());
        for(int i = 0; i < 2; i++) {
            iw.DrawRect(0, 0, canvas.cx, canvas.cy, backgrounds[i]);
            GdkRectangle clip = { 0, 0, canvas_cx, canvas_cy };
            // GTK takes a size of -1 as the whole drawable and paints something for 0.
            if(icon || (w > 0 && h > 0))
                PaintKind(widget, pixmap, pixbuf, state, shadow, detail, kind, &clip, rect.left + m, rect.top + m, w,
                          h);
            // GDK draws on the very connection the pixmap is read through, so the read comes
            // after the drawing without a round trip of its own.
            renderings[i] = CopyImagePart(iw.GetImage(), crop);
        }
        g_object_unref(pixmap);
    }
    if(pixbuf)
        g_object_unref(pixbuf);
    Image result = renderings[0].GetSize() == renderings[1].GetSize() && !renderings[0].IsEmpty()
                       ? ImageFromTwoBackgrounds(renderings[0], renderings[1])
                       : Image();
    LastImage() = result;
    return result;
}

Image GetLastGtkImage() { return LastImage(); }

Image KeepEarlierGtkImage(Image& earlier, const Image& img)
{
    bool same = earlier.GetSize() == img.GetSize() && earlier.GetHotSpot() == img.GetHotSpot() &&
                earlier.GetSecondSpot() == img.GetSecondSpot() && earlier.GetPixels() && img.GetPixels() &&
                earlier == img;
    if(!same)
        earlier = img;
    return earlier;
}

} // namespace Qor
