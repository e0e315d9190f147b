// The text reading of object data and the rescaling shared by the image object types.

#include "richtext/model/object_data_internal.h"

#include "draw/rescale/rescaler.h"
#include "foundation/wstring.h"

namespace Qor {

bool GetObjectDataText(const Value& data, String& text)
{
    int type = data.GetTypeNumber();
    if(type == STRING_V)
        text = data.GetString();
    else if(type == WSTRING_V)
        text = data.ToWString().ToString();
    else {
        text.Clear();
        return data.IsNull();
    }
    return true;
}

ObjectDataRaster::ObjectDataRaster(const Value& data)
{
    if(GetObjectDataText(data, text) && !text.IsEmpty()) {
        stream.StartReading(text);
        raster = OwnedPtr<StreamRaster>(StreamRaster::OpenStream(stream));
    }
}

String GetObjectDataText(const Value& data)
{
    String text;
    GetObjectDataText(data, text);
    return text;
}

Image RescaleObjectImage(const Image& img, Size sz)
{
    if(img.IsEmpty())
        return Image();
    return RescaleImage(img, sz);
}

Size GetObjectDataDots(const Value& data)
{
    ObjectDataRaster r(data);
    return r.raster ? r.raster->GetInfo().dots : Size(0, 0);
}

Size GetObjectDataPixels(const Value& data)
{
    ObjectDataRaster r(data);
    return r.raster ? r.raster->GetSize() : Size(0, 0);
}

} // namespace Qor
