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

// The left edge of a line's content w wide that starts off after the indent; a line with
// tabs keeps to the left edge so that its stops stay where they were measured.
int64 LineLeft(const ParagraphFormat& f, int width, int64 off, int64 w, bool with_tabs)
{
    if(!with_tabs && f.align == ParagraphFormat::ALIGN_RIGHT)
        return (int64)width - f.rm - w;
    if(!with_tabs && f.align == ParagraphFormat::ALIGN_CENTER)
        return f.lm + off + ((int64)width - f.lm - f.rm - off - w) / 2;
    return f.lm + off;
}

class LineBreaker {
public:
    LineBreaker(const UnpackedParagraph& p, ParagraphLines& lines, int width)
        : p(p), f(p.format), lines(lines), width(width), avail((int64)width - f.lm - f.rm)
    {}

    void Run();

private:
    const UnpackedParagraph& p;
    const ParagraphFormat& f;
    ParagraphLines& lines;
    int width;
    int64 avail;

    int64 Offset(int line_index) const { return line_index == 0 ? lines.first_indent : lines.next_indent; }
    void BeginLine(int start);
    void FinishLine(int end, int64 end_x);
    // Places the tab at i for the stop stop (measured from the layout box's left).
    void PlaceTab(int i, int64 stop, int64& x);
};

void LineBreaker::BeginLine(int start)
{
    ParagraphLine& l = lines.line.Add();
    l.start = start;
}

// Completes the newest line, which holds the characters from its start up to end.
void LineBreaker::FinishLine(int end, int64 end_x)
{
    int index = lines.line.GetCount() - 1;
    ParagraphLine& l = lines.line[index];
    l.count = end - l.start;
    int ascent = 0, descent = 0, external = 0;
    bool with_tabs = false;
    for(int i = l.start; i < end; i++) {
        const CharacterMetrics& m = lines.metrics[i];
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
    l.ascent = ascent;
    l.descent = descent;
    l.external = external;
    l.with_tabs = with_tabs;
    int64 off = Offset(index);
    int64 w = end_x - off;
    l.xpos = ClampInt(LineLeft(f, width, off, w, with_tabs));
    l.cx = ClampInt(w);
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
    if(format.bullet == ParagraphFormat::BULLET_TEXT)
        lines.first_indent = 0;
    if(format.bullet == ParagraphFormat::BULLET_NONE && !format.IsNumbered())
        lines.next_indent = 0;
    if(lines.clen == 0) {
        // An empty paragraph is one line as high as its own font, whatever its spacing.
        ParagraphLine& l = lines.line.Add();
        const FontMetrics& m = format.font.GetMetrics();
        l.ascent = m.ascent;
        l.descent = m.descent;
        l.external = m.external_leading;
        l.xpos = ClampInt(LineLeft(format, width, lines.first_indent, 0, false));
        l.len = lines.len;
    }
    else {
        LineBreaker(*this, lines, width).Run();
        for(int i = 0; i < lines.line.GetCount(); i++) {
            ParagraphLine& l = lines.line[i];
            l.pos = l.start < lines.clen ? lines.pos[l.start] : lines.len;
        }
        for(int i = 0; i < lines.line.GetCount(); i++) {
            ParagraphLine& l = lines.line[i];
            int next = i + 1 < lines.line.GetCount() ? lines.line[i + 1].pos : lines.len;
            l.len = next - l.pos;
        }
    }
    lines.cache_key = cache_key;
    return lines;
}

} // namespace Qor
