// GtkElement look values, the state and shadow codes, and their made images.

#include "hostlook/gtk/gtk_element.h"

#include "foundation/assert.h"
#include "draw/look/sys_colors.h"
#include "foundation/values/value_rep.h"

#include <cstring>

namespace Qor {

const GtkElement* GetGtkElement(const Value& look) { return GetRawValue<GtkElement>(look); }

Value MakeGtkElement(int shadow, int state, const Rect& extend, const Rect& margins)
{
    int count = GetGtkWidgetStack().GetCount();
    QOR_ASSERT(count > 0);
    GtkElement e;
    e.widget = (uint16)(count - 1);
    e.state = (uint8)state;
    e.shadow = (uint8)shadow;
    e.extend = extend;
    e.margins = margins;
    return Value::FromRep(new RawValueRep<GtkElement>(e));
}

Value MakeGtkElement(int shadow, int state, const Rect& extend)
{
    return MakeGtkElement(shadow, state, extend, Rect(0, 0, 0, 0));
}

void SetGtkElement(Value& look, int shadow, int state) { look = MakeGtkElement(shadow, state); }

void SetGtkElementLooks(Value looks[4], const char* code)
{
    QOR_ASSERT(code && strlen(code) == 8);
    for(int i = 0; i < 4; i++)
        looks[i] = MakeGtkElement(code[4 + i] - '0', code[i] - '0');
}

void SetGtkButtonLooks(Value looks[4]) { SetGtkElementLooks(looks, "02142212"); }

void SetGtkRaisedLooks(Value looks[4]) { SetGtkElementLooks(looks, "02242222"); }

String GtkImageMaker::GetKey() const
{
    String key;
    AppendLittleEndian(key, (int64)(uintptr_t)entry.widget, 8);
    AppendLittleEndian(key, (int64)(uintptr_t)entry.detail, 8);
    AppendLittleEndian(key, entry.kind, 4);
    AppendLittleEndian(key, element.widget, 2);
    AppendLittleEndian(key, element.state, 1);
    AppendLittleEndian(key, element.shadow, 1);
    AppendLittleEndian(key, size.cx, 4);
    AppendLittleEndian(key, size.cy, 4);
    return key;
}

Image GtkImageMaker::Make() const
{
    Rect r(INT_NULL, INT_NULL, INT_NULL, INT_NULL);
    return PaintGtkElement(entry.widget, element.state, element.shadow & GTK_SHADOW_TYPE_MASK, entry.detail, entry.kind,
                           size.cx, size.cy, r);
}

Value PaintGtkElementLook(Draw& w, const Rect& r, const Value& look, int operation)
{
    const GtkElement* e = GetGtkElement(look);
    if(!e)
        return Value();
    if(operation == 1)
        return Value(e->margins);
    if(operation == 3)
        return Value(false);
    if(operation != 0 && operation != 2)
        return Value();
    const Vector<GtkStackEntry>& stack = GetGtkWidgetStack();
    // A look of an earlier skin run whose entry is gone paints nothing.
    if(e->widget >= stack.GetCount())
        return Value(1);
    const GtkStackEntry& entry = stack[e->widget];
    int mo = (entry.kind & GTK_INNER_MARGIN) ? 0 : (entry.kind & GTK_MARGIN_MASK) >> GTK_MARGIN_SHIFT;
    int o = (entry.kind & GTK_INSET_MASK) >> GTK_INSET_SHIFT;
    int x0 = r.left + o - mo, x1 = r.right - o + mo;
    int y0 = r.top + o - mo, y1 = r.bottom - o + mo;
    if(x0 >= x1 || y0 >= y1)
        return Value(1);
    int cx = x1 - x0, cy = y1 - y0;
    GtkImageMaker maker(*e, entry, Size(cx, cy));
    if(e->shadow & GTK_CUT_BOTTOM) {
        Image m = GetMadeImage(maker);
        w.DrawImage(x0, y0, m, Rect(0, 0, cx, cy - 7));
        w.DrawImage(x0 + 4, y1 - 7, m, Rect(4, cy - 7, cx - 4, cy - 2));
    }
    else if(e->extend == Rect(0, 0, 0, 0))
        w.DrawImage(x0, y0, GetMadeImageForPainting(maker));
    else {
        const Rect& x = e->extend;
        maker.SetSize(Size(cx + x.left + x.right, cy + x.top + x.bottom));
        w.DrawImage(x0, y0, GetMadeImageForPainting(maker), Rect(x.left, x.top, x.left + cx, x.top + cy));
    }
    if((e->shadow & GTK_SIDE_LINES) && cx > 0) {
        w.DrawRect(x0, y0 + 3, 1, cy - 6, SysColorLight());
        w.DrawRect(x1 - 1, y0 + 3, 1, cy - 6, SysColorShadow());
    }
    return Value(1);
}

} // namespace Qor
