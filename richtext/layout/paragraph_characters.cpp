// The displayed characters of a paragraph: codes, text positions, advances, metrics and
// format copies, part by part, as line breaking and painting read them.

#include "richtext/layout/paragraph_characters_internal.h"

#include "draw/font/font_metrics.h"
#include "foundation/chartable.h"
#include "richtext/layout/overflow.h"
#include "richtext/model/paragraph.h"

namespace Qor {

namespace {

// A field at the top level shows its own parts; fields inside it show only their own text.
int CountCharacters(const OwnedArray<ParagraphPart>& parts, bool top)
{
    int n = 0;
    for(const ParagraphPart& p : parts)
        if(top && p.IsField())
            n += CountCharacters(p.field_part, false);
        else if(p.IsObject())
            n++;
        else
            n += p.text.GetLength();
    return n;
}

struct FontMeasures {
    int ascent, descent, external;
};

FontMeasures MeasuresOf(Font f)
{
    const FontMetrics& m = f.GetMetrics();
    return { m.ascent, m.descent, m.external_leading };
}

// Superscript and subscript are measured in a font of three fifths the height.
Font WidthFont(Font f, int script)
{
    return script == CharacterFormat::NORMAL_SCRIPT ? f : Font(f).Height(3 * f.GetHeight() / 5);
}

struct CharacterAdder {
    ParagraphLines& lines;
    FontMeasures tab; // tabs stand as high as the paragraph's own font
    int n = 0;
    int textpos = 0;

    void Add(int code, int advance, const FontMeasures& m, const CharacterFormat* f)
    {
        lines.text[n] = (wchar16)code;
        lines.pos[n] = textpos;
        lines.width_of[n] = advance;
        CharacterMetrics& cm = lines.metrics[n];
        cm.ascent = m.ascent;
        cm.descent = m.descent;
        cm.external = m.external;
        cm.ydelta = 0;
        cm.object = nullptr;
        lines.format[n] = f;
        n++;
    }

    void AddText(const ParagraphPart& p, int step)
    {
        const CharacterFormat& f = lines.hformat.Add(p.format);
        Font font = f.font;
        Font width_font = WidthFont(font, f.script);
        FontMeasures m = MeasuresOf(font);
        const CharacterFormat* small = nullptr;
        Font small_width_font;
        FontMeasures sm = {};
        if(f.capitals) {
            CharacterFormat& s = lines.hformat.Add(p.format);
            s.font.Height(4 * font.GetHeight() / 5);
            small = &s;
            small_width_font = WidthFont(s.font, f.script);
            sm = MeasuresOf(s.font);
        }
        for(int c : p.text) {
            if(c == '\t')
                Add(c, 0, tab, &f);
            else if(small && IsLowerCaseLetter(c)) {
                int capital = CapitalCaseChar(c);
                Add(capital, capital < 32 ? 0 : small_width_font.GetCharWidth(capital), sm, small);
            }
            else
                Add(c, c < 32 ? 0 : width_font.GetCharWidth(c), m, &f);
            textpos += step;
        }
    }

    void AddObject(const ParagraphPart& p, int step)
    {
        const CharacterFormat& f = lines.hformat.Add(p.format);
        const EmbeddedObject& o = lines.object.Add(p.object);
        Size sz = o.GetSize();
        int ydelta = o.GetYDelta();
        Add('x', sz.cx, { ClampInt((int64)sz.cy - ydelta), ydelta > 0 ? ydelta : 0, 0 }, &f);
        lines.metrics[n - 1].ydelta = ydelta;
        lines.metrics[n - 1].object = &o;
        textpos += step;
    }

    void AddParts(const OwnedArray<ParagraphPart>& parts, int step, bool top)
    {
        for(const ParagraphPart& p : parts)
            if(top && p.IsField()) {
                AddParts(p.field_part, 0, false);
                textpos += step;
            }
            else if(p.IsObject())
                AddObject(p, step);
            else
                AddText(p, step);
    }
};

} // namespace

int CountDisplayedCharacters(const OwnedArray<ParagraphPart>& parts) { return CountCharacters(parts, true); }

void AddParagraphCharacters(const UnpackedParagraph& p, ParagraphLines& lines)
{
    int n = CountDisplayedCharacters(p.part);
    lines.clen = n;
    lines.text.SetCount(n);
    lines.pos.SetCount(n);
    lines.width_of.SetCount(n);
    lines.metrics.SetCount(n);
    lines.format.SetCount(n);
    CharacterAdder adder{ lines, MeasuresOf(p.format.font) };
    adder.AddParts(p.part, 1, true);
    QOR_ASSERT(adder.n == n);
}

} // namespace Qor
