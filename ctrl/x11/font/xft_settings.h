// The desktop's font rendering settings that every newly opened Xft font is given.
#pragma once

#include "foundation/string.h"

namespace Qor {

// Written by the host look; fonts already open keep the settings they were opened with.
struct XftRenderSettings {
    // -1 not set, 0 off, anything else on.
    int antialias = -1;
    // -1 not set, else given to fontconfig as a boolean.
    int hinting = -1;
    // "hintnone", "hintslight", "hintmedium" or "hintfull"; anything else is ignored.
    String hint_style;
    // "_", "rgb", "bgr", "vrgb" or "vbgr"; anything else is ignored.
    String sub_pixel;
};

XftRenderSettings& GetXftRenderSettings();

} // namespace Qor
