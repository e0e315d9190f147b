// HeaderCtrlStyle: the skinnable looks of a column header's tabs.
#pragma once

#include "foundation/types.h"
#include "foundation/values/value.h"
#include "widgets/button/button_style.h"

namespace Qor {

struct HeaderCtrlStyle {
    // 0 not built, 1 built with the defaults, 2 changed by a skin.
    byte status = 0;
    byte registered = 0;
    // The copy of the defaults as first built.
    const HeaderCtrlStyle* standard = nullptr;
    // Normal, hot (pointer over a clickable tab), pressed, disabled.
    Value look[VISUAL_COUNT];
    // Positive: the first painted tab is that much narrower and every later tab starts that
    // much further left; negative the other way.
    int first_tab_adjust = 0;
    // A pressed tab's title moves one pixel right and down.
    bool pressed_shift = false;
};

} // namespace Qor
