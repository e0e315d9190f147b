// The animation with which pop-up windows (menus, drop-down lists, tool tips) appear: they
// slide from a small rectangle out to their place, or fade in.
#pragma once

#include "foundation/values/rect.h"

namespace Qor {

class Ctrl;

enum : int { POPUP_ANIMATION_NONE = 0, POPUP_ANIMATION_SLIDE = 1, POPUP_ANIMATION_FADE = 2 };
// How long an animation runs, in milliseconds.
enum : int { POPUP_ANIMATION_MS = 150 };

// Moves c from its present rectangle to target over POPUP_ANIMATION_MS, repainting it at
// each step; a negative effect takes the GUI setting. Blocks without dispatching events.
// c ends at target with full opacity, whatever the effect.
void AnimatePopup(Ctrl& c, Rect target, int effect = -1);
void AnimatePopup(Ctrl& c, int x, int y, int cx, int cy, int effect = -1);

} // namespace Qor
