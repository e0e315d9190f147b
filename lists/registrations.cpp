// The list controls' one registration unit: every start-up registration runs from here.

#include "lists/registrations.h"

#include "lists/text/list_messages.h"

namespace Qor {

extern const char qor_lists_registrations = (RegisterListMessages(), 0);

} // namespace Qor
