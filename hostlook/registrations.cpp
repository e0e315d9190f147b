// The host look's one registration unit: every start-up registration runs from here.

#include "hostlook/registrations.h"

#include "hostlook/skin/host_skin.h"

namespace Qor {

extern const char qor_hostlook_registrations = (RegisterGtkHostSkin(), 0);

} // namespace Qor
