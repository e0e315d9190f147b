// The multi-button style statics: the default record and the one only the host look uses.

#include "widgets/multibutton/multi_button.h"

#include "ctrl/frame/frame_settings.h"
#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "widgets/button/button.h"
#include "widgets/button/style_record.h"
#include "widgets/edit/edit_field.h"
#include "widgets/images/ctrls_img.h"

namespace Qor {

namespace {

void FillDefaults(MultiButtonStyle& s)
{
    const ButtonStyle& button = Button::GetEdgeStyle();
    const EditFieldStyle& edit = EditField::GetDefaultStyle();
    for(int i = 0; i < VISUAL_COUNT; i++) {
        s.edge[i] = edit.edge[i];
        s.monocolor[i] = button.glyph_colour[i];
        s.fmonocolor[i] = i == VISUAL_DISABLED ? SysColorDisabled() : SysColorText();
        s.look[i] = MakeLookWithImage(button.look[i], CtrlsImg::DA(), s.monocolor[i], Point(0, 0));
        s.trivial[i] = s.look[i];
        s.left[i] = s.lmiddle[i] = s.right[i] = s.rmiddle[i] = s.simple[i] = button.look[i];
    }
    s.activeedge = false;
    s.border = 1;
    s.trivialborder = 1;
    s.pressoffset = button.pressed_offset;
    s.sep1 = Value(SysColorHighlight());
    s.sep2 = Value(SysColorLight());
    s.sepm = 2;
    s.stdwidth = GetStdScrollBarWidth();
    s.sep = false;
    s.usetrivial = false;
    s.margin = Rect(2, 2, 2, 2);
    s.overpaint = 0;
    s.loff = 0;
    s.roff = 0;
}

} // namespace

MultiButtonStyle& MultiButton::DefaultStyleRecord()
{
    static MultiButtonStyle s;
    static MultiButtonStyle standard;
    return BuildStyleRecord(
        s, standard, [] { MultiButton::DefaultStyleRecord(); }, FillDefaults);
}

MultiButtonStyle& MultiButton::AltStyleRecord()
{
    static MultiButtonStyle s;
    static MultiButtonStyle standard;
    return BuildStyleRecord(
        s, standard, [] { MultiButton::AltStyleRecord(); },
        [](MultiButtonStyle& r) { r = MultiButton::DefaultStyleRecord(); });
}

const MultiButtonStyle& MultiButton::GetDefaultStyle() { return DefaultStyleRecord(); }

const MultiButtonStyle& MultiButton::GetAltStyle() { return AltStyleRecord(); }

} // namespace Qor
