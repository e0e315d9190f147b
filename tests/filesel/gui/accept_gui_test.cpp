// Accepting on a real X server: saving under a new name completed from the type's mask,
// saving over an existing file (Cancel keeps the dialog, OK accepts), opening a missing
// name with and without the question, a typed mask that becomes a custom type, and
// names with wildcards or quotes taken exactly as typed.
#include "tests/filesel/gui/selector_fixture.h"

#include "draw/look/sys_colors.h"

#include "tests/support/printers.h"

#include <optional>

namespace {

using namespace Qor;
using namespace QorTest;

using AcceptGuiTest = SelectorTest;

std::vector<std::string> Result(const FileSel& fs)
{
    std::vector<std::string> names;
    for(const String& n : fs.result)
        names.push_back(Std(n));
    return names;
}

void UseTextType(FileSel& fs)
{
    fs.masks.Add("*.txt");
    fs.type.Add(0, "Text files");
    fs.type.SetValue(0);
}

TEST_F(AcceptGuiTest, SavingANewNameCompletesItFromTheTypesMask)
{
    struct Case {
        const char* typed;
        const char* result;
    } cases[] = {
        { "report", "report.txt" },
        { "report.", "report" },
        { "notes.md", "notes.md" },
        { "\"my notes\"", "my notes.txt" }, // the quotes go before the extension is added
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        FileSel fs;
        fs.mode = FileSel::MODE_SAVE;
        UseTextType(fs);
        fs.SetFolder(Folder());
        int code = RunSelector(fs, [&](FileSel& d) {
            d.file.SetFocus();
            TypeText(c.typed);
            TypeKey(XK_Return);
        });
        EXPECT_EQ(code, 1);
        EXPECT_EQ(Result(fs), (std::vector<std::string>{ c.result }));
    }
}

TEST_F(AcceptGuiTest, TheDefaultExtensionServesWhenTheMaskGivesNone)
{
    FileSel fs;
    fs.mode = FileSel::MODE_SAVE;
    fs.defaultext = "md";
    fs.SetFolder(Folder());
    int code = RunSelector(fs, [](FileSel& d) {
        d.file.SetFocus();
        TypeText("readme\n");
    });
    EXPECT_EQ(code, 1);
    EXPECT_EQ(Result(fs), (std::vector<std::string>{ "readme.md" }));
}

TEST_F(AcceptGuiTest, SavingOverAnExistingFileAsksFirst)
{
    MakeFile("taken.txt", 4);
    FileSel fs;
    fs.mode = FileSel::MODE_SAVE;
    fs.SetFolder(Folder());
    PromptSeen first, second;
    std::optional<PromptAnswer> cancel, ok;
    bool open_after_cancel = false;
    int code = RunSelector(fs, [&](FileSel& d) {
        cancel.emplace(first, "Cancel");
        d.file.SetFocus();
        TypeText("taken.txt\n");
        ASSERT_TRUE(PumpUntil([&] { return first.ran; }, 10000));
        PumpFor(50);
        open_after_cancel = d.IsOpen();
        ok.emplace(second, "OK");
        d.file.SetFocus();
        TypeKey(XK_Return);
    });
    EXPECT_TRUE(open_after_cancel);
    EXPECT_TRUE(second.ran);
    EXPECT_EQ(code, 1);
    std::string path = dir.Path("taken.txt");
    EXPECT_EQ(first.text, path + " already exists.\nDo you want to continue ?");
    EXPECT_EQ(Result(fs), (std::vector<std::string>{ "taken.txt" }));
}

TEST_F(AcceptGuiTest, OpeningAMissingNameAsksOnlyWithConfirmation)
{
    for(bool confirm : { true, false }) {
        SCOPED_TRACE(confirm ? "confirm" : "no confirm");
        FileSel fs;
        fs.confirm = confirm;
        fs.SetFolder(Folder());
        // Without confirmation a prompt would hold the run until its time limit.
        PromptSeen seen;
        std::optional<PromptAnswer> answer;
        if(confirm)
            answer.emplace(seen, "OK");
        int code = RunSelector(fs, [](FileSel& d) {
            d.file.SetFocus();
            TypeText("missing.txt\n");
        });
        EXPECT_EQ(code, 1);
        EXPECT_EQ(seen.ran, confirm);
        if(confirm) {
            EXPECT_EQ(seen.text, dir.Path("missing.txt") + " does not exist.\nDo you want to continue ?");
        }
        EXPECT_EQ(Result(fs), (std::vector<std::string>{ "missing.txt" }));
    }
}

TEST_F(AcceptGuiTest, ATypedMaskBecomesACustomType)
{
    MakeFile("main.c");
    MakeFile("main.h");
    MakeFolder("src");
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    for(int round = 1; round <= 2; round++) {
        fs.file.SetFocus();
        TypeText("*.c\n");
        ASSERT_TRUE(PumpUntil([&] { return fs.type.GetCount() == round; }));
        EXPECT_EQ(fs.type.GetValue(), Value("*.c"));
        EXPECT_EQ(fs.GetActiveMask(), "*.c");
        EXPECT_EQ(ListedNames(fs), (std::vector<std::string>{ "src", "main.c" })) << "folders are never masked";
        EXPECT_EQ(fs.file.GetText(), WString());
        EXPECT_TRUE(fs.IsOpen());
    }
    EXPECT_EQ(fs.type.GetKey(1), Value("*.c")) << "only the registered masks are searched, so it is added again";
}

TEST_F(AcceptGuiTest, NamesAreCheckedByTheirExactName)
{
    // As a mask "d?ta" would find any of these folders (whichever the folder lists first)
    // and refuse the name as a directory.
    MakeFile("d?ta", 1);
    for(const char* folder : { "data", "dbta", "DCTA", "d-ta", "d ta" })
        MakeFolder(folder);
    FileSel fs;
    fs.SetFolder(Folder());
    // A prompt ("is directory.") would hold the run until its limit.
    int code = RunSelector(fs, [](FileSel& d) {
        Point p = EntryPoint(d, FindListed(d, "d?ta"));
        Click(GetHostWindow(d), p);
        Click(GetHostWindow(d), p);
    });
    EXPECT_EQ(code, 1);
    EXPECT_EQ(Result(fs), (std::vector<std::string>{ "d?ta" }));
}

TEST_F(AcceptGuiTest, AFolderIsNeverAcceptedAsAFile)
{
    MakeFolder("box");
    FileSel fs;
    fs.SetFolder(Folder());
    PromptSeen seen;
    std::optional<PromptAnswer> answer;
    bool still_open = false;
    int code = RunSelector(fs, [&](FileSel& d) {
        answer.emplace(seen, "OK");
        d.file.SetFocus();
        TypeText("\"box\"\n");
        ASSERT_TRUE(PumpUntil([&] { return seen.ran; }, 10000));
        PumpFor(50);
        still_open = d.IsOpen();
        d.Break(2);
    });
    EXPECT_TRUE(still_open);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(seen.text, dir.Path("box") + " is directory.");
}

TEST_F(AcceptGuiTest, ATypedPathToAFileMovesToItsFolder)
{
    MakeFolder("deep");
    MakeFile("deep/found.txt", 2);
    FileSel fs;
    fs.SetFolder(Folder());
    std::string typed = dir.Path("deep/found.txt") + "\n";
    int code = RunSelector(fs, [&](FileSel& d) {
        d.file.SetFocus();
        TypeText(typed.c_str());
    });
    EXPECT_EQ(code, 1);
    EXPECT_EQ(fs.dir.GetValue(), Value(PathOf("deep")));
    EXPECT_EQ(Result(fs), (std::vector<std::string>{ "found.txt" }));
}

TEST_F(AcceptGuiTest, ChoosingAFolderReturnsTheCursorFolder)
{
    MakeFolder("inner");
    MakeFile("plain.txt");
    FileSel fs;
    fs.mode = FileSel::MODE_FOLDER;
    fs.SetFolder(Folder());
    EXPECT_EQ(fs.list.GetFile(FindListed(fs, "plain.txt")).ink, SysColorDisabled()) << "files are listed grey";
    int code = RunSelector(fs, [](FileSel& d) {
        Point p = EntryPoint(d, FindListed(d, "inner"));
        Click(GetHostWindow(d), p);
        PumpUntil([&] { return CursorName(d) == "inner"; });
        Click(GetHostWindow(d), CtrlPoint(d, d.ok));
    });
    EXPECT_EQ(code, 1);
    EXPECT_EQ(Result(fs), (std::vector<std::string>{ dir.Path("inner") }));
}

} // namespace
