// CtrlCoreImg: the list built from the blocks that the build packs out of ctrl_core_img.art.

#include "ctrl/images/ctrl_core_img.h"

extern const Qor::ArtImageData ctrl_core_img_data_list;

namespace Qor {

ImageList& CtrlCoreImg::GetList()
{
    static ImageList list(ctrl_core_img_data_list, "CtrlCoreImg");
    return list;
}

void RegisterCtrlCoreImg() { CtrlCoreImg::GetList(); }

} // namespace Qor
