// Display's base behaviour, the standard text display and DisplayedValue.

#include "draw/display/display.h"

#include "draw/display/attr_text.h"
#include "draw/image_list/draw_img.h"
#include "draw/text/text.h"
#include "foundation/values/convert.h"

#include <algorithm>

namespace Qor {

WString DisplayText(const Value& q)
{
    int type = q.GetTypeNumber();
    if(type == STRING_V || type == WSTRING_V)
        return q.ToWString();
    return SharedConvert().Format(q).ToWString();
}

void Display::PaintBackground(Draw& w, const Rect& r, const Value& q, Color, Color paper, dword) const
{
    const AttrText* a = GetAttrText(q);
    if(a && !a->paper.IsNullInstance())
        paper = a->paper;
    w.DrawRect(r, paper);
}

void Display::Paint(Draw& w, const Rect& r, const Value& q, Color ink, Color paper, dword style) const
{
    PaintBackground(w, r, q, ink, paper, style);
    GetStandardDisplay().PaintValue(w, r, q, ink, paper, style);
}

Size Display::GetStandardSize(const Value& q) const
{
    return GetStandardDisplay().GetStandardSize(q);
}

Size Display::FitSize(const Value&, int cx, int cy) const
{
    return Size(cx, cy);
}

void StdDisplayClass::Paint(Draw& w, const Rect& r, const Value& q, Color ink, Color paper, dword style) const
{
    PaintBackground(w, r, q, ink, paper, style);
    PaintValue(w, r, q, ink, paper, style);
}

void StdDisplayClass::PaintValue(Draw& w, const Rect& r, const Value& q, Color ink, Color, dword style) const
{
    WString text;
    Font font = GetStandardFontReference();
    int a_align = align;
    int x = r.left;
    if(const AttrText* a = GetAttrText(q)) {
        text = a->text;
        font = a->font;
        if(!a->ink.IsNullInstance())
            ink = a->ink;
        if(!a->normal_ink.IsNullInstance() && !(style & DISPLAY_STATE_BITS))
            ink = a->normal_ink;
        if(!IsNullInt(a->align))
            a_align = a->align;
        if(!a->img.IsEmpty()) {
            Size isz = a->img.GetSize();
            w.DrawImage(r.left, r.top + std::max(0, (r.Height() - isz.cy) / 2), a->img);
            x = r.left + isz.cx + a->imgspc;
        }
    }
    else
        text = DisplayText(q);
    Size t = GetMultilineTextSize(text.Begin(), font);
    int width = r.Width();
    bool cut = width < t.cx;
    // A text cut short shows its start whatever the alignment: the mark says it goes on.
    if(a_align == ALIGN_RIGHT && !cut)
        x = r.right - t.cx;
    else if(a_align == ALIGN_CENTER && !cut)
        x += (width - t.cx) / 2;
    int y = r.top + std::max(0, (r.Height() - GetMultilineTextHeight(text.Begin(), font)) / 2);
    if(!cut) {
        DrawMultilineText(w, x, y, width, text.Begin(), font, ink);
        return;
    }
    Image dots = DrawImg::threedots();
    Size d = dots.GetSize();
    w.Clip(r.left, r.top, width - d.cx, r.Height());
    DrawMultilineText(w, x, y, width, text.Begin(), font, ink);
    w.End();
    w.DrawImage(r.left + width - d.cx, y + font.GetAscent() - d.cy, dots, ink);
}

Size StdDisplayClass::GetStandardSize(const Value& q) const
{
    const AttrText* a = GetAttrText(q);
    if(!a)
        return GetMultilineTextSize(DisplayText(q).Begin(), GetStandardFontReference());
    Size t = GetMultilineTextSize(a->text.Begin(), a->font);
    if(a->img.IsEmpty())
        return t;
    Size isz = a->img.GetSize();
    return Size(isz.cx + a->imgspc + t.cx, std::max(isz.cy, t.cy));
}

const StdDisplayClass& GetStandardDisplay()
{
    static StdDisplayClass d(StdDisplayClass::ALIGN_LEFT);
    return d;
}

const StdDisplayClass& GetRightDisplay()
{
    static StdDisplayClass d(StdDisplayClass::ALIGN_RIGHT);
    return d;
}

const StdDisplayClass& GetCenterDisplay()
{
    static StdDisplayClass d(StdDisplayClass::ALIGN_CENTER);
    return d;
}

void RegisterStandardDisplays()
{
    GetRightDisplay();
    GetCenterDisplay();
}

void DisplayedValue::Paint(Draw& w, const Rect& r, Color ink, Color paper, dword style) const
{
    if(display)
        display->Paint(w, r, value, ink, paper, style);
}

Size DisplayedValue::GetStandardSize() const
{
    return display ? display->GetStandardSize(value) : Size(0, 0);
}

} // namespace Qor
