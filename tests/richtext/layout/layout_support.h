// Paragraphs and font measures for the layout and painting tests: expected values come from
// the font's own advances and metrics, never from numbers of one machine's fonts.
#pragma once

#include "draw/font/font_metrics.h"
#include "richtext/layout/paragraph_lines.h"
#include "richtext/model/paragraph.h"

namespace QorTest {

inline Qor::Font TestFont(int height = 100) { return Qor::Font(Qor::Font::SANSSERIF, height); }

// The sum of the advances of a text in a font.
inline int Advance(const char16_t* text, Qor::Font font = TestFont())
{
    int w = 0;
    for(; *text; text++)
        w += font.GetCharWidth(*text);
    return w;
}

inline int FontHeight(Qor::Font font = TestFont())
{
    const Qor::FontMetrics& m = font.GetMetrics();
    return m.ascent + m.descent + m.external_leading;
}

// A paragraph of one text run in the test font (also its own font).
inline Qor::UnpackedParagraph Para(const char16_t* text, const Qor::ParagraphFormat& format = Qor::ParagraphFormat())
{
    Qor::UnpackedParagraph p;
    p.format = format;
    p.format.font = TestFont();
    Qor::CharacterFormat f;
    f.font = TestFont();
    if(*text)
        p.CatText(Qor::WString(text), f);
    return p;
}

// The characters of line i as text.
inline std::u16string LineText(const Qor::ParagraphLines& l, int i)
{
    std::u16string s;
    for(int q = l[i].start; q < l[i].start + l[i].count; q++)
        s += (char16_t)l.text[q];
    return s;
}

} // namespace QorTest
