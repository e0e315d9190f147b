// The "Drawing" and "PING" object types.

#include "richtext/model/object_types.h"

#include "richtext/model/object_data_internal.h"

#include "draw/raster/stream_raster.h"
#include "draw/target/draw.h"
#include "foundation/owned_ptr.h"
#include "foundation/string_stream.h"
#include "foundation/values/value_rep.h"

namespace Qor {

using DrawingData = RichObjectTypeDrawingCls::Data;

const DrawingData* RichObjectTypeDrawingCls::GetData(const Value& v) { return GetRawValue<DrawingData>(v); }

Value RichObjectTypeDrawingCls::MakeData(const Drawing& drawing, Size size)
{
    return Value::FromRep(new RawValueRep<DrawingData>(DrawingData{ drawing, size }));
}

String RichObjectTypeDrawingCls::GetTypeName(const Value&) const { return "Drawing"; }

Value RichObjectTypeDrawingCls::ReadData(const String& text) const
{
    StringStream s(text);
    int32 version = 0, cx = 0, cy = 0;
    s.Serialize(version).Serialize(cx).Serialize(cy);
    Drawing drawing;
    if(!s.IsError())
        drawing.Serialize(s);
    if(s.IsError())
        return Value();
    return MakeData(drawing, Size(cx, cy));
}

String RichObjectTypeDrawingCls::WriteData(const Value& data) const
{
    const DrawingData* d = GetData(data);
    if(!d)
        return String();
    StringStream s;
    int32 version = 1, cx = d->size.cx, cy = d->size.cy;
    s.Serialize(version).Serialize(cx).Serialize(cy);
    Drawing drawing = d->drawing;
    drawing.Serialize(s);
    return s.GetText();
}

Size RichObjectTypeDrawingCls::GetPhysicalSize(const Value& data) const
{
    const DrawingData* d = GetData(data);
    return d ? d->size : Size(0, 0);
}

Size RichObjectTypeDrawingCls::GetPixelSize(const Value& data) const
{
    const DrawingData* d = GetData(data);
    return d ? d->drawing.GetSize() : Size(0, 0);
}

void RichObjectTypeDrawingCls::Paint(const Value& data, Draw& w, Size sz) const
{
    w.DrawRect(0, 0, sz.cx, sz.cy, Color(255, 255, 255));
    if(const DrawingData* d = GetData(data))
        w.DrawDrawing(Rect(0, 0, sz.cx, sz.cy), d->drawing);
}

String RichObjectTypePNGCls::GetTypeName(const Value&) const { return "PING"; }

Size RichObjectTypePNGCls::GetPhysicalSize(const Value& data) const { return GetObjectDataDots(data); }

Size RichObjectTypePNGCls::GetPixelSize(const Value& data) const { return GetObjectDataPixels(data); }

void RichObjectTypePNGCls::Paint(const Value& data, Draw& w, Size sz) const
{
    ObjectDataRaster r(data);
    if(!r.raster) {
        w.DrawRect(0, 0, sz.cx, sz.cy, Color(255, 0, 0));
        return;
    }
    w.DrawRect(0, 0, sz.cx, sz.cy, Color(255, 255, 255));
    w.DrawImage(0, 0, sz.cx, sz.cy, r.raster->GetImage());
}

void RegisterRichObjectTypes()
{
    static RichObjectTypeDrawingCls drawing;
    static RichObjectTypePNGCls ping;
    RegisterObjectType("Drawing", &drawing);
    RegisterObjectType("PING", &ping);
}

} // namespace Qor
