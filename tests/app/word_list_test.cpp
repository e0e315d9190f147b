// Cutting the word list into entries, and the compiled-in list itself.
#include "app/word_list.h"
#include "app/word_match.h"
#include "tests/app/packed_word_list.h"

#include "foundation/compression.h"
#include "foundation/mem_stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace Qor;

namespace {

String Entries(const String& text)
{
    String out;
    for(const WordEntry& e : ParseWordList(text)) {
        out += e.term;
        out += "=";
        out += e.meaning;
        out += ";";
    }
    return out;
}

} // namespace

TEST(WordList, LinesAndFields)
{
    const struct {
        const char* text;
        const char* entries;
    } cases[] = {
        { "alpha|first letter\nbeta|second\n", "Alpha=first letter;Beta=second;" },
        { "a|b|c|d", "A=b;" },           // further fields are ignored
        { "a||b", "A=b;" },              // empty fields are dropped
        { "|b", "B=;" },                 // the term is the first non-empty field
        { "lonely", "Lonely=;" },        // a term without a meaning
        { "\n\n  \t\nx|y\n\n", "X=y;" }, // empty and blank lines are no entries
        { "|||\nx|y", "X=y;" },          // a line of bars has no term
        { "x|y\r\n", "X=y\r;" },         // CR is not a separator: it stays in the meaning
        { "o'neil|a|b\nx-ray|c\nde la cruz|d", "O'Neil=a;X-Ray=c;De La Cruz=d;" },
        { "x|  Mixed Case Kept  ", "X=  Mixed Case Kept  ;" }, // the meaning is stored as is
    };
    for(const auto& c : cases)
        EXPECT_EQ(Entries(c.text), String(c.entries)) << c.text;
}

TEST(WordList, CompiledListIsComplete)
{
    const WordListResource& list = CompiledWordList();
    ASSERT_EQ(list.block_count, 1);
    ASSERT_GE(list.lengths[0], 4);
    EXPECT_EQ(String((const char*)list.blocks[0], 4), String("BZh9"));

    Vector<WordEntry> entries = ReadWordList(list);
    EXPECT_EQ(entries.GetCount(), 2000);
    int without_meaning = 0, multi_word = 0, hyphen = 0, apostrophe = 0;
    for(const WordEntry& e : entries) {
        without_meaning += e.meaning.IsEmpty();
        multi_word += e.term.Find(' ') >= 0;
        hyphen += e.term.Find('-') >= 0;
        apostrophe += e.term.Find('\'') >= 0;
    }
    EXPECT_EQ(without_meaning, 1);
    EXPECT_GT(multi_word, 0);
    EXPECT_GT(hyphen, 0);
    EXPECT_GT(apostrophe, 0);
}

TEST(WordList, SearchesFindTheExercisingEntries)
{
    Vector<WordEntry> entries = ReadWordList(CompiledWordList());
    auto count = [&](int type, const char* criterion) {
        String c = MatchCriterion(criterion);
        int n = 0;
        for(const WordEntry& e : entries)
            n += IsMatch(type, MatchKey(e.term, type), c);
        return n;
    };
    EXPECT_EQ(count(MATCH_CONTAINS, "*"), 2000);
    EXPECT_EQ(count(MATCH_EXACT, "  ROBERT "), 1);
    EXPECT_GE(count(MATCH_SOUNDEX, "rupert"), 2); // Robert and Rupert
    EXPECT_EQ(count(MATCH_EXACT, "o'neill"), 1);
    EXPECT_EQ(count(MATCH_EXACT, "x-ray"), 1);
    EXPECT_GE(count(MATCH_STARTS_WITH, "de la"), 1);
}

TEST(WordList, DamagedBlockGivesTheEntriesBeforeTheDamage)
{
    // Block size 1 packs this list in three bzip2 blocks; the first survives alone.
    String text;
    for(int i = 0; i < 12000; i++) {
        char line[64];
        snprintf(line, sizeof line, "term%05d|meaning number %05d of the test list\n", i, i);
        text += line;
    }
    std::string packed = QorTest::PackBzip2(text, 1);
    const unsigned char* blocks[] = { (const unsigned char*)packed.data() };
    int lengths[] = { (int)packed.size() / 2 };
    Vector<WordEntry> entries = ReadWordList({ 1, lengths, blocks });
    ASSERT_GT(entries.GetCount(), 1000);
    ASSERT_LT(entries.GetCount(), 12000);
    // Every entry before the damage is whole and in order; the last may be cut short.
    for(int i = 0; i + 1 < entries.GetCount(); i++) {
        char term[16];
        snprintf(term, sizeof term, "Term%05d", i);
        ASSERT_EQ(entries[i].term, String(term));
    }
}

TEST(WordList, LinesKeepBlankOnesForCounting)
{
    // A search counts every line, blank ones included, and cuts each on its own.
    const WordListResource& list = CompiledWordList();
    Vector<String> lines = ReadWordListLines(list);
    EXPECT_EQ(lines.GetCount(), 2000);
    EXPECT_EQ(lines[0], String("a couple of|more than one but indefinitely small in number"));

    const struct {
        const char* line;
        const char* fields;
    } cases[] = {
        { "o'neil|a|b", "O'Neil/a/b/" }, { "|b", "B/" },  { "a||b", "A/b/" },
        { "lonely", "Lonely/" },         { " \t\r", "" }, { "|||", "" },
    };
    for(const auto& c : cases) {
        String got;
        for(const String& f : WordLineFields(c.line)) {
            got += f;
            got += "/";
        }
        EXPECT_EQ(got, String(c.fields)) << c.line;
    }
}
