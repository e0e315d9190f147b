// CtrlsImg: the list built from the blocks that the build packs out of ctrls_img.art.

#include "widgets/images/ctrls_img.h"

extern const Qor::ArtImageData ctrls_img_data_list;

namespace Qor {

ImageList& CtrlsImg::GetList()
{
    static ImageList list(ctrls_img_data_list, "CtrlsImg");
    return list;
}

void RegisterCtrlsImg() { CtrlsImg::GetList(); }

} // namespace Qor
