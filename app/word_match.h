// The four match types of a search and Lorvane's own phonetic code.
#pragma once

#include "foundation/string.h"

enum MatchType {
    MATCH_CONTAINS = 0,
    MATCH_STARTS_WITH = 1,
    MATCH_EXACT = 2,
    MATCH_SOUNDEX = 3,
};

// "Contains", "Starts With", "Exact Match", "Soundex".
const char* MatchTypeCaption(int type);

// The criterion as compared: outer white space stripped, then lower case.
Qor::String MatchCriterion(const Qor::String& text);

// The match key of a shown term: lower case; for "Exact Match" and "Soundex"
// also stripped of outer white space.
Qor::String MatchKey(const Qor::String& shown_term, int type);

// Whether an entry's match key matches the criterion under a match type; a type
// other than 1, 2 or 3 is "Contains", the only one where "*" matches everything.
bool IsMatch(int type, const Qor::String& key, const Qor::String& criterion);

// The phonetic code: the first byte as it is, then digits for the later bytes,
// padded with "0" and cut to four bytes; empty for a blank text.
Qor::String Soundex(const Qor::String& text);
