// Document zoom of a part list and of a whole document: every style, paragraph and table
// rescaled in place, paragraphs unpacked against the styles as they were.

#include "foundation/assert.h"
#include "richtext/table/rich_table.h"
#include "richtext/text/rich_text.h"

namespace Qor {

void RichTxt::ApplyZoom(ZoomRatio z, const ParagraphStyleMap& old_styles, const ParagraphStyleMap& new_styles)
{
    for(int i = 0; i < GetPartCount(); i++) {
        if(IsTable(i)) {
            GetTable(i).ApplyZoom(z, old_styles, new_styles);
            continue;
        }
        UnpackedParagraph p;
        GetParagraph(i, p, old_styles);
        p.ApplyZoom(z);
        Set(i, p, new_styles);
    }
    InvalidateCaches();
}

void RichText::ApplyZoom(ZoomRatio z)
{
    QOR_ASSERT(z.d != 0);
    if(z.m == z.d)
        return;
    ParagraphStyleMap old_styles;
    old_styles.CopyValues(GetStyles());
    ParagraphStyleMap& styles = GetStyles();
    for(int i = 0; i < styles.GetCount(); i++)
        styles[i].format.ApplyZoom(z);
    RichTxt::ApplyZoom(z, old_styles, styles);
}

} // namespace Qor
