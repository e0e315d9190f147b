// DropList: entries, the shown value, opening the list and picking from it, and the keys and
// the wheel that step through the entries.

#include "lists/droplist/drop_list.h"

#include "draw/display/display.h"
#include "foundation/callback_action.h"
#include "lists/popup/list_keys_internal.h"

#include <algorithm>

namespace Qor {

DropList::DropList()
    : dropcx(0), valueformat(&SharedNoConvert()), valuepaint(nullptr), showunlisted(false), focusondrop(false),
      requirevalue(false), dropalways(false)
{
    SideButton& b = AddButton();
    b.SetMain(true);
    b.WhenPush = MakeCallback(this, &DropList::Drop);
    // A label just before the list lends it no access key.
    SetInitialFocus(false);
    b.Enable(dropalways);
    list.SetupDropDown();
    list.WhenSelect = MakeCallback(this, &DropList::Select);
    list.WhenCancel = MakeCallback(this, &DropList::Cancel);
    dropcx = 0;
}

DropList::~DropList() = default;

DropList& DropList::Add(const Value& key, const Value& shown)
{
    keys.Add(key);
    list.AddValue(shown);
    list.Refresh();
    GetMainButton().Enable(true);
    Sync();
    return *this;
}

DropList& DropList::SetValueConvert(const Convert& c)
{
    valueformat = &c;
    Sync();
    return *this;
}

DropList& DropList::SetValueDisplay(const Display& d)
{
    valuepaint = &d;
    Sync();
    return *this;
}

DropList& DropList::ShowUnlisted(bool b)
{
    showunlisted = b;
    Sync();
    return *this;
}

DropList& DropList::SetDropAlways(bool b)
{
    dropalways = b;
    GetMainButton().Enable(dropalways || !keys.IsEmpty());
    return *this;
}

void DropList::Sync()
{
    Value shown = showunlisted ? value : Value();
    int i = keys.Find(value);
    const Display* d = valuepaint;
    if(!d)
        d = i >= 0 ? list.GetCellDisplay(i, 0) : list.GetColumnDisplay(0);
    if(i >= 0)
        shown = list.Get(i, 0);
    if(d)
        SetDisplay(*d);
    SetValueHeight(list.GetDefaultRowHeight());
    SetShownValue(valueformat->Format(shown));
}

void DropList::SetValue(const Value& v)
{
    if(v == value)
        return;
    value = v;
    MarkUpdated();
    Sync();
}

Value DropList::GetValue() const
{
    if(requirevalue && value.IsNull())
        return NullNotAllowedError();
    return value;
}

Value DropList::Format(const Value& q) const
{
    int i = keys.Find(q);
    Value shown = i >= 0 ? list.Get(i, 0) : showunlisted ? q : Value();
    return valueformat->Format(shown);
}

void DropList::Drop()
{
    // Alt+Down opens no more than the disabled button would: an empty list shows nothing.
    if(!IsEnabledUpward() || !GetMainButton().IsEnabled())
        return;
    if(focusondrop)
        SetFocus();
    Callback opening = WhenOpening;
    opening();
    list.SetCursor(keys.Find(value));
    list.PopUp(this, dropcx);
}

void DropList::Choose(int i)
{
    value = keys[i];
    Sync();
    MarkUpdatedAction();
}

void DropList::Select()
{
    int c = list.GetCursor();
    if(c >= 0 && c < keys.GetCount())
        value = keys[c];
    if(focusondrop)
        SetFocus();
    Sync();
    MarkUpdatedAction();
}

void DropList::Cancel()
{
    if(focusondrop)
        SetFocus();
    Sync();
}

void DropList::Step(int dir)
{
    int n = keys.GetCount();
    if(n == 0)
        return;
    int i = keys.Find(value);
    bool found = false;
    for(int k = 0; k < list.GetCount() && !found; k++) {
        i = std::clamp(i + dir, 0, n - 1);
        found = list.IsRowEnabled(i);
    }
    // With no enabled entry that way the value stays: a disabled entry is never chosen.
    if(!found || keys[i] == value)
        return;
    Choose(i);
}

void DropList::WheelRotated(Point, int zdelta, dword) { Step(zdelta < 0 ? 1 : -1); }

bool DropList::ProcessKey(dword key, int count)
{
    using namespace ListKeys;
    if(!IsEnabledUpward())
        return false;
    switch(key) {
    case RIGHT:
    case DOWN:
        Step(1);
        return true;
    case LEFT:
    case UP:
        Step(-1);
        return true;
    case ALT | DOWN:
        Drop();
        return true;
    default:
        break;
    }
    if(key < 32 || key > 65535)
        return false;
    bool taken = list.ProcessKey(key, count);
    int c = list.GetCursor();
    if(c >= 0 && c < keys.GetCount() && keys[c] != value) {
        value = keys[c];
        if(focusondrop)
            SetFocus();
        Sync();
        MarkUpdatedAction();
    }
    return taken;
}

} // namespace Qor
