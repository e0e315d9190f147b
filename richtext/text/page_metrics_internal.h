// Arithmetic of page positions in dots: sums taken in 64 bits and clamped, so that huge
// margins, heights and spacing can never overflow; the width paragraphs are laid out at.
#pragma once

#include "foundation/values/rect.h"
#include "richtext/layout/lines_on_pages_internal.h"
#include "richtext/layout/overflow.h"
#include "richtext/layout/page_position.h"

namespace Qor {

inline int64 PageHeight(const Rect& page) { return int64(page.bottom) - page.top; }

// The width paragraphs are laid out at, as paragraph placement takes it.
inline int PageWidth(const Rect& page) { return ClampInt(int64(page.right) - page.left); }

// The width in dots that cx device units show at zoom; 0 when zoom's m is 0.
inline int UnzoomedWidth(ZoomRatio zoom, int cx) { return zoom.m ? ClampInt(int64(cx) * zoom.d / zoom.m) : 0; }

// page less the given widths on each side. A rectangle cut from an unbounded page stays
// unbounded, so that the text inside a table breaks where the text around it does.
inline Rect InsetPage(const Rect& page, int64 left, int64 top, int64 right, int64 bottom)
{
    Rect r(ClampInt(page.left + left), ClampInt(page.top + top), ClampInt(page.right - right),
           ClampInt(page.bottom - bottom));
    if(IsUnboundedPage(page) && PageHeight(r) < UNBOUNDED_PAGE_HEIGHT)
        r.bottom = ClampInt(int64(r.top) + UNBOUNDED_PAGE_HEIGHT);
    return r;
}

// The style map of a context; an empty one when it has none.
const ParagraphStyleMap& ContextStyles(const LayoutContext& rc);

// A document's context: its styles, the page rectangle and the start at the page's top.
LayoutContext DocumentContext(const ParagraphStyleMap& styles, const Rect& page);

} // namespace Qor
