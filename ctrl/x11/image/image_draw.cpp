// ImageDraw: drawing into pixmaps and reading them back as an Image.

#include "ctrl/x11/image/image_draw.h"

#include "draw/image/pixel_buffer.h"
#include "draw/image/pixel_format.h"
#include "foundation/assert.h"

#include <X11/Xft/Xft.h>

#include <algorithm>

namespace Qor {

namespace {

Vector<Rect> WholeClip(Size size) { return Vector<Rect>{ Rect(size) }; }

// The line layout of an image the server returned, for the default visual.
PixelFormat FormatOf(const XImage& xi, RGBA* palette)
{
    PixelFormat f;
    bool big = xi.byte_order == MSBFirst;
    if(xi.depth == 8) {
        int n = std::min(visual->map_entries, 256);
        XColor colours[256];
        for(int i = 0; i < n; i++)
            colours[i].pixel = (unsigned long)i;
        XQueryColors(display, colormap, colours, n);
        for(int i = 0; i < n; i++)
            palette[i] = MakeRGBA(colours[i].red >> 8, colours[i].green >> 8, colours[i].blue >> 8, 255);
        f.code = PixelFormat::PAL8;
    }
    else if(xi.depth == 15 || xi.depth == 16) {
        if(big)
            f.Set16BigEndian((uint32)visual->red_mask, (uint32)visual->green_mask, (uint32)visual->blue_mask);
        else
            f.Set16((uint32)visual->red_mask, (uint32)visual->green_mask, (uint32)visual->blue_mask);
    }
    else if(xi.bits_per_pixel == 32) {
        if(big)
            f.Set32BigEndian((uint32)visual->red_mask, (uint32)visual->green_mask, (uint32)visual->blue_mask, 0);
        else
            f.Set32((uint32)visual->red_mask, (uint32)visual->green_mask, (uint32)visual->blue_mask, 0);
    }
    else if(big)
        f.Set24BigEndian((uint32)visual->red_mask, (uint32)visual->green_mask, (uint32)visual->blue_mask);
    else
        f.Set24((uint32)visual->red_mask, (uint32)visual->green_mask, (uint32)visual->blue_mask);
    return f;
}

// The pixmap's first size.cx x size.cy pixels into out (already of that size).
bool ReadPixmap(Pixmap pixmap, Size size, PixelBuffer& out)
{
    XImage* xi = XGetImage(display, pixmap, 0, 0, std::max(size.cx, 1), std::max(size.cy, 1), AllPlanes, ZPixmap);
    if(!xi)
        return false;
    RGBA palette[256] = {};
    PixelFormat f = FormatOf(*xi, palette);
    for(int y = 0; y < size.cy; y++)
        f.ReadLine(out[y], (const byte*)xi->data + (size_t)y * xi->bytes_per_line, size.cx, palette);
    XDestroyImage(xi);
    return true;
}

} // namespace

ImageDrawPlane::ImageDrawPlane(Size size)
{
    QOR_ASSERT(display);
    plane_pixmap = XCreatePixmap(display, root, std::max(size.cx, 1), std::max(size.cy, 1), depth);
    plane_gc = XCreateGC(display, plane_pixmap, 0, nullptr);
    plane_xftdraw = XftDrawCreate(display, plane_pixmap, visual, colormap);
}

ImageDrawPlane::~ImageDrawPlane()
{
    if(!display)
        return;
    if(plane_xftdraw)
        XftDrawDestroy(plane_xftdraw);
    if(plane_gc)
        XFreeGC(display, plane_gc);
    if(plane_pixmap)
        XFreePixmap(display, plane_pixmap);
}

ImageDraw::AlphaPlane::AlphaPlane(Size size)
    : ImageDrawPlane(size), SystemDraw(plane_pixmap, plane_gc, plane_xftdraw, WholeClip(size))
{}

ImageDraw::ImageDraw(Size size)
    : ImageDrawPlane(size), SystemDraw(plane_pixmap, plane_gc, plane_xftdraw, WholeClip(size)), size(size), alpha(size)
{}

Draw& ImageDraw::GetAlphaDraw()
{
    if(!alpha_used) {
        alpha.DrawRect(0, 0, std::max(size.cx, 1), std::max(size.cy, 1), Black());
        alpha_used = true;
    }
    return alpha;
}

Image ImageDraw::GetImage() const
{
    if(size.cx <= 0 || size.cy <= 0)
        return Image();
    PixelBuffer b(size.cx, size.cy);
    if(b.IsEmpty() || !ReadPixmap(plane_pixmap, size, b))
        return Image();
    if(alpha_used) {
        PixelBuffer a(size.cx, size.cy);
        if(!ReadPixmap(alpha.GetDrawable(), size, a))
            return Image();
        for(RGBA *t = b.Begin(), *s = a.Begin(); t < b.End(); t++, s++)
            t->a = s->r;
    }
    b.Premultiply();
    return Image(b);
}

} // namespace Qor
