// The singletons of the image object types and their start-up registration.

#include "richtext/objects/image_objects.h"

namespace Qor {

const RichImage& GetRichImage()
{
    static RichImage type;
    return type;
}

const RichPNG& GetRichPNG()
{
    static RichPNG type;
    return type;
}

const RichRawImage& GetRichRawImage()
{
    static RichRawImage type;
    return type;
}

const RichImlImage& GetRichImlImage()
{
    static RichImlImage type;
    return type;
}

void RegisterRichImageTypes()
{
    RegisterObjectType("image", &GetRichImage());
    RegisterObjectType("PNG", &GetRichPNG());
    RegisterObjectType("rawimage", &GetRichRawImage());
    RegisterObjectType("iml", &GetRichImlImage());
}

} // namespace Qor
