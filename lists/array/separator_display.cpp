// The separator rows' display.

#include "lists/array/separator_display.h"

#include "draw/look/sys_colors.h"

namespace Qor {

void ArrayCtrlSeparatorDisplay::Paint(Draw& w, const Rect& r, const Value&, Color, Color paper, dword) const
{
    w.DrawRect(r, paper);
    int y = r.top + (r.bottom - r.top) / 2;
    w.DrawRect(r.left, y, r.Width(), 1, SysColorShadow());
    w.DrawRect(r.left, y + 1, r.Width(), 1, SysColorLight());
}

Size ArrayCtrlSeparatorDisplay::GetStandardSize(const Value&) const { return Size(0, 2); }

const ArrayCtrlSeparatorDisplay& GetArrayCtrlSeparatorDisplay()
{
    static ArrayCtrlSeparatorDisplay d;
    return d;
}

} // namespace Qor
