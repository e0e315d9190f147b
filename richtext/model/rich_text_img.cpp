// RichTextImg: the list built from the block that the build makes out of rich_text_img.art.

#include "richtext/model/rich_text_img.h"

extern const unsigned char rich_text_img_data[];
extern const int rich_text_img_data_size;
extern const int rich_text_img_data_count;
extern const char* const rich_text_img_data_names[];

namespace Qor {

ImageList& RichTextImg::Iml()
{
    static ImageList& list = []() -> ImageList& {
        static ImageList images(nullptr, rich_text_img_data_names, rich_text_img_data_count);
        images.AddData(rich_text_img_data, rich_text_img_data_size, rich_text_img_data_count);
        // The build writes premultiplied pixels.
        images.SetPremultiplyBlocks(false);
        RegisterImageList("RichTextImg", &images);
        return images;
    }();
    return list;
}

void RegisterRichTextImg() { RichTextImg::Iml(); }

} // namespace Qor
