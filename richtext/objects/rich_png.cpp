// The "PNG" object type: image file bytes decoded when read, or an Image.

#include "richtext/objects/image_objects.h"

#include "draw/font/font.h"
#include "draw/image/image_forms.h"
#include "draw/look/sys_colors.h"
#include "draw/raster/stream_raster.h"
#include "draw/target/draw.h"
#include "draw/target/image_any_draw.h"
#include "richtext/model/object_data_internal.h"

#include <algorithm>

namespace Qor {

namespace {

bool IsImageData(const Value& data) { return data.GetTypeNumber() == IMAGE_V; }

// Never enlarged past four times the image's own size.
Size ShownSize(const Image& img, Size sz)
{
    return Size(std::min(sz.cx, 4 * img.GetWidth()), std::min(sz.cy, 4 * img.GetHeight()));
}

} // namespace

String RichPNG::GetTypeName(const Value& data) const { return IsImageData(data) ? "image" : "PNG"; }

Value RichPNG::ReadData(const String& text) const
{
    Image img = StreamRaster::LoadFromString(text);
    if(img.GetLength() > 0)
        return img;
    return text;
}

String RichPNG::WriteData(const Value& data) const
{
    if(IsImageData(data))
        return WriteCompactImage(Image(data));
    return GetObjectDataText(data);
}

Size RichPNG::GetPhysicalSize(const Value& data) const
{
    return IsImageData(data) ? Image(data).GetDots() : Size(0, 0);
}

Size RichPNG::GetPixelSize(const Value& data) const { return IsImageData(data) ? Image(data).GetSize() : Size(0, 0); }

void RichPNG::Paint(const Value& data, Draw& w, Size sz) const
{
    if(IsImageData(data)) {
        Image img(data);
        Size shown = ShownSize(img, sz);
        w.DrawImage(0, 0, shown.cx, shown.cy, img);
        return;
    }
    Rect r(0, 0, sz.cx, sz.cy);
    w.DrawRect(r, SysColorFace());
    w.DrawFrame(r, SysColorText());
    w.DrawText(2, 2, "plugin/png missing!", GetStandardFont(), Color::FromBits(0));
}

Image RichPNG::ToImage(const Value& data, Size sz, void*) const
{
    if(IsImageData(data)) {
        Image img(data);
        return RescaleObjectImage(img, ShownSize(img, sz));
    }
    ImageAnyDraw w(sz);
    Paint(data, w, sz);
    return w.GetImage();
}

} // namespace Qor
