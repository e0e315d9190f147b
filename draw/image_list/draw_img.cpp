// DrawImg: the list built from the block that the build makes out of draw_img.art.

#include "draw/image_list/draw_img.h"

extern const unsigned char draw_img_data[];
extern const int draw_img_data_size;
extern const int draw_img_data_count;
extern const char* const draw_img_data_names[];

namespace Qor {

ImageList& DrawImg::Iml()
{
    static ImageList& list = [] () -> ImageList& {
        static ImageList images(nullptr, draw_img_data_names, draw_img_data_count);
        images.AddData(draw_img_data, draw_img_data_size, draw_img_data_count);
        // The build writes premultiplied pixels.
        images.SetPremultiplyBlocks(false);
        RegisterImageList("DrawImg", &images);
        return images;
    }();
    return list;
}

void RegisterDrawImg()
{
    DrawImg::Iml();
}

} // namespace Qor
