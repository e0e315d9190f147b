// The glob files' extension map: which lines map what, the first mapping winning, and the
// system's own MIME database.
#include "filesel/icons/mime_globs.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace Qor;

namespace {

std::string WriteGlobs(const TempFolder& folder, const char* name, const std::string& text)
{
    std::string path = folder.Path(name);
    std::ofstream(path) << text;
    return path;
}

std::string TypeOf(const MimeGlobMap& map, const char* ext)
{
    String major, subtype;
    if(!map.Find(ext, major, subtype))
        return "none";
    return std::string(major.Begin()) + "/" + subtype.Begin();
}

} // namespace

TEST(MimeGlobsTest, LinesMapTheExtensionAfterStarDotOrNothing)
{
    TempFolder folder;
    MimeGlobMap map;
    map.ParseGlobFile(WriteGlobs(folder, "globs",
                                 "# comment: text/x-comment:*.cmt\n"
                                 "   # indented comment text/x-indent:*.ind\n"
                                 "text/plain:*.txt\n"
                                 "  image/png:*.png   \n"
                                 "application/x-compressed-tar:*.tar.gz\n"
                                 "text/x-makefile:Makefile\n"
                                 "50:text/x-weighted:*.wgt\n"
                                 "noslash:*.nos\n"
                                 "text/x-empty:*.\n"
                                 "no colon at all *.nc\n"
                                 "image/jpeg:*.jpg\n")
                          .c_str());
    struct Case {
        const char* ext;
        const char* type;
    } cases[] = {
        { "txt", "text/plain" },
        { "png", "image/png" }, // blanks around the line are stripped
        { "tar.gz", "application/x-compressed-tar" },
        { "gz", "none" },
        { "cmt", "none" },      // comment
        { "ind", "none" },      // comment after blanks
        { "Makefile", "none" }, // a plain file name is no extension
        { "wgt", "none" },      // "50" is read as the type, which has no '/'
        { "nos", "none" },
        { "", "none" },
        { "nc", "none" },
        { "jpg", "image/jpeg" },
        { "TXT", "none" }, // case is kept
    };
    for(const Case& c : cases)
        EXPECT_EQ(TypeOf(map, c.ext), c.type) << c.ext;
    EXPECT_EQ(map.extensions.GetCount(), 4);
    // The majors and subtypes are shared, in first-seen order.
    EXPECT_EQ(map.majors.GetCount(), 3);
    EXPECT_EQ(std::string(map.majors[1].Begin()), "image");
    EXPECT_EQ(map.typecodes[3], 1 * 65536 + 3); // jpg: image, jpeg
}

TEST(MimeGlobsTest, TheFirstMappingOfAnExtensionWinsAcrossFiles)
{
    TempFolder folder;
    MimeGlobMap map;
    map.ParseGlobFile(WriteGlobs(folder, "local", "text/plain:*.txt\ntext/plain:*.text\n").c_str());
    map.ParseGlobFile(
        WriteGlobs(folder, "system", "text/x-other:*.txt\ntext/x-log:*.log\ntext/x-again:*.log\n").c_str());
    EXPECT_EQ(TypeOf(map, "txt"), "text/plain");
    EXPECT_EQ(TypeOf(map, "log"), "text/x-log");
    EXPECT_EQ(map.extensions.GetCount(), 3);
}

TEST(MimeGlobsTest, AMissingFileAddsNothing)
{
    MimeGlobMap map;
    map.ParseGlobFile("/nonexistent/qor/globs");
    EXPECT_EQ(map.extensions.GetCount(), 0);
    EXPECT_EQ(TypeOf(map, "txt"), "none");
}

TEST(MimeGlobsTest, TheSystemDatabaseIsRead)
{
    MimeGlobMap map;
    map.extensions.Add("stale");
    map.typecodes.Add(0);
    LoadMimeGlobs(map);
    EXPECT_EQ(map.extensions.Find("stale"), -1);
    ASSERT_GT(map.extensions.GetCount(), 100) << "is shared-mime-info installed (/usr/share/mime/globs)?";
    EXPECT_EQ(TypeOf(map, "png"), "image/png");
    EXPECT_EQ(TypeOf(map, "pdf"), "application/pdf");
    EXPECT_EQ(map.typecodes.GetCount(), map.extensions.GetCount());
}
