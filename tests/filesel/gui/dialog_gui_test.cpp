// The file selector dialog on a private X server: its construction (children, panes, focus
// rules), the keys it takes from the focused control, and a user's round through it with
// XTest: typing a folder name, walking the list, double-clicking a folder, renaming with F6,
// accepting and cancelling.
#include "tests/filesel/gui/selector_fixture.h"

#include "tests/support/printers.h"

#include "ctrl/settings/layout_zoom.h"
#include "widgets/images/ctrl_img.h"

#include <X11/keysym.h>

#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

using DialogGui = SelectorTest;

std::string SearchText(const FileSel& fs) { return Std(fs.search.GetValue().GetString()); }
std::string FileText(const FileSel& fs) { return Std(String(fs.file.GetText())); }

TEST_F(DialogGui, TheConstructorBuildsEveryControlInTheLayoutsOrder)
{
    FileSel fs;
    std::vector<Ctrl*> expected = { &fs.sizegrip,  &fs.dv___0,      &fs.dir,           &fs.splitter,   &fs.filename,
                                    &fs.filesize,  &fs.filetime,    &fs.file_lbl,      &fs.file,       &fs.type_lbl,
                                    &fs.type,      &fs.search,      &fs.sort_lbl,      &fs.readonly,   &fs.ok,
                                    &fs.cancel,    &fs.dirup,       &fs.sortext,       &fs.hidden,     &fs.hiddenfiles,
                                    &fs.newfolder, &fs.selectfiles, &fs.unselectfiles, &fs.togglefiles };
    std::vector<Ctrl*> children;
    for(Ctrl* c = fs.GetFirstChild(); c; c = c->GetNext())
        children.push_back(c);
    EXPECT_EQ(children, expected);
    EXPECT_EQ(Std(fs.dir.GetInfoPart(4)), "dir");
    EXPECT_EQ(Std(fs.GetInfoPart(4)), "FileSelectorLayout");

    // The places list and the file list are the splitter's panes.
    std::vector<Ctrl*> panes;
    for(Ctrl* c = fs.splitter.GetFirstChild(); c; c = c->GetNext())
        panes.push_back(c);
    EXPECT_EQ(panes, (std::vector<Ctrl*>{ &fs.places, &fs.list }));

    for(Button* b : { &fs.dirup, &fs.newfolder, &fs.selectfiles, &fs.unselectfiles, &fs.togglefiles })
        EXPECT_FALSE(b->WantsFocus()) << "tool buttons never take the focus";
    EXPECT_FALSE(fs.places.WantsFocus());
    EXPECT_EQ(Std(fs.dirup.GetTipText()), "Dir up (Ctrl+Up)");
    EXPECT_EQ(Std(fs.newfolder.GetTipText()), "Create directory (F7)");
    EXPECT_EQ(fs.dirup.GetImage().GetSerialId(), CtrlImg::DirUp().GetSerialId());
    EXPECT_FALSE(fs.readonly.IsVisible());
    EXPECT_EQ(fs.sortext.GetValue(), Value(0));
    EXPECT_EQ(Std(fs.ok.GetLabel()), "Open");
    EXPECT_TRUE(fs.list.renameonclick);
    EXPECT_EQ(fs.list.GetColumnCount(), 1);
    EXPECT_EQ(fs.mode, FileSel::MODE_OPEN);
    EXPECT_TRUE(fs.confirm);
    EXPECT_EQ(fs.filesize.GetAlign(), LABEL_ALIGN_RIGHT);
    EXPECT_EQ(fs.GetRectInParent(), Rect(fs.GrowByFrames(ZoomSize(652, 400))));

    // The search field keeps capital ASCII letters only.
    fs.search.SetText(WString());
    for(dword key : { dword('a'), dword(0xE9), dword(0x416), dword('7') })
        fs.search.ProcessKey(key, 1);
    EXPECT_EQ(SearchText(fs), "AE7");
}

TEST_F(DialogGui, CharactersTypedInTheListGoToTheSearchField)
{
    MakeFile("apple.txt");
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    ASSERT_TRUE(fs.list.SetFocus());
    TypeText("a");
    ASSERT_TRUE(PumpUntil([&] { return SearchText(fs) == "A"; })) << SearchText(fs);
    EXPECT_TRUE(fs.list.HasFocus()) << "the focus stays on the list";
    TypeKey(XK_BackSpace);
    ASSERT_TRUE(PumpUntil([&] { return SearchText(fs).empty(); }));

    // Tab is no move through the dialog while the list has the focus: the search field
    // refuses it, and the focus stays.
    TypeKey(XK_Tab);
    PumpFor(100);
    EXPECT_TRUE(fs.list.HasFocus());

    // An accented letter arrives as its capital base letter; a Cyrillic one is refused.
    EXPECT_TRUE(fs.ProcessKey(0xE9, 1));
    EXPECT_EQ(SearchText(fs), "E");
    fs.ProcessKey(0x416, 1);
    EXPECT_EQ(SearchText(fs), "E");
}

