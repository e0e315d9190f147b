// RichTextImg: the list built from the block that the build makes out of rich_text_img.art.

#include "richtext/model/rich_text_img.h"

extern const Qor::ArtImageData rich_text_img_data_list;

namespace Qor {

ImageList& RichTextImg::Iml()
{
    static ImageList list(rich_text_img_data_list, "RichTextImg");
    return list;
}

void RegisterRichTextImg() { RichTextImg::Iml(); }

} // namespace Qor
