// The weak callbacks of the window operations, their dispatch point, and their installation
// as the control tree's seams.

#include "ctrl/window_ops/window_ops.h"

#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/window_ops/window_ops_internal.h"
#include "foundation/callback_action.h"

#include <tuple>
#include <type_traits>
#include <utility>

namespace Qor {

namespace {

// Runs the host's operation with the stored arguments while the control exists.
template <class... A>
class WeakWindowOpAction : public CallbackAction {
public:
    using Op = void (*)(Ctrl&, A...);
    WeakWindowOpAction(Ctrl* target, Op op, A... args) : target(target), op(op), args(args...) {}
    void Run() override
    {
        if(Ctrl* c = target.Get())
            std::apply([&](A... a) { op(*c, a...); }, args);
    }
    bool CanRun() override { return target.Get() != nullptr; }

private:
    WeakPointer<Ctrl> target;
    Op op;
    std::tuple<std::decay_t<A>...> args; // copies, as the caller's may not outlive a queued call
};

template <class... A>
void RunWeak(Ctrl* c, void (*op)(Ctrl&, A...), A... args)
{
    if(!op)
        return;
    Callback cb(new WeakWindowOpAction<A...>(c, op, args...));
    RunOnGuiThread(cb);
}

} // namespace

HostWindowOps& GetHostWindowOps()
{
    static HostWindowOps ops;
    return ops;
}

void RunOnGuiThread(Callback& cb) { cb.Run(); }

Callback MakeWeakWindowOp(Ctrl* c, void (*op)(Ctrl& c)) { return Callback(new WeakWindowOpAction<>(c, op)); }

bool EnableWindowOf(Ctrl* c, bool enable)
{
    void (*op)(Ctrl&, bool*) = GetHostWindowOps().enable;
    if(!op)
        return c ? false : enable; // without a window host no control has a window
    bool b = enable;
    RunWeak<bool*>(c, op, &b);
    return b;
}

bool FocusWindowOf(Ctrl* c)
{
    bool b = false;
    RunWeak<bool*>(c, GetHostWindowOps().focus, &b);
    return b;
}

void WaitForEventsCall(int ms)
{
    if(void (*wait)(int) = GetHostWindowOps().wait_for_events) {
        Callback cb = MakeCallbackArg(wait, ms);
        RunOnGuiThread(cb);
    }
}

void EventLoopCall(Ctrl* owner)
{
    if(void (*loop)(Ctrl*) = GetHostWindowOps().run_event_loop) {
        Callback cb = MakeCallbackArg(loop, owner);
        RunOnGuiThread(cb);
    }
}

void OpenPopupCall(Ctrl& c, Ctrl* owner, bool save_under, bool activate)
{
    if(auto open = GetHostWindowOps().open_popup)
        open(c, owner, save_under, activate);
}

Rect GetWorkAreaAtCall(Point p)
{
    if(auto at = GetHostWindowOps().work_area_at)
        return at(p);
    Rect (*work_area)() = GetCtrlCoreSeams().work_area;
    return work_area ? work_area() : Rect();
}

void RegisterWindowOperations()
{
    CtrlCoreSeams& seams = GetCtrlCoreSeams();
    seams.destroy_window = [](Ctrl& c) { RunWeak(&c, GetHostWindowOps().destroy); };
    seams.show_window = [](Ctrl& c, bool show) { RunWeak(&c, GetHostWindowOps().show, show); };
    seams.update_window = [](Ctrl& c) { RunWeak(&c, GetHostWindowOps().update); };
    seams.activate_window = [](Ctrl& c) { RunWeak(&c, GetHostWindowOps().activate); };
    seams.enable_window = [](Ctrl& c, bool enable) { return EnableWindowOf(&c, enable); };
    seams.focus_window = [](Ctrl& c) { return FocusWindowOf(&c); };
    seams.set_window_rect = [](Ctrl& c, const Rect& r) { RunWeak<const Rect&>(&c, GetHostWindowOps().set_rect, r); };
    seams.update_window_rect = [](Ctrl& c, const Rect& r) {
        RunWeak<const Rect&>(&c, GetHostWindowOps().update_rect, r);
    };
    seams.scroll_window = [](Ctrl& c, const Rect& r, int dx, int dy) {
        RunWeak<const Rect&, int, int>(&c, GetHostWindowOps().scroll, r, dx, dy);
    };
}

} // namespace Qor
