// Display: paints a Value into a rectangle of a Draw and reports the size the value wants.
// StdDisplayClass paints any value as text (aligned, vertically centred, cut with the
// "threedots" mark when too wide) and understands AttrText; DisplayedValue pairs a value
// with the display that paints it.
#pragma once

#include "draw/target/draw.h"
#include "foundation/values/value.h"

namespace Qor {

// Bits of the caller's state in the style word; the plain state has none of them set.
enum : dword { DISPLAY_STATE_BITS = 0x1 | 0x4 | 0x8 };

class Display {
public:
    // Fills the rectangle in paper, or in an AttrText's own paper when it has one.
    virtual void PaintBackground(Draw& w, const Rect& r, const Value& q, Color ink, Color paper, dword style) const;
    // The background, then the content as the left standard display paints it.
    virtual void Paint(Draw& w, const Rect& r, const Value& q, Color ink, Color paper, dword style) const;
    // What the left standard display reports.
    virtual Size GetStandardSize(const Value& q) const;
    // (cx, cy) unchanged.
    virtual Size FitSize(const Value& q, int cx, int cy) const;
    virtual ~Display() = default;
};

class StdDisplayClass : public Display {
public:
    enum { ALIGN_LEFT = 1, ALIGN_RIGHT = 2, ALIGN_CENTER = 3 }; // others paint as left

    explicit StdDisplayClass(int align = ALIGN_LEFT) : align(align) {}

    void Paint(Draw& w, const Rect& r, const Value& q, Color ink, Color paper, dword style) const override;
    Size GetStandardSize(const Value& q) const override;
    // The content without background.
    virtual void PaintValue(Draw& w, const Rect& r, const Value& q, Color ink, Color paper, dword style) const;

    int align;
};

// The process-wide standard displays: aligned left, right and centred.
const StdDisplayClass& GetStandardDisplay();
const StdDisplayClass& GetRightDisplay();
const StdDisplayClass& GetCenterDisplay();
// Builds the right and centred displays; run at start-up with the image list they use.
void RegisterStandardDisplays();

// The text a display shows for a value: text values as they are, anything else as the
// shared plain converter formats it (Null gives the empty text).
WString DisplayText(const Value& q);

class DisplayedValue {
public:
    DisplayedValue() : display(nullptr) {}
    // The display is borrowed and must outlive this.
    DisplayedValue(const Display* display, const Value& value) : value(value), display(display) {}

    // Nothing without a display.
    void Paint(Draw& w, const Rect& r, Color ink, Color paper, dword style) const;
    void Paint(Draw& w, int x, int y, int cx, int cy, Color ink, Color paper, dword style) const
    {
        Paint(w, Rect(x, y, x + cx, y + cy), ink, paper, style);
    }
    // (0, 0) without a display.
    Size GetStandardSize() const;

    Value value;
    const Display* display;
};

} // namespace Qor
