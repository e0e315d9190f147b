// Match predicates: all compare bytes of lower-cased UTF-8, never characters.
#include "app/word_match.h"

#include "foundation/charset.h"

#include <cstring>

using namespace Qor;

const char* MatchTypeCaption(int type)
{
    switch(type) {
    case MATCH_STARTS_WITH: return "Starts With";
    case MATCH_EXACT: return "Exact Match";
    case MATCH_SOUNDEX: return "Soundex";
    default: return "Contains";
    }
}

String MatchCriterion(const String& text)
{
    return LowerCaseText(StripOuterSpace(text));
}

String MatchKey(const String& shown_term, int type)
{
    String key = LowerCaseText(shown_term);
    return type == MATCH_EXACT || type == MATCH_SOUNDEX ? StripOuterSpace(key) : key;
}

bool IsMatch(int type, const String& key, const String& criterion)
{
    switch(type) {
    case MATCH_STARTS_WITH:
        return criterion.GetLength() <= key.GetLength()
               && std::memcmp(key.Begin(), criterion.Begin(), criterion.GetLength()) == 0;
    case MATCH_EXACT:
        return StripOuterSpace(key) == criterion;
    case MATCH_SOUNDEX:
        return Soundex(criterion) == Soundex(StripOuterSpace(key));
    default:
        return criterion == "*" || key.Find(criterion.Begin()) >= 0;
    }
}
