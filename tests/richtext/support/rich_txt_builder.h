// Small part lists for tests: paragraphs of plain text stored against the default format.
#pragma once

#include "richtext/text/rich_txt.h"

#include <initializer_list>

namespace QorTest {

inline void AddParagraph(Qor::RichTxt& t, const char* text, const Qor::ParagraphFormat& f = Qor::ParagraphFormat())
{
    Qor::UnpackedParagraph p;
    p.format = f;
    if(*text)
        p.CatText(Qor::WString(text), f);
    t.SetParagraph(t.GetPartCount(), p, Qor::ParagraphFormat());
}

inline Qor::RichTxt Paragraphs(std::initializer_list<const char*> texts)
{
    Qor::RichTxt t;
    for(const char* text : texts)
        AddParagraph(t, text);
    return t;
}

} // namespace QorTest
