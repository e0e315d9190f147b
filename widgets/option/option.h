// Option: the check box. A completed press cycles its value between unchecked (0), checked
// (1) and, when asked for, a third state (Null); drawn as a box or a round image followed by
// its caption.
#pragma once

#include "widgets/button/pusher.h"

namespace Qor {

class Option : public Pusher {
public:
    Option();

    // "1" checks, an empty text is Null (unchecked unless Null is kept), other texts
    // uncheck; other values convert to an int.
    void SetValue(const Value& v) override;
    // The int value; the third state is the int Null.
    Value GetValue() const override;
    void Paint(Draw& w) override;
    void PointerEntered(Point p, dword keyflags) override;
    void PointerLeft() override;
    Size MinimumSize() const override;
    // With the caption shown only the box shows the press.
    void RefreshPush() override;
    void RefreshFocus() override;
    // 0 -> 1 (or Null with the third state), 1 -> 0, anything else -> 1.
    void PerformAction() override;

    int Get() const { return value; }
    Option& Set(int v);
    // Round radio images instead of boxes.
    Option& SetRadioLook(bool b = true);
    // The press cycle passes through Null.
    Option& SetThreeState(bool b = true);
    // Null values are stored and drawn as unchecked (the default).
    Option& SetNullIsUnchecked(bool b = true);
    Option& ShowCaption(bool b = true);
    bool IsThreeState() const { return three_state; }

private:
    int32 value = 0;
    bool radio_look = false;
    bool three_state = false;
    bool null_is_unchecked = true;
    bool caption_shown = true;

    int ImageIndex(int visual) const;
    int VisualState() const;
};

} // namespace Qor
