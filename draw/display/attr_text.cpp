// AttrText in a Value: a plain shared representation under its run-time type number.

#include "draw/display/attr_text.h"

#include "foundation/values/value_rep.h"

namespace Qor {

AttrText::operator Value() const
{
    return Value::FromRep(new RawValueRep<AttrText>(*this));
}

const AttrText* GetAttrText(const Value& q)
{
    Value::Void* rep = q.GetRep();
    if(!rep || rep->GetTypeNumber() != ValueTypeNumberOf<AttrText>::Get())
        return nullptr;
    return &static_cast<RawValueRep<AttrText>*>(rep)->Get();
}

} // namespace Qor
