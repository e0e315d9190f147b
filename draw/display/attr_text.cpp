// AttrText in a Value: a plain shared representation under its run-time type number.

#include "draw/display/attr_text.h"

#include "foundation/values/value_rep.h"

namespace Qor {

AttrText::operator Value() const { return Value::FromRep(new RawValueRep<AttrText>(*this)); }

const AttrText* GetAttrText(const Value& q) { return GetRawValue<AttrText>(q); }

} // namespace Qor
