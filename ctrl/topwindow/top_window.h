// TopWindow: the control that becomes a top-level window of the desktop. Its modal run
// disables the other windows and runs the event loop until an exit code is set; break
// actions end the run with a code; the window remembers its focused control across
// deactivation and moves the focus with Tab and the arrow keys.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "draw/display/display.h"
#include "draw/image/image.h"

namespace Qor {

// Dialog exit codes; INT_NULL means none was set.
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7, IDEXIT = 9999 };

// The X records of a top-level window (size, WM and class hints), made and freed by the
// window system; opaque here.
struct TopWindowHints;

class TopWindow : public Ctrl {
public:
    // One per exit code; break actions call into it, so it lives as long as its window.
    struct Abreak : Pte<Abreak> {
        int32 code;
        TopWindow* window;

        void Break();
        void AcceptBreak();
        void RejectBreak();
    };

    // Style bits.
    enum : byte {
        STYLE_BIT0 = 0x01,
        STYLE_BIT1 = 0x02,
        STYLE_SIZEABLE = 0x08,
        STYLE_TOOL = 0x10,
        STYLE_FRAMELESS = 0x20,
        STYLE_URGENT = 0x40,
    };
    enum : byte { STATE_MINIMIZED = 0, STATE_MAXIMIZED = 1, STATE_NORMAL = 2 };

    TopWindow();
    ~TopWindow() override;

    void HandleWindowEvent(WindowMapEntry* entry, _XEvent* event) override;
    bool Validate() override;
    void CancelInput() override;
    void Paint(Draw& w) override;
    void WindowActivated() override;
    void WindowDeactivated() override;
    bool ProcessKey(dword key, int count) override;
    void ChildFocusGained() override;
    Size MinimumSize() const override;
    Size StandardSize() const override;
    bool IsEnabledUpward() const override;
    void Close() override;
    String Describe() const override;
    // Called on every open, enabled window when the window system shuts down, before its
    // close action.
    virtual void ShutdownWindow();

    // ---- Modal run. The result is never Null: a run that ends without a code (the window
    // was closed or went away) takes the code CloseWithDefaultCode chooses, or Cancel.
    int RunLoop(bool appmodal = false);
    int RunThenClose();
    void Break(int code = IDEXIT);
    bool AcceptBreak(int code);
    void CloseWithDefaultCode();
    Callback MakeBreakAction(int code);
    void SetValidateBreakAction(Ctrl& c, int code);
    void SetCancelBreakAction(Ctrl& c, int code);
    Callback& CloseAction() { return close_action; }

    // ---- Opening (the window system's side).
    void Open();
    void OpenWithOwner(Ctrl* owner);

    // ---- Setters; each returns the window.
    TopWindow& SetTitle(const char* text);
    TopWindow& SetTitle(const WString& text);
    const WString& GetTitle() const { return title; }
    TopWindow& SetMinSize(Size sz);
    TopWindow& AllowResize(bool b = true);
    bool IsSizeable() const { return style & STYLE_SIZEABLE; }
    TopWindow& SetStyleBit0(bool b = true);
    TopWindow& SetStyleBit1(bool b = true);
    TopWindow& SetToolWindow(bool b = true);
    TopWindow& SetFrameless(bool b = true);
    // Asks for the user's attention until the window is activated; false withdraws it.
    TopWindow& SetUrgent(bool b = true);
    bool IsUrgent() const { return style & STYLE_URGENT; }
    byte GetStyle() const { return style; }
    TopWindow& KeepAbove(bool b = true);
    bool IsKeptAbove() const { return stay_on_top; }
    TopWindow& SetIcon(const Image& small, const Image& large = Image());
    const Image& GetIcon() const { return icon; }
    const Image& GetLargeIcon() const { return large_icon; }
    TopWindow& SetBackground(const DisplayedValue& v);
    int GetState() const { return state; }
    void SetState(int s) { state = byte(s); }
    TopWindow& Minimize();
    TopWindow& Maximize();
    TopWindow& Restore();
    Rect GetNormalRect() const { return normal_rect; }
    void SetNormalRect(const Rect& r) { normal_rect = r; }

    bool RestoreFocus();
    Ctrl* GetLastFocus() const { return last_focus.Get(); }

    // ---- The window-manager side (platform part).
    void SyncHints();
    void SyncState();
    void SyncSizeHints();
    void ScheduleTitleSync();
    void SyncTitle();
    void SyncIcon();
    // The placement record: stores, or loads and applies, normal and current rectangle
    // and the state.
    void SerializePlacement(Stream& s, bool reminimize = false);

    // The last sizes and title sent to the window manager, and the X records.
    Size sent_min;
    Size sent_max;
    WString sent_title;
    TopWindowHints* hints = nullptr;

private:
    Vector<Abreak*> abreaks;
    WeakPointer<Ctrl> last_focus;
    DisplayedValue background;
    Size min_size;
    Rect normal_rect;
    WString title;
    byte style;
    byte state;
    Image icon;
    Image large_icon;
    bool stay_on_top;
    Callback close_action;

    Abreak& FindAddBreak(int code);
    void SetStyleBit(byte bit, bool b);
    bool MoveFocus(bool forward);
};

// Sets the opacity of c's window; nothing without a window system.
void SetWindowOpacityCall(Ctrl& c, int alpha);

// Paints the face colour over the rectangle, whatever the value.
class DialogBackground : public Display {
public:
    void Paint(Draw& w, const Rect& r, const Value& q, Color ink, Color paper, dword style) const override;
};

const DialogBackground& GetDialogBackground();

// Closes every window at shutdown: each open, enabled TopWindow is activated, told of the
// shutdown and asked to close by its close action, pass after pass until none is left. A
// window that refuses is asked again; after a bounded number of passes the rest are closed
// without their close action, so shutdown always ends.
void CloseTopWindows();
enum : int { CLOSE_TOP_WINDOWS_MAX_PASSES = 64 };

// Dialogs lay out OK and Cancel in reversed order; a skinnable setting.
bool IsButtonOrderReversed();
void SetDialogButtonOrder(bool reversed);
// With the reversed order, a and b swap their logical positions when both axes have the
// same edge size.
void ApplyButtonOrder(Ctrl& a, Ctrl& b);

// The run-time type test of the control tree, and the start-up registration.
TopWindow* AsTopWindow(Ctrl* c);
void RegisterTopWindow();

} // namespace Qor
