// The edge that list controls and text views put around their views: one look, which a
// skin may replace, and the frame that paints it.
#pragma once

#include "foundation/values/value.h"
#include "widgets/frame/look_frame.h"

namespace Qor {

Value GetViewEdgeLook();
// Marks the look as set by a skin.
void SetViewEdgeLook(const Value& look);
// The one frame painted with the view-edge look, shared by every view that wants it.
LookFrame& GetViewEdgeFrame();

} // namespace Qor
