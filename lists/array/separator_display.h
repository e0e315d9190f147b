// The display of every cell of a separator row: a sunken line across the middle.
#pragma once

#include "draw/display/display.h"

namespace Qor {

class ArrayCtrlSeparatorDisplay : public Display {
public:
    void Paint(Draw& w, const Rect& r, const Value& q, Color ink, Color paper, dword style) const override;
    // (0, 2): the two lines.
    Size GetStandardSize(const Value& q) const override;
};

// The one shared instance, built on first use.
const ArrayCtrlSeparatorDisplay& GetArrayCtrlSeparatorDisplay();

} // namespace Qor
