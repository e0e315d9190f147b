// Places in a paged layout, zoom ratios, the layout context that the page flow hands to
// paragraphs and tables, and the caret record of the position queries. Lengths in dots.
#pragma once

#include "foundation/numeric.h"
#include "foundation/values/rect.h"
#include "richtext/model/paragraph_style.h"

namespace Qor {

// A place in a paged layout: y in dots from the top of the page's coordinate space.
struct PagePosition {
    int page = 0;
    int y = 0;

    PagePosition() = default;
    PagePosition(int page, int y) : page(page), y(y) {}

    bool operator==(const PagePosition& b) const = default;
    // Page first, then y.
    bool operator<(const PagePosition& b) const { return page < b.page || (page == b.page && y < b.y); }
    bool operator<=(const PagePosition& b) const { return !(b < *this); }
    bool operator>(const PagePosition& b) const { return b < *this; }
    bool operator>=(const PagePosition& b) const { return !(*this < b); }
};

// A page rectangle at least this high never breaks a page: page flow, paragraph placement and
// painting share the one threshold so that they agree on where every line lies.
inline constexpr int UNBOUNDED_PAGE_HEIGHT = 30000;

// A measure v in dots becomes v * m / d device units; a d of 0 makes every value 0.
struct ZoomRatio {
    int m = 1;
    int d = 1;

    ZoomRatio() = default;
    ZoomRatio(int m, int d) : m(m), d(d) {}

    bool operator==(const ZoomRatio& b) const = default;
    int operator*(int v) const { return d ? ScaleInt(v, m, d) : 0; }
};

// What paragraphs and tables are laid out, painted and queried in: the style map, the
// page rectangle (its width is the text's; its top and bottom bound every page) and the
// current position.
struct LayoutContext {
    const ParagraphStyleMap* styles = nullptr;
    Rect page;
    PagePosition py;
};

// The caret of a text position, in dots on its page.
struct CaretInfo {
    int left = 0, top = 0, right = 0, bottom = 0; // top and bottom of the caret's line
    int page = 0;
    int line_ascent = 0;
    int ascent = 0; // of the character
    int descent = 0;
    int object_top = 0; // object baseline offset + ascent, for an object
    int object_ydelta = 0;
    int line = 0;
};

} // namespace Qor
