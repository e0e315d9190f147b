// Format assignment, tab-stop comparison and paragraph numbering.

#include "richtext/model/formats.h"

#include "foundation/values/number_text.h"

namespace Qor {

void CharacterFormat::Assign(const CharacterFormat& f)
{
    if(this != &f)
        *this = f;
}

void ParagraphFormat::Assign(const ParagraphFormat& f)
{
    if(this != &f)
        *this = f;
}

void NumberingCounters::Clear()
{
    for(int& c : n)
        c = 0;
}

bool TabStopsEqual(const Vector<TabStop>& a, const Vector<TabStop>& b)
{
    if(a.GetCount() != b.GetCount())
        return false;
    for(int i = 0; i < a.GetCount(); i++)
        if(a[i].pos != b[i].pos || a[i].align != b[i].align || a[i].fillchar != b[i].fillchar)
            return false;
    return true;
}

bool ParagraphNumbering::Differs(const ParagraphNumbering& b) const
{
    if(before_number != b.before_number || after_number != b.after_number || reset_numbering != b.reset_numbering)
        return true;
    for(int i = 0; i < 8; i++)
        if(number[i] != b.number[i])
            return true;
    return false;
}

int ParagraphNumbering::DeepestLevel() const
{
    for(int i = 7; i >= 0; i--)
        if(number[i])
            return i;
    return -1;
}

bool ParagraphNumbering::IsNumbered() const
{
    return !before_number.IsEmpty() || !after_number.IsEmpty() || DeepestLevel() >= 0;
}

int ParagraphNumbering::GetLevel() const
{
    int d = DeepestLevel();
    if(d >= 0)
        return d + 1;
    return before_number.IsEmpty() && after_number.IsEmpty() ? -1 : 0;
}

void ParagraphNumbering::ResetCounters(NumberingCounters& c) const
{
    if(!reset_numbering)
        return;
    int d = DeepestLevel();
    c[d >= 0 ? d : 0] = 0;
}

void ParagraphNumbering::AdvanceCounters(NumberingCounters& c) const
{
    int d = DeepestLevel();
    if(d < 0)
        return;
    c[d]++;
    for(int i = d + 1; i < 8; i++)
        c[i] = 0;
}

String ParagraphNumbering::FormatNumber(const NumberingCounters& c) const
{
    String text;
    for(int i = 0; i < 8; i++) {
        if(!number[i])
            continue;
        if(!text.IsEmpty())
            text += '.';
        switch(number[i]) {
        case DECIMAL:
            text += IntToText(c[i]);
            break;
        case DECIMAL_FROM_ZERO:
            text += IntToText(c[i] - 1);
            break;
        case SMALL_LETTERS:
            text += IntToLetters(c[i], false);
            break;
        case CAPITAL_LETTERS:
            text += IntToLetters(c[i], true);
            break;
        case SMALL_ROMAN:
            text += IntToRoman(c[i], false);
            break;
        case CAPITAL_ROMAN:
            text += IntToRoman(c[i], true);
            break;
        default:
            break;
        }
    }
    return before_number + text + after_number;
}

} // namespace Qor
