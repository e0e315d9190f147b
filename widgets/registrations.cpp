// The widget library's one registration unit: every start-up registration runs from here.
//
// The messages come first: in link order this unit starts before the foundation's, so the
// widget messages are the first module of the catalogue.

#include "widgets/images/classic_ctrls_img.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/menu/menu_bar.h"
#include "widgets/prompt/prompt.h"
#include "widgets/registrations.h"
#include "widgets/skin/standard_skin.h"
#include "widgets/text/widget_messages.h"
#include "widgets/tooltip/tool_tip.h"

namespace Qor {

extern const char qor_widgets_registrations =
    (RegisterWidgetMessages(), RegisterCtrlImg(), RegisterCtrlsImg(), RegisterClassicCtrlsImg(),
     RegisterStandardSkin(), RegisterValueErrorPrompt(), RegisterMenuHooks(), RegisterToolTipHooks(), 0);

} // namespace Qor
