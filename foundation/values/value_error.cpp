// Error Values: a ValueErrorCls holding the message, and the shared one with the
// empty message that element access returns for what is missing.

#include "foundation/values/value.h"

#include "foundation/values/value_rep.h"

namespace Qor {

Value ErrorValue(const String& message)
{
    return Value::FromRep(new ValueErrorCls(message));
}

Value ErrorValue(const char* message)
{
    return ErrorValue(String(message));
}

String ErrorValueText(const Value& v)
{
    // Callers should test the type first; anything else has no message, not a crash.
    if(!IsError(v))
        return String();
    return static_cast<const ValueErrorCls*>(v.GetRep())->GetMessage();
}

const Value& SharedErrorValue()
{
    static Value error = ErrorValue(String());
    return error;
}

} // namespace Qor
