// The widget library's translation module: the texts its controls, menus and dialogs show.
#pragma once

#include "widgets/registrations.h"

namespace Qor {

// Registers the module once (later calls do nothing); called by the library's registration
// unit before the foundation registers its own, so the widget messages come first.
void RegisterWidgetMessages();

} // namespace Qor
