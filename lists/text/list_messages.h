// The list library's translation module: the texts of the row menu and its question.
#pragma once

#include "lists/registrations.h"

namespace Qor {

// Registers the module once (later calls do nothing); called by the library's registration
// unit.
void RegisterListMessages();

} // namespace Qor
