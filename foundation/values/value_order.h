// ValueOrder: an ordering of Values, for sorting by something other than CompareValues.
#pragma once

#include "foundation/values/value.h"

namespace Qor {

class ValueOrder {
public:
    // A strict weak order: a before b.
    virtual bool Less(const Value& a, const Value& b) const = 0;
    virtual ~ValueOrder() = default;
};

} // namespace Qor
