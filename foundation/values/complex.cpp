// Complex: conversions with Value and the XML and JSON forms (the other slots live with
// the Value representations).

#include "foundation/values/complex.h"

#include "foundation/values/jsonize.h"
#include "foundation/values/value.h"
#include "foundation/values/value_rep.h"
#include "foundation/values/xmlize.h"

namespace Qor {

Complex::Complex(const Value& v) : Complex(DOUBLE_NULL, DOUBLE_NULL)
{
    Value::Void* rep = v.GetRep();
    if(rep && rep->GetTypeNumber() == COMPLEX_V)
        *this = static_cast<RawValueRep<Complex>*>(rep)->Get();
}

Complex::operator Value() const
{
    return Value::FromRep(new RichValueRep<Complex>(*this));
}

void Xmlize(XmlizeIo& io, Complex& c)
{
    io.Attribute("real", c.re).Attribute("imag", c.im);
}

void Jsonize(JsonizeIo& io, Complex& c)
{
    io.Member("real", c.re).Member("imag", c.im);
}

void RegisterComplexValueMappings()
{
    ValueMappingHooks<Complex>::xmlize = static_cast<void (*)(XmlizeIo&, Complex&)>(Xmlize);
    ValueMappingHooks<Complex>::jsonize = static_cast<void (*)(JsonizeIo&, Complex&)>(Jsonize);
}

} // namespace Qor
