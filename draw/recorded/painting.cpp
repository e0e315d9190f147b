// Painting: its stream form, comparison, hash, text, its Value representation and its
// framed forms.

#include "draw/recorded/painting.h"

#include "draw/values/framed_text_form.h"
#include "foundation/framed_store.h"
#include "foundation/stream.h"
#include "foundation/string_stream.h"
#include "foundation/values/number_text.h"
#include "foundation/values/value_registry.h"

namespace Qor {

Painting::Painting(const Value& v) : Painting()
{
    Value::Void* rep = v.GetRep();
    if(rep && rep->GetTypeNumber() == PAINTING_V)
        *this = static_cast<RawValueRep<Painting>*>(rep)->Get();
}

Painting::operator Value() const
{
    return Value::FromRep(new RichValueRep<Painting>(*this));
}

void Painting::Serialize(Stream& s)
{
    if(s.IsLoading()) {
        Painting loaded;
        s.Serialize(loaded.command);
        loaded.data.Serialize(s);
        s.Serialize(loaded.cx).Serialize(loaded.cy);
        if(!s.IsError())
            *this = loaded;
        return;
    }
    s.Serialize(command);
    data.Serialize(s);
    s.Serialize(cx).Serialize(cy);
}

bool Painting::operator==(const Painting& b) const
{
    return command == b.command && data == b.data && cx == b.cx && cy == b.cy;
}

uint32 Painting::GetHashValue() const
{
    return ((command.GetHashValue() ^ 0xe2f62ff2u) * 17) ^ data.GetHashValue();
}

String Painting::ToString() const
{
    return "painting (" + DoubleToText(cx) + ", " + DoubleToText(cy) + ")";
}

String StorePaintingToString(const Painting& p)
{
    Painting copy(p); // the callback wants a mutable object; storing leaves it as it is
    StringStream s;
    StoreFramed(SerializeCallbackOf(&copy), s);
    return s.GetText();
}

bool LoadPaintingFromString(Painting& p, const String& text)
{
    StringStream s(text);
    return LoadFramed(SerializeCallbackOf(&p), s);
}

void Xmlize(XmlizeIo& io, Painting& p) { XmlizeByFramedForm(io, SerializeCallbackOf(&p)); }
void Jsonize(JsonizeIo& io, Painting& p) { JsonizeByFramedForm(io, SerializeCallbackOf(&p)); }

void RegisterPaintingValueType()
{
    RegisterValueType(PAINTING_V, [] () -> Value::Void* { return new RichValueRep<Painting>(); }, "Painting");
    ValueMappingHooks<Painting>::xmlize = static_cast<void (*)(XmlizeIo&, Painting&)>(Xmlize);
    ValueMappingHooks<Painting>::jsonize = static_cast<void (*)(JsonizeIo&, Painting&)>(Jsonize);
}

} // namespace Qor
