// The pop-up animation.

#include "widgets/skin/popup_animation.h"

#include "ctrl/settings/gui_settings.h"
#include "ctrl/topwindow/top_window.h"
#include "ctrl/tree/ctrl_class.h"
#include "foundation/process.h"

namespace Qor {

namespace {

// An edge that moves outwards travels its share of the distance; one that would move
// inwards stays, so the pop-up only grows.
Rect SlideStep(const Rect& r0, const Rect& target, int64 t)
{
    Rect r = r0;
    int64 n = POPUP_ANIMATION_MS;
    if(target.left < r0.left)
        r.left = int(r0.left - (r0.left - target.left) * t / n);
    if(target.top < r0.top)
        r.top = int(r0.top - (r0.top - target.top) * t / n);
    if(target.right > r0.right)
        r.right = int(r0.right + (target.right - r0.right) * t / n);
    if(target.bottom > r0.bottom)
        r.bottom = int(r0.bottom + (target.bottom - r0.bottom) * t / n);
    return r;
}

} // namespace

void AnimatePopup(Ctrl& c, Rect target, int effect)
{
    if(effect < 0)
        effect = GetPopupAnimation();
    Rect r0 = c.GetRectInParent();
    uint32 t0 = MonotonicMs();
    if(effect != POPUP_ANIMATION_NONE)
        for(;;) {
            uint32 t = MonotonicMs() - t0;
            if(t > uint32(POPUP_ANIMATION_MS))
                break;
            if(effect == POPUP_ANIMATION_SLIDE)
                c.SetRect(SlideStep(r0, target, t));
            else if(effect == POPUP_ANIMATION_FADE)
                SetWindowOpacityCall(c, int(t * 255 / POPUP_ANIMATION_MS));
            else
                break;
            c.RepaintNow();
            SleepMs(0);
        }
    c.SetRect(target);
    SetWindowOpacityCall(c, 255);
}

void AnimatePopup(Ctrl& c, int x, int y, int cx, int cy, int effect)
{
    AnimatePopup(c, Rect(x, y, x + cx, y + cy), effect);
}

} // namespace Qor
