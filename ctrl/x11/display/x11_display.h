// The process-wide X11 display state: the one connection, its default screen and the
// conversion of colours to pixels, set once at start-up and read by the whole back end.
//
// Inside namespace Qor the name Display is the drawing layer's value painter; Xlib's
// connection record is ::Display.
#pragma once

#include "foundation/values/color.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"
#include "foundation/vector.h"

#include "ctrl/x11/display/xlib.h"

namespace Qor {

using PixelFunction = unsigned long (*)(int r, int g, int b);

extern ::Display* display; // null before start-up and after the connection closed
extern int screen_number;
extern ::Screen* screen;
extern Window root;
extern Colormap colormap;
extern Visual* visual;
extern int depth;
extern Size screen_size;
extern Size screen_size_mm;
extern unsigned long black_pixel;
extern unsigned long white_pixel;
extern int connection_fd;
// The visual is not TrueColor: colours go through the colormap.
extern bool palette_mode;
// In palette mode: three bytes (blue, green, red) per colormap entry.
extern Vector<byte> palette;
// In palette mode: the nearest pixel of each point of a 12 x 24 x 12 red, green, blue grid,
// indexed r * 288 + g * 12 + b.
extern Vector<unsigned long> nearest_pixel;
extern PixelFunction pixel_function;
extern XIM input_method; // null when none could be opened

// Initialises GTK (which owns the connection, so the host look shares it) and the display
// state. Without a display it reports so and panics; it never returns without a display.
void SetupDisplay();
// The display state from an open connection; a null connection reports and panics. May
// run again on another connection (the state then describes that one).
void InitDisplayState(::Display* d);
// Start-up: at process exit, once the program's own statics are gone, the display is closed
// (requests still buffered reach the server) and display becomes null.
void RegisterDisplayClose();

// The pixel of a colour on the display; Null gives the pixel of black.
unsigned long ColorToPixel(Color c);

// The TrueColor form of the pixel function for one component mask: the 8-bit value put in
// the mask's field (its top bits for a narrower field, spread over a wider one).
unsigned long TrueColorComponent(int value, unsigned long mask);

Rect GetScreenRect();
// The desktop work area (the root window's _NET_WORKAREA), read once; the whole screen
// when the property is missing, short or describes an empty area.
Rect GetWorkArea();
// The work area containing p, else GetWorkArea().
Rect GetWorkAreaAt(Point p);
// The work area that _NET_WORKAREA values describe, or the screen when they describe none.
Rect WorkAreaFromValues(const Vector<int>& values, const Rect& screen_rect);

// Milliseconds before a held mouse button starts repeating, and between repeats.
inline int MouseRepeatDelay() { return 250; }
inline int MouseRepeatInterval() { return 25; }

} // namespace Qor
