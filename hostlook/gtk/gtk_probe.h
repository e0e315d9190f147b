// Probe widgets: real GTK widgets, never shown, that are asked how the running theme looks;
// the stack of widgets the GTK looks paint with; and the queries of style properties, style
// colours and GTK settings.
#pragma once

#include "draw/image/image.h"
#include "foundation/string.h"
#include "foundation/values/color.h"
#include "foundation/vector.h"
#include "hostlook/registrations.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _GdkColor GdkColor;

namespace Qor {

// Which widget a GTK look paints with, the detail string (or the stock id or icon name of
// an icon kind) and the kind word (GtkPaintKind). The detail is a string literal: its
// address is part of the made-image cache key.
struct GtkStackEntry {
    GtkWidget* widget;
    const char* detail;
    int32 kind;
};

// Style colour sets: a colour is addressed as set base + GtkStateType.
inline constexpr int GTK_COLOR_FG = 0;
inline constexpr int GTK_COLOR_BG = 5;
inline constexpr int GTK_COLOR_LIGHT = 10;
inline constexpr int GTK_COLOR_DARK = 15;
inline constexpr int GTK_COLOR_MID = 20;
inline constexpr int GTK_COLOR_TEXT = 25;
inline constexpr int GTK_COLOR_BASE = 30;

// The hidden pop-up window, made and realized on first use; it is never shown.
GtkWidget* GetGtkProbeWindow();
// Puts w into the probe window's container at (0, 0), realizes and shows it; returns w.
GtkWidget* AddGtkProbeWidget(GtkWidget* w);

// The stack is emptied by the host skin at the start of each run; entries are only added.
Vector<GtkStackEntry>& GetGtkWidgetStack();
// Places w in the probe container unless it has a parent, then pushes it.
void PushGtkWidget(GtkWidget* w, const char* detail, int kind);
// Another part of the top entry's widget.
void PushGtkDetail(const char* detail, int kind);
// The stack must not be empty.
GtkWidget* TopGtkWidget();
const GtkStackEntry& TopGtkEntry();

// A style property the widget's class lacks reads as 0.
int GetGtkStyleInt(GtkWidget* w, const char* name);
int GetTopGtkStyleInt(const char* name);
// The colour of index (set base + state) in the widget's style.
Color GetGtkColor(int index, GtkWidget* w);
// The colour of one set in the visual states normal, hot, pressed, disabled.
void GetTopGtkColors(Color out[4], int set_base);
// The high byte of each 16-bit channel, not rounded.
Color GdkColorToColor(const GdkColor& c);

// Null when GTK has no such setting.
int GetGtkSettingInt(const char* name);
// Empty when GTK has no such setting or no value for it.
String GetGtkSettingString(const char* name);

// No pixel has a non-zero alpha; an empty image counts as transparent.
bool IsImageFullyTransparent(const Image& img);

} // namespace Qor
