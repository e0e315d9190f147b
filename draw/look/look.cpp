// The look painter chain, look values and their entry points.

#include "draw/look/look.h"

#include "draw/target/nil_draw.h"
#include "foundation/values/value_rep.h"

namespace Qor {

namespace {

// Built on first use, so a skin may add its painter from any initialiser.
Vector<LookPainter>& Chain()
{
    static Vector<LookPainter> chain;
    return chain;
}

} // namespace

void AddLookPainter(LookPainter p)
{
    Vector<LookPainter>& chain = Chain();
    for(int i = 0; i < chain.GetCount(); i++)
        if(chain[i] == p)
            return;
    chain.Add(p);
}

Value PaintLookChain(Draw& w, const Rect& r, const Value& look, int operation)
{
    if(look.IsNull())
        return Value();
    // By index: a painter may paint nested looks, and so add painters, while it is asked.
    for(int i = Chain().GetCount() - 1; i >= 0; i--) {
        LookPainter p = Chain()[i];
        Value v = p(w, r, look, operation);
        if(!v.IsNull())
            return v;
    }
    return Value();
}

void PaintLook(Draw& w, const Rect& r, const Value& look) { PaintLookChain(w, r, look, LOOK_PAINT); }

void PaintLook(Draw& w, int x, int y, int cx, int cy, const Value& look)
{
    PaintLook(w, Rect(x, y, x + cx, y + cy), look);
}

void PaintLookEdge(Draw& w, const Rect& r, const Value& look) { PaintLookChain(w, r, look, LOOK_EDGE); }

Rect GetLookMargins(const Value& look)
{
    NilDraw w;
    Rect null_rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL);
    Value v = PaintLookChain(w, null_rect, look, LOOK_MARGINS);
    return v.IsNull() ? null_rect : Rect(v);
}

Value MakeLookWithImage(const Value& look, const Image& image, Point offset)
{
    return MakeLookWithImage(look, image, Color(), offset);
}

Value MakeLookWithImage(const Value& look, const Image& image, Color colour, Point offset)
{
    return Value::FromRep(new RawValueRep<sChLookWith>(sChLookWith{ look, image, colour, offset }));
}

Value MakeBorderLook(const BorderTable* border, const Value& look)
{
    return Value::FromRep(new RawValueRep<sChBorder>(sChBorder{ border, look }));
}

const sChLookWith* GetLookWith(const Value& look) { return GetRawValue<sChLookWith>(look); }

const sChBorder* GetBorderLook(const Value& look) { return GetRawValue<sChBorder>(look); }

const Vector<LookPainter>& GetLookPainters() { return Chain(); }

void SetLookPainters(const Vector<LookPainter>& painters) { Chain() = painters; }

} // namespace Qor
