// ParagraphLines: destroying a layout (which feeds the layout cache), its
// height and the justification of its lines.

#include "richtext/layout/paragraph_lines.h"

#include "richtext/layout/lines_cache_internal.h"
#include "richtext/layout/overflow.h"

namespace Qor {

ParagraphLines::~ParagraphLines()
{
    // A record whose content moved elsewhere has nothing left to keep.
    if(cache_key != 0 && !cached && !line.IsMovedFrom())
        PutIntoLinesCache(*this);
}

int ParagraphLines::GetHeight() const
{
    int64 h = 0;
    for(const ParagraphLine& l : line)
        h += l.GetHeight();
    return ClampInt(h);
}

void ParagraphLines::Justify(const ParagraphFormat& f)
{
    if(justified || f.align != ParagraphFormat::ALIGN_JUSTIFY)
        return;
    justified = true;
    for(int i = 0; i + 1 < line.GetCount(); i++) {
        const ParagraphLine& l = line[i];
        if(l.with_tabs || l.count <= 0)
            continue;
        int from = l.start;
        int to = l.start + l.count;
        while(to - from > 1 && text[to - 1] == ' ')
            to--;
        while(from < to && (text[from] == ' ' || text[from] == 0xA0))
            from++;
        int n = 0;
        for(int q = from; q < to; q++)
            if(text[q] == ' ' || text[q] == 0xA0)
                n++;
        if(n == 0)
            continue;
        int64 off = i == 0 ? first_indent : next_indent;
        int64 extra = (int64)width - f.lm - f.rm - off - l.cx;
        int64 step = extra * 65536 / n;
        int64 acc = 0;
        for(int q = from; q < to; q++)
            if(text[q] == ' ' || text[q] == 0xA0) {
                int64 t = acc + step;
                width_of[q] = ClampInt(width_of[q] + (t >> 16));
                acc = t & 0xFFFF;
            }
    }
}

} // namespace Qor
