// The standard skin.

#include "widgets/skin/standard_skin.h"

#include "ctrl/settings/gui_settings.h"
#include "ctrl/settings/skin_change.h"
#include "draw/image_list/image_list.h"
#include "draw/look/skin_reset.h"

namespace Qor {

namespace {

ImageList* FindList(const char* name)
{
    int i = FindImageListIndex(name);
    return i >= 0 ? &GetImageList(i) : nullptr;
}

} // namespace

void StandardSkin()
{
    ImageList* ctrl_img = FindList("CtrlImg");
    ImageList* ctrls_img = FindList("CtrlsImg");
    if(ctrl_img)
        ctrl_img->Reset();
    if(ctrls_img)
        ctrls_img->Reset();
    ResetThemeStatics();
    SetLookStyleLevel(2);
    if(ctrls_img)
        ctrls_img->SetRecolouredFrom(*ctrls_img);
}

void RegisterStandardSkin() { SetBaseSkin(StandardSkin); }

} // namespace Qor
