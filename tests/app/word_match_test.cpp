// The match types over criterion and key forms, "*" included.
#include "app/word_match.h"

#include <gtest/gtest.h>

using namespace Qor;

namespace {

bool Hit(int type, const char* shown_term, const char* criterion_field)
{
    return IsMatch(type, MatchKey(shown_term, type), MatchCriterion(criterion_field));
}

} // namespace

TEST(WordMatch, Captions)
{
    EXPECT_STREQ(MatchTypeCaption(0), "Contains");
    EXPECT_STREQ(MatchTypeCaption(1), "Starts With");
    EXPECT_STREQ(MatchTypeCaption(2), "Exact Match");
    EXPECT_STREQ(MatchTypeCaption(3), "Soundex");
    EXPECT_STREQ(MatchTypeCaption(7), "Contains");
}

TEST(WordMatch, CriterionForm)
{
    EXPECT_EQ(MatchCriterion("  ROB "), String("rob"));
    EXPECT_EQ(MatchCriterion("\t\xc3\x89t\xc3\x89\n"), String("\xc3\xa9t\xc3\xa9"));
}

TEST(WordMatch, Table)
{
    const struct { int type; const char* term; const char* criterion; bool hit; } cases[] = {
        { MATCH_CONTAINS, "Robert", "  ROB ", true },
        { MATCH_CONTAINS, "De La Mare", "de la", true },
        { MATCH_CONTAINS, "Apple", "*", true },
        { MATCH_CONTAINS, "Apple", "pp", true },
        { MATCH_CONTAINS, "Apple", "ppx", false },
        { 9, "Apple", "*", true }, // unknown types run "Contains"
        { MATCH_STARTS_WITH, "Apple", "app", true },
        { MATCH_STARTS_WITH, "Apple", "apple pie", false },
        { MATCH_STARTS_WITH, " Abc", "ab", false }, // the key keeps its leading space
        { MATCH_STARTS_WITH, "Apple", "*", false },
        { MATCH_STARTS_WITH, "*Star", "*", true },
        { MATCH_EXACT, "Abc ", "abc", true },       // outer white space of the key is stripped
        { MATCH_EXACT, "Abc", "ab", false },
        { MATCH_EXACT, "Apple", "*", false },
        { MATCH_EXACT, "*", "*", true },
        { MATCH_SOUNDEX, "Robert", "rupert", true },
        { MATCH_SOUNDEX, "Smith", "Smyth", true },
        { MATCH_SOUNDEX, "Robert", "smith", false },
        { MATCH_SOUNDEX, "Apple", "*", false },
    };
    for(const auto& c : cases)
        EXPECT_EQ(Hit(c.type, c.term, c.criterion), c.hit)
            << c.type << " '" << c.term << "' '" << c.criterion << "'";
}
