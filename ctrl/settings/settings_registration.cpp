// Start-up installation of the skin change as the font-change hook, and of the zoom and
// settings that the control tree reads through its seams.

#include "ctrl/settings/gui_settings.h"
#include "ctrl/settings/layout_zoom.h"
#include "ctrl/settings/skin_change.h"
#include "ctrl/tree/core_seams.h"
#include "draw/font/font_metrics.h"

namespace Qor {

void RegisterSkinChange()
{
    StandardFontChangeHook = &ApplySkinChange;
    CtrlCoreSeams& seams = GetCtrlCoreSeams();
    seams.zoom_x = &ZoomX;
    seams.zoom_y = &ZoomY;
    seams.look_style_level = &GetLookStyleLevel;
    seams.access_keys_on_alt_only = &GetAccessKeysOnAltOnly;
}

} // namespace Qor
