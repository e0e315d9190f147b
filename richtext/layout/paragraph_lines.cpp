// ParagraphLines: destroying a layout (which feeds the layout cache), its
// height and the justification of its lines.

#include "richtext/layout/paragraph_lines.h"

#include "richtext/layout/lines_cache_internal.h"
#include "richtext/layout/overflow.h"

namespace Qor {

ParagraphLines::~ParagraphLines()
{
    // A record whose content moved elsewhere has nothing left to keep.
    if(cache_key != 0 && !cached && !line_start.IsMovedFrom())
        PutIntoLinesCache(*this);
}

ParagraphLine ParagraphLines::operator[](int i) const
{
    const LineShape& s = shapes[line_shape[i]];
    ParagraphLine l;
    l.ascent = s.ascent;
    l.descent = s.descent;
    l.external = s.external;
    l.cx = line_cx[i];
    l.with_tabs = s.with_tabs;
    l.xpos = ClampInt(LineLeft(i, l.cx, s.with_tabs));
    l.start = line_start[i];
    bool last = i + 1 == line_start.GetCount();
    int next = last ? clen : line_start[i + 1];
    l.count = next - l.start;
    l.pos = LinePos(l.start);
    l.len = (last ? len : LinePos(next)) - l.pos;
    return l;
}

void ParagraphLines::AddLine(int start, int64 cx, const LineShape& shape)
{
    if(shapes.IsEmpty() || !(shapes.Top() == shape))
        shapes.Add(shape);
    line_start.Add(start);
    line_cx.Add(ClampInt(cx));
    line_shape.Add(shapes.GetCount() - 1);
}

// A line with tabs keeps to the left edge so that its stops stay where they were measured.
int64 ParagraphLines::LineLeft(int i, int64 cx, bool with_tabs) const
{
    int64 off = i == 0 ? first_indent : next_indent;
    if(!with_tabs && align == ParagraphFormat::ALIGN_RIGHT)
        return (int64)width - rm - cx;
    if(!with_tabs && align == ParagraphFormat::ALIGN_CENTER)
        return lm + off + ((int64)width - lm - rm - off - cx) / 2;
    return lm + off;
}

void ParagraphLines::ReserveLines(int n)
{
    line_start.Reserve(n);
    line_cx.Reserve(n);
    line_shape.Reserve(n);
}

void ParagraphLines::ShrinkLines()
{
    // A copy costs more than a few unused places are worth.
    if(line_start.GetAlloc() - line_start.GetCount() <= line_start.GetCount() / 4)
        return;
    line_start.Shrink();
    line_cx.Shrink();
    line_shape.Shrink();
    shapes.Shrink();
}

int ParagraphLines::GetHeight() const
{
    int64 h = 0;
    for(int i = 0; i < GetCount(); i++)
        h += (int64)shapes[line_shape[i]].ascent + shapes[line_shape[i]].descent + shapes[line_shape[i]].external;
    return ClampInt(h);
}

int64 ParagraphLines::GetArrayBytes() const
{
    return (int64)text.GetAlloc() * sizeof(wchar16) + (int64)pos.GetAlloc() * sizeof(int) +
           (int64)width_of.GetAlloc() * sizeof(int) + (int64)kind_of.GetAlloc() * sizeof(int) +
           (int64)kinds.GetAlloc() * sizeof(CharacterKind) + (int64)line_start.GetAlloc() * sizeof(int) +
           (int64)line_cx.GetAlloc() * sizeof(int) + (int64)line_shape.GetAlloc() * sizeof(int) +
           (int64)shapes.GetAlloc() * sizeof(LineShape);
}

void ParagraphLines::Justify(const ParagraphFormat& f)
{
    if(justified || f.align != ParagraphFormat::ALIGN_JUSTIFY)
        return;
    justified = true;
    for(int i = 0; i + 1 < GetCount(); i++) {
        const ParagraphLine l = (*this)[i];
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
