// Typed file names: quoting a name for the file field, dropping a sole trailing dot,
// completing with the mask's or the default extension, and splitting a list of names.
#include "filesel/accept/file_names.h"

#include "tests/support/printers.h"

namespace {

using namespace Qor;

TEST(FileNames, AppendQuotesNamesWithSpaces)
{
    String text;
    AppendFileName(text, "a.txt");
    AppendFileName(text, "my notes.txt");
    AppendFileName(text, "b");
    EXPECT_EQ(text, "a.txt \"my notes.txt\" b");
}

TEST(FileNames, OnlyASoleTrailingDotIsDropped)
{
    const char* cases[][2] = { { "name.", "name" }, { ".", "" }, { "a.b.", "a.b." }, { "..", ".." },
                               { "name", "name" },  { "", "" },  { ".x", ".x" } };
    for(auto& c : cases)
        EXPECT_EQ(DropSoleTrailingDot(c[0]), c[1]) << c[0];
}

TEST(FileNames, CompletionTakesTheMaskOrTheDefaultExtension)
{
    struct Case {
        const char* typed;
        const char* mask;
        const char* defaultext;
        const char* result;
    } cases[] = {
        { "report", "*.txt", "", "report.txt" },
        { "report.", "*.txt", "", "report" },
        { "report.doc", "*.txt", "", "report.doc" },
        { "report", "*.tar.gz *.tgz", "", "report.tar" },
        { "report", "*.c++", "", "report.c" },
        { "report", "*", "txt", "report.txt" },
        { "report", "*", "", "report" },
        { "report", "*.*", "md", "report.md" }, // "*.*" gives no extension of its own
        { "report", "*.txt", "md", "report.txt" },
        // Quotes go first, so the completion lands inside the name.
        { "\"my notes\"", "*.txt", "", "my notes.txt" },
        { "\"my file.txt\"", "*.txt", "", "my file.txt" },
        { "\"a.\"", "*", "", "a" },
        { "\"\"", "*.txt", "", "" },
        { "\"open", "*", "", "\"open" }, // a lone quote is part of the name
        { "", "*.txt", "", "" },
    };
    for(const Case& c : cases)
        EXPECT_EQ(CompleteFileName(c.typed, c.mask, c.defaultext), c.result) << c.typed << " / " << c.mask;
}

TEST(FileNames, SplittingKeepsQuotedSpaces)
{
    struct Case {
        const char* text;
        std::vector<std::string> names;
    } cases[] = {
        { "a b  c", { "a", "b", "c" } },
        { "\"my file.txt\" b", { "my file.txt", "b" } },
        { "x\"y z\"w", { "x", "y z", "w" } },
        { "a \"rest of it", { "a", "rest of it" } },
        { "\"\" a", { "a" } },
        { "", {} },
    };
    for(const Case& c : cases) {
        Vector<String> names = SplitFileNames(c.text);
        std::vector<std::string> got;
        for(const String& n : names)
            got.push_back(Std(n));
        EXPECT_EQ(got, c.names) << c.text;
    }
}

} // namespace
