// The target side of drag and drop: a drag over a top-level control is offered to the
// controls under the pointer, and the one that takes it hears of the drag while it rests
// there.
#pragma once

#include "ctrl/clip/transfer.h"
#include "ctrl/tree/ctrl_class.h"

namespace Qor {

// Milliseconds between the hover ticks (and fresh offers) a resting drag sends its target.
constexpr int DRAG_HOVER_MS = 40;

// Walks from top to the control under p (screen coordinates) that accepts the offer, offering
// it to each control on the way that takes mouse input; the first disabled control met or
// the accepting one becomes the drop target (DragLeft and DragEntered as it changes) and gets
// the hover ticks.
void DispatchDragAndDrop(Ctrl* top, Point p, TransferOffer& offer);
// The drop target gets DragLeft, its ticks stop and it is forgotten.
void EndDropTarget();
// The control the drag is over now, or null.
Ctrl* GetDropTarget();

} // namespace Qor
