// BackDraw: the off-screen buffer a repaint is painted into.
#include "ctrl/x11/draw/system_draw.h"

#include <algorithm>

#include <X11/Xft/Xft.h>

namespace Qor {

BackDraw::BackDraw() = default;

void BackDraw::Create(SystemDraw& target, int cx_, int cy_)
{
    Destroy();
    cx = cx_;
    cy = cy_;
    Drawable on = target.GetDrawable() ? target.GetDrawable() : root;
    pixmap = XCreatePixmap(display, on, std::max(cx, 1), std::max(cy, 1), depth);
    drawable = pixmap;
    gc = XCreateGC(display, pixmap, 0, nullptr);
    xftdraw = XftDrawCreate(display, pixmap, visual, colormap);
    Init(Vector<Rect>{ Rect(0, 0, cx, cy) }, Point(0, 0));
}

void BackDraw::Put(SystemDraw& target, int x, int y)
{
    if(!pixmap || cx <= 0 || cy <= 0 || !target.GetGC())
        return;
    Point o = target.GetOffset();
    XCopyArea(display, pixmap, target.GetDrawable(), target.GetGC(), 0, 0, cx, cy, x + o.x, y + o.y);
}

void BackDraw::SetPaintingDraw(Draw& source, Point p)
{
    painting_draw = &source;
    painting_offset = p;
}

void BackDraw::Destroy()
{
    if(!pixmap)
        return;
    // After the connection closed at exit the server has freed everything already.
    if(display) {
        if(xftdraw)
            XftDrawDestroy(xftdraw);
        XFreePixmap(display, pixmap);
        XFreeGC(display, gc);
    }
    pixmap = 0;
    drawable = 0;
    gc = nullptr;
    xftdraw = nullptr;
}

bool BackDraw::IsPainting(const Rect& r) const
{
    Rect q = r + Size(offset.x, offset.y);
    if(q.IsEmpty() || cx <= 0 || cy <= 0 || q.left >= cx || q.top >= cy || q.right <= 0 || q.bottom <= 0)
        return false;
    if(!painting_draw)
        return true;
    return painting_draw->IsPainting(q + Size(painting_offset.x, painting_offset.y));
}

} // namespace Qor
