// RichText: style lookup, storing and finding styles, and setting up a new document.

#include "richtext/text/rich_text.h"

namespace Qor {

bool RichText::StyleChangeOp::Apply(RichTxt::Para& p)
{
    if(p.style != old_style)
        return false;
    p.style = new_style;
    p.Invalidate();
    return true;
}

const ParagraphStyle& RichText::GetStyle(const ParagraphStyleMap& styles, const Uuid& id)
{
    const ParagraphStyle* s = styles.FindPtr(id);
    return s ? *s : GetDefaultParagraphStyle();
}

void RichText::SetStyle(const Uuid& id, const ParagraphStyle& s)
{
    InvalidateCaches();
    ParagraphStyle& stored = style.GetAdd(id);
    stored = s;
    stored.format.language = 0;
    stored.format.new_page = false;
    stored.format.style = id;
    StyleChangeOp op(id, id);
    Apply(op);
}

Uuid RichText::FindStyleByName(const String& name) const
{
    for(int i = 0; i < style.GetCount(); i++)
        if(style[i].name == name)
            return style.GetKey(i);
    return DefaultStyleId;
}

void ClearRichText(RichText& text)
{
    text.ClearCaches();
    ParagraphStyle& s = text.style.Add(DefaultStyleId);
    s.name = "Default";
    text.flags = 0;
}

} // namespace Qor
