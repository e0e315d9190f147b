// TopWindow: construction and destruction, the setters, painting, sizes and the focus
// memory with keyboard navigation between the window's controls.

#include "ctrl/topwindow/top_window.h"

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/platform/platform.h"
#include "ctrl/tree/global_refs.h"
#include "draw/look/sys_colors.h"
#include "foundation/callback_action.h"
#include "foundation/charset.h"
#include "foundation/ini.h"

#include <cstring>

namespace Qor {

void SetWindowOpacityCall(Ctrl& c, int alpha) { GetPlatform().SetWindowOpacity(c, alpha); }

void DialogBackground::Paint(Draw& w, const Rect& r, const Value&, Color, Color, dword) const
{
    w.DrawRect(r, SysColorFace());
}

const DialogBackground& GetDialogBackground()
{
    static DialogBackground background;
    return background;
}

namespace {

void LogWindowLine(const char* what, const Ctrl* c) { LogUserAction(what + DescribeCtrl(c)); }

Ctrl* FocusCtrl() { return GetCtrlGlobalRefs().focus_ctrl.Get(); }

} // namespace

TopWindow::TopWindow()
    : background(&GetDialogBackground(), Value(INT_NULL)), min_size(80, 20), normal_rect(0, 0, 0, 0), style(0),
      state(STATE_NORMAL), stay_on_top(false)
{
    sent_min = sent_max = Size(INT_NULL, INT_NULL);
    close_action = MakeCallback(this, &TopWindow::Close);
    hints = GetPlatform().AllocTopWindowHints();
    SetPaintMode(PAINT_TRANSPARENT_BACKBUFFER);
}

TopWindow::~TopWindow()
{
    if(IsInLoop())
        Break(IDOK);
    if(!GetParent())
        Close();
    close_action.Clear();
    // A record's weak links are cleared by its destructor.
    for(Abreak* b : abreaks)
        delete b;
    abreaks.Clear();
    GetPlatform().FreeTopWindowHints(hints);
    hints = nullptr;
}

bool TopWindow::Validate()
{
    for(Ctrl* q = GetFirstChild(); q;) {
        WeakPointer<Ctrl> alive(q);
        if(!q->Validate())
            return false;
        // A child that left during its own check ends the walk: the rest is unknown.
        if(!alive || q->GetParent() != this)
            return true;
        q = q->GetNext();
    }
    return true;
}

void TopWindow::CancelInput()
{
    for(Ctrl* q = GetFirstChild(); q;) {
        WeakPointer<Ctrl> alive(q);
        q->CancelInput();
        if(!alive || q->GetParent() != this)
            return;
        q = q->GetNext();
    }
}

void TopWindow::Paint(Draw& w)
{
    Size sz = GetViewSize();
    background.Paint(w, Rect(0, 0, sz.cx, sz.cy), SysColorText(), SysColorShadow(), 0);
}

void TopWindow::ChildFocusGained() { last_focus = FocusCtrl(); }
Size TopWindow::MinimumSize() const { return min_size; }
Size TopWindow::StandardSize() const { return MinimumSize(); }
bool TopWindow::IsEnabledUpward() const { return true; }
String TopWindow::Describe() const { return EncodeText(title); }
void TopWindow::ShutdownWindow() {}

void TopWindow::WindowDeactivated()
{
    if(HasFocusInTree())
        last_focus = FocusCtrl();
    if(user_log_flag.Get())
        LogWindowLine("   DEACTIVATE ", this);
}

void TopWindow::WindowActivated()
{
    if(user_log_flag.Get())
        LogWindowLine("   ACTIVATE ", this);
    Ctrl* focus = FocusCtrl();
    if(last_focus && !(focus && IsAncestorOf(focus)) && IsEnabled())
        last_focus->FocusIfFocusable();
    if(style & STYLE_URGENT)
        SyncHints();
}

bool TopWindow::RestoreFocus()
{
    if(Ctrl* c = last_focus.Get())
        return c->SetFocus();
    return FocusNextCtrl(this, this, true, true, false);
}

bool TopWindow::MoveFocus(bool forward)
{
    Ctrl* focus = FocusCtrl();
    if(focus && IsAncestorOf(focus) &&
       (forward ? FocusNextCtrl(focus, this, false, false, false) : FocusPrevCtrl(focus, this, false, false)))
        return true;
    Ctrl* wrap = forward ? GetFirstChild() : GetLastChild();
    if(!wrap)
        return false;
    if(wrap->FocusIfFocusable())
        return true;
    return forward ? FocusNextCtrl(wrap, this, false, false, false) : FocusPrevCtrl(wrap, this, false, false);
}

bool TopWindow::ProcessKey(dword key, int count)
{
    if(Ctrl::ProcessKey(key, count))
        return true;
    if(GetParent())
        return false;
    switch(key) {
    case 0x09:
    case 0x1FF53:
    case 0x1FF54:
        return MoveFocus(true);
    case 0x40009:
    case 0x1FF51:
    case 0x1FF52:
        return MoveFocus(false);
    default:
        return false;
    }
}

TopWindow& TopWindow::SetTitle(const WString& text)
{
    if(text != title) {
        title = text;
        ScheduleTitleSync();
    }
    return *this;
}

TopWindow& TopWindow::SetTitle(const char* text)
{
    // A null title is the empty one.
    return SetTitle(text ? DecodeText(text, int(strlen(text))) : WString());
}

TopWindow& TopWindow::SetMinSize(Size sz)
{
    min_size = sz;
    SyncSizeHints();
    return *this;
}

void TopWindow::SetStyleBit(byte bit, bool b)
{
    style = byte(b ? style | bit : style & ~bit);
    SyncHints();
    SyncSizeHints();
}

TopWindow& TopWindow::AllowResize(bool b)
{
    SetStyleBit(STYLE_SIZEABLE, b);
    return *this;
}

TopWindow& TopWindow::SetStyleBit0(bool b)
{
    SetStyleBit(STYLE_BIT0, b);
    return *this;
}

TopWindow& TopWindow::SetStyleBit1(bool b)
{
    SetStyleBit(STYLE_BIT1, b);
    return *this;
}

TopWindow& TopWindow::SetToolWindow(bool b)
{
    SetStyleBit(STYLE_TOOL, b);
    return *this;
}

TopWindow& TopWindow::SetFrameless(bool b)
{
    SetStyleBit(STYLE_FRAMELESS, b);
    return *this;
}

TopWindow& TopWindow::SetUrgent(bool b)
{
    SetStyleBit(STYLE_URGENT, b);
    return *this;
}

TopWindow& TopWindow::KeepAbove(bool b)
{
    stay_on_top = b;
    SyncState();
    return *this;
}

TopWindow& TopWindow::SetIcon(const Image& small, const Image& large)
{
    icon = small;
    large_icon = large;
    SyncHints();
    return *this;
}

TopWindow& TopWindow::SetBackground(const DisplayedValue& v)
{
    background = v;
    Refresh();
    return *this;
}

TopWindow& TopWindow::Minimize()
{
    state = STATE_MINIMIZED;
    SyncState();
    return *this;
}

TopWindow& TopWindow::Maximize()
{
    state = STATE_MAXIMIZED;
    SyncState();
    return *this;
}

TopWindow& TopWindow::Restore()
{
    state = STATE_NORMAL;
    SyncState();
    return *this;
}

// ---- The window system's side.

void TopWindow::Open() { OpenWithOwner(GetPlatform().GetDefaultOwner()); }
void TopWindow::OpenWithOwner(Ctrl* owner) { GetPlatform().OpenTopWindow(*this, owner); }

void TopWindow::HandleWindowEvent(WindowMapEntry* entry, _XEvent* event)
{
    GetPlatform().TopWindowEvent(*this, entry, event);
}

void TopWindow::SyncHints()
{
    ScheduleTitleSync();
    GetPlatform().SyncTopWindowHints(*this);
}

void TopWindow::SyncState() { GetPlatform().SyncTopWindowState(*this); }
void TopWindow::SyncSizeHints() { GetPlatform().SyncTopWindowSizeHints(*this); }

void TopWindow::ScheduleTitleSync()
{
    // Id 1 collects every change of one turn into one update.
    CancelTimer(1);
    ScheduleTimer(0, MakePteCallback(this, &TopWindow::SyncTitle), 1);
}

void TopWindow::SyncTitle()
{
    if(sent_title == title)
        return;
    sent_title = title;
    GetPlatform().SyncTopWindowTitle(*this);
}

void TopWindow::SyncIcon()
{
    TopWindow* main = GetMainWindow();
    if(!main)
        return;
    if(icon.IsEmpty()) {
        icon = main->icon;
        SyncHints();
    }
    if(large_icon.IsEmpty()) {
        large_icon = main->icon;
        SyncHints();
    }
}

void TopWindow::SerializePlacement(Stream& s, bool reminimize)
{
    GetPlatform().SerializeTopWindowPlacement(*this, s, reminimize);
}

} // namespace Qor
