// Drawing: its stream form, comparison, hash, text, its Value representation and its
// framed forms.

#include "draw/recorded/drawing.h"

#include "draw/values/framed_text_form.h"
#include "foundation/framed_store.h"
#include "foundation/stream.h"
#include "foundation/string_stream.h"
#include "foundation/values/geometry.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/value_rep.h"

namespace Qor {

namespace {

constexpr uint32 VALUES_FOLLOW = 0x80000000;

} // namespace

Drawing::Drawing(const Value& v) : Drawing()
{
    Value::Void* rep = v.GetRep();
    if(rep && rep->GetTypeNumber() == DRAWING_V)
        *this = static_cast<RawValueRep<Drawing>*>(rep)->Get();
}

Drawing::operator Value() const
{
    return Value::FromRep(new RichValueRep<Drawing>(*this));
}

void Drawing::Serialize(Stream& s)
{
    if(s.IsLoading()) {
        Size loaded;
        String loaded_data;
        uint32 cy = 0;
        s.Serialize(loaded.cx).Serialize(cy).Serialize(loaded_data);
        loaded.cy = (int)(cy & ~VALUES_FOLLOW);
        ValueArray loaded_values;
        if(cy & VALUES_FOLLOW)
            loaded_values.Serialize(s);
        if(s.IsError())
            return;
        size = loaded;
        data = loaded_data;
        values = loaded_values;
        return;
    }
    uint32 cy = (uint32)size.cy;
    if(!values.IsEmpty())
        cy |= VALUES_FOLLOW;
    s.Serialize(size.cx).Serialize(cy).Serialize(data);
    if(cy & VALUES_FOLLOW)
        values.Serialize(s);
}

bool Drawing::operator==(const Drawing& b) const
{
    return values == b.values && data == b.data && size.cx == b.size.cx && size.cy == b.size.cy;
}

uint32 Drawing::GetHashValue() const
{
    return ((data.GetHashValue() ^ 0xe2f62ff2u) * 17) ^ values.GetHashValue();
}

String Drawing::ToString() const
{
    return "drawing " + SizeToText(size);
}

String StoreDrawingToString(const Drawing& d)
{
    Drawing copy(d); // the callback wants a mutable object; storing leaves it as it is
    StringStream s;
    StoreFramed(SerializeCallbackOf(&copy), s);
    return s.GetText();
}

bool LoadDrawingFromString(Drawing& d, const String& text)
{
    StringStream s(text);
    return LoadFramed(SerializeCallbackOf(&d), s);
}

void Xmlize(XmlizeIo& io, Drawing& d) { XmlizeByFramedForm(io, SerializeCallbackOf(&d)); }
void Jsonize(JsonizeIo& io, Drawing& d) { JsonizeByFramedForm(io, SerializeCallbackOf(&d)); }

void RegisterDrawingValueType()
{
    RegisterValueType(DRAWING_V, [] () -> Value::Void* { return new RichValueRep<Drawing>(); }, "Drawing");
    ValueMappingHooks<Drawing>::xmlize = static_cast<void (*)(XmlizeIo&, Drawing&)>(Xmlize);
    ValueMappingHooks<Drawing>::jsonize = static_cast<void (*)(JsonizeIo&, Drawing&)>(Jsonize);
}

} // namespace Qor
