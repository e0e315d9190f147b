// Label colours, greyed images and the focus rectangle.

#include "widgets/label/label_look.h"

#include "ctrl/settings/gui_settings.h"
#include "ctrl/topwindow/top_window.h"
#include "ctrl/tree/ctrl_class.h"
#include "draw/image/pixel_buffer.h"
#include "draw/image_cache/made_image.h"
#include "draw/image_ops/image_filters.h"
#include "draw/look/skin_reset.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "foundation/vector.h"
#include "widgets/images/ctrl_img.h"

namespace Qor {

namespace {

Vector<LabelBackgroundTest>& LabelBackgroundTests()
{
    static Vector<LabelBackgroundTest> tests;
    return tests;
}

bool IsLabelBackground(const Ctrl& c)
{
    if(dynamic_cast<const TopWindow*>(&c))
        return true;
    for(LabelBackgroundTest test : LabelBackgroundTests())
        if(test(c))
            return true;
    return false;
}

} // namespace

void AddLabelBackgroundTest(LabelBackgroundTest test)
{
    for(LabelBackgroundTest t : LabelBackgroundTests())
        if(t == test)
            return;
    LabelBackgroundTests().Add(test);
}

Color GetLabelTextColor(const Ctrl* ctrl)
{
    // Text and label colours of one darkness: the choice makes no difference.
    if(!IsDarkTheme())
        return SysColorLabel();
    for(const Ctrl* c = ctrl; c; c = c->GetParent())
        if(!c->IsTransparent())
            return IsLabelBackground(*c) ? SysColorLabel() : SysColorText();
    return SysColorLabel();
}

Image FadedDisabledImage(const Image& image)
{
    Image grey = GrayscaleImage(image, 200);
    PixelBuffer b(grey);
    if(b.IsEmpty())
        return Image();
    // Alpha is cut on straight colours: cutting premultiplied ones would darken every
    // pixel that was already partly transparent.
    int n = (int)b.GetLength();
    UnmultiplyPixels(b.Begin(), b.Begin(), n);
    for(RGBA* p = b.Begin(); p != b.End(); p++)
        p->a = byte(p->a / 3);
    b.SetKind(PremultiplyPixels(b.Begin(), b.Begin(), n));
    return Image(b);
}

Image StateImage(const Image& image, bool disabled)
{
    if(!disabled)
        return image;
    return GetMadeImage(image, GetLookStyleLevel() == 1 ? &EtchImage : &FadedDisabledImage);
}

void DrawFocusFrame(Draw& w, int x, int y, int cx, int cy, Color c)
{
    w.ClipOffset(Rect(x, y, x + cx, y + cy));
    Image h = CtrlImg::focus_h();
    Image v = CtrlImg::focus_v();
    int hcx = h.GetWidth();
    int vcy = v.GetHeight();
    if(hcx > 0)
        for(int i = 0; i < cx; i += hcx) {
            w.DrawImage(i, 0, h, c);
            w.DrawImage(i, cy - 1, h, c);
        }
    if(vcy > 0)
        for(int i = 0; i < cy; i += vcy) {
            w.DrawImage(0, i, v, c);
            w.DrawImage(cx - 1, i, v, c);
        }
    w.End();
}

} // namespace Qor
