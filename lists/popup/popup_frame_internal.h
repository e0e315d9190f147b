// The one frame that edges every pop-up list.
#pragma once

#include "widgets/frame/look_frame.h"

namespace Qor {

// Painted with GetPopUpListFrameLook, read anew at each paint.
LookFrame& GetPopUpListFrame();

} // namespace Qor
