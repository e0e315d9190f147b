// The press state machine of Pusher.
//
// Callbacks may destroy the control (an action that closes its dialog): every step after a
// callback first checks that the control is still there.

#include "widgets/button/pusher.h"

#include "ctrl/input/input_host.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/settings/gui_settings.h"
#include "foundation/process.h"
#include "widgets/label/access_key.h"

namespace Qor {

namespace {

constexpr dword KEY_SPACE = 0x20;

// How long a press by program stays on screen.
constexpr int SIMULATED_PUSH_MS = 50;

} // namespace

Pusher::Pusher() : font(GetStandardFontReference())
{
    // A window that opens never gives its first focus to a button.
    SetInitialFocus(false);
}

Pusher::~Pusher() = default;

Pusher& Pusher::SetLabel(const char* text)
{
    String cleaned;
    access_key = ExtractAccessKey(text ? text : "", cleaned);
    label = cleaned;
    Refresh();
    return *this;
}

Pusher& Pusher::SetFont(Font f)
{
    if(f != font) {
        font = f;
        Refresh();
    }
    return *this;
}

Pusher& Pusher::SetPushAction(const Callback& cb)
{
    push_action = cb;
    return *this;
}

Pusher& Pusher::SetRepeatAction(const Callback& cb)
{
    repeat_action = cb;
    return *this;
}

void Pusher::RefreshPush() { Refresh(); }

void Pusher::RefreshFocus() { Refresh(); }

void Pusher::PerformAction() { RunAction(); }

void Pusher::KeyPush()
{
    if(IsKeyPushed()) {
        repeat_action();
        return;
    }
    press |= PUSHED | KEY_PUSHED;
    RefreshPush();
    push_action();
}

void Pusher::CancelPush()
{
    if(!IsPushed())
        return;
    RefreshPush();
    press = 0;
}

bool Pusher::EndPush()
{
    if(!IsPushed())
        return false;
    RefreshPush();
    press = 0;
    if(!IsEditable())
        return false;
    PerformAction();
    return true;
}

void Pusher::SimulatePush()
{
    if(!IsEditable() || !IsEnabled())
        return;
    WeakPointer<Ctrl> alive(this);
    KeyPush();
    if(!alive)
        return;
    // The pressed face shows at once, before the pause.
    RepaintNow();
    SleepMs(SIMULATED_PUSH_MS);
    if(alive)
        EndPush();
}

void Pusher::LeftButtonDown(Point, dword)
{
    WeakPointer<Ctrl> alive(this);
    if(IsGlobalClickFocus())
        FocusIfFocusable();
    if(!alive || !IsEditable())
        return;
    press |= PUSHED;
    RefreshPush();
    push_action();
    if(alive)
        SetCapture();
}

void Pusher::PointerMoved(Point, dword)
{
    if(!IsEditable() || !HasCapture())
        return;
    // Dragged off the control the press shows released, dragged back it shows pressed.
    bool inside = GetViewRectOnScreen().Contains(GetPointerPosition());
    if(inside == bool(press & PUSHED))
        return;
    press = byte(inside ? press | PUSHED : press & ~PUSHED);
    RefreshPush();
}

void Pusher::LeftButtonRepeat(Point, dword)
{
    if(IsEditable())
        repeat_action();
}

void Pusher::LeftButtonUp(Point, dword)
{
    // A press released off the control has lost its pushed bit already: no action.
    EndPush();
}

void Pusher::PointerLeft() { CancelPush(); }

void Pusher::CancelInteraction() { CancelPush(); }

bool Pusher::ProcessKey(dword key, int)
{
    if(!IsEditable())
        return false;
    if(key == KEY_SPACE) {
        KeyPush();
        return true;
    }
    if(key == (KEY_SPACE | K_KEYUP)) {
        bool was_pushed = IsPushed();
        EndPush();
        return was_pushed;
    }
    return false;
}

void Pusher::FocusGained() { RefreshFocus(); }

void Pusher::FocusLost()
{
    // A key press ends without its action when the focus goes.
    if(IsKeyPushed())
        CancelPush();
    RefreshFocus();
}

void Pusher::StateChanged(int)
{
    if(IsKeyPushed() && !GetRootCtrl()->HasFocusInTree())
        CancelPush();
}

bool Pusher::AccessKeyPressed(dword key)
{
    if(!MatchesAccessKey(access_key, key))
        return false;
    // Matched: consumed even when the pusher cannot act.
    if(IsEditable() && IsEnabled())
        SimulatePush();
    return true;
}

dword Pusher::OwnAccessKeys() const { return AccessKeyMask(dword(access_key)); }

void Pusher::AssignFreeAccessKeys(dword used)
{
    if(!access_key) {
        if(int key = ChooseAccessKey(label.Begin(), used)) {
            access_key = key;
            Refresh();
        }
    }
    used |= AccessKeyMask(dword(access_key));
    Ctrl::AssignFreeAccessKeys(used);
}

String Pusher::Describe() const { return label; }

} // namespace Qor
