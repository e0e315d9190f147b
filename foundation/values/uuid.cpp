// Uuid: generation, text and scanning, binary, XML and JSON forms, Value registration.

#include "foundation/values/uuid.h"

#include "foundation/random.h"
#include "foundation/stream.h"
#include "foundation/values/format.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/value.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xmlize.h"

namespace Qor {

Uuid NewUuid()
{
    Uuid u;
    for(dword& w : u.v) // successive statements: the draws land in word order
        w = Random32();
    return u;
}

String UuidToText(const Uuid& u)
{
    return PrintfToString("%08X%08X%08X%08X", u.v[0], u.v[1], u.v[2], u.v[3]);
}

static int HexDigit(char c)
{
    if(c >= '0' && c <= '9')
        return c - '0';
    if(c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if(c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

Uuid ScanUuid(const char* text)
{
    Uuid u;
    int n = 0;
    for(const char* s = text; *s && n < 32; s++) {
        int d = HexDigit(*s);
        if(d >= 0) {
            u.v[n >> 3] = u.v[n >> 3] << 4 | (dword)d;
            n++;
        }
    }
    return n < 32 ? Uuid() : u;
}

uint32 ValueHash(const Uuid& u)
{
    uint32 h = (u.v[0] ^ 0xe2f62ff2u) * 17u ^ u.v[1];
    h = h * 17u ^ u.v[2];
    return h * 17u ^ u.v[3];
}

void ValueSerialize(Stream& s, Uuid& u)
{
    int version = 0;
    s.SerializeCount(version);
    for(dword& w : u.v)
        s.Serialize(w);
}

Uuid::Uuid(const Value& x) : Uuid()
{
    Value::Void* rep = x.GetRep();
    if(rep && rep->GetTypeNumber() == UUID_V)
        *this = static_cast<RawValueRep<Uuid>*>(rep)->Get();
}

Uuid::operator Value() const
{
    return Value::FromRep(new RichValueRep<Uuid>(*this));
}

static Value::Void* MakeUuidRep()
{
    return new RichValueRep<Uuid>();
}

void RegisterUuidValueType()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    RegisterValueType(UUID_V, MakeUuidRep, "Uuid");
}

// XML and JSON forms: the text; neither reports bad text, which loads as Null.
void Xmlize(XmlizeIo& io, Uuid& u)
{
    if(io.IsLoading())
        u = ScanUuid(io.Node().GetAttribute("value"));
    else
        io.Node().SetAttribute("value", UuidToText(u));
}

void Jsonize(JsonizeIo& io, Uuid& u)
{
    if(io.IsLoading())
        u = ScanUuid(io.Get().GetString());
    else
        io.Set(UuidToText(u));
}

void RegisterUuidValueMappings()
{
    ValueMappingHooks<Uuid>::xmlize = static_cast<void (*)(XmlizeIo&, Uuid&)>(Xmlize);
    ValueMappingHooks<Uuid>::jsonize = static_cast<void (*)(JsonizeIo&, Uuid&)>(Jsonize);
}

} // namespace Qor
