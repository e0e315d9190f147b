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
#include "widgets/label/access_key.h"
#include "widgets/label/label_drawing.h"
#include "widgets/label/label_look.h"
#include "widgets/label/label_text.h"
#include "widgets/registrations.h"
#include "widgets/skin/popup_animation.h"
#include "widgets/skin/standard_skin.h"
#include "widgets/text/widget_messages.h"
