// The laid-out form of a table: column edges, and per row its positions on the pages and
// the boxes of the cells that start in it; in dots.
#pragma once

#include "foundation/vector.h"
#include "richtext/layout/page_position.h"

namespace Qor {

struct TableCellBox {
    int left = 0; // dots, half the grid taken off inner edges
    int right = 0;
    int last_row = 0;
    PagePosition end;    // where the cell's box ends, laid out from its row's start
    bool starts = false; // a visible cell begins in this row and column
};

struct TableRowLayout {
    PagePosition top;   // the previous row's end; the page top for a row that moved
    PagePosition start; // top, plus the grid for a row following another on its page
    PagePosition end;
    bool first_on_page = false;
    Vector<TableCellBox> cell; // one per column
};

struct TableLayout {
    // The context it was made for.
    Rect page;
    PagePosition py;
    int rows = 0, columns = 0; // of the table when it was made

    Rect table_rect;    // the page less margins and frame; the page when that has no room
    PagePosition start; // after the space before (and any move to the next page)
    Vector<int> edge;   // columns + 1 x edges
    Vector<TableRowLayout> row;
    Vector<TableRowLayout> header; // the header rows laid out alone on a page of their own
    bool header_repeated = false;
    int later_page_top = 0; // top of the rows on pages after the first
    bool too_deep = false;  // nested past the layout limit: laid out as empty

    bool IsEmpty() const { return table_rect.IsEmpty() || too_deep; }
    // The same layout that many pages later (or earlier); the header stays on its own page.
    void ShiftPages(int pages);
};

// Tables nested deeper than this are not laid out, painted or queried into: their cells are
// left empty, so that hostile nesting cannot exhaust the stack or the time.
inline constexpr int MAX_TABLE_LAYOUT_DEPTH = 32;

} // namespace Qor
