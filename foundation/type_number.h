// TypeNumber: small process-local numbers for type names.
//
// Numbers start at 0 and follow the order of first request in this run; they
// are never stable between runs and must not be stored.
#pragma once

#include <typeinfo>

namespace Qor {

int TypeNumber(const char* type_name);

// The number of T's run-time type name, looked up once per type.
template <class T>
int StaticTypeNumber()
{
    static int n = TypeNumber(typeid(T).name());
    return n;
}

} // namespace Qor
