// DrawImg: the list built from the block that the build makes out of draw_img.art.

#include "draw/image_list/draw_img.h"

extern const Qor::ArtImageData draw_img_data_list;

namespace Qor {

ImageList& DrawImg::Iml()
{
    static ImageList list(draw_img_data_list, "DrawImg");
    return list;
}

void RegisterDrawImg() { DrawImg::Iml(); }

} // namespace Qor
