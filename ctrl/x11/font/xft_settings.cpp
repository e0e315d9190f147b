// The process-wide Xft rendering settings.

#include "ctrl/x11/font/xft_settings.h"

namespace Qor {

XftRenderSettings& GetXftRenderSettings()
{
    static XftRenderSettings settings;
    return settings;
}

} // namespace Qor
