// Switch: its cases, value, mouse, keys and access keys.

#include "widgets/switch/switch.h"

#include "ctrl/input/mouse_routing.h"
#include "ctrl/settings/gui_settings.h"
#include "foundation/pte.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/label/access_key.h"

namespace Qor {

namespace {

enum : dword { KEY_LEFT = 0x1FF51, KEY_UP = 0x1FF52, KEY_RIGHT = 0x1FF53, KEY_DOWN = 0x1FF54 };

} // namespace

Switch::Switch() : font(GetStandardFontReference())
{
    SetTransparent();
    SetInitialFocus(false);
}

Switch::~Switch() = default;

Switch& Switch::SetLabel(int index, const char* text)
{
    if(index >= cases.GetCount()) {
        while(cases.GetCount() <= index)
            cases.Add();
        cases[index].value = Value(index);
    }
    Case& c = cases[index];
    c.access_key = ExtractAccessKey(text, c.caption);
    Refresh();
    return *this;
}

Switch& Switch::SetLabels(const char* text)
{
    int n = 0;
    const char* s = text;
    for(;;) {
        const char* e = s;
        while(*e && *e != '\r' && *e != '\n')
            e++;
        SetLabel(n++, String(s, (int)(e - s)).Begin());
        if(!*e)
            break;
        s = e + (e[0] == '\r' && e[1] == '\n' ? 2 : 1);
    }
    if(cases.GetCount() > n)
        cases.Trim(n);
    Refresh();
    return *this;
}

Switch& Switch::SetCaseValue(int index, const Value& v)
{
    cases[index].value = v;
    Refresh();
    return *this;
}

Switch& Switch::EnableCase(int index, bool enable)
{
    cases[index].enabled = enable;
    Refresh();
    return *this;
}

Switch& Switch::SetFont(Font f)
{
    font = f;
    Refresh();
    return *this;
}

int Switch::GetSelectedCase() const
{
    for(int i = 0; i < cases.GetCount(); i++)
        if(cases[i].value == value)
            return i;
    return -1;
}

int Switch::FindCaseAt(Point p) const
{
    int i = -1;
    if(line_ends.IsEmpty()) {
        // Division toward zero: points just above the control count as case 0.
        int q = p.y / line_height;
        if(q >= 0 && q < cases.GetCount())
            i = q;
    }
    else
        for(int k = 0; k < line_ends.GetCount() && k < cases.GetCount(); k++)
            if(p.x < line_ends[k]) {
                i = k;
                break;
            }
    return i >= 0 && cases[i].enabled ? i : -1;
}

void Switch::SetValue(const Value& v)
{
    if(v == value)
        return;
    RefreshCase(GetSelectedCase());
    value = v;
    RefreshCase(GetSelectedCase());
    MarkUpdated();
}

void Switch::Choose(int i)
{
    int old = GetSelectedCase();
    value = cases[i].value;
    RefreshCase(old);
    RefreshCase(i);
    MarkUpdatedAction();
}

void Switch::CancelInteraction() { pressed = -1; }

void Switch::LeftButtonDown(Point p, dword keyflags)
{
    if(!IsEditable())
        return;
    WeakPointer<Ctrl> alive(this);
    if(IsGlobalClickFocus())
        FocusIfFocusable();
    if(!alive)
        return;
    pressed = GetSelectedCase();
    PointerMoved(p, keyflags);
}

void Switch::PointerMoved(Point p, dword keyflags)
{
    if(!IsEditable())
        return;
    int d = FindCaseAt(p);
    int now = keyflags & K_MOUSELEFT ? d : -1;
    if(now != pressed) {
        RefreshCase(pressed);
        RefreshCase(now);
        pressed = now;
    }
    if(d != hot) {
        RefreshCase(hot);
        RefreshCase(d);
    }
}

void Switch::LeftButtonUp(Point, dword)
{
    if(!IsEditable())
        return;
    int i = pressed;
    pressed = -1;
    if(i < 0 || i >= cases.GetCount())
        return;
    RefreshCase(GetSelectedCase());
    if(cases[i].value != value) {
        WeakPointer<Ctrl> alive(this);
        value = cases[i].value;
        MarkUpdatedAction();
        if(!alive)
            return;
    }
    RefreshCase(i);
}

void Switch::PointerLeft()
{
    RefreshCase(hot);
    RefreshCase(pressed);
    pressed = -1;
}

bool Switch::ProcessKey(dword key, int)
{
    if(!IsEditable())
        return false;
    int step;
    if(key == KEY_LEFT || key == KEY_UP)
        step = -1;
    else if(key == KEY_RIGHT || key == KEY_DOWN)
        step = 1;
    else
        return false;
    int n = cases.GetCount();
    int from = GetSelectedCase();
    int i = from;
    for(int k = 0; k < n; k++) {
        i += step;
        if(i < 0)
            i = n - 1;
        else if(i >= n)
            i = 0;
        if(cases[i].enabled) {
            if(i != from)
                Choose(i);
            return true;
        }
    }
    return true;
}

void Switch::FocusGained() { RefreshCase(GetSelectedCase()); }

void Switch::FocusLost() { RefreshCell(GetSelectedCase(), true); }

bool Switch::AccessKeyPressed(dword key)
{
    if(!IsEditable())
        return false;
    for(Case& c : cases)
        if(c.enabled && MatchesAccessKey(c.access_key, key)) {
            value = c.value;
            MarkUpdatedActionRefresh();
            return true;
        }
    return false;
}

dword Switch::OwnAccessKeys() const
{
    dword keys = 0;
    for(const Case& c : cases)
        keys |= AccessKeyMask(c.access_key);
    return keys;
}

void Switch::AssignFreeAccessKeys(dword used)
{
    for(Case& c : cases)
        if(!c.access_key) {
            int k = ChooseAccessKey(c.caption.Begin(), used);
            if(k) {
                c.access_key = k;
                Refresh();
                used |= AccessKeyMask(k);
            }
        }
    Ctrl::AssignFreeAccessKeys(used);
}

} // namespace Qor
