// ArrayCtrl::CellCtrl: the host of a control that lives in one cell of a list, made by a
// column's factory for every row or put there by the owner.
#pragma once

#include "lists/array/array_ctrl.h"

namespace Qor {

class ArrayCtrl::CellCtrl : public ParentCtrl {
public:
    // owned: the hosted control is deleted with the cell. hide_value: the list paints no value
    // under the control and keeps the control's value in step with the cell.
    CellCtrl(Ctrl& hosted, bool owned, bool hide_value);
    CellCtrl(const CellCtrl&) = delete;
    CellCtrl& operator=(const CellCtrl&) = delete;
    ~CellCtrl() override;

    // A click on the cell's edge gives the focus to the hosted control when it wants it.
    void LeftButtonDown(Point p, dword keyflags) override;

    Ctrl& GetHosted() const { return *hosted; }
    bool IsOwned() const { return owned; }
    bool IsValueHidden() const { return hide_value; }

private:
    bool owned;
    bool hide_value;
    Ctrl* hosted;
};

} // namespace Qor
