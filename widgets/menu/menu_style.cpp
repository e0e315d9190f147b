// The default menu, tool-button and tool-bar styles.

#include "widgets/menu/menu_style.h"

#include "draw/image/pixel_buffer.h"
#include "draw/look/sys_colors.h"
#include "widgets/button/button.h"
#include "widgets/button/style_record.h"
#include "widgets/images/ctrls_img.h"

#include <climits>

namespace Qor {

namespace {

// A one-pixel shadow ring around the menu colour; the hotspots at the centre make the look
// painter stretch the middle and keep the ring one pixel wide.
Image MakePopupFrameImage()
{
    PixelBuffer b(7, 7);
    RGBA shadow = SysColorShadow().ToRGBA();
    RGBA menu = SysColorMenu().ToRGBA();
    for(int y = 0; y < 7; y++)
        for(int x = 0; x < 7; x++)
            b[y][x] = x == 0 || y == 0 || x == 6 || y == 6 ? shadow : menu;
    b.SetHotSpot(Point(3, 3));
    b.SetSecondSpot(Point(3, 3));
    return Image(b);
}

void FillMenuBarDefaults(MenuBarStyle& s)
{
    const SeparatorCtrlStyle& sep = SeparatorCtrl::GetDefaultStyle();
    s.hot_item_look = SysColorHighlight();
    s.top_item_look[0] = Value(INT_NULL);
    s.top_item_look[1] = SysColorHighlight();
    s.top_item_look[2] = SysColorHighlight();
    s.top_bar_look = SysColorFace();
    s.item_text_colour = SysColorMenuText();
    s.hot_item_text_colour = SysColorHighlightText();
    s.top_item_text_colour[0] = SysColorMenuText();
    s.top_item_text_colour[1] = SysColorHighlightText();
    s.top_item_text_colour[2] = SysColorHighlightText();
    s.row_separator = sep;
    s.look = SysColorFace();
    s.area_look = Value(INT_NULL);
    s.popup_frame = ImageToValue(MakePopupFrameImage());
    s.popup_body = SysColorMenu();
    s.popup_icon_column = Value(INT_NULL);
    s.separator = sep;
    s.max_icon_size = Size(16, 16);
    s.icon_column_width = 24;
    s.text_gap = 6;
    s.separator_left_margin = 2;
    s.separator_right_margin = 2;
    s.pull_shift = Point(0, -1);
}

void FillToolButtonDefaults(ToolButtonStyle& s)
{
    static const int looks[TOOL_STATE_COUNT] = { CtrlsImg::I_TB,  CtrlsImg::I_TBh, CtrlsImg::I_TBp,
                                                 CtrlsImg::I_TBd, CtrlsImg::I_TB1, CtrlsImg::I_TB1h };
    static const bool flags[TOOL_STATE_COUNT] = { false, true, true, false, false, true };
    const ButtonStyle& plain = Button::GetPlainStyle();
    for(int i = 0; i < TOOL_STATE_COUNT; i++) {
        s.looks[i] = ImageToValue(CtrlsImg::Get(looks[i]));
        s.text_colour[i] = plain.text_colour[i < VISUAL_COUNT ? i : i - VISUAL_COUNT];
        s.state_flags[i] = flags[i];
        s.state_values[i] = 0;
        s.state_offsets[i] = Point(0, 0);
    }
    s.font = GetStandardFontReference();
}

void FillToolBarDefaults(ToolBarStyle& s)
{
    const SeparatorCtrlStyle& sep = SeparatorCtrl::GetDefaultStyle();
    s.button_style = GetToolButtonDefaultStyle();
    s.button_min_size = Size(16, 16);
    s.max_icon_size = Size(INT_MAX, INT_MAX);
    s.bar_mode = 0;
    s.look = SysColorFace();
    s.area_look = Value(INT_NULL);
    s.row_separator = sep;
    s.separator = sep;
}

} // namespace

MenuBarStyle& GetMenuBarDefaultStyle()
{
    static MenuBarStyle s;
    static MenuBarStyle standard;
    return BuildStyleRecord(
        s, standard, [] { GetMenuBarDefaultStyle(); }, FillMenuBarDefaults);
}

ToolButtonStyle& GetToolButtonDefaultStyle()
{
    static ToolButtonStyle s;
    static ToolButtonStyle standard;
    return BuildStyleRecord(
        s, standard, [] { GetToolButtonDefaultStyle(); }, FillToolButtonDefaults);
}

ToolBarStyle& ToolBar::GetDefaultStyle()
{
    static ToolBarStyle s;
    static ToolBarStyle standard;
    return BuildStyleRecord(
        s, standard, [] { ToolBar::GetDefaultStyle(); }, FillToolBarDefaults);
}

} // namespace Qor
