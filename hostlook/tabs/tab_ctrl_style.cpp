// The tab-control style's defaults: the CtrlsImg tab images and the standard font.

#include "hostlook/tabs/tab_ctrl_style.h"

#include "draw/look/sys_colors.h"
#include "widgets/button/style_record.h"
#include "widgets/images/ctrls_img.h"

namespace Qor {

void TabCtrl::SetDefaultStyle(TabCtrlStyle& s)
{
    const int32 metrics[11] = { GetStandardFont().GetHeight() + 8, 2, 0, 2, 2, 2, 2, 6, 6, 6, 6 };
    for(int i = 0; i < 11; i++)
        s.metric[i] = metrics[i];
    LoadCtrlsImgLooks(s.tabs, CtrlsImg::I_TAB, VISUAL_COUNT);
    LoadCtrlsImgLooks(s.first, CtrlsImg::I_FTAB, VISUAL_COUNT);
    LoadCtrlsImgLooks(s.last, CtrlsImg::I_LTAB, VISUAL_COUNT);
    LoadCtrlsImgLooks(s.both, CtrlsImg::I_BTAB, VISUAL_COUNT);
    s.body = ImageToValue(CtrlsImg::TABB());
    for(Color& c : s.text_colour)
        c = SysColorText();
    s.font = GetStandardFontReference();
}

TabCtrlStyle& TabCtrl::GetDefaultStyle()
{
    static TabCtrlStyle s;
    static TabCtrlStyle standard;
    return BuildStyleRecord(
        s, standard, [] { TabCtrl::GetDefaultStyle(); }, SetDefaultStyle);
}

} // namespace Qor
