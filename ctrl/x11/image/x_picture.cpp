// Xrender pictures from Image pixels, and the table of solid-colour pictures.

#include "ctrl/x11/image/x_picture_internal.h"

#include "ctrl/x11/display/x11_display.h"

#include <X11/extensions/Xrender.h>

#include <vector>

namespace Qor {

namespace {

// An X image over memory the process keeps: sent as it lies, premultiplied BGRA per pixel.
XImage MakeXImage(int cx, int cy, int depth, int bits_per_pixel, char* data)
{
    XImage xi = {};
    xi.width = cx;
    xi.height = cy;
    xi.format = ZPixmap;
    xi.data = data;
    xi.byte_order = LSBFirst;
    xi.bitmap_unit = bits_per_pixel;
    xi.bitmap_bit_order = MSBFirst;
    xi.bitmap_pad = bits_per_pixel;
    xi.depth = depth;
    xi.bits_per_pixel = bits_per_pixel;
    xi.bytes_per_line = cx * bits_per_pixel / 8;
    XInitImage(&xi);
    return xi;
}

XPictureId UploadPicture(int cx, int cy, int depth, int bits_per_pixel, int format, const void* data)
{
    ::Display* d = display;
    Pixmap pixmap = XCreatePixmap(d, root, cx, cy, depth);
    XImage xi = MakeXImage(cx, cy, depth, bits_per_pixel, (char*)data);
    GC gc = XCreateGC(d, pixmap, 0, nullptr);
    XPutImage(d, pixmap, gc, &xi, 0, 0, 0, 0, cx, cy);
    XFreeGC(d, gc);
    Picture picture = XRenderCreatePicture(d, pixmap, XRenderFindStandardFormat(d, format), 0, nullptr);
    // The picture keeps the pixmap alive on the server.
    XFreePixmap(d, pixmap);
    return picture;
}

constexpr int SOLID_SLOTS = 67;

struct SolidSlot {
    dword color = 0;
    Picture picture = 0;
    Pixmap pixmap = 0;
};

SolidSlot solid_slots[SOLID_SLOTS];

} // namespace

XPictureId CreateColorPicture(const Image& img, bool opaque)
{
    if(opaque)
        return UploadPicture(img.GetWidth(), img.GetHeight(), 24, 32, PictStandardRGB24, img.GetPixels());
    return UploadPicture(img.GetWidth(), img.GetHeight(), 32, 32, PictStandardARGB32, img.GetPixels());
}

XPictureId CreateMaskPicture(const Image& img)
{
    std::vector<byte> alpha((size_t)img.GetLength());
    const RGBA* s = img.GetPixels();
    for(byte& a : alpha)
        a = (s++)->a;
    return UploadPicture(img.GetWidth(), img.GetHeight(), 8, 8, PictStandardA8, alpha.data());
}

XPictureId GetSolidColorPicture(Color c)
{
    ::Display* d = display;
    dword value = c.GetBits();
    SolidSlot& slot = solid_slots[value % SOLID_SLOTS];
    if(slot.picture && slot.color == value)
        return slot.picture;
    if(slot.picture) {
        XRenderFreePicture(d, slot.picture);
        XFreePixmap(d, slot.pixmap);
    }
    slot.color = value;
    slot.pixmap = XCreatePixmap(d, root, 1, 1, 32);
    XRenderPictureAttributes attributes;
    attributes.repeat = 1;
    slot.picture =
        XRenderCreatePicture(d, slot.pixmap, XRenderFindStandardFormat(d, PictStandardARGB32), CPRepeat, &attributes);
    XRenderColor xc;
    xc.red = (unsigned short)(c.GetR() * 257);
    xc.green = (unsigned short)(c.GetG() * 257);
    xc.blue = (unsigned short)(c.GetB() * 257);
    xc.alpha = 65535;
    XRenderFillRectangle(d, PictOpSrc, slot.picture, &xc, 0, 0, 1, 1);
    return slot.picture;
}

void FreePicture(XPictureId p)
{
    if(p && display)
        XRenderFreePicture(display, p);
}

void CompositePicture(XPictureId src, XPictureId mask, XPictureId dest, int sx, int sy, int x, int y, int cx, int cy)
{
    XRenderComposite(display, PictOpOver, src, mask, dest, sx, sy, mask ? sx : 0, mask ? sy : 0, x, y, cx, cy);
}

} // namespace Qor
