// The base behaviour of object types, the type registry and the embedded object record.

#include "richtext/model/object_type.h"

#include "draw/font/font.h"
#include "draw/look/sys_colors.h"
#include "draw/target/image_any_draw.h"
#include "foundation/key_index.h"
#include "foundation/values/value_rep.h"
#include "foundation/vector.h"
#include "foundation/wstring.h"

namespace Qor {

String RichObjectType::TextQuery() const { return String(); }

Value RichObjectType::ReadData(const String& text) const { return text; }

String RichObjectType::WriteData(const Value& data) const
{
    if(data.GetTypeNumber() == WSTRING_V)
        return data.ToWString().ToString();
    return data.IsNull() ? String() : data.GetString();
}

bool RichObjectType::IsTextData() const { return false; }

bool RichObjectType::CanReadClip(TransferOffer&) const { return false; }

Value RichObjectType::ReadClip(TransferOffer&) const { return Value(INT_NULL); }

String RichObjectType::GetClipFormats() const { return String(); }

String RichObjectType::GetClip(const Value&, const String&) const { return String(); }

Size RichObjectType::GetDefaultSize(const Value& data, Size maxsize, void*) const
{
    return GetDefaultSize(data, maxsize);
}

Size RichObjectType::GetPhysicalSize(const Value& data, void*) const { return GetPhysicalSize(data); }

Size RichObjectType::GetPixelSize(const Value& data, void*) const { return GetPixelSize(data); }

void RichObjectType::Paint(const Value& data, Draw& w, Size sz, void*) const { Paint(data, w, sz); }

Image RichObjectType::ToImage(const Value& data, Size sz, void* context) const
{
    ImageAnyDraw w(sz);
    w.DrawRect(0, 0, sz.cx, sz.cy, SysColorPaper());
    Paint(data, w, sz, context);
    return w.GetImage();
}

void RichObjectType::OperationA(const Value& data, const Value& argument, void*) const { OperationA(data, argument); }

void RichObjectType::OperationB(const Value& data, const Value& argument, void*) const { OperationB(data, argument); }

String RichObjectType::TextAtPoint(const Value&, Point, Size, void*) const { return String(); }

Size RichObjectType::GetDefaultSize(const Value& data, Size maxsize) const
{
    if(data.IsNull())
        return Size(0, 0);
    Size s = GetPhysicalSize(data, nullptr);
    if(s.cx == 0 && s.cy == 0) {
        s = GetPixelSize(data, nullptr);
        s = Size(s.cx * 625 / 100, s.cy * 625 / 100);
    }
    Size candidate = s;
    for(int i = 1; i <= 9999; i++) {
        candidate = Size(s.cx / i, s.cy / i);
        if(candidate.cx <= maxsize.cx && candidate.cy <= maxsize.cy)
            break;
    }
    return candidate;
}

Size RichObjectType::GetPhysicalSize(const Value&) const { return Size(0, 0); }

Size RichObjectType::GetPixelSize(const Value&) const { return Size(1, 1); }

void RichObjectType::Paint(const Value&, Draw&, Size) const {}

Image RichObjectType::ToImage(const Value& data, Size sz) const { return ToImage(data, sz, nullptr); }

void RichObjectType::OperationA(const Value&, const Value&) const {}

void RichObjectType::OperationB(const Value&, const Value&) const {}

String RichObjectType::TextAtPoint(const Value& data, Point p, Size sz) const
{
    return TextAtPoint(data, p, sz, nullptr);
}

namespace {

struct ObjectTypeRegistry {
    KeyIndex<String> names;
    Vector<const RichObjectType*> types;
};

ObjectTypeRegistry& Registry()
{
    static ObjectTypeRegistry registry;
    return registry;
}

int64 NextObjectSerial()
{
    static int64 serial = 0;
    return ++serial;
}

} // namespace

void RegisterObjectType(const char* name, const RichObjectType* type)
{
    ObjectTypeRegistry& r = Registry();
    r.names.Add(name);
    r.types.Add(type);
}

const RichObjectType* FindObjectType(const String& name)
{
    ObjectTypeRegistry& r = Registry();
    int i = r.names.Find(name);
    return i >= 0 ? r.types[i] : nullptr;
}

int GetObjectTypeCount() { return Registry().names.GetCount(); }

String GetObjectTypeName(int i) { return Registry().names[i]; }

EmbeddedObject::EmbeddedObject() : serial(NextObjectSerial()) {}

void EmbeddedObject::RenewSerial() { serial = NextObjectSerial(); }

bool EmbeddedObject::ReadObject(const String& name, const String& text, Size shown, void* context)
{
    RenewSerial();
    type_name = name;
    const RichObjectType* t = FindObjectType(name);
    if(!t) {
        // An object read again keeps no type from before: its data is now only text.
        type = nullptr;
        data = text;
        size = physical_size = pixel_size = shown;
        return false;
    }
    keep_ratio = true;
    data = Value();
    RenewSerial();
    pixel_size = physical_size = size = Size(0, 0);
    ydelta = 0;
    type_name.Clear();
    type = t;
    data = t->ReadData(text);
    physical_size = t->GetPhysicalSize(data, context);
    pixel_size = t->GetPixelSize(data, context);
    if(physical_size.cx == 0 || physical_size.cy == 0)
        physical_size = Size(pixel_size.cx * 600 / 96, pixel_size.cy * 600 / 96);
    size = shown;
    return true;
}

String EmbeddedObject::GetTypeName() const { return type ? type->GetTypeName(data) : type_name; }

void EmbeddedObject::PaintUnknown(Draw& w, Size sz) const
{
    Rect r(0, 0, sz.cx, sz.cy);
    w.DrawRect(r, SysColorFace());
    w.DrawFrame(r, SysColorText());
    w.DrawText(2, 2, type_name, GetStandardFont(), Color::FromBits(0));
}

void EmbeddedObject::Paint(Draw& w, Size sz, void* context) const
{
    if(type)
        type->Paint(data, w, sz, context);
    else
        PaintUnknown(w, sz);
}

Image EmbeddedObject::ToImage(Size sz, void* context) const
{
    if(type)
        return type->ToImage(data, sz, context);
    ImageAnyDraw w(sz);
    PaintUnknown(w, sz);
    return w.GetImage();
}

} // namespace Qor
