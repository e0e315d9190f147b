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

    // A new kind of characters, for the ones that share these measures and this format.
    int AddKind(const FontMeasures& m, const CharacterFormat* f)
    {
        CharacterKind& k = lines.kinds.Add();
        k.metrics.ascent = m.ascent;
        k.metrics.descent = m.descent;
        k.metrics.external = m.external;
        k.format = f;
        return lines.kinds.GetCount() - 1;
    }

    void Add(int code, int advance, int kind)
    {
        lines.text[n] = (wchar16)code;
        lines.pos[n] = textpos;
        lines.width_of[n] = advance;
        lines.kind_of[n] = kind;
        n++;
    }

    void AddText(const ParagraphPart& p, int step)
    {
        const CharacterFormat& f = lines.hformat.Add(p.format);
        Font font = f.font;
        Font width_font = WidthFont(font, f.script);
        int kind = AddKind(MeasuresOf(font), &f);
        int tab_kind = -1;
        int small_kind = -1;
        Font small_width_font;
        if(f.capitals) {
            CharacterFormat& s = lines.hformat.Add(p.format);
            s.font.Height(4 * font.GetHeight() / 5);
            small_width_font = WidthFont(s.font, f.script);
            small_kind = AddKind(MeasuresOf(s.font), &s);
        }
        for(int c : p.text) {
            if(c == '\t') {
                if(tab_kind < 0)
                    tab_kind = AddKind(tab, &f);
                Add(c, 0, tab_kind);
            }
            else if(small_kind >= 0 && IsLowerCaseLetter(c)) {
                int capital = CapitalCaseChar(c);
                Add(capital, capital < 32 ? 0 : small_width_font.GetCharWidth(capital), small_kind);
            }
            else
                Add(c, c < 32 ? 0 : width_font.GetCharWidth(c), kind);
            textpos += step;
        }
    }

    void AddObject(const ParagraphPart& p, int step)
    {
        const CharacterFormat& f = lines.hformat.Add(p.format);
        const EmbeddedObject& o = lines.object.Add(p.object);
        Size sz = o.GetSize();
        int ydelta = o.GetYDelta();
        int kind = AddKind({ ClampInt((int64)sz.cy - ydelta), ydelta > 0 ? ydelta : 0, 0 }, &f);
        lines.kinds[kind].metrics.ydelta = ydelta;
        lines.kinds[kind].metrics.object = &o;
        Add('x', sz.cx, kind);
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
    lines.kind_of.SetCount(n);
    CharacterAdder adder{ lines, MeasuresOf(p.format.font) };
    adder.AddParts(p.part, 1, true);
    QOR_ASSERT(adder.n == n);
}

} // namespace Qor
