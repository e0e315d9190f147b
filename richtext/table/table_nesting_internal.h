// The depth of table nesting of the operation running now, which bounds how deep layout,
// painting, queries and zoom descend into cells.
#pragma once

#include "richtext/table/table_layout.h"

namespace Qor {

// Held while an operation works in the cells of a table: one level deeper.
class TableNesting {
public:
    TableNesting() { ++Depth(); }
    ~TableNesting() { --Depth(); }
    TableNesting(const TableNesting&) = delete;
    TableNesting& operator=(const TableNesting&) = delete;

    // A table met now lies too deep to be entered.
    static bool TooDeep() { return Depth() >= MAX_TABLE_LAYOUT_DEPTH; }

private:
    static int& Depth();
};

} // namespace Qor
