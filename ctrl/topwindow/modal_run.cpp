// The modal run of a TopWindow, its break records and exit codes, closing, and the closing
// of every window at shutdown.

#include "ctrl/topwindow/top_window.h"

#include "ctrl/input/button_tracking.h"
#include "ctrl/loop/event_loop.h"
#include "ctrl/platform/platform.h"
#include "ctrl/state/other_windows.h"
#include "ctrl/tree/core_seams.h"
#include "foundation/callback_action.h"

namespace Qor {

namespace {

Vector<Ctrl*> TopCtrls() { return GetPlatform().GetTopCtrls(); }

bool IsOwnedThrough(Ctrl* c, const Ctrl* owner)
{
    // Owner chains follow open windows; the bound only keeps a damaged chain from hanging.
    int guard = 0;
    for(Ctrl* o = c->GetOwner(); o && guard < 10000; o = o->GetOwner(), guard++)
        if(o == owner)
            return true;
    return false;
}

// The windows a run disables: with appmodal all of them; otherwise those running a loop,
// the main window and everything it owns.
Vector<Ctrl*> WindowsToDisable(TopWindow& w, bool appmodal)
{
    Vector<Ctrl*> tops = TopCtrls();
    if(appmodal)
        return tops;
    Vector<Ctrl*> list;
    auto add = [&](Ctrl* c) {
        for(Ctrl* q : list)
            if(q == c)
                return;
        list.Add(c);
    };
    for(Ctrl* c : tops)
        if(c->IsInLoop())
            add(c);
    if(Ctrl* main = w.GetMainWindow()) {
        add(main);
        for(Ctrl* c : tops)
            if(IsOwnedThrough(c, main))
                add(c);
    }
    return list;
}

} // namespace

void TopWindow::Abreak::Break() { window->Break(code); }

void TopWindow::Abreak::AcceptBreak() { window->AcceptBreak(code); }

void TopWindow::Abreak::RejectBreak()
{
    window->CancelInput();
    window->Break(code);
}

TopWindow::Abreak& TopWindow::FindAddBreak(int code)
{
    for(Abreak* b : abreaks)
        if(b->code == code)
            return *b;
    Abreak* b = new Abreak;
    b->code = code;
    b->window = this;
    abreaks.Add(b);
    return *b;
}

Callback TopWindow::MakeBreakAction(int code) { return MakeCallback(&FindAddBreak(code), &Abreak::Break); }

void TopWindow::SetValidateBreakAction(Ctrl& c, int code)
{
    c.SetAction(MakeCallback(&FindAddBreak(code), &Abreak::AcceptBreak));
}

void TopWindow::SetCancelBreakAction(Ctrl& c, int code)
{
    c.SetAction(MakeCallback(&FindAddBreak(code), &Abreak::RejectBreak));
}

void TopWindow::Break(int code) { EndLoop(code); }

bool TopWindow::AcceptBreak(int code)
{
    if(!Validate())
        return false;
    Break(code);
    return true;
}

void TopWindow::CloseWithDefaultCode()
{
    auto has = [&](int code) {
        for(Abreak* b : abreaks)
            if(b->code == code)
                return true;
        return false;
    };
    for(int code : { IDCANCEL, IDNO })
        if(has(code)) {
            CancelInput();
            Break(code);
            return;
        }
    for(int code : { IDEXIT, IDYES })
        if(has(code)) {
            AcceptBreak(code);
            return;
        }
    AcceptBreak(IDOK);
}

void TopWindow::Close()
{
    if(!IsInLoop()) {
        if(IsOpen())
            SkipHeldClick();
        Ctrl::Close();
    }
    else if(IsCurrentLoopCtrl())
        CloseWithDefaultCode();
}

int TopWindow::RunLoop(bool appmodal)
{
    WeakPointer<Ctrl> alive(this);
    if(!IsInOpenWindow())
        Open();
    if(!IsVisibleUpward())
        SetVisible(true);
    bool was_in_loop = IsInLoop();
    int saved_code = GetExitCode();
    SetExitCode(INT_NULL);
    Vector<WeakPointer<Ctrl>> disabled = DisableOtherWindows(WindowsToDisable(*this, appmodal), this);
    for(;;) {
        EventLoopCall(this);
        if(IsNullInt(GetExitCode()))
            close_action.Run();
        if(IsNullInt(GetExitCode()))
            CloseWithDefaultCode();
        if(!IsNullInt(GetExitCode()))
            break;
        // No code: a close request that the window's checks refused. While the window is
        // open the user stays in it; a window that went away ends the run as cancelled,
        // so the caller never sees Null.
        if(!IsInOpenWindow()) {
            SetExitCode(IDCANCEL);
            break;
        }
    }
    ReEnableDisabledWindows(disabled);
    int code = GetExitCode();
    SetInLoop(was_in_loop);
    SetExitCode(saved_code);
    return code;
}

int TopWindow::RunThenClose()
{
    int code = RunLoop(false);
    Close();
    return code;
}

void CloseTopWindows()
{
    // Passes in which windows refused to close; a pass that closes one does not count.
    int refusals = 0;
    for(;;) {
        bool closed_one = false;
        bool again = false;
        bool force = refusals >= CLOSE_TOP_WINDOWS_MAX_PASSES;
        Vector<WeakPointer<Ctrl>> tops;
        for(Ctrl* c : TopCtrls())
            tops.Add(WeakPointer<Ctrl>(c));
        for(WeakPointer<Ctrl>& c : tops) {
            TopWindow* w = c ? AsTopWindow(c.Get()) : nullptr;
            if(!w || !w->IsInOpenWindow() || !w->IsEnabled())
                continue;
            if(force) {
                // A window whose close action never closes it would hold shutdown for
                // ever: it is closed through the base, which ends any loop it runs.
                w->Ctrl::Close();
                closed_one = true;
                continue;
            }
            w->ActivateRootWindow();
            if(c)
                w->ShutdownWindow();
            if(c && w->IsInOpenWindow())
                w->CloseAction().Run();
            if(c && w->IsInOpenWindow()) {
                again = true;
                continue;
            }
            closed_one = true;
            break;
        }
        if(force || (!closed_one && !again))
            return;
        if(!closed_one)
            refusals++;
    }
}

} // namespace Qor
