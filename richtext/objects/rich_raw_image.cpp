// The "rawimage" object type: image file bytes, opened as a raster whenever asked.

#include "richtext/objects/image_objects.h"

#include "draw/raster/raster_encoder.h"
#include "draw/raster/stream_raster.h"
#include "draw/rescale/rescaler.h"
#include "draw/target/draw.h"
#include "foundation/owned_ptr.h"
#include "foundation/string_stream.h"
#include "richtext/model/object_data_internal.h"

namespace Qor {

String RichRawImage::GetTypeName(const Value&) const { return "rawimage"; }

Value RichRawImage::ReadData(const String& text) const { return text; }

String RichRawImage::WriteData(const Value& data) const { return GetObjectDataText(data); }

Size RichRawImage::GetPhysicalSize(const Value& data) const { return GetObjectDataDots(data); }

Size RichRawImage::GetPixelSize(const Value& data) const { return GetObjectDataPixels(data); }

void RichRawImage::Paint(const Value& data, Draw& w, Size sz, void*) const
{
    ObjectDataRaster r(data);
    if(!r.raster)
        return;
    ImageEncoder encoder;
    RescaleThroughEncoder(encoder, sz, *r.raster, Rect(r.raster->GetSize()));
    w.DrawImage(0, 0, sz.cx, sz.cy, encoder.GetImage());
}

Image RichRawImage::ToImage(const Value& data, Size sz, void*) const
{
    ObjectDataRaster r(data);
    if(!r.raster)
        return Image();
    return RescaleObjectImage(r.raster->GetImage(), sz);
}

} // namespace Qor
