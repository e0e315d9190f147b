// The texts and orders of the file selector's listing: the size text, the search key of
// a name (case and accents ignored) and the two listing orders.
#include "filesel/folder/file_size.h"
#include "filesel/folder/name_order.h"
#include "filesel/folder/search_match.h"

#include "tests/support/printers.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace Qor;

TEST(FileSizeText, UnitsChangeAtFourDigitsAndTruncate)
{
    struct Case {
        int64 n;
        const char* text;
    } cases[] = {
        { 0, "0 B  " },
        { 9999, "9999 B  " },
        { 10000, "9 K  " },
        { 10239999, "9999 K  " },
        { 10240000, "9 M  " },
        { INT64_C(10239999999), "9765 M  " },
        { INT64_C(10240000000), "9 G  " },
        { INT64_C(5) << 40, "5120 G  " },
    };
    for(const Case& c : cases)
        EXPECT_EQ(FormatFileSize(c.n), c.text) << c.n;
}

FileSystemEntry Named(const char* name)
{
    FileSystemEntry e;
    e.name = name;
    return e;
}

TEST(SearchMatch, NamesAreDecodedAndReducedToCapitalAsciiLetters)
{
    EXPECT_EQ(SearchKeyOfName("Café au lait.txt"), "CAFE AU LAIT.TXT");
    EXPECT_EQ(SearchKeyOfName("Ærø-2.odt"), "ARO-2.ODT");
    EXPECT_EQ(SearchKeyOfName("Привет.txt"), ".TXT") << "letters without an ASCII base drop out";

    struct Case {
        const char* name;
        const char* search;
        bool match;
    } cases[] = {
        { "notes.txt", "", true },        { "Café.txt", "CAFE", true },  // é is two bytes: matched as the one letter E
        { "éTÉ", "ETE", true },                                          // lower- and upper-case accented letters alike
        { "Žluťoučký kůň", "KUN", true },                                // Latin Extended-A
        { "resume.pdf", "SUME.P", true }, { "Café.txt", "CAFA", false }, // what the bytes 0xC3 0xA9 would have given
        { "notes.txt", "NOTES2", false }, { "Привет.txt", "TXT", true },
    };
    for(const Case& c : cases)
        EXPECT_EQ(MatchesSearch(Named(c.name), c.search), c.match) << c.name << " / " << c.search;
}

struct Item {
    bool folder;
    std::string name;
};

std::vector<std::string> Sorted(std::vector<Item> items, bool (*less)(bool, const char*, bool, const char*))
{
    std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        return less(a.folder, a.name.c_str(), b.folder, b.name.c_str());
    });
    std::vector<std::string> names;
    for(const Item& i : items)
        names.push_back((i.folder ? "/" : "") + i.name);
    return names;
}

TEST(ListingOrder, FoldersFirstThenDotDotThenNamesWithoutCase)
{
    std::vector<Item> items = { { false, "beta" }, { true, "Zeta" }, { false, "Alpha" }, { true, "alpha" },
                                { false, ".." },   { true, ".." },   { false, "ALPHA2" } };
    EXPECT_EQ(Sorted(items, FileNameLess),
              (std::vector<std::string>{ "/..", "/alpha", "/Zeta", "..", "Alpha", "ALPHA2", "beta" }));
}

TEST(ListingOrder, ByExtensionThenName)
{
    std::vector<Item> items = { { false, "d.zip" }, { false, "c.txt" }, { false, "a.TXT" },    { false, "b" },
                                { true, "z.aaa" },  { true, "y" },      { false, ".profile" }, { false, "e.tar.gz" } };
    // .profile is all extension; the extension of e.tar.gz is .gz; folders sort by extension too.
    EXPECT_EQ(Sorted(items, FileExtensionLess),
              (std::vector<std::string>{ "/y", "/z.aaa", "b", "e.tar.gz", ".profile", "a.TXT", "c.txt", "d.zip" }));
}

} // namespace
