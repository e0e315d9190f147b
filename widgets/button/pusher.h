// Pusher: the base of every control the user presses. Mouse presses, the space key and
// the access key drive a small press state machine; a press that ends over the control
// runs its action.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "draw/font/font.h"
#include "foundation/callback.h"
#include "foundation/string.h"

namespace Qor {

class Pusher : public Ctrl {
public:
    // Press state bits.
    enum : byte { PUSHED = 0x01, KEY_PUSHED = 0x02 };

    Pusher();
    ~Pusher() override;

    void CancelInteraction() override;
    void PointerMoved(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftButtonRepeat(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void PointerLeft() override;
    bool ProcessKey(dword key, int count) override;
    void FocusGained() override;
    void FocusLost() override;
    bool AccessKeyPressed(dword key) override;
    dword OwnAccessKeys() const override;
    void AssignFreeAccessKeys(dword used) override;
    void StateChanged(int reason) override;
    // The label text.
    String Describe() const override;

    // Repaints what shows the press state; the whole control here.
    virtual void RefreshPush();
    // Repaints what shows the focus; the whole control here.
    virtual void RefreshFocus();
    // What a completed press does: runs the control's action.
    virtual void PerformAction();

    // An '&' or a backspace byte marks the access key; "&&" is a plain '&'.
    Pusher& SetLabel(const char* text);
    const String& GetLabel() const { return label; }
    int GetAccessKey() const { return access_key; }
    Pusher& SetFont(Font f);
    Font GetFont() const { return font; }
    // Run when a press starts, and for each auto-repeat of a held press.
    Pusher& SetPushAction(const Callback& cb);
    Pusher& SetRepeatAction(const Callback& cb);
    const Callback& GetPushAction() const { return push_action; }
    const Callback& GetRepeatAction() const { return repeat_action; }

    // Presses and releases by program, showing the press for a moment; only when editable
    // and enabled.
    void SimulatePush();
    // Ends a press; true when the action was performed.
    bool EndPush();
    // Shown pressed, by the mouse or the keyboard.
    bool IsPushed() const { return press & (PUSHED | KEY_PUSHED); }
    bool IsKeyPushed() const { return press & KEY_PUSHED; }

protected:
    // Starts a press by key or program: the repeat action when one is held already.
    void KeyPush();
    // The press ends without its action.
    void CancelPush();
    void SetAccessKey(int key) { access_key = key; }

private:
    byte press = 0;
    int32 access_key = 0;
    String label;
    Font font;
    Callback push_action;
    Callback repeat_action;
};

} // namespace Qor
