// The widget library: every public header.
#pragma once

#include "widgets/button/button.h"
#include "widgets/button/button_style.h"
#include "widgets/button/pusher.h"
#include "widgets/button/style_record.h"
#include "widgets/images/classic_ctrls_img.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/images/image_names.h"
#include "widgets/registrations.h"
#include "widgets/scroll/frame_ctrl.h"
#include "widgets/scroll/scroll_bar_geometry.h"
#include "widgets/scroll/scroll_tracker.h"
#include "widgets/scroll/size_grip.h"
#include "widgets/skin/popup_animation.h"
#include "widgets/skin/standard_skin.h"
#include "widgets/text/widget_messages.h"
