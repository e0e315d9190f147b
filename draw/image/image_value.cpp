// The Value form of an Image: type 150 "Image" through RichValueRep<Image>.

#include "draw/image/image.h"

#include "draw/values/framed_text_form.h"
#include "foundation/values/value_registry.h"

namespace Qor {

bool IsNullValue(const Image& img)
{
    return img.GetWidth() == 0 && img.GetHeight() == 0;
}

Image::Image(const Value& v)
{
    if(v.IsNull())
        return;
    Value::Void* rep = v.GetRep();
    if(rep && rep->GetTypeNumber() == IMAGE_V)
        *this = static_cast<RawValueRep<Image>*>(rep)->Get();
}

Image::operator Value() const
{
    return ImageToValue(*this);
}

Value ImageToValue(const Image& img)
{
    return Value::FromRep(new RichValueRep<Image>(img));
}

namespace {

Value::Void* MakeImageRep()
{
    return new RichValueRep<Image>();
}

void XmlizeImage(XmlizeIo& io, Image& img)
{
    XmlizeByFramedForm(io, SerializeCallbackOf(&img));
}

void JsonizeImage(JsonizeIo& io, Image& img)
{
    JsonizeByFramedForm(io, SerializeCallbackOf(&img));
}

} // namespace

void RegisterImageValueType()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    RegisterValueType(IMAGE_V, MakeImageRep, "Image");
    ValueMappingHooks<Image>::xmlize = XmlizeImage;
    ValueMappingHooks<Image>::jsonize = JsonizeImage;
}

} // namespace Qor
