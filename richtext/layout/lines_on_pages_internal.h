// The placement of a laid-out paragraph on pages: where its first line starts (page
// breaks, keep together, keep with next) and where each of its lines lies (orphan control).
// Painting and the position queries share it, so that they agree with the page flow.
#pragma once

#include "richtext/layout/page_position.h"
#include "richtext/layout/paragraph_lines.h"

namespace Qor {

// Whether a page rectangle is too high ever to break a page.
inline bool IsUnboundedPage(const Rect& page) { return (int64)page.bottom - page.top >= UNBOUNDED_PAGE_HEIGHT; }

// Whether a paragraph at y goes to the top of the next page before its first line: a
// new-page paragraph always does, any other when need (its lead and first line, or all its
// lines when kept) and more (the room kept for the paragraph it keeps with) pass the bottom,
// unless need could fit on no page. An unbounded page never breaks.
bool StartsOnNextPage(const Rect& page, int64 y, int64 need, int64 more, bool new_page);

// Whether line k of n, h high with its top at y, goes to the top of the next page: it
// passes the bottom, or, without orphans, it is the first or the next-to-last line and the
// line after it (next_h high) would not fit below it. A line as high as the page never moves.
bool LineGoesToNextPage(const Rect& page, int64 y, int64 h, int k, int n, int64 next_h, bool orphans_allowed);

// Walks the lines one by one: for (LinesOnPages lp(...); lp.Next();) reads line i at top.
class LinesOnPages {
public:
    LinesOnPages(const ParagraphLines& lines, const Rect& page, PagePosition start, bool orphans_allowed)
        : lines(lines), page(page), orphans_allowed(orphans_allowed), next(start)
    {}

    // Places the next line; false past the last one.
    bool Next();

    int i = -1;            // the line's index
    PagePosition top;      // where the line starts
    int height = 0;        // ascent + descent + external leading
    bool new_page = false; // the line went to the top of a later page than the previous end
    PagePosition end() const { return next; }

private:
    const ParagraphLines& lines;
    Rect page;
    bool orphans_allowed;
    PagePosition next; // where the line after the current one would start
};

} // namespace Qor
