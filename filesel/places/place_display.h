// DisplayPlace: how a row of the file selector's places list is painted, its icon then
// its name.
#pragma once

#include "draw/display/display.h"

namespace Qor {

// The value is the cell of the places column: an array of the icon and the name.
class DisplayPlace : public Display {
public:
    void Paint(Draw& w, const Rect& r, const Value& v, Color ink, Color paper, dword style) const override;
    Size GetStandardSize(const Value& v) const override;
};

// The one DisplayPlace the places lists share, made on first use.
const Display& GetPlaceDisplay();

} // namespace Qor
