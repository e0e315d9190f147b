// The label painter and the label record with its change notice.

#include "widgets/label/label_drawing.h"

#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "foundation/types.h"
#include "widgets/label/label_look.h"
#include "widgets/label/label_text.h"

#include <algorithm>

namespace Qor {

namespace {

int SpacingOf(int spacing) { return spacing == INT_NULL ? 0 : spacing; }

// Where the parts of a label go in a rectangle: the sizes that count after images were
// dropped, the block's size and its top-left corner.
struct LabelLayout {
    Size left;   // left image size (0 wide when dropped)
    Size right;  // right image size (0 wide when dropped)
    int lsp = 0; // left spacing, 0 when Null or dropped
    int rsp = 0; // right spacing, 0 when Null or dropped
    bool draw_left = true;
    bool draw_right = true;
    int text_width = 0; // width the text is laid out in
    Size text;
    Size size; // the label's size
};

LabelLayout Measure(const LabelDrawing& l, int width, bool unlimited)
{
    LabelLayout m;
    m.left = l.left_image.GetSize();
    m.right = l.right_image.GetSize();
    m.lsp = SpacingOf(l.left_spacing);
    m.rsp = SpacingOf(l.right_spacing);
    m.text_width = unlimited ? INT32_MAX : width - m.left.cx - m.lsp - m.right.cx - m.rsp;
    m.text = l.text.IsEmpty() ? l.value.GetStandardSize() : GetLabelTextSize(l.text, l.font, m.text_width);
    int image_height = std::max(m.left.cy, m.right.cy);
    auto too_wide = [&] { return m.left.cx + m.text.cx + m.right.cx + m.lsp + m.rsp > width; };
    if(!unlimited && m.text.cx && too_wide()) {
        if(!l.keep_right_image) {
            m.right.cx = m.rsp = 0;
            m.draw_right = false;
        }
        if(!l.keep_left_image && too_wide()) {
            m.left.cx = m.lsp = 0;
            m.draw_left = false;
        }
    }
    int cx = m.text.cx;
    if(l.left_spacing != INT_NULL)
        cx += m.left.cx + m.lsp;
    if(l.right_spacing != INT_NULL)
        cx += m.rsp + m.right.cx;
    // A dropped image is not drawn, but its height still counts.
    m.size = Size(cx, std::max(image_height, m.text.cy));
    return m;
}

} // namespace

LabelDrawing::LabelDrawing() : font(GetStandardFontReference()) {}

Size LabelDrawing::GetSize() const { return Measure(*this, 0, true).size; }

Size LabelDrawing::Paint(Draw& w, int x, int y, int cx, int cy, bool show_access_key) const
{
    return Paint(nullptr, w, Rect(x, y, x + cx, y + cy), show_access_key);
}

Size LabelDrawing::Paint(const Ctrl* ctrl, Draw& w, const Rect& r, bool show_access_key) const
{
    LabelLayout m = Measure(*this, r.Width(), false);
    int p = pressed ? 1 : 0;
    int x = horizontal_align == LABEL_ALIGN_RIGHT    ? r.right - m.size.cx
            : horizontal_align == LABEL_ALIGN_CENTER ? (r.left + r.right - m.size.cx) / 2
                                                     : r.left;
    // Centred on the text rather than the whole block; images centre on the rectangle.
    int y = vertical_align == LABEL_ALIGN_BOTTOM    ? r.bottom - m.size.cy
            : vertical_align == LABEL_ALIGN_VCENTER ? (r.top + r.bottom - m.text.cy) / 2
                                                    : r.top;
    Color text_ink = disabled ? (!IsNull(disabled_ink) ? disabled_ink
                                 : !IsNull(ink)        ? ink
                                                       : SysColorDisabled())
                              : (!IsNull(ink) ? ink : GetLabelTextColor(ctrl));
    auto draw_image = [&](int ix, const Image& img, Color color) {
        int iy = (r.top + r.bottom - img.GetHeight()) / 2 + p;
        if(!IsNull(color))
            w.DrawImage(ix, iy, img, color);
        else
            w.DrawImage(ix, iy, StateImage(img, disabled));
    };
    if(m.draw_left && !left_image.GetSize().IsEmpty()) {
        if(left_spacing == INT_NULL)
            draw_image(r.left + p, left_image, left_image_color);
        else
            draw_image(x + p, left_image, left_image_color);
    }
    if(left_spacing != INT_NULL)
        x += m.left.cx + m.lsp;
    if(m.draw_right && !right_image.GetSize().IsEmpty()) {
        int rx = right_spacing == INT_NULL ? r.right - m.right.cx : x + m.text.cx + m.rsp;
        draw_image(rx + p, right_image, right_image_color);
    }
    if(value.display)
        value.Paint(w, x + p, y + p, m.text.cx, m.size.cy, text_ink, Color(), 0);
    if(!text.IsEmpty()) {
        // The embossed shadow sits exactly one pixel right of and below the text it lights.
        if(disabled)
            DrawLabelText(w, x + p + 1, y + p + 1, m.text.cx, text, font, SysColorPaper(), 0);
        DrawLabelText(w, x + p, y + p, m.text_width, text, font, text_ink, show_access_key ? access_key : 0);
    }
    if(focused)
        DrawFocusFrame(w, x - 2, y, m.text.cx + 5, m.size.cy, SysColorText());
    return m.size;
}

void LabelBase::LabelChanged() {}

LabelBase& LabelBase::SetText(const char* text)
{
    label.text = text ? text : "";
    LabelChanged();
    return *this;
}

LabelBase& LabelBase::SetFont(Font font)
{
    if(!(label.font == font)) {
        label.font = font;
        LabelChanged();
    }
    return *this;
}

LabelBase& LabelBase::SetAlign(int align)
{
    if(label.horizontal_align != align) {
        label.horizontal_align = align;
        LabelChanged();
    }
    return *this;
}

LabelBase& LabelBase::SetRightImage(const Image& image, int spacing, bool keep)
{
    label.right_image = image;
    label.right_spacing = spacing;
    label.keep_right_image = keep;
    LabelChanged();
    return *this;
}

Size LabelBase::PaintLabel(Draw& w, int x, int y, int cx, int cy, bool disabled, bool pressed, bool focused,
                           bool show_access_key) const
{
    return PaintLabel(nullptr, w, x, y, cx, cy, disabled, pressed, focused, show_access_key);
}

Size LabelBase::PaintLabel(const Ctrl* ctrl, Draw& w, int x, int y, int cx, int cy, bool disabled, bool pressed,
                           bool focused, bool show_access_key) const
{
    LabelDrawing l = label;
    l.disabled = disabled;
    l.pressed = pressed;
    l.focused = focused;
    return l.Paint(ctrl, w, Rect(x, y, x + cx, y + cy), show_access_key);
}

} // namespace Qor
