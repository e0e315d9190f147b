// Driving modal prompts from inside their own loop: a timer waits until the dialog of the
// asked type is open and exposed, then runs a step on it (checks, XTest input).
#pragma once

#include "tests/support/x11/input_window.h"

#include "ctrl/loop/event_loop.h"
#include "ctrl/timer/timer.h"
#include "foundation/callback_action.h"

#include <functional>

namespace QorTest {

template <class Dialog>
class DialogScript {
public:
    // step runs once, on the first open, exposed dialog of type Dialog for which ready
    // answers true (when given).
    explicit DialogScript(std::function<void(Dialog&)> step, std::function<bool(Dialog&)> ready = nullptr)
        : step(std::move(step)), ready(std::move(ready))
    {
        Qor::ScheduleTimer(20, Qor::MakeCallbackArg(&DialogScript::Poll, this), this);
    }
    ~DialogScript() { Qor::CancelTimers(this); }
    bool Ran() const { return ran; }

private:
    std::function<void(Dialog&)> step;
    std::function<bool(Dialog&)> ready;
    bool ran = false;
    int polls = 0;

    static void Poll(DialogScript* s)
    {
        for(Qor::Ctrl* c : Qor::GetTopCtrls()) {
            Dialog* d = dynamic_cast<Dialog*>(c);
            Qor::WindowMapEntry* e = d ? Qor::GetWindowMapEntry(*d) : nullptr;
            if(e && e->exposed && d->IsVisible() && (!s->ready || s->ready(*d))) {
                s->ran = true;
                s->step(*d);
                return;
            }
        }
        // Bounded: a dialog that never shows fails the test instead of hanging it.
        if(++s->polls < 250)
            Qor::ScheduleTimer(20, Qor::MakeCallbackArg(&DialogScript::Poll, s), s);
        else {
            ADD_FAILURE() << "the dialog never opened";
            if(Qor::Ctrl* loop = Qor::LoopCtrl())
                loop->EndLoop(0);
        }
    }
};

} // namespace QorTest
