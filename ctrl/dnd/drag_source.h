// The source side of drag and drop as the control tree sees it: starting a drag, the
// control that runs it, and the image it shows.
#pragma once

#include "ctrl/clip/transfer.h"
#include "ctrl/tree/ctrl_class.h"
#include "draw/image/image.h"

namespace Qor {

// Bits of the actions a drag allows; DND_SAMPLE_IS_CURSOR makes the sample the cursor itself.
enum : dword { DND_ALLOW_COPY = 1, DND_ALLOW_MOVE = 2, DND_SAMPLE_IS_CURSOR = 0x80000000u };

// Runs a drag of source's data: the ";"-separated formats (rendered by the source's
// RenderDropData) and those of data, in this order. The result is the action that ended it
// as the target reported it: DROP_MOVE only when the target took the data and removes it
// from the source; DROP_NONE without a window system, a source or anything to offer.
int DoDragAndDrop(Ctrl* source, const char* formats, const Image& sample, dword actions, const TransferFormatMap& data);

// The source control of the running drag, or null.
Ctrl* GetDragSource();
void SetDragSource(Ctrl* source);

// A drag's cursor image: the sample under a fading frame with the cursor over its corner
// (fit for a compositing manager when one runs); without a sample the generic data mark.
Image MakeDragImage(const Image& cursor, const Image& sample);

} // namespace Qor
