// Button: roles, style choice, painting and the keys that press it.

#include "widgets/button/button.h"

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/tree/global_refs.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "widgets/label/access_key.h"
#include "widgets/label/label_drawing.h"
#include "widgets/label/label_look.h"

namespace Qor {

namespace {

constexpr dword KEY_ENTER = 0x0D;
constexpr dword KEY_ESCAPE = 0x1B;
constexpr dword KEY_SPACE = 0x20;

// Room between the face's edge and the label.
constexpr int LABEL_INSET = 3;
// Gap between the image and the label when the button shows both.
constexpr int IMAGE_SPACING = 4;

bool HasPicture(const Image& img) { return !img.IsEmpty() && (img.GetSize().cx || img.GetSize().cy); }

// Which button shows the ok look depends on where the focus is: every ok button of the
// window repaints when the focus moves.
void RefreshOkButtons(Ctrl& c)
{
    if(Button* b = AsButton(&c); b && b->GetRole() == Button::ROLE_OK)
        b->Refresh();
    for(Ctrl* q = c.GetFirstChild(); q;) {
        WeakPointer<Ctrl> alive(q);
        RefreshOkButtons(*q);
        // A subtree that lost its parent meanwhile ends the walk.
        if(!alive || q->GetParent() != &c)
            return;
        q = q->GetNext();
    }
}

} // namespace

Button* AsButton(Ctrl* c) { return dynamic_cast<Button*>(c); }

Button::Button() = default;

Button::~Button() = default;

const ButtonStyle* Button::ChooseStyle() const
{
    const ButtonStyle* s = &GetPlainStyle();
    if(IsInFrameArea()) {
        s = &GetEdgeStyle();
        if(const Ctrl* parent = GetParent(); parent && GetRectInParent().right < parent->GetRectInParent().Width() / 2)
            s = &GetLeftEdgeStyle();
    }
    const Ctrl* focus = GetCtrlGlobalRefs().focus_ctrl;
    // An ok button shows the ok look while no other button of its window has the focus.
    if(role == ROLE_OK &&
       (!focus || !dynamic_cast<const Button*>(focus) || focus == this || focus->GetRootCtrl() != GetRootCtrl()))
        s = &GetOkStyle();
    if(focus == this)
        s = &GetOkStyle();
    return s;
}

const ButtonStyle& Button::GetCurrentStyle() const { return style ? *style : *ChooseStyle(); }

Button& Button::SetStyle(const ButtonStyle* s)
{
    if(s != style) {
        style = s;
        ResolveLayout(1);
        Refresh();
    }
    return *this;
}

Button& Button::SetImage(const Image& img)
{
    image = img;
    Refresh();
    return *this;
}

Button& Button::SetRole(byte r, Image ButtonStyle::*role_image)
{
    if(!HasPicture(image))
        image = GetCurrentStyle().*role_image;
    role = r;
    Refresh();
    return *this;
}

Button& Button::MakeOk() { return SetRole(ROLE_OK, &ButtonStyle::ok_image); }

Button& Button::MakeCancel() { return SetRole(ROLE_CANCEL, &ButtonStyle::cancel_image); }

void Button::Layout() { SetTransparent(GetCurrentStyle().transparent); }

int Button::OverpaintMargin() const { return GetCurrentStyle().overpaint; }

void Button::Paint(Draw& w)
{
    const ButtonStyle& s = GetCurrentStyle();
    Size sz = GetViewSize();
    LabelDrawing l;
    l.text = GetLabel();
    l.font = GetFont().IsNullInstance() ? s.font : GetFont();
    l.left_image = image;
    l.disabled = !IsEnabledUpward();
    l.left_spacing = !GetLabel().IsEmpty() && HasPicture(image) ? IMAGE_SPACING : 0;
    if(!GetLabel().IsEmpty() && GetLabel()[0] == 1)
        l.horizontal_align = LABEL_ALIGN_LEFT;
    if(IsAccessKeyMarkShown(this))
        l.access_key = GetAccessKey();

    int v = !IsEnabledUpward() ? VISUAL_DISABLED
            : IsPushed()       ? VISUAL_PRESSED
            : IsUnderMouse()   ? VISUAL_HOT
                               : VISUAL_NORMAL;
    PaintLook(w, Rect(sz), s.look[v]);
    l.ink = s.text_colour[v];
    Point offset(LABEL_INSET, LABEL_INSET);
    if(IsPushed())
        offset = Point(offset.x + s.pressed_offset.x, offset.y + s.pressed_offset.y);
    l.Paint(w, offset.x, offset.y, sz.cx - 2 * LABEL_INSET, sz.cy - 2 * LABEL_INSET, true);
    if(HasFocus()) {
        int m = s.focus_margin;
        DrawFocusFrame(w, Rect(m, m, sz.cx - m, sz.cy - m), SysColorText());
    }
}

void Button::PointerEntered(Point, dword) { Refresh(); }

void Button::PointerLeft()
{
    // The hot look goes.
    Refresh();
    Pusher::PointerLeft();
}

bool Button::ProcessKey(dword key, int count)
{
    // Enter presses the focused button whatever its role. A button that cannot act still
    // takes Enter, so that it does not reach the ok button of the window.
    if(key == KEY_ENTER) {
        if(IsEditable())
            KeyPush();
        return true;
    }
    if(key == (KEY_ENTER | K_KEYUP))
        return EndPush();
    if(key == (KEY_SPACE | K_KEYUP))
        return EndPush();
    return Pusher::ProcessKey(key, count);
}

void Button::FocusGained()
{
    WeakPointer<Ctrl> alive(this);
    RefreshOkButtons(*GetRootCtrl());
    if(alive)
        Pusher::FocusGained();
}

void Button::FocusLost()
{
    WeakPointer<Ctrl> alive(this);
    RefreshOkButtons(*GetRootCtrl());
    if(alive)
        Pusher::FocusLost();
}

bool Button::PressByRole(dword key)
{
    dword k = key & ~dword(K_KEYUP);
    bool enter = k == KEY_ENTER && (role == ROLE_OK || role == ROLE_EXIT);
    bool escape = k == KEY_ESCAPE && (role == ROLE_CANCEL || role == ROLE_EXIT);
    if(!enter && !escape)
        return false;
    if(key & K_KEYUP)
        return IsKeyPushed() ? EndPush() : true;
    // No pause as for an access key: the press ends when the key is released.
    if(IsEditable())
        KeyPush();
    return true;
}

bool Button::AccessKeyPressed(dword key)
{
    if(MatchesAccessKey(GetAccessKey(), key))
        return Pusher::AccessKeyPressed(key);
    return PressByRole(key);
}

dword Button::OwnAccessKeys() const
{
    // A button pressed by Enter claims the bit of the non-letter keys, and keeps its own
    // letter so that no other control is given it.
    dword keys = Pusher::OwnAccessKeys();
    return role == ROLE_OK || role == ROLE_EXIT ? keys | 1 : keys;
}

void Button::AssignFreeAccessKeys(dword used)
{
    if(role != ROLE_NONE)
        return;
    Pusher::AssignFreeAccessKeys(used);
}

} // namespace Qor
