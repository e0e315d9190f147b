// The stored form of a column header's layout: tab order, widths and visibility.
#pragma once

#include "foundation/vector.h"

namespace Qor {

class Stream;

// One stored tab: its identity index, its ratio and (version 3) its visibility.
struct HeaderStoredTab {
    int index = 0;
    double ratio = 1.0;
    bool visible = true;
};

// A stored layout as read: versions 0 and 1 carry ratios by position only.
struct HeaderStoredLayout {
    int version = 3;
    Vector<HeaderStoredTab> tabs;

    bool HasOrder() const { return version >= 2; }
    bool HasVisibility() const { return version >= 3; }
};

// Writes version 3.
void StoreHeaderLayout(Stream& s, const HeaderStoredLayout& layout);

// Reads a stored layout for a header of tab_count tabs. False, with the stream's load
// error set, for data that cannot apply: an unknown version, another tab count, or a
// ratio that is not a finite number of at least 0. A truncated stream is a load error too.
bool LoadHeaderLayout(Stream& s, int tab_count, HeaderStoredLayout& layout);

} // namespace Qor
