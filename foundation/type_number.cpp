// The type-name registry: one KeyIndex of names, built at first use.
#include "foundation/type_number.h"
#include "foundation/assert.h"

#include "foundation/key_index.h"
#include "foundation/string.h"

namespace Qor {

int TypeNumber(const char* type_name)
{
    QOR_SINGLE_THREADED("The type-number registry");
    static KeyIndex<String> registry; // released at process exit
    return registry.FindAdd(String(type_name));
}

} // namespace Qor
