// The style record of a tab control: its metrics, the looks of its tabs and body, and its
// text colours and font, filled by skins like the other control styles.
#pragma once

#include "draw/font/font.h"
#include "foundation/types.h"
#include "foundation/values/color.h"
#include "foundation/values/value.h"
#include "hostlook/registrations.h"
#include "widgets/button/button_style.h"

namespace Qor {

struct TabCtrlStyle {
    // 0 not built, 1 built with the defaults, 2 changed by a skin.
    byte status = 0;
    byte registered = 0;
    const TabCtrlStyle* standard = nullptr;
    // metric[0] is the tab height; the others are the spacings and margins of the tabs.
    int32 metric[11] = {};
    // Per visual state of a tab (normal, hot, selected, disabled): a tab among others, the
    // first, the last and the only one.
    Value tabs[VISUAL_COUNT];
    Value first[VISUAL_COUNT];
    Value last[VISUAL_COUNT];
    Value both[VISUAL_COUNT];
    Value body;
    Color text_colour[VISUAL_COUNT];
    Font font;
};

// Only the style lives here: nothing in this system shows a tab control.
class TabCtrl {
public:
    static TabCtrlStyle& GetDefaultStyle();
    static void SetDefaultStyle(TabCtrlStyle& s);
};

} // namespace Qor
