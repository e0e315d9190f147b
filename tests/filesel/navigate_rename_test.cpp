// Renaming within the folder: never onto an existing entry, never out of the folder, and
// with both names converted to the system charset.
#include "filesel/navigate/rename_entry.h"

#include "foundation/charset.h"
#include "foundation/system_text.h"

#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace Qor;

void WriteFile(const std::string& path, const std::string& content) { std::ofstream(path) << content; }

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Exists(const std::string& path)
{
    struct stat s;
    return lstat(path.c_str(), &s) == 0;
}

TEST(RenameEntry, RenamesWithinTheFolder)
{
    TempFolder dir;
    WriteFile(dir.Path("old.txt"), "kept");
    String error;
    ASSERT_TRUE(RenameEntry(dir.Path().c_str(), "old.txt", "Grüße.txt", error)) << Std(error);
    EXPECT_FALSE(Exists(dir.Path("old.txt")));
    EXPECT_EQ(ReadFile(dir.Path("Grüße.txt")), "kept");
}

TEST(RenameEntry, NeverReplacesOrMovesAnEntry)
{
    TempFolder dir;
    WriteFile(dir.Path("a.txt"), "A");
    WriteFile(dir.Path("b.txt"), "B");
    ASSERT_EQ(mkdir(dir.Path("sub").c_str(), 0755), 0);
    ASSERT_EQ(symlink("/nonexistent/target", dir.Path("dangling").c_str()), 0);

    struct Case {
        const char* newname;
        const char* reason; // a piece of the error text
    } cases[] = {
        { "b.txt", "already exists" },
        { "sub", "already exists" },
        { "dangling", "already exists" },
        { "sub/a.txt", "\"/\"" },
        { "../a.txt", "\"/\"" },
        { "..", "\"..\"" },
        { ".", "\"..\"" },
        { "", "empty" },
    };
    for(const Case& c : cases) {
        String error;
        EXPECT_FALSE(RenameEntry(dir.Path().c_str(), "a.txt", c.newname, error)) << c.newname;
        EXPECT_NE(Std(error).find(c.reason), std::string::npos) << c.newname << ": " << Std(error);
        EXPECT_EQ(ReadFile(dir.Path("a.txt")), "A") << c.newname;
    }
    EXPECT_EQ(ReadFile(dir.Path("b.txt")), "B");
    EXPECT_FALSE(Exists(dir.Path("sub/a.txt")));
    EXPECT_TRUE(Exists(dir.Path("dangling")));
}

TEST(RenameEntry, AMissingEntryReportsTheSystemsReason)
{
    TempFolder dir;
    String error;
    EXPECT_FALSE(RenameEntry(dir.Path().c_str(), "missing", "new", error));
    EXPECT_EQ(error, SystemErrorText(ENOENT));
}

TEST(RenameEntry, BothNamesGoToTheSystemCharset)
{
    TempFolder dir;
    // "é" on disk in Latin-1 is the one byte 0xE9.
    WriteFile(dir.Path("caf\xE9"), "latin");
    SetSystemCharset(FindCharset("iso8859-1"));
    SetSystemTextActive(true);
    String error;
    bool ok = RenameEntry(dir.Path().c_str(), "café", "thé", error);
    SetSystemTextActive(false);
    SetSystemCharset(-1);
    ASSERT_TRUE(ok) << Std(error);
    EXPECT_EQ(ReadFile(dir.Path("th\xE9")), "latin");
    EXPECT_FALSE(Exists(dir.Path("thé")));
}

} // namespace
