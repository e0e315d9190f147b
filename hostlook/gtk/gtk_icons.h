// GTK stock icons and icons of the desktop's icon theme, rendered through the probe window.
#pragma once

#include "draw/image/image.h"
#include "hostlook/registrations.h"

#include <climits>

namespace Qor {

// A stock icon at a GtkIconSize; scaled down, keeping its proportions, to the layout-zoomed
// max_height when taller (INT_MAX: no limit). Empty when GTK does not know the stock id.
Image GetGtkStockIcon(const char* stock_id, int icon_size, int max_height = INT_MAX);
// The same image as CtrlImg image index; an empty one leaves CtrlImg as it is.
void SetCtrlImgFromGtkStock(int index, const char* stock_id, int icon_size, int max_height = INT_MAX);
// The icon theme's icon of that name at 16 pixels (48 when large); a larger one is scaled to
// exactly 16 x 16 (48 x 48), a smaller one is returned as it is. Empty when the theme has none.
Image LoadGtkThemeIcon(const char* name, bool large);

} // namespace Qor
