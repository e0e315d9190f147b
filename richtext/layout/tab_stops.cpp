// The next tab stop of a paragraph right of a position: its own stops, the implicit
// stop of a text bullet and the grid of the tab size.

#include "richtext/layout/overflow.h"
#include "richtext/model/paragraph.h"

namespace Qor {

namespace {

int64 PackStop(int64 pos, int align, int fill)
{
    return (int64)(uint32)ClampInt(pos) | (int64)align << 32 | (int64)fill << 40;
}

} // namespace

int64 UnpackedParagraph::NextTabStop(int x, int reference_width) const
{
    bool found = false;
    int64 best = 0;
    int align = TabStop::LEFT;
    int fill = TabStop::NO_FILL;
    for(const TabStop& t : format.tab) {
        int64 pos = t.pos;
        if(t.pos & TabStop::FROM_RIGHT)
            pos = (int64)reference_width - (t.pos & ~TabStop::FROM_RIGHT);
        if(pos > x && (!found || pos < best)) {
            found = true;
            best = pos;
            align = t.align == TabStop::RIGHT || t.align == TabStop::CENTER ? (int)t.align : (int)TabStop::LEFT;
            // An unknown fill would turn the placed tab into some other character.
            fill = t.fillchar <= TabStop::UNDERSCORE_FILL ? (int)t.fillchar : (int)TabStop::NO_FILL;
        }
    }
    if(format.bullet == ParagraphFormat::BULLET_TEXT) {
        int64 pos = (int64)format.lm + format.indent;
        if(pos > x && (!found || pos < best)) {
            found = true;
            best = pos;
            align = TabStop::LEFT;
            fill = TabStop::NO_FILL;
        }
    }
    if(found)
        return PackStop(best, align, fill);
    int64 size = format.tab_size < 0 ? -(int64)format.tab_size : format.tab_size;
    if(size == 0)
        return PackStop(0, TabStop::LEFT, TabStop::NO_FILL);
    return PackStop(((int64)x + size) / size * size, TabStop::LEFT, TabStop::NO_FILL);
}

} // namespace Qor
