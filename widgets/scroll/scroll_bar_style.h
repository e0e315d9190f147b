// ScrollBarStyle: the skinnable sizes, track and thumb looks and arrow buttons of scroll
// bars.
#pragma once

#include "widgets/button/button_style.h"

namespace Qor {

struct ScrollBarStyle {
    byte status = 0;
    byte registered = 0;
    const ScrollBarStyle* standard = nullptr;
    int bar_width = 0;
    int arrow_size = 0;
    int min_thumb = 0;
    // The thumb grows by it at both ends; the track parts stop short of the thumb middle by it.
    int thumb_overlap = 0;
    // The track looks span the whole bar instead of the space between the arrows.
    bool tracks_span_bar = false;
    // Per visual state (normal, hot, pressed, disabled).
    Value vertical_before[VISUAL_COUNT];
    Value vertical_thumb[VISUAL_COUNT];
    Value vertical_after[VISUAL_COUNT];
    Value horizontal_after[VISUAL_COUNT];
    Value horizontal_thumb[VISUAL_COUNT];
    Value horizontal_before[VISUAL_COUNT];
    ButtonStyle up, down, left, right;
    ButtonStyle second_up, second_down, second_left, second_right;
    // A second back arrow just before the forward arrow, a second forward arrow just after
    // the back arrow.
    bool has_second_up = false;
    bool has_second_down = false;
    bool has_second_left = false;
    bool has_second_right = false;
};

} // namespace Qor
