// One folder up on the folder text, absolute and relative to a base folder.
#include "filesel/navigate/directory_up.h"

#include "tests/support/printers.h"

namespace {

using namespace Qor;

TEST(DirectoryUp, ShortensByTheLastComponent)
{
    struct Case {
        const char* folder;
        bool relative;
        const char* up;
        const char* name;
    } cases[] = {
        { "/home/user/", false, "/home", "user" },
        { "/home/user//", false, "/home", "user" },
        { "/home", false, "/", "home" },
        { "/", false, "", "" },
        { "", false, "", "" },
        { "docs/letters", false, "docs/letters", "" },
        { "//server/share", false, "//server/share", "" },
        { "docs/letters", true, "docs", "letters" },
        { "docs/", true, "", "" },
        { "docs", true, "", "" },
        { "", true, "", "" },
    };
    for(const Case& c : cases) {
        String folder = c.folder;
        String name = DirectoryUp(folder, c.relative);
        EXPECT_EQ(folder, c.up) << c.folder << (c.relative ? " relative" : "");
        EXPECT_EQ(name, c.name) << c.folder << (c.relative ? " relative" : "");
    }
}

} // namespace
