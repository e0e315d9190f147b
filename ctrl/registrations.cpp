// The control library's one registration unit: every start-up registration runs from here.

#include "ctrl/images/ctrl_core_img.h"
#include "ctrl/registrations.h"

namespace Qor {

extern const char qor_ctrl_registrations = (RegisterCtrlCoreImg(), 0);

} // namespace Qor
