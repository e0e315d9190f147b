// The weak callbacks of the window operations, their dispatch point, and their installation
// as the control tree's seams.

#include "ctrl/window_ops/window_ops.h"

#include "ctrl/platform/platform.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/window_ops/window_ops_internal.h"
#include "foundation/callback_action.h"

#include <tuple>
#include <type_traits>
#include <utility>

namespace Qor {

namespace {

// Runs the window system's operation with the stored arguments while the control exists.
template <class... A>
class WeakWindowOpAction : public CallbackAction {
public:
    using Op = void (WindowPlatform::*)(Ctrl&, A...);
    WeakWindowOpAction(Ctrl* target, Op op, A... args) : target(target), op(op), args(args...) {}
    void Run() override
    {
        if(Ctrl* c = target.Get())
            std::apply([&](A... a) { (GetPlatform().*op)(*c, a...); }, args);
    }
    bool CanRun() override { return target.Get() != nullptr; }

private:
    WeakPointer<Ctrl> target;
    Op op;
    std::tuple<std::decay_t<A>...> args; // copies, as the caller's may not outlive a queued call
};

template <class... A>
void RunWeak(Ctrl* c, void (WindowPlatform::*op)(Ctrl&, A...), A... args)
{
    Callback cb(new WeakWindowOpAction<A...>(c, op, args...));
    RunOnGuiThread(cb);
}

void WaitForEventsOp(int ms) { GetPlatform().WaitForEvents(ms); }
void RunEventLoopOp(Ctrl* owner) { GetPlatform().RunEventLoop(owner); }

} // namespace

void RunOnGuiThread(Callback& cb) { cb.Run(); }

Callback MakeWeakWindowOp(Ctrl* c, void (WindowPlatform::*op)(Ctrl& c))
{
    return Callback(new WeakWindowOpAction<>(c, op));
}

bool EnableWindowOf(Ctrl* c, bool enable)
{
    WeakPointer<Ctrl> target(c);
    // Without a window system no control has a window.
    return target ? GetPlatform().EnableWindow(*target, enable) : enable;
}

bool FocusWindowOf(Ctrl* c)
{
    WeakPointer<Ctrl> target(c);
    return target && GetPlatform().FocusWindow(*target);
}

void WaitForEventsCall(int ms)
{
    Callback cb = MakeCallbackArg(WaitForEventsOp, ms);
    RunOnGuiThread(cb);
}

void EventLoopCall(Ctrl* owner)
{
    Callback cb = MakeCallbackArg(RunEventLoopOp, owner);
    RunOnGuiThread(cb);
}

void OpenPopupCall(Ctrl& c, Ctrl* owner, bool save_under, bool activate)
{
    GetPlatform().OpenPopup(c, owner, save_under, activate);
}

Rect GetWorkAreaAtCall(Point p) { return GetPlatform().GetWorkAreaAt(p); }

void RegisterWindowOperations()
{
    CtrlCoreSeams& seams = GetCtrlCoreSeams();
    seams.destroy_window = [](Ctrl& c) { RunWeak(&c, &WindowPlatform::DestroyWindow); };
    seams.show_window = [](Ctrl& c, bool show) { RunWeak(&c, &WindowPlatform::ShowWindow, show); };
    seams.update_window = [](Ctrl& c) { RunWeak(&c, &WindowPlatform::UpdateWindow); };
    seams.activate_window = [](Ctrl& c) { RunWeak(&c, &WindowPlatform::ActivateWindow); };
    seams.enable_window = [](Ctrl& c, bool enable) { return EnableWindowOf(&c, enable); };
    seams.focus_window = [](Ctrl& c) { return FocusWindowOf(&c); };
    seams.set_window_rect = [](Ctrl& c, const Rect& r) { RunWeak<const Rect&>(&c, &WindowPlatform::SetWindowRect, r); };
    seams.update_window_rect = [](Ctrl& c, const Rect& r) {
        RunWeak<const Rect&>(&c, &WindowPlatform::UpdateWindowRect, r);
    };
    seams.scroll_window = [](Ctrl& c, const Rect& r, int dx, int dy) {
        RunWeak<const Rect&, int, int>(&c, &WindowPlatform::ScrollWindow, r, dx, dy);
    };
}

} // namespace Qor
