// The pointer-left check of the timer step, the cursor and the user-action log of the mouse.

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/input/button_tracking.h"
#include "ctrl/input/input_host.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/platform/platform.h"
#include "ctrl/timer/timer.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"
#include "foundation/ini.h"
#include "foundation/values/geometry.h"

namespace Qor {

void CheckMouseLeave()
{
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    Ctrl* c = refs.pointer_ctrl;
    // A capture held with its window's grab keeps the control under the pointer.
    bool captured = c && refs.capturing_ctrl.Get() == c && c->HasCapture();
    Point mouse = GetPointerPosition();
    if(c && !captured && !c->GetRectOnScreen().Contains(mouse)) {
        WeakPointer<Ctrl> alive(c);
        dword keyflags = GetMouseKeyFlags(0);
        if(refs.pointer_in_view) {
            Point v = c->GetViewRectOnScreen().TopLeft();
            SendViewMouseEvent(c, MOUSE_LEAVE, Point(mouse.x - v.x, mouse.y - v.y), 0, keyflags);
        }
        if(refs.pointer_in_frame && alive) {
            Point f = c->GetRectOnScreen().TopLeft();
            SendFrameMouseEvent(c, MOUSE_LEAVE, Point(mouse.x - f.x, mouse.y - f.y), 0, keyflags);
        }
        refs.pointer_in_view = false;
        refs.pointer_in_frame = false;
        refs.pointer_ctrl.Clear();
        StopButtonTracking();
    }
    UpdateMouseCursor();
}

void UpdateMouseCursor()
{
    Ctrl* c = GetCtrlGlobalRefs().pointer_ctrl;
    Image cursor = c ? DeliverMouseEvent(c, MOUSE_CURSOR, LastEventPos(), 0) : GetArrowCursor();
    GetPlatform().SetCursor(cursor);
}

String FormatMouseLogLine(const char* prefix, Ctrl* ctrl, int event, Point p, dword keyflags)
{
    const char* action = nullptr;
    switch(event & MOUSE_ACTION) {
    case MOUSE_DOWN:
        action = "DOWN";
        break;
    case MOUSE_UP:
        action = "UP";
        break;
    case MOUSE_DOUBLE:
        action = "DOUBLE";
        break;
    case MOUSE_WHEEL:
        action = "WHEEL";
        break;
    default:
        return String();
    }
    int button = event & MOUSE_BUTTON;
    String line = prefix;
    line += button == MOUSE_LEFT ? "LEFT" : button == MOUSE_RIGHT ? "RIGHT" : "MIDDLE";
    line += action;
    line += " " + PointToText(p) + " (";
    static const struct {
        dword flag;
        const char* text;
    } names[] = { { K_ALT, " ALT" },        { K_CTRL, " CTRL" },        { K_SHIFT, " SHIFT" },
                  { K_MOUSELEFT, " LEFT" }, { K_MOUSERIGHT, " RIGHT" }, { K_MOUSEMIDDLE, " MIDDLE" } };
    for(const auto& n : names)
        if(keyflags & n.flag)
            line += n.text;
    line += " ) " + DescribeCtrl(ctrl);
    return line;
}

void WriteMouseLogLine(const char* prefix, Ctrl* ctrl, int event, Point p, dword keyflags)
{
    if(!user_log_flag.Get())
        return;
    String line = FormatMouseLogLine(prefix, ctrl, event, p, keyflags);
    if(!line.IsEmpty())
        LogUserAction(line);
}

namespace {

bool ReleaseCaptureSeam() { return Ctrl::ReleaseCapture(); }

} // namespace

void RegisterMouseRouting()
{
    GetCtrlCoreSeams().release_capture = ReleaseCaptureSeam;
    AddTimerStepHook(CheckMouseLeave);
}

} // namespace Qor
