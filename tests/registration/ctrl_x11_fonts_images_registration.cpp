// Start-up registrations of the X11 back end's fonts and images hold in a program that
// links it: the drawing layer measures fonts through Xft and makes image Draws and glyph
// images through the back end. Needs no display: the hooks are only looked at. Exits
// non-zero when a check fails.

#include "ctrl/x11/x11.h"
#include "draw/font/font_metrics.h"
#include "draw/target/draw_hooks.h"
#include "tests/registration/registration_check.h"

using namespace Qor;

using QorRegistration::Check;

int main()
{
    Check(FontMetricsHook == &GetFontMetricsXft, "the font-metrics hook measures through Xft");
    Check(GlyphMetricsHook == &GetGlyphMetricsXft, "the glyph-metrics hook measures through Xft");
    Check(ImageDrawFactoryHook.factory == &CreateImageDraw, "the image Draw factory makes ImageDraws");
    Check(ImageDrawFactoryHook.getter == &GetImageDrawImage, "the image getter reads ImageDraws");
    Check(GlyphToImageHook == &RenderGlyphXft, "glyph images are rendered through Xft");
    return QorRegistration::Finish("ctrl_x11_fonts_images_registration");
}
