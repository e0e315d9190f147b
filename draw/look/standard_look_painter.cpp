// StandardLookPainter: the kind of the look decides who answers.

#include "draw/look/standard_look_painter.h"

#include "draw/look/image_look.h"

namespace Qor {

namespace {

Value PaintLookWith(Draw& w, const Rect& r, const sChLookWith& l, int operation)
{
    if(operation != LOOK_PAINT)
        return PaintLookChain(w, r, l.look, operation);
    PaintLookChain(w, r, l.look, LOOK_PAINT);
    Size sz = l.image.GetSize();
    int x = r.left + ((r.Width() - sz.cx) >> 1) + l.offset.x;
    int y = r.top + ((r.Height() - sz.cy) >> 1) + l.offset.y;
    if(IsNull(l.colour))
        w.DrawImage(x, y, l.image);
    else
        w.DrawImage(x, y, l.image, l.colour);
    return 1;
}

Value PaintBorder(Draw& w, const Rect& r, const sChBorder& b, int operation)
{
    int n = b.border ? (int)b.border->ring_count : 0;
    switch(operation) {
    case LOOK_PAINT:
        PaintLookChain(w, r.Deflated(n, n), b.look, LOOK_PAINT);
        w.DrawBorder(r, b.border);
        return 0;
    case LOOK_EDGE:
        w.DrawBorder(r, b.border);
        return 0;
    case LOOK_MARGINS:
        return Rect(n, n, n, n);
    case LOOK_OPAQUE:
    case LOOK_INSIDE_OPAQUE:
        return false;
    default:
        return Value();
    }
}

Value PaintColor(Draw& w, const Rect& r, Color c, int operation)
{
    switch(operation) {
    case LOOK_PAINT:
        w.DrawRect(r, c);
        return 0;
    case LOOK_MARGINS:
        return Rect(1, 1, 1, 1);
    case LOOK_EDGE:
        w.DrawFrame(r, c);
        return 0;
    case LOOK_OPAQUE:
    case LOOK_INSIDE_OPAQUE:
        return !IsNull(c);
    default:
        return Value();
    }
}

} // namespace

Value StandardLookPainter(Draw& w, const Rect& r, const Value& look, int operation)
{
    if(const sChLookWith* l = GetLookWith(look))
        return PaintLookWith(w, r, *l, operation);
    if(const sChBorder* b = GetBorderLook(look))
        return PaintBorder(w, r, *b, operation);
    if(look.GetTypeNumber() == COLOR_V)
        return PaintColor(w, r, Color(look), operation);
    if(look.GetTypeNumber() == IMAGE_V)
        return PaintImageLook(w, r, Image(look), operation);
    return Value();
}

} // namespace Qor