TEST_F(DialogGui, ArrowsMoveIntoTheListAndDotGoesUpToTheFolderJustLeft)
{
    MakeFolder("sub");
    MakeFile("a.txt");
    MakeFile("b.txt");
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, PathOf("sub")));
    ASSERT_TRUE(fs.file.SetFocus());
    TypeText("x.y");
    ASSERT_TRUE(PumpUntil([&] { return FileText(fs) == "x.y"; })) << "'.' is part of a typed name";
    EXPECT_EQ(Std(fs.GetFolder()), dir.Path("sub"));

    TypeKey(XK_Up, { XK_Control_L });
    ASSERT_TRUE(PumpUntil([&] { return Std(fs.GetFolder()) == dir.Path(); }));
    EXPECT_TRUE(fs.list.HasFocus());
    EXPECT_EQ(CursorName(fs), "sub") << "the folder just left is under the cursor";

    ASSERT_TRUE(fs.file.SetFocus());
    TypeKey(XK_Down);
    ASSERT_TRUE(PumpUntil([&] { return fs.list.HasFocus() && CursorName(fs) == "a.txt"; })) << CursorName(fs);

    TypeKey(XK_Down);
    ASSERT_TRUE(PumpUntil([&] { return CursorName(fs) == "b.txt"; }));

    // '.' typed while the list has the focus goes up as well.
    fs.SetFolder(PathOf("sub"));
    ASSERT_TRUE(fs.list.SetFocus());
    TypeText(".");
    ASSERT_TRUE(PumpUntil([&] { return Std(fs.GetFolder()) == dir.Path(); }));
    EXPECT_EQ(CursorName(fs), "sub");
}

TEST_F(DialogGui, EnterInFolderModeOpensTheCursorFolder)
{
    MakeFolder("inner");
    MakeFile("plain.txt");
    FileSel fs;
    fs.mode = FileSel::MODE_FOLDER;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    ASSERT_TRUE(fs.list.SetFocus());
    fs.list.FindSetCursor("inner");
    TypeKey(XK_Return);
    ASSERT_TRUE(PumpUntil([&] { return Std(fs.GetFolder()) == dir.Path("inner"); })) << Std(fs.GetFolder());
}

TEST_F(DialogGui, AUsersRoundTypesAFolderWalksRenamesAndAccepts)
{
    MakeFolder("letters");
    MakeFile("letters/old.txt");
    MakeFile("letters/zeta.txt");
    MakeFolder("letters/archive");
    MakeFile("letters/archive/2019.txt");
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    int code = RunSelector(fs, [&](FileSel& d) {
        // A folder name typed into the file field and Enter opens it.
        d.file.SetFocus();
        TypeText("letters");
        TypeKey(XK_Return);
        ASSERT_TRUE(PumpUntil([&] { return Std(d.GetFolder()) == dir.Path("letters"); })) << Std(d.GetFolder());
        EXPECT_EQ(ListedNames(d), (std::vector<std::string>{ "archive", "old.txt", "zeta.txt" }));

        // Walk down to old.txt and rename it with F6. The cursor starts on the first entry
        // here, whatever a busy machine's listing left it on.
        d.list.SetFocus();
        d.list.SetCursor(0);
        TypeKey(XK_Down);
        ASSERT_TRUE(PumpUntil([&] { return CursorName(d) == "old.txt"; })) << CursorName(d);
        TypeKey(XK_F6);
        ASSERT_TRUE(PumpUntil([&] { return d.list.IsRenaming(); }));
        TypeText("new");
        TypeKey(XK_Return);
        ASSERT_TRUE(PumpUntil([&] { return Exists("letters/new.txt"); }));
        EXPECT_FALSE(Exists("letters/old.txt"));
        ASSERT_TRUE(PumpUntil([&] { return CursorName(d) == "new.txt"; })) << CursorName(d);

        // A double click on a folder enters it; its file is accepted with OK.
        Point p = EntryPoint(d, FindListed(d, "archive"));
        Click(GetHostWindow(d), p);
        Click(GetHostWindow(d), p);
        ASSERT_TRUE(PumpUntil([&] { return Std(d.GetFolder()) == dir.Path("letters/archive"); }));
        PumpFor(1000);
        EXPECT_FALSE(d.list.IsRenaming()) << "the double click started no rename";
        Click(GetHostWindow(d), EntryPoint(d, FindListed(d, "2019.txt")));
        ASSERT_TRUE(PumpUntil([&] { return FileText(d) == "2019.txt"; }));
        Click(GetHostWindow(d), CtrlPoint(d, d.ok));
    });
    EXPECT_EQ(code, 1);
    ASSERT_EQ(fs.result.GetCount(), 1);
    EXPECT_EQ(Std(fs.result[0]), "2019.txt");
}

TEST_F(DialogGui, CancelEndsTheRunWithCodeTwo)
{
    MakeFile("a.txt");
    FileSel fs;
    ASSERT_TRUE(OpenSelector(fs, Folder()));
    int code = RunSelector(fs, [&](FileSel& d) { Click(GetHostWindow(d), CtrlPoint(d, d.cancel)); });
    EXPECT_EQ(code, 2);
    code = RunSelector(fs, [&](FileSel&) { TypeKey(XK_Escape); });
    EXPECT_EQ(code, 2);
}

} // namespace
