// The drawing layer's image hooks on X11: image Draws and single glyphs rendered through Xft.

#include "ctrl/x11/image/image_draw.h"

#include "draw/target/draw_hooks.h"
#include "foundation/wstring.h"

namespace Qor {

Draw* CreateImageDraw(Size size)
{
    // Without a connection nothing can draw; the drawing layer stands a NilDraw in.
    return display ? new ImageDraw(size) : nullptr;
}

Image GetImageDrawImage(Draw* w)
{
    ImageDraw* iw = dynamic_cast<ImageDraw*>(w);
    return iw ? iw->GetImage() : Image();
}

Image RenderGlyphXft(int cx, int x, Font font, int ch, int y, int cy)
{
    if(!display)
        return Image();
    ImageDraw iw(cx, cy);
    iw.DrawRect(0, 0, cx, cy, White());
    wchar16 c = (wchar16)ch;
    iw.DrawText(x, -y, WString(&c, 1), font, Black());
    return iw.GetImage();
}

void RegisterImageDrawHooks()
{
    SetImageDrawFactory(CreateImageDraw, GetImageDrawImage);
    SetGlyphToImageHook(RenderGlyphXft);
}

} // namespace Qor
