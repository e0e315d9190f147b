// Builders of control looks from GTK elements: elements with an image over them, elements
// rendered once and cut to their frame, CtrlsImg images in the four visual states, and the
// looks of one scroll-bar orientation. Each paints with the top entry of the GTK widget stack
// unless it is given a widget.
#pragma once

#include "draw/image/image.h"
#include "foundation/values/color.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/value.h"
#include "hostlook/registrations.h"
#include "widgets/scroll/scroll_bar_style.h"

typedef struct _GtkWidget GtkWidget;

namespace Qor {

// Part selector of MakeGtkFrameImage: bits 0-2 the piece, bit 8 a shadow line at the bottom.
inline constexpr int GTK_FRAME_WHOLE = 0;
inline constexpr int GTK_FRAME_LEFT = 1;
inline constexpr int GTK_FRAME_RIGHT = 2;
inline constexpr int GTK_FRAME_BOTTOM_LINE = 0x100;

// The element in the state with the image over it in colour, moved by offset (also when the
// image is empty).
void MakeGtkLookWithImage(Value& look, int shadow, int state, const Image& image, Color colour, Point offset);
// The four looks of a state and shadow code, each with the image in the plain button's mark
// colour of its state; the pressed one moved by pressed_offset.
void SetGtkLooksWithImage(Value looks[4], const char* code, const Image& image, Point pressed_offset);
// The same with every look raised (OUT) in NORMAL, PRELIGHT, ACTIVE, INSENSITIVE.
void SetGtkOutLooksWithImage(Value looks[4], const Image& image);

// The top element rendered at 32 x 32 with its frame's hotspots; part selects the whole
// image (hotspot at the frame width), its left or its right piece. Rendered once per host-skin
// run (GetGtkHostSkinRunCount): asked again in the same run, it returns the same image.
Image MakeGtkFrameImage(int shadow, int state, int part);
// MakeGtkFrameImage as an image look, with the overlay over it when it is not empty.
void SetGtkImageLook(Value& look, int shadow, int state, const Image& overlay, Color colour, int part, Point offset);
// Four frame-image looks: raised normal, hot and disabled, sunken pressed (moved by the offset).
void SetGtkImageLooks(Value looks[4], const Image& overlay, int part, Point pressed_offset);

// CtrlsImg images first .. first + 3 painted by GTK in NORMAL, PRELIGHT, ACTIVE, INSENSITIVE;
// rect is copied for each rendering, so a Null rect is placed anew each time.
void SetCtrlsImgFromGtk(int first, GtkWidget* widget, int shadow, const char* detail, int kind, int cx, int cy,
                        const Rect& rect);

// The looks of one scroll-bar orientation from the top entry (the bar's slider), with the
// CtrlsImg arrow images start and end. Leaves one entry more on the stack, or five when the
// theme draws its arrows on a transparent ground (arrow images and buttons set too).
void SetGtkScrollBarLooks(Value stepper_a[4], Value stepper_b[4], Value trailing[4], Value thumb[4], Value leading[4],
                          Value stepper_c[4], Value stepper_d[4], int start, int end, bool horizontal);
// The four track looks of both orientations from the CtrlsImg track images, with the
// shadow colour at both ends of the first row (column) as their hotspots.
void SetScrollBarTrackLooks(ScrollBarStyle& style);

} // namespace Qor
