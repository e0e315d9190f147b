// Search runs into a result list, without a window: the rows they write and what they tell
// the progress display.
#include "app/lookup_search.h"
#include "app/word_match.h"
#include "tests/app/packed_word_list.h"

#include "foundation/values/value.h"

#include <gtest/gtest.h>

#include <string>

using namespace Qor;
using namespace QorTest;

namespace {

class ProgressLog : public SearchProgress {
public:
    std::string log;
    void Open() override { log += "open;"; }
    void Set(int pos, int total) override { log += std::to_string(pos) + "/" + std::to_string(total) + ";"; }
    void TakeFocus() override { log += "focus;"; }
    void Close() override { log += "close;"; }
};

// A list shaped like the lookup window's: the row number, then the term and the meaning.
class SearchRun : public ::testing::Test {
protected:
    SearchRun()
    {
        list.AddRowNumberColumn("", 16);
        list.AddColumn("Word", 300);
        list.AddColumn("Meaning", 600);
    }

    // Each row as "term=meaning", Null shown as "-".
    std::string Rows() const
    {
        std::string out;
        for(int r = 0; r < list.GetCount(); r++)
            for(int i = 0; i < 2; i++) {
                Value v = list.Get(r, i);
                out += v.IsNull() ? std::string("-") : std::string(v.ToString().Begin());
                out += i ? ";" : "=";
            }
        return out;
    }

    ArrayCtrl list;
    ProgressLog progress;
    int rows_found = 0;
};

// Five lines, the second blank, the third with a field too many, the fourth without meaning.
const char* const SAMPLE = "alpha|first\n  \t\nbeta|second|third\ngamma\nalphabet|letters\n";

TEST_F(SearchRun, HitsFillRowsInListOrderAndTheBarCountsHits)
{
    PackedWordList words(SAMPLE);
    RunMatchSearch(list, progress, words.Get(), 0, MATCH_CONTAINS, "  ALPH ", rows_found);
    EXPECT_EQ(Rows(), "Alpha=first;Alphabet=letters;");
    EXPECT_EQ(rows_found, 2);
    EXPECT_EQ(progress.log, "open;0/5;focus;1/5;focus;1/5;focus;1/5;focus;1/5;focus;close;");
}

TEST_F(SearchRun, EachMatchTypeAndTheStar)
{
    PackedWordList words(SAMPLE);
    const struct {
        int type;
        const char* criterion;
        const char* rows;
    } cases[] = {
        { MATCH_CONTAINS, "*", "Alpha=first;Beta=second;Gamma=-;Alphabet=letters;" },
        { MATCH_CONTAINS, "ta", "Beta=second;" },
        { MATCH_STARTS_WITH, "alpha", "Alpha=first;Alphabet=letters;" },
        { MATCH_STARTS_WITH, "*", "" },
        { MATCH_EXACT, "GAMMA", "Gamma=-;" },
        { MATCH_EXACT, "*", "" },
        { MATCH_SOUNDEX, "betta", "Beta=second;" },
        { MATCH_CONTAINS, "nothing", "" },
    };
    for(const auto& c : cases) {
        list.SetCount(0);
        rows_found = 0;
        RunMatchSearch(list, progress, words.Get(), 0, c.type, c.criterion, rows_found);
        EXPECT_EQ(Rows(), c.rows) << c.type << " " << c.criterion;
        EXPECT_EQ(rows_found, list.GetCount()) << c.type << " " << c.criterion;
    }
}

TEST_F(SearchRun, HitsStartAtTheRowsAlreadyFound)
{
    PackedWordList words(SAMPLE);
    rows_found = 1;
    RunMatchSearch(list, progress, words.Get(), 0, MATCH_EXACT, "beta", rows_found);
    EXPECT_EQ(Rows(), "-=-;Beta=second;");
    EXPECT_EQ(rows_found, 2);
    EXPECT_EQ(progress.log.substr(0, 11), "open;1/5;fo");
}

TEST_F(SearchRun, OnlyFieldsWithAColumnAreStored)
{
    ArrayCtrl narrow;
    narrow.AddRowNumberColumn("", 16);
    narrow.AddColumn("Word", 300);
    PackedWordList words(SAMPLE);
    RunMatchSearch(narrow, progress, words.Get(), 0, MATCH_EXACT, "beta", rows_found);
    ASSERT_EQ(narrow.GetCount(), 1);
    EXPECT_EQ(narrow.Get(0, 0), Value(String("Beta")));
    EXPECT_EQ(narrow.GetIndexCount(), 1);
}

TEST_F(SearchRun, ListAllPutsEachEntryAtItsLineNumber)
{
    PackedWordList words(SAMPLE);
    RunListAll(list, progress, words.Get(), LIST_ALL_TOTAL);
    // The blank second line leaves its row empty.
    EXPECT_EQ(Rows(), "Alpha=first;-=-;Beta=second;Gamma=-;Alphabet=letters;");
    EXPECT_EQ(progress.log, "open;0/64000;focus;0/64000;1/64000;2/64000;3/64000;4/64000;close;");
    EXPECT_EQ(rows_found, 0);
}

TEST_F(SearchRun, CompiledListAllThenContainsStarWritesEveryEntryOnce)
{
    const WordListResource& words = CompiledWordList();
    RunListAll(list, progress, words, LIST_ALL_TOTAL);
    ASSERT_EQ(list.GetCount(), 2000);
    std::string after_list_all = Rows();
    RunMatchSearch(list, progress, words, 0, MATCH_CONTAINS, "*", rows_found);
    EXPECT_EQ(list.GetCount(), 2000);
    EXPECT_EQ(rows_found, 2000);
    EXPECT_EQ(Rows(), after_list_all);
    EXPECT_EQ(list.Get(0, 0), Value(String("A Couple Of")));
}

} // namespace
