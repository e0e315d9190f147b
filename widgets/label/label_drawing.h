// LabelDrawing: the caption record and painter of every captioned control (images left and
// right of a plain or rich text, or a displayed value, in three visual states); LabelBase:
// the record with a change notice, for controls that refresh when their caption changes.
#pragma once

#include "draw/display/display.h"
#include "draw/font/font.h"
#include "draw/image/image.h"
#include "foundation/string.h"
#include "foundation/values/color.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"

namespace Qor {

class Ctrl;
class Draw;

// Alignments of a label (any other value counts as left or top).
enum : int { LABEL_ALIGN_LEFT = 1, LABEL_ALIGN_RIGHT = 2, LABEL_ALIGN_CENTER = 3 };
enum : int { LABEL_ALIGN_TOP = 1, LABEL_ALIGN_BOTTOM = 2, LABEL_ALIGN_VCENTER = 3 };

struct LabelDrawing {
    bool pressed = false;  // content one pixel right and down
    bool focused = false;  // focus rectangle around the text
    bool disabled = false; // disabled ink, greyed images, embossed text
    bool keep_left_image = false;
    bool keep_right_image = false;
    DisplayedValue value; // painted where the text goes when the text is empty
    Image left_image;
    Color left_image_color; // Null: the image's own colours; else its shape in this colour
    // Gap between image and text; Null puts the image at the rectangle's edge, outside the
    // aligned block.
    int left_spacing = 0;
    String text;
    Font font;
    Color ink;          // Null: the label text colour of the control
    Color disabled_ink; // Null: the ink, else SysColorDisabled
    Image right_image;
    Color right_image_color;
    int right_spacing = 0;
    int horizontal_align = LABEL_ALIGN_CENTER;
    int vertical_align = LABEL_ALIGN_VCENTER;
    int access_key = 0;

    LabelDrawing();

    // Paints into r and returns the size of the label. ctrl (may be null) picks the default
    // ink; the access key is underlined only when show_access_key is set. An image that
    // does not fit beside the text is dropped, the right one first, unless it is kept.
    Size Paint(const Ctrl* ctrl, Draw& w, const Rect& r, bool show_access_key = true) const;
    Size Paint(Draw& w, int x, int y, int cx, int cy, bool show_access_key = true) const;
    // The size the label needs: text at an unlimited width, no image dropped.
    Size GetSize() const;
};

class LabelBase {
public:
    LabelBase() = default;
    LabelBase(const LabelBase&) = default;
    LabelBase& operator=(const LabelBase&) = default;
    // After every setter that changed (or may have changed) the record.
    virtual void LabelChanged();
    virtual ~LabelBase() = default;

    // A null text is the empty text; notifies even when the text is the same.
    LabelBase& SetText(const char* text);
    LabelBase& SetFont(Font font);
    LabelBase& SetAlign(int align);
    LabelBase& SetRightImage(const Image& image, int spacing, bool keep);

    const String& GetText() const { return label.text; }
    Font GetFont() const { return label.font; }
    int GetAlign() const { return label.horizontal_align; }
    const LabelDrawing& GetLabelDrawing() const { return label; }
    Size GetLabelSize() const { return label.GetSize(); }

    // A copy of the record with the three states replaced, painted with no control (the
    // default ink is then SysColorLabel) or with ctrl.
    Size PaintLabel(Draw& w, int x, int y, int cx, int cy, bool disabled, bool pressed, bool focused,
                    bool show_access_key) const;
    Size PaintLabel(const Ctrl* ctrl, Draw& w, int x, int y, int cx, int cy, bool disabled, bool pressed, bool focused,
                    bool show_access_key) const;

protected:
    LabelDrawing label;
};

} // namespace Qor
