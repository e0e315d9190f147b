// The default header style, built from the "CtrlsImg" header-tab images.

#include "lists/header/header_ctrl.h"
#include "widgets/button/button.h"
#include "widgets/button/style_record.h"
#include "widgets/images/ctrls_img.h"

namespace Qor {

namespace {

void RebuildDefaultHeaderStyle() { HeaderCtrl::GetDefaultStyle(); }

} // namespace

HeaderCtrlStyle& HeaderCtrl::GetDefaultStyle()
{
    static HeaderCtrlStyle s;
    static HeaderCtrlStyle standard;
    return BuildStyleRecord(s, standard, RebuildDefaultHeaderStyle, [](HeaderCtrlStyle& r) {
        LoadCtrlsImgLooks(r.look, CtrlsImg::I_HTB, VISUAL_COUNT);
        r.first_tab_adjust = 0;
        r.pressed_shift = Button::GetPlainStyle().pressed_offset != Point(0, 0);
    });
}

} // namespace Qor
