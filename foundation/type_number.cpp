// The type-name registry: one KeyIndex of names, built at first use.
#include "foundation/type_number.h"

#include "foundation/key_index.h"
#include "foundation/string.h"

namespace Qor {

int TypeNumber(const char* type_name)
{
    static KeyIndex<String> registry; // released at process exit
    return registry.FindAdd(String(type_name));
}

} // namespace Qor
