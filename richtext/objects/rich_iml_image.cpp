// The "iml" object type: a picture of a registered image list, named "list:image".

#include "richtext/objects/image_objects.h"

#include "draw/image_list/image_list.h"
#include "draw/target/draw.h"
#include "richtext/model/object_data_internal.h"

namespace Qor {

namespace {

Image FindListImage(const Value& data) { return FindImageByPath(GetObjectDataText(data).Begin()); }

} // namespace

String RichImlImage::GetTypeName(const Value&) const { return "iml"; }

bool RichImlImage::IsTextData() const { return true; }

// An image list picture has no physical size of its own: its pixels stand for it.
Size RichImlImage::GetPhysicalSize(const Value& data) const { return FindListImage(data).GetSize(); }

Size RichImlImage::GetPixelSize(const Value& data) const { return FindListImage(data).GetSize(); }

void RichImlImage::Paint(const Value& data, Draw& w, Size sz) const
{
    w.DrawImage(0, 0, sz.cx, sz.cy, FindListImage(data));
}

Image RichImlImage::ToImage(const Value& data, Size sz, void*) const
{
    return RescaleObjectImage(FindListImage(data), sz);
}

} // namespace Qor
