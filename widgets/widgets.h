// The widget library: every public header.
#pragma once

#include "widgets/display/display_popup.h"
#include "widgets/display/drop_marks.h"
#include "widgets/images/classic_ctrls_img.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/images/image_names.h"
#include "widgets/registrations.h"
#include "widgets/skin/popup_animation.h"
#include "widgets/skin/standard_skin.h"
#include "widgets/text/widget_messages.h"
