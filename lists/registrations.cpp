// The list controls' one registration unit: every start-up registration runs from here.

#include "lists/registrations.h"

namespace Qor {

extern const char qor_lists_registrations = 0;

} // namespace Qor
