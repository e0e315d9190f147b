// The listing on a real X server: the information line (folder summary, the cursor entry
// found by its exact name) and the search typed while the list has the focus, which
// ignores case and accents.
#include "tests/filesel/gui/selector_fixture.h"

#include "draw/look/sys_colors.h"

#include "tests/support/printers.h"

#include <unistd.h>

namespace {

using namespace Qor;
using namespace QorTest;

using FolderGuiTest = SelectorTest;

TEST_F(FolderGuiTest, TheSummaryAddsOnlyKnownLengths)
{
    MakeFolder("one");
    MakeFolder("two");
    MakeFile("a.txt", 100);
    MakeFile("b.txt", 100);
    MakeFile("c.txt", 100);
    // A link to nothing has no status: its length is unknown.
    ASSERT_EQ(symlink("/nonexistent/target", dir.Path("dangling").c_str()), 0);
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "one", "two", "a.txt", "b.txt", "c.txt", "dangling" }));
    EXPECT_EQ(Shown(fs.filename), "  2 folder(s), 4 file(s)");
    EXPECT_EQ(Shown(fs.filesize), "300 B  ");
}

TEST_F(FolderGuiTest, AnEmptyFolderShowsZeroBytes)
{
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    EXPECT_EQ(Shown(fs.filename), "  ");
    EXPECT_EQ(Shown(fs.filesize), "0 B  ");
}

TEST_F(FolderGuiTest, TheCursorEntryIsLookedUpByItsExactName)
{
    // "d?ta" as a mask would find the folder "data" (and "D?TA" too).
    MakeFolder("data");
    MakeFile("d?ta", 5);
    MakeFile("D?TA", 9);
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    int i = FindListed(fs, "d?ta");
    ASSERT_GE(i, 0);
    Click(GetHostWindow(fs), EntryPoint(fs, i));
    ASSERT_TRUE(PumpUntil([&] { return CursorName(fs) == "d?ta"; }));
    EXPECT_EQ(Shown(fs.filename), "  d?ta");
    EXPECT_EQ(Shown(fs.filesize), "5 B  ");
    EXPECT_NE(Shown(fs.filetime), "");
    EXPECT_EQ(Std(fs.file.GetValue().GetString()), "d?ta") << "opening: the cursor file goes to the file field";

    Click(GetHostWindow(fs), EntryPoint(fs, FindListed(fs, "data")));
    ASSERT_TRUE(PumpUntil([&] { return CursorName(fs) == "data"; }));
    EXPECT_EQ(Shown(fs.filesize), "Directory  ");
}

TEST_F(FolderGuiTest, TypedSearchIgnoresCaseAndAccents)
{
    MakeFolder("Cafés");
    MakeFolder("Thé");
    MakeFile("Café crème.txt");
    MakeFile("cafe2.txt");
    MakeFile("tea.txt");
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    fs.list.SetFocus();
    TypeText("cafe");
    ASSERT_TRUE(PumpUntil([&] { return fs.search.GetValue().GetString() == "CAFE"; }))
        << Std(fs.search.GetValue().GetString());
    ASSERT_TRUE(PumpUntil([&] { return fs.list.GetCount() == 3; }));
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "Cafés", "cafe2.txt", "Café crème.txt" }));

    // Accents are ignored in the typed text as well: "crè" reaches the field as CRE.
    fs.search.SetValue(String());
    fs.Reload();
    fs.list.SetFocus();
    TypeText("creme");
    ASSERT_TRUE(PumpUntil([&] { return fs.list.GetCount() == 1; }));
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "Café crème.txt" }));
    for(int i = 0; i < 5; i++)
        TypeKey(XK_BackSpace);
    ASSERT_TRUE(PumpUntil([&] { return fs.list.GetCount() == 5; })) << "an empty search lists everything";
    EXPECT_EQ(Std(fs.search.GetValue().GetString()), "");
}

} // namespace

namespace {

using namespace Qor;
using namespace QorTest;

TEST_F(FolderGuiTest, AFolderThatCannotBeListedFallsBack)
{
    MakeFolder("here");
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, PathOf("here")));
    {
        PromptSeen seen;
        PromptAnswer answer(seen, "OK");
        fs.SetFolder(PathOf("gone"));
        EXPECT_TRUE(seen.ran);
        EXPECT_EQ(seen.text, "Unable to read the directory !\n\n" + dir.Path("gone") + "\n\nNo such file or directory");
    }
    EXPECT_EQ(fs.dir.GetValue(), Value(PathOf("here"))) << "back to the last folder listed";
    EXPECT_TRUE(fs.dirup.IsEnabled());

    // With no folder listed before, the root list stands in, with nothing above it.
    FileSel fresh;
    {
        PromptSeen seen;
        PromptAnswer answer(seen, "OK");
        fresh.SetFolder(PathOf("gone"));
        EXPECT_TRUE(seen.ran);
    }
    EXPECT_EQ(fresh.dir.GetValue().GetString(), "");
    EXPECT_EQ(ListedNames(fresh), (std::vector<std::string>{ "/" }));
    EXPECT_FALSE(fresh.dirup.IsEnabled());
    EXPECT_EQ(fresh.places.GetCursor(), -1);
}

} // namespace

namespace {

using namespace Qor;
using namespace QorTest;

TEST_F(FolderGuiTest, HiddenItemsSortChoiceAndFolderMode)
{
    MakeFolder(".cache");
    MakeFolder("zdir");
    MakeFile(".profile");
    MakeFile("b");
    MakeFile("a.TXT");
    MakeFile("c.txt");
    MakeFile("d.zip");
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "zdir", "a.TXT", "b", "c.txt", "d.zip" }));

    Click(GetHostWindow(fs), CtrlPoint(fs, fs.hiddenfiles));
    ASSERT_TRUE(PumpUntil([&] { return fs.list.GetCount() == 6; }));
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "zdir", ".profile", "a.TXT", "b", "c.txt", "d.zip" }))
        << "hidden files only";

    Click(GetHostWindow(fs), CtrlPoint(fs, fs.hidden));
    ASSERT_TRUE(PumpUntil([&] { return fs.list.GetCount() == 7; }));
    EXPECT_EQ(ListedNames(fs),
              (std::vector<std::string>{ ".cache", "zdir", ".profile", "a.TXT", "b", "c.txt", "d.zip" }));
    EXPECT_FALSE(fs.hiddenfiles.IsEnabled());

    fs.hidden.SetValue(0);
    fs.hiddenfiles.SetValue(0);
    fs.sortext.SetValue(1);
    fs.Reload();
    EXPECT_TRUE(fs.hiddenfiles.IsEnabled());
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "zdir", "b", "a.TXT", "c.txt", "d.zip" }))
        << "by extension, equal extensions by name";

    // Choosing a folder: files grey and by name whatever the sort choice.
    fs.mode = FileSel::MODE_FOLDER;
    fs.Reload();
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "zdir", "a.TXT", "b", "c.txt", "d.zip" }));
    EXPECT_EQ(fs.list.GetFile(1).ink, SysColorDisabled());
    EXPECT_EQ(fs.list.GetFile(0).ink, SysColorText());
}

} // namespace
