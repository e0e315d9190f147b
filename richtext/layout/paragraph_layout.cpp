// Paragraph layout: breaking the displayed characters into lines at a width in dots,
// placing tabs, and finishing each line with its height, x position and width.

#include "richtext/layout/lines_cache_internal.h"
#include "richtext/layout/overflow.h"
#include "draw/font/font_metrics.h"
#include "richtext/layout/paragraph_characters_internal.h"
#include "richtext/model/paragraph.h"

#include <algorithm>

namespace Qor {

namespace {

class LineBreaker {
public:
    LineBreaker(const UnpackedParagraph& p, ParagraphLines& lines, int width)
        : p(p), f(p.format), lines(lines), avail((int64)width - f.lm - f.rm)
    {}

    void Run();

private:
    const UnpackedParagraph& p;
    const ParagraphFormat& f;
    ParagraphLines& lines;
    int64 avail;
    int line_begin = 0; // first character of the line being filled

    int64 Offset(int line_index) const { return line_index == 0 ? lines.first_indent : lines.next_indent; }
    void BeginLine(int start);
    void FinishLine(int end, int64 end_x);
    // Places the tab at i for the stop stop (measured from the layout box's left).
    void PlaceTab(int i, int64 stop, int64& x);
};

void LineBreaker::BeginLine(int start) { line_begin = start; }

// Adds the line being filled, which holds the characters from its start up to end.
void LineBreaker::FinishLine(int end, int64 end_x)
{
    int index = lines.GetCount();
    int ascent = 0, descent = 0, external = 0;
    bool with_tabs = false;
    for(int i = line_begin; i < end; i++) {
        const CharacterMetrics& m = lines.Metrics(i);
        ascent = std::max(ascent, m.ascent);
        descent = std::max(descent, m.descent);
        external = std::max(external, m.external);
        with_tabs |= IsPlacedTab(lines.text[i]);
    }
    if(f.line_spacing == ParagraphFormat::LINE_ONE_AND_HALF) {
        ascent = ClampInt((int64)ascent * 3 >> 1);
        descent = ClampInt((int64)descent * 3 >> 1);
    }
    else if(f.line_spacing == ParagraphFormat::LINE_DOUBLE) {
        ascent = ClampInt((int64)ascent * 2);
        descent = ClampInt((int64)descent * 2);
    }
    LineShape l;
    l.ascent = ascent;
    l.descent = descent;
    l.external = external;
    l.with_tabs = with_tabs;
    lines.AddLine(line_begin, end_x - Offset(index), l);
}

void LineBreaker::PlaceTab(int i, int64 stop, int64& x)
{
    int64 ps = (int32)stop;
    int align = (int)(stop >> 32) & 0xFF;
    int fill = (int)(stop >> 40) & 0xFF;
    int64 target = ps - f.lm;
    lines.text[i] = (wchar16)(9 + fill);
    int64 advance;
    if(align == TabStop::RIGHT || align == TabStop::CENTER) {
        int64 w = 0;
        for(int q = i + 1; q < lines.clen && !IsPlacedTab(lines.text[q]); q++)
            w += lines.width_of[q];
        if(align == TabStop::CENTER)
            w /= 2;
        advance = std::max<int64>(target - x - w, 0);
    }
    else
        // A stop left of x (a tab size of 0) never moves the text back.
        advance = std::max<int64>(target - x, 0);
    lines.width_of[i] = ClampInt(advance);
    x += lines.width_of[i];
}

void LineBreaker::Run()
{
    int n = lines.clen;
    int64 x = lines.first_indent;
    int start = 0;
    int last_space = -1;
    int64 last_space_x = 0;
    BeginLine(0);
    int i = 0;
    while(i < n) {
        int c = lines.text[i];
        bool first = i == start;
        bool do_break = false;
        if(c == ' ') {
            last_space = i;
            last_space_x = x;
            x += lines.width_of[i];
        }
        else if(IsPlacedTab(c)) {
            int64 stop = p.NextTabStop(ClampInt(x + f.lm), ClampInt(avail));
            int64 target = (int64)(int32)stop - f.lm;
            bool right = ((stop >> 32) & 0xFF) == TabStop::RIGHT;
            if(x > avail && !first)
                do_break = true;
            else if(right ? target <= avail : target < avail)
                PlaceTab(i, stop, x);
            else
                do_break = true;
        }
        else if(!first && x + lines.width_of[i] > avail)
            do_break = true;
        else
            x += lines.width_of[i];
        if(!do_break) {
            i++;
            continue;
        }
        if(last_space >= start) {
            FinishLine(last_space + 1, last_space_x);
            i = last_space + 1;
        }
        else
            FinishLine(i, x);
        start = i;
        last_space = -1;
        BeginLine(start);
        x = lines.next_indent;
        if(start < n) {
            // The first character of a continuation line is taken whatever its width.
            int code = lines.text[start];
            if(IsPlacedTab(code))
                PlaceTab(start, p.NextTabStop(ClampInt(x + f.lm), ClampInt(avail)), x);
            else {
                if(code == ' ') {
                    last_space = start;
                    last_space_x = x;
                }
                x += lines.width_of[start];
            }
            i = start + 1;
        }
    }
    FinishLine(n, x);
}

} // namespace

ParagraphLines UnpackedParagraph::LayOutLines(int width) const
{
    ParagraphLines lines;
    if(TakeFromLinesCache(cache_key, width, lines))
        return lines;
    lines.width = width;
    lines.len = GetLength();
    AddParagraphCharacters(*this, lines);
    lines.first_indent = lines.next_indent = format.indent;
    lines.lm = format.lm;
    lines.rm = format.rm;
    lines.align = format.align;
    if(format.bullet == ParagraphFormat::BULLET_TEXT)
        lines.first_indent = 0;
    if(format.bullet == ParagraphFormat::BULLET_NONE && !format.IsNumbered())
        lines.next_indent = 0;
    if(lines.clen == 0) {
        // An empty paragraph is one line as high as its own font, whatever its spacing.
        LineShape l;
        const FontMetrics& m = format.font.GetMetrics();
        l.ascent = m.ascent;
        l.descent = m.descent;
        l.external = m.external_leading;
        lines.AddLine(0, 0, l);
    }
    else {
        // A long text may take a line per character: room for that at once rather than
        // copies of ever larger arrays, and what is left unused is given back.
        bool many = lines.clen > 4096;
        if(many)
            lines.ReserveLines(lines.clen + 1);
        LineBreaker(*this, lines, width).Run();
        if(many)
            lines.ShrinkLines();
    }
    lines.cache_key = cache_key;
    return lines;
}

} // namespace Qor
