// Steps run from the event loop's timers, so that a test can drive a menu while the menu's
// own loop runs: each step is asked every 20 ms until it answers true.
#pragma once

#include "tests/support/lambda_callback.h"
#include "tests/support/x11/input_window.h"

#include "ctrl/timer/timer.h"
#include "foundation/process.h"

#include <functional>
#include <string>
#include <vector>

namespace QorTest {

class MenuScript {
public:
    using Step = std::function<bool()>;

    ~MenuScript() { Qor::CancelTimers(this); }

    MenuScript& Then(Step s)
    {
        steps.push_back(std::move(s));
        return *this;
    }
    // A step that does something once and goes on.
    MenuScript& Do(std::function<void()> f)
    {
        return Then([f] {
            f();
            return true;
        });
    }
    // Waits ms from when the step is reached.
    MenuScript& Wait(int ms)
    {
        // A flag of its own marks the start: a start time made odd to tell it from "not yet"
        // can lie one millisecond ahead, and the wait then ended at once.
        struct Start {
            bool set = false;
            Qor::uint32 ms = 0;
        };
        auto start = std::make_shared<Start>();
        return Then([start, ms] {
            if(!start->set) {
                start->set = true;
                start->ms = Qor::MonotonicMs();
            }
            return Qor::MonotonicMs() - start->ms >= Qor::uint32(ms);
        });
    }
    // At the limit the script stops and runs on_timeout (which should end any menu loop).
    void Start(int limit_ms = 10000)
    {
        start_ms = Qor::MonotonicMs();
        limit = limit_ms;
        Qor::ScheduleTimer(-20, Lambda([this] { Tick(); }), this);
    }
    bool Finished() const { return next == steps.size(); }
    bool TimedOut() const { return timed_out; }
    size_t StepReached() const { return next; }

    std::function<void()> on_timeout;

private:
    std::vector<Step> steps;
    size_t next = 0;
    Qor::uint32 start_ms = 0;
    int limit = 0;
    bool timed_out = false;

    void Tick()
    {
        if(Finished() || timed_out)
            return;
        if(Qor::MonotonicMs() - start_ms > Qor::uint32(limit)) {
            timed_out = true;
            Qor::CancelTimers(this);
            if(on_timeout)
                on_timeout();
            return;
        }
        if(steps[next]())
            next++;
        if(Finished())
            Qor::CancelTimers(this);
    }
};

} // namespace QorTest
