// SeparatorCtrl: a skinnable line between groups of controls, horizontal in a control wider
// than high and vertical otherwise.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "foundation/values/value.h"

namespace Qor {

struct SeparatorCtrlStyle {
    // 0 not built, 1 built with the defaults, 2 changed by a skin.
    byte status = 0;
    byte registered = 0;
    const SeparatorCtrlStyle* standard = nullptr;
    Value first_line;  // looks (a colour, an image...) of the two one-pixel lines
    Value second_line; // the int Null paints nothing
};

class SeparatorCtrl : public Ctrl {
public:
    SeparatorCtrl();

    void Paint(Draw& w) override;
    Size MinimumSize() const override;

    SeparatorCtrl& SetMargins(int left, int right);
    SeparatorCtrl& SetSize(int size);
    // The style is borrowed and must outlive the control.
    SeparatorCtrl& SetStyle(const SeparatorCtrlStyle& s);

    // The first line in SysColorShadow, no second line; built on first use, rebuilt after a
    // skin change.
    static SeparatorCtrlStyle& GetDefaultStyle();

private:
    int left_margin = 2;
    int right_margin = 2;
    int size = 7;
    const SeparatorCtrlStyle* style;
};

} // namespace Qor
