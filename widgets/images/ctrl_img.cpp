// CtrlImg: the list built from the blocks that the build packs out of ctrl_img.art.

#include "widgets/images/ctrl_img.h"

extern const Qor::ArtImageData ctrl_img_data_list;

namespace Qor {

ImageList& CtrlImg::GetList()
{
    static ImageList list(ctrl_img_data_list, "CtrlImg");
    return list;
}

void CtrlImg::SetByName(const char* name, const Image& m)
{
    int i = GetList().Find(name);
    if(i >= 0)
        Set(i, m);
}

void RegisterCtrlImg() { CtrlImg::GetList(); }

} // namespace Qor
