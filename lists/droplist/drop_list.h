// DropList: shows one chosen entry and, on request, a pop-up list of every entry to choose
// from. An entry is a key and a shown value; the control's value is the chosen entry's key.
// As a Convert it turns a key into its shown value.
#pragma once

#include "lists/popup/popup_table.h"

#include "foundation/callback.h"
#include "foundation/key_index.h"
#include "foundation/values/convert.h"
#include "widgets/multibutton/multi_button.h"

namespace Qor {

class Display;

class DropList : public MultiButton, public Convert {
public:
    DropList();
    ~DropList() override;

    // Appends an entry; keys may repeat (the first equal key is the one found).
    DropList& Add(const Value& key, const Value& shown);

    // Setting a value never runs the action; a value that is no key is kept and shown as
    // nothing (as itself with ShowUnlisted).
    void SetValue(const Value& v) override;
    // With RequireValue a Null value reads as an error value.
    Value GetValue() const override;
    // Down turns to the next enabled entry, up to the previous one; the action runs.
    void WheelRotated(Point p, int zdelta, dword keyflags) override;
    // Up, Down, Left and Right step; Alt+Down opens the list; a character moves to the next
    // entry it starts.
    bool ProcessKey(dword key, int count) override;
    // The shown value of key q; Null for a value that is no key (q itself with ShowUnlisted).
    Value Format(const Value& q) const override;

    // Opens the list (the drop button's press, Alt+Down); nothing while the control or its
    // drop button is disabled.
    void Drop();

    int GetCount() const { return keys.GetCount(); }
    const Value& GetKey(int i) const { return keys[i]; }
    // The position of the first entry with key k; -1 when none.
    int FindKey(const Value& k) const { return keys.Find(k); }
    PopUpTable& GetList() { return list; }
    const PopUpTable& GetList() const { return list; }

    // The list's width; 0: the control's.
    DropList& SetDropWidth(int cx)
    {
        dropcx = cx;
        return *this;
    }
    // Borrowed; formats the shown value.
    DropList& SetValueConvert(const Convert& c);
    // Borrowed; paints the shown value instead of the list's display.
    DropList& SetValueDisplay(const Display& d);
    DropList& ShowUnlisted(bool b = true);
    // The control takes the focus when its list opens, and when a pick or a cancellation
    // closes it.
    DropList& SetFocusOnDrop(bool b = true)
    {
        focusondrop = b;
        return *this;
    }
    DropList& SetRequireValue(bool b = true)
    {
        requirevalue = b;
        return *this;
    }
    // The drop button stays enabled without entries.
    DropList& SetDropAlways(bool b = true);

    // Runs just before the list opens.
    Callback WhenOpening;

private:
    PopUpTable list;
    KeyIndex<Value> keys;
    Value value;
    int dropcx;
    const Convert* valueformat;
    const Display* valuepaint;
    bool showunlisted;
    bool focusondrop;
    bool requirevalue;
    bool dropalways;

    // The list closed with a pick.
    void Select();
    // The list closed without one.
    void Cancel();
    // Shows the current value.
    void Sync();
    // To the nearest enabled entry in direction dir (+1, -1), without wrapping.
    void Step(int dir);
    // The value becomes key i, shown and announced.
    void Choose(int i);
};

} // namespace Qor
