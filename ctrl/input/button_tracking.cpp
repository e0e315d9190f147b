// The entry step of mouse events: drag starts, triple clicks, repeat and hold timers, and the
// end of the capture once no button is held.

#include "ctrl/input/button_tracking.h"

#include "ctrl/input/input_host.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/timer/timer.h"
#include "ctrl/tree/ctrl_class.h"
#include "foundation/callback_action.h"
#include "foundation/process.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace Qor {

ButtonTrackingState::ButtonTrackingState() : latest_top_pos(INT_NULL, INT_NULL)
{
    for(int i = 0; i < 3; i++) {
        press_point[i] = Point(INT_NULL, INT_NULL);
        double_time[i] = INT_NULL;
        double_point[i] = Point(INT_NULL, INT_NULL);
    }
}

ButtonTrackingState& GetButtonTracking()
{
    static ButtonTrackingState state;
    return state;
}

namespace {

const void* TimerOwner() { return &LastEventPos(); }

bool IsNullPoint(Point p) { return p.x == INT_NULL || p.y == INT_NULL; }

bool IsButtonHeld(int button)
{
    return button == MOUSE_LEFT ? IsLeftMouseDown() : button == MOUSE_RIGHT ? IsRightMouseDown() : IsMiddleMouseDown();
}

// The repeat of the left button follows the keyboard focus (a scroll bar arrow keeps
// repeating while its window's tree has it); the others follow the active window.
bool RepeatGoesOn(int button)
{
    Ctrl* top = GetButtonTracking().press_top_ctrl;
    if(!top || !IsButtonHeld(button))
        return false;
    return button == MOUSE_LEFT ? top->HasFocusInTree() : top->IsInActiveWindow();
}

void RepeatTick(int button)
{
    ButtonTrackingState& s = GetButtonTracking();
    if(!RepeatGoesOn(button)) {
        StopButtonTracking();
        return;
    }
    RouteMouseEvent(s.press_top_ctrl, MOUSE_REPEAT | button, s.latest_top_pos, 0);
}

void StartRepeat(int button)
{
    ScheduleTimer(-MOUSE_REPEAT_INTERVAL, MakeCallbackArg(&RepeatTick, button), TimerOwner());
}

void HoldCheck(int button)
{
    ButtonTrackingState& s = GetButtonTracking();
    // The press point and the latest point are both in the top control's coordinates: the
    // point delivered to the control under the pointer would be in that control's.
    if(MouseDistance(s.press_point[button], s.latest_top_pos) < GetMouseSlop() && s.press_top_ctrl &&
       IsButtonHeld(button))
        RouteMouseEvent(s.press_top_ctrl, MOUSE_HOLD | button, s.latest_top_pos, 0);
}

} // namespace

int MouseDistance(Point a, Point b)
{
    if(IsNullPoint(a) || IsNullPoint(b))
        return INT_MAX;
    return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y));
}

void StopButtonTracking()
{
    ButtonTrackingState& s = GetButtonTracking();
    CancelTimers(TimerOwner());
    s.press_top_ctrl.Clear();
    for(Point& p : s.press_point)
        p = Point(INT_NULL, INT_NULL);
}

void ResetMouseClickState()
{
    GetButtonTracking().swallow_clicks = true;
    StopButtonTracking();
}

void SkipHeldClick()
{
    if(!IsAnyMouseDown())
        return;
    GetButtonTracking().swallow_clicks = true;
    StopButtonTracking();
}

void ResetMouseState()
{
    if(IsAnyMouseDown())
        return;
    StopButtonTracking();
    GetButtonTracking().swallow_clicks = false;
}

Image DispatchMouseEvent(Ctrl* top, int event, Point p, int zdelta)
{
    ButtonTrackingState& s = GetButtonTracking();
    int action = event & MOUSE_ACTION;
    int button = event & MOUSE_BUTTON;
    if(event == MOUSE_MOVE) {
        static const int order[] = { MOUSE_LEFT, MOUSE_RIGHT, MOUSE_MIDDLE };
        for(int b : order) {
            Point press = s.press_point[b];
            if(MouseDistance(press, p) > GetMouseSlop() && !IsNullPoint(press) && top == s.press_top_ctrl.Get() &&
               IsButtonHeld(b)) {
                RouteMouseEvent(top, MOUSE_DRAG | b, press, 0);
                s.press_point[b] = Point(INT_NULL, INT_NULL);
            }
        }
        s.latest_top_pos = p;
    }
    else {
        s.latest_top_pos = p;
        if(action == MOUSE_DOUBLE && button < 3) {
            s.double_time[button] = int(MonotonicMs());
            s.double_point[button] = p;
        }
        else if(action == MOUSE_DOWN && button < 3) {
            ScheduleTimer(MOUSE_REPEAT_DELAY, MakeCallbackArg(&StartRepeat, button), TimerOwner());
            ScheduleTimer(2 * MOUSE_REPEAT_DELAY, MakeCallbackArg(&HoldCheck, button), TimerOwner());
            s.press_point[button] = p;
            if(MouseDistance(s.double_point[button], p) < GetMouseSlop() && s.double_time[button] != INT_NULL &&
               int(MonotonicMs()) - s.double_time[button] < GetMultiClickTime())
                event = MOUSE_TRIPLE | button;
            s.press_top_ctrl = top;
        }
    }
    if(top != s.press_top_ctrl.Get())
        s.press_top_ctrl.Clear();
    if(action == MOUSE_UP)
        StopButtonTracking();
    Image result = RouteMouseEvent(top, event, p, zdelta);
    if(!IsAnyMouseDown())
        Ctrl::ReleaseCapture();
    return result;
}

} // namespace Qor
