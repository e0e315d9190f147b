// Looking an entry up by its exact name: wildcards in a name are ordinary characters
// and case counts, so no other entry's information is taken.
#include "filesel/folder/entry_lookup.h"

#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <unistd.h>

namespace {

using namespace Qor;

void WriteFile(const std::string& path, size_t size) { std::ofstream(path) << std::string(size, 'x'); }

TEST(ExactEntry, WildcardsAndCaseAreTakenLiterally)
{
    TempFolder dir;
    // Listed first by most file systems or not: the lookup must not depend on the order.
    ASSERT_EQ(mkdir(dir.Path("aXb").c_str(), 0755), 0);
    WriteFile(dir.Path("a*b"), 3);
    WriteFile(dir.Path("a?c"), 5);
    WriteFile(dir.Path("x*."), 7);
    WriteFile(dir.Path("README"), 11);
    FileSystemInfo& fs = StandardFileSystem();

    struct Case {
        const char* name;
        bool found;
        bool directory;
        int64 length;
    } cases[] = {
        { "a*b", true, false, 3 }, { "aXb", true, true, 0 },      { "a?c", true, false, 5 },
        { "x*.", true, false, 7 }, { "README", true, false, 11 }, { "readme", false, false, 0 },
        { "a*", false, false, 0 }, { "*", false, false, 0 },      { "a?b", false, false, 0 },
    };
    for(const Case& c : cases) {
        FileSystemEntry e;
        bool found = FindExactEntry(fs, (dir.Path() + "/" + c.name).c_str(), e);
        EXPECT_EQ(found, c.found) << c.name;
        if(found && c.found) {
            EXPECT_EQ(e.name, c.name);
            EXPECT_EQ(e.is_directory, c.directory) << c.name;
            if(!c.directory) {
                EXPECT_EQ(e.length, c.length) << c.name;
            }
        }
    }
}

TEST(ExactEntry, AFolderPathNamesTheFolderItself)
{
    TempFolder dir;
    ASSERT_EQ(mkdir(dir.Path("sub").c_str(), 0755), 0);
    FileSystemInfo& fs = StandardFileSystem();
    FileSystemEntry e;
    ASSERT_TRUE(FindExactEntry(fs, (dir.Path() + "/sub/").c_str(), e));
    EXPECT_EQ(e.name, "sub");
    EXPECT_TRUE(e.is_directory);
    ASSERT_TRUE(FindExactEntry(fs, (dir.Path() + "/sub/..").c_str(), e));
    EXPECT_TRUE(e.is_directory);
    ASSERT_TRUE(FindExactEntry(fs, "/", e));
    EXPECT_EQ(e.name, "/");
    EXPECT_FALSE(FindExactEntry(fs, (dir.Path() + "/missing/x").c_str(), e));
}

} // namespace
