// Zooming a paragraph format and an unpacked paragraph in place: every length in dots and
// every font height is rescaled, so the document shows at another size without a paint zoom.

#include "foundation/assert.h"
#include "richtext/layout/overflow.h"
#include "richtext/layout/page_position.h"
#include "richtext/model/paragraph.h"

namespace Qor {

namespace {

// v * m / d with a 64-bit product, truncated toward zero, saturated.
int64 Scale64(int64 v, ZoomRatio z) { return v * z.m / z.d; }
int Scale(int64 v, ZoomRatio z) { return ClampInt(Scale64(v, z)); }

// Font heights round to nearest; the result stays inside the 16-bit height field and off the
// standard-height code.
Font ZoomedFont(Font font, ZoomRatio z)
{
    int64 h = ((int64)font.GetHeight() * z.m + z.d / 2) / z.d;
    h = h > 32767 ? 32767 : h <= Font::STD_HEIGHT ? Font::STD_HEIGHT + 1 : h;
    return font.Height((int)h);
}

} // namespace

void ParagraphFormat::ApplyZoom(ZoomRatio z)
{
    QOR_ASSERT(z.d != 0);
    if(z.d == 0)
        return;
    font = ZoomedFont(font, z);
    before = Scale(before, z);
    rm = Scale(rm, z);
    after = Scale(after, z);
    tab_size = Scale(tab_size, z);
    // The indented edge is zoomed as one value, so that it lands where it would on its own.
    int zoomed_lm = Scale(lm, z);
    indent = ClampInt(Scale64((int64)lm + indent, z) - zoomed_lm);
    lm = zoomed_lm;
    if(ruler) {
        ruler = Scale(ruler, z);
        if(ruler == 0)
            ruler = 1; // a ruler is never lost
    }
    for(TabStop& t : tab) {
        int32 from_right = t.pos & TabStop::FROM_RIGHT;
        t.pos = Scale(t.pos & ~TabStop::FROM_RIGHT, z) | from_right;
    }
}

void UnpackedParagraph::ApplyZoom(ZoomRatio z)
{
    QOR_ASSERT(z.d != 0);
    if(z.d == 0)
        return;
    // Changed in memory: neither this paragraph nor its layout may be taken for the stored one.
    cache_key = 0;
    format.ApplyZoom(z);
    for(ParagraphPart& p : part) {
        if(p.IsField())
            continue;
        if(p.IsObject()) {
            Size sz = p.object.GetSize();
            p.object.SetSize(Size(Scale(sz.cx, z), Scale(sz.cy, z)));
            p.object.RenewSerial(); // images made for the old size are not reused
        }
        else
            p.format.font = ZoomedFont(p.format.font, z);
    }
}

} // namespace Qor
