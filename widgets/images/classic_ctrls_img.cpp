// ClassicCtrlsImg: the list built from the blocks that the build packs out of classic_ctrls_img.art.

#include "widgets/images/classic_ctrls_img.h"

extern const Qor::ArtImageData classic_ctrls_img_data_list;

namespace Qor {

ImageList& ClassicCtrlsImg::GetList()
{
    static ImageList list(classic_ctrls_img_data_list, "ClassicCtrlsImg");
    return list;
}

void RegisterClassicCtrlsImg() { ClassicCtrlsImg::GetList(); }

} // namespace Qor
