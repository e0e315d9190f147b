// GtkElement: the look value of a part of a GTK widget in a state, painted by GTK into an
// image on demand (through the made-image cache) when a control paints the look.
#pragma once

#include "draw/image/image.h"
#include "draw/image_cache/made_image.h"
#include "draw/target/draw.h"
#include "foundation/values/rect.h"
#include "foundation/values/value.h"
#include "hostlook/gtk/gtk_probe.h"

namespace Qor {

// The kind word of a stack entry: what is painted, and how.
enum GtkPaintKind : int32 {
    GTK_BOX = 0,
    GTK_CHECK = 1,
    GTK_OPTION = 2,
    GTK_ARROW = 3,
    GTK_SLIDER = 4,
    GTK_STOCK_ICON = 5, // only as the whole word
    GTK_EXTENSION = 6,
    GTK_SHADOW = 7,
    GTK_FOCUS = 8,
    GTK_FLATBOX = 9,
    GTK_BGBOX = 10,      // the state's default background, then a box
    GTK_THEME_ICON = 11, // only as the whole word
    GTK_PAINT_KIND_MASK = 0xf,

    // Room of m pixels (0-7) around the element in which the theme may draw: GTK_MARGIN(m).
    GTK_MARGIN_SHIFT = 4,
    GTK_MARGIN_MASK = 0x70,
    // The look painter does not widen the target by the margin.
    GTK_INNER_MARGIN = 0x80,
    // Arrow type, orientation or gap side.
    GTK_PARAM_SHIFT = 8,
    GTK_PARAM_MASK = 0xf00,
    // The canvas is three elements high (1-3) or wide (4-6); the element is in that third.
    GTK_PLACEMENT_SHIFT = 12,
    GTK_PLACEMENT_MASK = 0xf000,
    GTK_TOP = 0x1000,
    GTK_VCENTER = 0x2000,
    GTK_BOTTOM = 0x3000,
    GTK_LEFT = 0x4000,
    GTK_HCENTER = 0x5000,
    GTK_RIGHT = 0x6000,
    // Pixels the look painter shrinks the target by on every side.
    GTK_INSET_SHIFT = 16,
    GTK_INSET_MASK = 0xf0000,
    // Which steppers of a GtkRange get the element's rectangle.
    GTK_RANGE_A = 0x100000,
    GTK_RANGE_B = 0x200000,
    GTK_RANGE_C = 0x400000,
    GTK_RANGE_D = 0x800000,
};

constexpr int GTK_MARGIN(int m) { return (m & 7) << GTK_MARGIN_SHIFT; }

// The shadow byte: GtkShadowType in bits 0-5 and two flags of the look painter.
inline constexpr int GTK_SHADOW_TYPE_MASK = 0x3f;
// A light line on the left and a shadow line on the right (header tabs).
inline constexpr int GTK_SIDE_LINES = 0x40;
// The bottom rows are cut away (the two lowest never drawn).
inline constexpr int GTK_CUT_BOTTOM = 0x80;

struct GtkElement {
    uint16 widget; // index of a GtkStackEntry
    uint8 state;   // GtkStateType
    uint8 shadow;  // see the shadow byte above
    Rect extend;   // painted beyond the target on each side, then cut away
    Rect margins;  // what the look reports as its margins
};

// The element a look holds, or null when it holds something else.
const GtkElement* GetGtkElement(const Value& look);

// A new element of the current top stack entry; the stack must not be empty.
Value MakeGtkElement(int shadow, int state, const Rect& extend, const Rect& margins);
Value MakeGtkElement(int shadow, int state, const Rect& extend = Rect(0, 0, 0, 0));
void SetGtkElement(Value& look, int shadow, int state);

// The four visual states' looks from an 8-digit code: digits 1-4 the GtkStateType of the
// normal, hot, pressed and disabled look, digits 5-8 their shadow bytes.
void SetGtkElementLooks(Value looks[4], const char* code);
// "02142212": raised, sunken when pressed.
void SetGtkButtonLooks(Value looks[4]);
// "02242222": raised, lit when pressed.
void SetGtkRaisedLooks(Value looks[4]);

// GTK paints one element (or renders an icon for kinds 5 and 11, state being the icon size)
// on white and on black; the alpha comes from the difference. cx, cy is the image size
// (replaced by the icon's for icons). A Null rect.left places the element by the kind's
// placement and writes its rectangle back; a given rect is where the element goes inside
// the cx x cy canvas. Empty for an icon that GTK cannot render.
Image PaintGtkElement(GtkWidget* widget, int state, int shadow, const char* detail, int kind, int cx, int cy,
                      Rect& rect);
// A copy of the image PaintGtkElement made last; empty before the first.
Image GetLastGtkImage();
// earlier, when img has its size, spots and pixels; otherwise img, which becomes earlier. A
// skin run hands out the image of the run before when the theme paints it as before, so
// that what painting keeps of it (server copies, scaled pieces) stays in use.
Image KeepEarlierGtkImage(Image& earlier, const Image& img);

class GtkImageMaker : public ImageMaker {
public:
    GtkImageMaker(const GtkElement& element, const GtkStackEntry& entry, Size size)
        : element(element), entry(entry), size(size)
    {}
    // 32 raw bytes: widget and detail pointers, kind, stack index, state, shadow, size.
    String GetKey() const override;
    Image Make() const override;
    void SetSize(Size sz) { size = sz; }

private:
    GtkElement element;
    GtkStackEntry entry;
    Size size;
};

// The look painter of GtkElement looks; the host skin adds it to the painter chain.
Value PaintGtkElementLook(Draw& w, const Rect& r, const Value& look, int operation);

} // namespace Qor
