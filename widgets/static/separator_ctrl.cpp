// The separator line and its style record.

#include "widgets/static/separator_ctrl.h"

#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "widgets/button/style_record.h"

namespace Qor {

SeparatorCtrlStyle& SeparatorCtrl::GetDefaultStyle()
{
    static SeparatorCtrlStyle s;
    static SeparatorCtrlStyle standard;
    return BuildStyleRecord(
        s, standard, [] { SeparatorCtrl::GetDefaultStyle(); },
        [](SeparatorCtrlStyle& r) {
            r.first_line = SysColorShadow();
            r.second_line = Value(INT_NULL);
        });
}

SeparatorCtrl::SeparatorCtrl() : style(&GetDefaultStyle())
{
    SetTransparent();
    SetWantsFocus(false);
    SetEnabled(false);
}

SeparatorCtrl& SeparatorCtrl::SetMargins(int left, int right)
{
    if(left != left_margin || right != right_margin) {
        left_margin = left;
        right_margin = right;
        Refresh();
    }
    return *this;
}

SeparatorCtrl& SeparatorCtrl::SetSize(int sz)
{
    if(sz != size) {
        size = sz;
        Refresh();
    }
    return *this;
}

SeparatorCtrl& SeparatorCtrl::SetStyle(const SeparatorCtrlStyle& s)
{
    style = &s;
    Refresh();
    return *this;
}

Size SeparatorCtrl::MinimumSize() const { return Size(size, size); }

void SeparatorCtrl::Paint(Draw& w)
{
    Size sz = GetViewSize();
    int l = left_margin;
    int r = right_margin;
    if(sz.cy < sz.cx) {
        PaintLook(w, l, sz.cy / 2 - 1, sz.cx - l - r, 1, style->first_line);
        PaintLook(w, l, sz.cy / 2, sz.cx - l - r, 1, style->second_line);
    }
    else {
        PaintLook(w, sz.cx / 2 - 1, l, 1, sz.cy - l - r, style->first_line);
        PaintLook(w, sz.cx / 2, l, 1, sz.cy - l - r, style->second_line);
    }
}

} // namespace Qor
