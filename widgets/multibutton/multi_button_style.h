// MultiButtonStyle: the skinnable looks, colours and sizes of a value field with side
// buttons.
#pragma once

#include "foundation/types.h"
#include "foundation/values/color.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/value.h"
#include "widgets/button/button_style.h"

namespace Qor {

struct MultiButtonStyle {
    // 0 not built, 1 built with the defaults, 2 changed by a skin.
    byte status = 0;
    byte registered = 0;
    const MultiButtonStyle* standard = nullptr;
    // The control's own edge by state; a Null edge[0] leaves the edge to the frames.
    Value edge[VISUAL_COUNT];
    // edge by the text area's state rather than always edge[0].
    bool activeedge = false;
    // The whole face of a control without its own edge.
    Value look[VISUAL_COUNT];
    // The first left button, later left buttons, the first right button, later right ones.
    Value left[VISUAL_COUNT];
    Value lmiddle[VISUAL_COUNT];
    Value right[VISUAL_COUNT];
    Value rmiddle[VISUAL_COUNT];
    // Kept for skins that set it; the painting does not use it.
    Value simple[VISUAL_COUNT];
    int border = 0;
    // The face of a control with one imageless button, when usetrivial is set.
    Value trivial[VISUAL_COUNT];
    int trivialborder = 0;
    // Ink of one-colour images without own edge, and with it.
    Color monocolor[VISUAL_COUNT];
    Color fmonocolor[VISUAL_COUNT];
    Point pressoffset = Point(0, 0);
    Value sep1;
    Value sep2;
    // Separators stop this far short of the top and the bottom.
    int sepm = 0;
    // Width of a button without a label and without its own width.
    int stdwidth = 0;
    bool sep = false;
    bool usetrivial = false;
    // Left, top, right, bottom space around the value.
    Rect margin = Rect(0, 0, 0, 0);
    int overpaint = 0;
    // Horizontal shift of the first left and the first right button's content.
    int loff = 0;
    int roff = 0;
};

} // namespace Qor
