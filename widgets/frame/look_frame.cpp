// LookFrame.

#include "widgets/frame/look_frame.h"

#include "draw/font/font_metrics.h"
#include "draw/look/look.h"

#include <algorithm>

namespace Qor {

Rect LookFrame::GetMargins() const
{
    Rect m = GetLookMargins(GetLook());
    // A look that no painter measures takes no room.
    if(IsNullInt(m.left))
        return Rect(0, 0, 0, 0);
    return m;
}

void LookFrame::AddSize(Size& sz)
{
    Rect m = GetMargins();
    sz.cx += m.left + m.right;
    sz.cy += m.top + m.bottom;
}

void LookFrame::LayOut(Rect& r)
{
    Rect m = GetMargins();
    int fcy = GetStandardFontSize().cy;
    if(m.top + m.bottom + fcy > r.Height())
        m.top = m.bottom = std::max((r.Height() - fcy) / 2, 0);
    r.left += m.left;
    r.top += m.top;
    r.right -= m.right;
    r.bottom -= m.bottom;
}

void LookFrame::PaintFrame(Draw& w, const Rect& r) { PaintLookEdge(w, r, GetLook()); }

} // namespace Qor
