// The button style statics, the spin-button style and the look loaders.

#include "widgets/button/button_style.h"

#include "draw/look/look.h"
#include "draw/look/sys_colors.h"
#include "foundation/assert.h"
#include "widgets/button/button.h"
#include "widgets/button/style_record.h"
#include "widgets/images/ctrls_img.h"

namespace Qor {

namespace {

// A derived style: every field of its base, then its own looks.
void CopyWithLooks(ButtonStyle& s, const ButtonStyle& base, int first)
{
    s = base;
    LoadCtrlsImgLooks(s.look, first, VISUAL_COUNT);
}

void FillPlainDefaults(ButtonStyle& s)
{
    LoadCtrlsImgLooks(s.look, CtrlsImg::I_B, VISUAL_COUNT);
    Color glyph = MixColors(MixColors(SysColorHighlight(), SysColorShadow(), 128), SysColorLabel(), 80);
    for(int i = 0; i < VISUAL_COUNT; i++) {
        s.glyph_colour[i] = glyph;
        s.text_colour[i] = i == VISUAL_DISABLED ? SysColorDisabled() : SysColorLabel();
    }
    s.pressed_offset = Point(0, 0);
    s.focus_margin = 3;
    s.overpaint = 0;
    s.font = GetStandardFontReference();
    s.ok_image = Image();
    s.cancel_image = Image();
    s.exit_image = Image();
    s.transparent = true;
}

// One getter: the record, its standard copy and the thunk a skin change rebuilds it by.
#define QOR_BUTTON_STYLE_GETTER(getter, fill)                                                                          \
    ButtonStyle& Button::getter()                                                                                      \
    {                                                                                                                  \
        static ButtonStyle s;                                                                                          \
        static ButtonStyle standard;                                                                                   \
        return BuildStyleRecord(                                                                                       \
            s, standard, [] { Button::getter(); }, [](ButtonStyle& r) { fill; });                                      \
    }

} // namespace

QOR_BUTTON_STYLE_GETTER(GetPlainStyle, FillPlainDefaults(r))
QOR_BUTTON_STYLE_GETTER(GetOkStyle, CopyWithLooks(r, GetPlainStyle(), CtrlsImg::I_OkB))
QOR_BUTTON_STYLE_GETTER(GetEdgeStyle, CopyWithLooks(r, GetPlainStyle(), CtrlsImg::I_EB))
// Its own record, so that the host look can set it apart from the edge style.
QOR_BUTTON_STYLE_GETTER(GetLeftEdgeStyle, r = GetEdgeStyle())
QOR_BUTTON_STYLE_GETTER(GetScrollStyle, CopyWithLooks(r, GetPlainStyle(), CtrlsImg::I_SB))

#undef QOR_BUTTON_STYLE_GETTER

Color Button::GetPlainStyleColor(int i)
{
    QOR_ASSERT(i >= 0 && i < VISUAL_COUNT);
    return GetPlainStyle().glyph_colour[i];
}

SpinButtonStyle& GetSpinButtonStyle()
{
    static SpinButtonStyle s;
    static SpinButtonStyle standard;
    return BuildStyleRecord(
        s, standard, [] { GetSpinButtonStyle(); },
        [](SpinButtonStyle& r) {
            r.increase = Button::GetPlainStyle();
            r.decrease = Button::GetPlainStyle();
            LoadCtrlsImgLooksWithGlyph(r.increase.look, CtrlsImg::I_EB, CtrlsImg::SpU(), r.increase.glyph_colour,
                                       VISUAL_COUNT);
            LoadCtrlsImgLooksWithGlyph(r.decrease.look, CtrlsImg::I_EB, CtrlsImg::SpD(), r.decrease.glyph_colour,
                                       VISUAL_COUNT);
            r.width = 12;
        });
}

void LoadCtrlsImgLooks(Value* looks, int first, int count)
{
    for(int i = 0; i < count; i++)
        looks[i] = ImageToValue(CtrlsImg::Get(first + i));
}

void LoadCtrlsImgLooksWithGlyph(Value* looks, int first, const Image& glyph, const Color* colours, int count)
{
    for(int i = 0; i < count; i++)
        looks[i] = MakeLookWithImage(ImageToValue(CtrlsImg::Get(first + i)), glyph, colours[i], Point(0, 0));
}

void LoadCtrlsImgLooksWithImage(Value* looks, int first, const Image& image, int count)
{
    for(int i = 0; i < count; i++)
        looks[i] = MakeLookWithImage(ImageToValue(CtrlsImg::Get(first + i)), image, Point(0, 0));
}

} // namespace Qor
