// The style records of menus, tool buttons and tool bars. Menus read MenuBarStyle at paint
// and layout time; no tool bar is built here, but the host look fills the tool styles so
// that one can read them.
#pragma once

#include "draw/font/font.h"
#include "foundation/types.h"
#include "foundation/values/color.h"
#include "foundation/values/point.h"
#include "foundation/values/size.h"
#include "foundation/values/value.h"
#include "widgets/static/separator_ctrl.h"

namespace Qor {

struct MenuBarStyle {
    byte status = 0;
    byte registered = 0;
    const MenuBarStyle* standard = nullptr;
    // Behind the highlighted pop-up item (look style level 2 and above).
    Value hot_item_look;
    // Menu-bar items: normal, hot, pushed (level 2 and above).
    Value top_item_look[3];
    // What an embedded bar offers as its window's background.
    Value top_bar_look;
    Color item_text_colour;
    // Text of the highlighted pop-up item and tint of its sub-menu arrow.
    Color hot_item_text_colour;
    Color top_item_text_colour[3];
    // Between the rows of a wrapped bar and the columns of a pop-up.
    SeparatorCtrlStyle row_separator;
    Value look;
    // Shared with the window's area above the view.
    Value area_look;
    Value popup_frame;
    Value popup_body;
    Value popup_icon_column;
    SeparatorCtrlStyle separator;
    // Larger item images are scaled down to it.
    Size max_icon_size;
    int icon_column_width = 0;
    int text_gap = 0;
    int separator_left_margin = 0;
    int separator_right_margin = 0;
    // Moves a pull-down from the bottom-left corner of its item (level 2 and above).
    Point pull_shift;
};

// Six-element arrays follow the button states normal, hot, pushed, disabled, checked,
// checked and hot.
enum : int { TOOL_STATE_COUNT = 6 };

struct ToolButtonStyle {
    byte status = 0;
    byte registered = 0;
    const ToolButtonStyle* standard = nullptr;
    Value looks[TOOL_STATE_COUNT];
    Font font;
    Color text_colour[TOOL_STATE_COUNT];
    // Kept for the host look and a later tool bar; nothing here reads them.
    bool state_flags[TOOL_STATE_COUNT] = {};
    int state_values[TOOL_STATE_COUNT] = {};
    Point state_offsets[TOOL_STATE_COUNT];
};

struct ToolBarStyle {
    byte status = 0;
    byte registered = 0;
    const ToolBarStyle* standard = nullptr;
    ToolButtonStyle button_style;
    Size button_min_size;
    Size max_icon_size;
    int bar_mode = 0;
    Value look;
    Value area_look;
    SeparatorCtrlStyle row_separator;
    SeparatorCtrlStyle separator;
};

// The tool bar itself is not part of this library; its style is, for the host look.
class ToolBar {
public:
    static ToolBarStyle& GetDefaultStyle();
};

ToolButtonStyle& GetToolButtonDefaultStyle();
MenuBarStyle& GetMenuBarDefaultStyle();

} // namespace Qor
