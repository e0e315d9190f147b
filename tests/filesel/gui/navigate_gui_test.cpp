// Moving between folders, making a folder and renaming on a real X server: up with '.'
// and Ctrl+Up (the folder left under the cursor), in by a double click and by a typed
// name, F7 for a new folder, F6 and the in-place editor for a rename that never replaces
// an entry nor moves it out of the folder.
#include "tests/filesel/gui/selector_fixture.h"

#include "tests/support/printers.h"

#include <fstream>
#include <optional>
#include <sstream>

namespace {

using namespace Qor;
using namespace QorTest;

using NavigateGuiTest = SelectorTest;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(NavigateGuiTest, UpWithDotAndCtrlUpLeavesTheCursorOnTheFolderLeft)
{
    MakeFolder("alpha");
    MakeFolder("alpha/beta");
    MakeFolder("alpha/gamma");
    MakeFile("alpha/zeta.txt");
    MakeFolder("omega");
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, PathOf("alpha/gamma")));
    fs.list.SetFocus();
    TypeText(".");
    ASSERT_TRUE(PumpUntil([&] { return fs.dir.GetValue() == PathOf("alpha"); }));
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "beta", "gamma", "zeta.txt" }));
    EXPECT_EQ(CursorName(fs), "gamma");

    // From the file field, where '.' is part of a name, Ctrl+Up goes up and moves the
    // focus to the list first, so the cursor lands on the folder left there too.
    fs.file.SetFocus();
    TypeKey(XK_Up, { XK_Control_L });
    ASSERT_TRUE(PumpUntil([&] { return fs.dir.GetValue() == Folder(); }));
    EXPECT_TRUE(fs.list.HasFocus());
    EXPECT_EQ(CursorName(fs), "alpha");
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "alpha", "omega" }));

    // Nothing is above the root folder: '.' leaves it listed.
    fs.SetFolder("/");
    EXPECT_FALSE(fs.dirup.IsEnabled());
    fs.list.SetFocus();
    TypeText(".");
    PumpFor(100);
    EXPECT_EQ(fs.dir.GetValue(), Value("/"));
    EXPECT_GT(fs.list.GetCount(), 1);
}

TEST_F(NavigateGuiTest, IntoAFolderByDoubleClickAndByTypedName)
{
    MakeFolder("docs");
    MakeFile("docs/letter.txt");
    MakeFolder("pics");
    MakeFile("pics/cat.png");
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    Point p = EntryPoint(fs, FindListed(fs, "docs"));
    Click(GetHostWindow(fs), p);
    Click(GetHostWindow(fs), p);
    ASSERT_TRUE(PumpUntil([&] { return fs.dir.GetValue() == PathOf("docs"); }));
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "letter.txt" }));

    fs.SetFolder(Folder());
    fs.file.SetFocus();
    TypeText("pics\n");
    ASSERT_TRUE(PumpUntil([&] { return fs.dir.GetValue() == PathOf("pics"); }));
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "cat.png" }));
    EXPECT_TRUE(fs.IsOpen()) << "entering a folder accepts nothing";

    // ".." typed into the file field goes up.
    fs.file.SetFocus();
    TypeText("..\n");
    ASSERT_TRUE(PumpUntil([&] { return fs.dir.GetValue() == Folder(); }));
}

TEST_F(NavigateGuiTest, NewFolderIsMadeAndPutUnderTheCursor)
{
    MakeFolder("existing");
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    fs.list.SetFocus();
    {
        DialogScript<TextInputDialog> input([](TextInputDialog&) { TypeText("Fresh folder\n"); });
        TypeKey(XK_F7);
        ASSERT_TRUE(PumpUntil([&] { return CursorName(fs) == "Fresh folder"; }, 10000));
        EXPECT_TRUE(input.Ran());
    }
    EXPECT_TRUE(Exists("Fresh folder"));
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "existing", "Fresh folder" }));

    // A name that exists is reported with the system's reason; the listing stays.
    PromptSeen seen;
    std::optional<PromptAnswer> answer;
    DialogScript<TextInputDialog> input([&](TextInputDialog&) {
        answer.emplace(seen, "OK");
        TypeText("existing\n");
    });
    fs.list.SetFocus();
    TypeKey(XK_F7);
    ASSERT_TRUE(PumpUntil([&] { return seen.ran; }, 10000));
    PumpFor(50);
    EXPECT_NE(seen.text.find("Creating directory failed"), std::string::npos) << seen.text;
    EXPECT_NE(seen.text.find("File exists"), std::string::npos) << seen.text;
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "existing", "Fresh folder" }));
}

TEST_F(NavigateGuiTest, RenameInPlace)
{
    MakeFile("draft.txt", 3);
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    Click(GetHostWindow(fs), EntryPoint(fs, FindListed(fs, "draft.txt")));
    ASSERT_TRUE(PumpUntil([&] { return CursorName(fs) == "draft.txt"; }));
    TypeKey(XK_F6);
    ASSERT_TRUE(PumpUntil([&] { return fs.list.IsRenaming(); }));
    // The part before the extension is selected: typing replaces it.
    TypeText("final\n");
    ASSERT_TRUE(PumpUntil([&] { return CursorName(fs) == "final.txt"; }));
    EXPECT_FALSE(Exists("draft.txt"));
    EXPECT_EQ(ReadFile(dir.Path("final.txt")), "xxx");
    EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "final.txt" }));
}

TEST_F(NavigateGuiTest, RenameNeverReplacesAnEntryNorLeavesTheFolder)
{
    MakeFile("a.txt", 1);
    MakeFile("b.txt", 2);
    MakeFolder("sub");
    struct Case {
        const char* typed; // replaces the "a" before ".txt"
        const char* message;
    } cases[] = {
        { "b", "already exists" },
        { "sub/a", "must not contain" },
        { "../a", "must not contain" },
    };
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    for(const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        fs.Reload();
        Click(GetHostWindow(fs), EntryPoint(fs, FindListed(fs, "a.txt")));
        ASSERT_TRUE(PumpUntil([&] { return CursorName(fs) == "a.txt"; }));
        TypeKey(XK_F6);
        ASSERT_TRUE(PumpUntil([&] { return fs.list.IsRenaming(); }));
        PromptSeen seen;
        PromptAnswer answer(seen, "OK");
        TypeText(c.typed);
        TypeKey(XK_Return);
        ASSERT_TRUE(PumpUntil([&] { return seen.ran; }, 10000));
        PumpFor(50);
        EXPECT_NE(seen.text.find("Renaming of file failed"), std::string::npos) << seen.text;
        EXPECT_NE(seen.text.find(c.message), std::string::npos) << seen.text;
        EXPECT_EQ(ReadFile(dir.Path("a.txt")), "x");
        EXPECT_EQ(ReadFile(dir.Path("b.txt")), "xx");
        EXPECT_FALSE(Exists("sub/a.txt"));
        EXPECT_FALSE(Exists("../a.txt"));
    }
}

} // namespace
