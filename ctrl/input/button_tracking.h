// Mouse button tracking: the entry step of every mouse event from the window host. It adds
// what X does not report (drag starts, triple clicks, repeat and hold events while a button
// is held) and ends the capture once every button is up.
#pragma once

#include "draw/image/image.h"
#include "foundation/pte.h"
#include "foundation/values/point.h"

namespace Qor {

class Ctrl;

// Indexed by the button of the event code: 0 middle, 1 left, 2 right.
struct ButtonTrackingState {
    Point press_point[3];
    WeakPointer<Ctrl> press_top_ctrl;
    Point latest_top_pos;
    int double_time[3];
    Point double_point[3];
    bool swallow_clicks = false;

    ButtonTrackingState();
};

ButtonTrackingState& GetButtonTracking();

// Repeat after 250 ms every 25 ms.
constexpr int MOUSE_REPEAT_DELAY = 250;
constexpr int MOUSE_REPEAT_INTERVAL = 25;

Image DispatchMouseEvent(Ctrl* top, int event, Point p, int zdelta);
// Cancels the mouse-button timers and forgets the press points and the press control.
void StopButtonTracking();
// The click that closed a pop-up must not reach the window below.
void ResetMouseClickState();
// A window opened or closed under a held button swallows the rest of that click.
void SkipHeldClick();
// With no button held: the tracking stops and clicks are delivered again.
void ResetMouseState();

// The Chebyshev distance; a Null point is farther than any slop.
int MouseDistance(Point a, Point b);

} // namespace Qor
