// Stock and theme icons through GTK.

#include "hostlook/gtk/gtk_icons.h"

#include "ctrl/settings/layout_zoom.h"
#include "draw/rescale/rescaler.h"
#include "hostlook/gtk/gtk_element.h"
#include "widgets/images/ctrl_img.h"

namespace Qor {

namespace {

Image PaintIcon(const char* name, int kind, int size)
{
    Rect r(INT_NULL, INT_NULL, INT_NULL, INT_NULL);
    return PaintGtkElement(GetGtkProbeWindow(), size, 0, name, kind, 0, 0, r);
}

} // namespace

Image GetGtkStockIcon(const char* stock_id, int icon_size, int max_height)
{
    if(max_height != INT_MAX)
        max_height = ZoomY(max_height);
    Image m = PaintIcon(stock_id, GTK_STOCK_ICON, icon_size);
    int h = m.GetHeight();
    if(!m.IsEmpty() && h > max_height && h)
        m = RescaleImage(m, m.GetWidth() * max_height / h, max_height);
    return m;
}

void SetCtrlImgFromGtkStock(int index, const char* stock_id, int icon_size, int max_height)
{
    Image m = GetGtkStockIcon(stock_id, icon_size, max_height);
    if(!m.IsEmpty())
        CtrlImg::Set(index, m);
}

Image LoadGtkThemeIcon(const char* name, bool large)
{
    int s = large ? 48 : 16;
    Image m = PaintIcon(name, GTK_THEME_ICON, s);
    if(!m.IsEmpty() && (m.GetWidth() > s || m.GetHeight() > s))
        m = RescaleImage(m, s, s);
    return m;
}

} // namespace Qor
