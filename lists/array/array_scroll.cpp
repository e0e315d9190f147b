// The list's vertical scrolling and its info pop-up. The list has no scroll bar or header of
// its own yet: its view starts at the first row, and the pop-up has no cells to show.

#include "lists/array/array_ctrl.h"

namespace Qor {

int ArrayCtrl::GetScrollPos() const { return 0; }

void ArrayCtrl::SyncScrollInfo() {}

void ArrayCtrl::ScrollInto(int) {}

void ArrayCtrl::SyncInfoPopup() {}

} // namespace Qor
