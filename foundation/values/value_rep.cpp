// Operations of the payloads kept in shared representations: String (the error message),
// WString and Complex.

#include "foundation/values/value_rep.h"

#include "foundation/stream.h"
#include "foundation/values/number_text.h"

namespace Qor {

void ValueSerialize(Stream& s, String& x)
{
    s.Serialize(x);
}

void ValueSerialize(Stream& s, WString& x)
{
    s.Serialize(x);
}

bool ValueEqualsOtherType(const WString& s, const Value& other)
{
    return other.IsStringForm() && other.ToWString() == s;
}

uint32 ValueHash(const Complex& c)
{
    return CombineHash(HashDouble(c.re), HashDouble(c.im));
}

void ValueSerialize(Stream& s, Complex& c)
{
    s.Serialize(c.re);
    s.Serialize(c.im);
}

String ValueText(const Complex& c)
{
    return "(" + DoubleToText(c.re) + "," + DoubleToText(c.im) + ")";
}

String ValueErrorCls::ToText() const
{
    return "<error: '" + v + "'>";
}

} // namespace Qor
