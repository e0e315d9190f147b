// Probe widgets, the GTK widget stack and the queries of the running theme.

#include "hostlook/gtk/gtk_probe.h"

#include "foundation/assert.h"
#include "foundation/types.h"

#include <gtk/gtk.h>

namespace Qor {

namespace {

GtkWidget* probe_container = nullptr;

} // namespace

GtkWidget* GetGtkProbeWindow()
{
    static GtkWidget* window = nullptr;
    if(!window) {
        window = gtk_window_new(GTK_WINDOW_POPUP);
        gtk_widget_realize(window);
    }
    return window;
}

GtkWidget* AddGtkProbeWidget(GtkWidget* w)
{
    if(!probe_container) {
        probe_container = gtk_fixed_new();
        gtk_container_add(GTK_CONTAINER(GetGtkProbeWindow()), probe_container);
        gtk_widget_realize(probe_container);
    }
    gtk_fixed_put(GTK_FIXED(probe_container), w, 0, 0);
    gtk_widget_realize(w);
    gtk_widget_show(w);
    return w;
}

Vector<GtkStackEntry>& GetGtkWidgetStack()
{
    static Vector<GtkStackEntry> stack;
    return stack;
}

void PushGtkWidget(GtkWidget* w, const char* detail, int kind)
{
    QOR_ASSERT(w);
    if(!gtk_widget_get_parent(w))
        AddGtkProbeWidget(w);
    GetGtkWidgetStack().Add(GtkStackEntry{ w, detail, kind });
}

void PushGtkDetail(const char* detail, int kind) { PushGtkWidget(TopGtkWidget(), detail, kind); }

const GtkStackEntry& TopGtkEntry()
{
    Vector<GtkStackEntry>& stack = GetGtkWidgetStack();
    QOR_ASSERT(stack.GetCount() > 0);
    return stack[stack.GetCount() - 1];
}

GtkWidget* TopGtkWidget() { return TopGtkEntry().widget; }

int GetGtkStyleInt(GtkWidget* w, const char* name)
{
    // gtk_widget_style_get warns about a property the class lacks and leaves the value.
    if(!gtk_widget_class_find_style_property(GTK_WIDGET_GET_CLASS(w), name))
        return 0;
    gint value = 0;
    gtk_widget_style_get(w, name, &value, nullptr);
    return value;
}

int GetTopGtkStyleInt(const char* name) { return GetGtkStyleInt(TopGtkWidget(), name); }

Color GdkColorToColor(const GdkColor& c) { return Color(c.red >> 8, c.green >> 8, c.blue >> 8); }

Color GetGtkColor(int index, GtkWidget* w)
{
    QOR_ASSERT(index >= 0 && index < 35);
    GtkStyle* style = gtk_widget_get_style(w);
    const GdkColor* sets[] = { style->fg, style->bg, style->light, style->dark, style->mid, style->text, style->base };
    return GdkColorToColor(sets[index / 5][index % 5]);
}

void GetTopGtkColors(Color out[4], int set_base)
{
    GtkWidget* w = TopGtkWidget();
    // Visual states normal, hot, pressed, disabled are NORMAL, PRELIGHT, ACTIVE, INSENSITIVE.
    static const int states[4] = { GTK_STATE_NORMAL, GTK_STATE_PRELIGHT, GTK_STATE_ACTIVE, GTK_STATE_INSENSITIVE };
    for(int i = 0; i < 4; i++)
        out[i] = GetGtkColor(set_base + states[i], w);
}

namespace {

// The setting's parameter record when GTK knows it and its value type is t; otherwise
// g_object_get would only warn and leave the value alone.
bool HasSetting(GtkSettings* settings, const char* name, GType t)
{
    GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(settings), name);
    return spec && g_type_is_a(G_PARAM_SPEC_VALUE_TYPE(spec), t);
}

} // namespace

int GetGtkSettingInt(const char* name)
{
    GtkSettings* settings = gtk_settings_get_default();
    gint value = INT_NULL;
    if(settings && (HasSetting(settings, name, G_TYPE_INT) || HasSetting(settings, name, G_TYPE_BOOLEAN)))
        g_object_get(settings, name, &value, nullptr);
    return value;
}

String GetGtkSettingString(const char* name)
{
    GtkSettings* settings = gtk_settings_get_default();
    if(!settings || !HasSetting(settings, name, G_TYPE_STRING))
        return String();
    // GTK hands out a copy that is ours to free, and NULL when the setting has no value.
    gchar* value = nullptr;
    g_object_get(settings, name, &value, nullptr);
    String text = value ? String(value) : String();
    g_free(value);
    return text;
}

bool IsImageFullyTransparent(const Image& img)
{
    const RGBA* p = img.GetPixels();
    for(int64 i = 0, n = img.GetLength(); i < n; i++)
        if(p[i].a)
            return false;
    return true;
}

} // namespace Qor
