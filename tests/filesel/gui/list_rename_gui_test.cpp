// The file list's rename editor on a private X server through XTest: opened by a second
// click on the cursor entry after 750 ms, not by a click with Shift or Ctrl, on another
// entry or by a double click; accepted by Enter for the entry it was opened on, cancelled
// by Escape.
#include "filesel/list/file_list.h"

#include "tests/support/lambda_callback.h"
#include "tests/support/x11/input_window.h"

#include "ctrl/x11/events/x_events.h"
#include "draw/font/font.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

class FileListRenameGui : public PrivateDisplayTest {
protected:
    FileList list;
    std::optional<OpenInput> window;
    std::vector<std::pair<std::string, std::string>> renames;
    int doubles = 0;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
        for(const char* n : { "report.pdf", "notes.txt", "archive.tar.gz", "folder" })
            list.Add(n, Image(), GetStandardFont(), Color(0, 0, 0), strcmp(n, "folder") == 0, 10, Qor::Time(), Color(),
                     "", GetStandardFont(), Value(), Color(), false, false);
        list.renameonclick = true;
        list.WhenRename = Lambda<const String&, const String&>(
            [this](const String& a, const String& b) { renames.emplace_back(a.Begin(), b.Begin()); });
        list.WhenLeftDouble = Lambda([this] { doubles++; });
        window.emplace(list, Rect(40, 40, 340, 240));
        ASSERT_TRUE(window->IsOpen());
        MovePointer(window->GetWindow(), Point(250, 180));
        PumpFor(50);
        // The focus given on opening put the cursor on the first entry.
        list.KillCursor();
    }
    void TearDown() override
    {
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    Point ItemPoint(int i)
    {
        Rect r = list.GetItemRect(i);
        return Point(r.left + 40, r.CenterPoint().y) + list.GetViewRect().TopLeft();
    }
    void ClickItem(int i, std::initializer_list<KeySym> modifiers = {})
    {
        for(KeySym k : modifiers)
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, k), true, 0);
        Click(window->GetWindow(), ItemPoint(i));
        for(KeySym k : modifiers)
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, k), false, 0);
        XSync(display, false);
        PumpFor(30);
    }
    // A click on the cursor entry that is no double click with the one before.
    void ClickAgain(int i, std::initializer_list<KeySym> modifiers = {})
    {
        PumpFor(int(DOUBLE_CLICK_MS) + 100);
        ClickItem(i, modifiers);
    }
    // The rename editor opens 750 ms after the second click; on a busy machine later.
    bool EditorOpens()
    {
        return PumpUntil([&] { return list.IsRenaming(); }, 5000);
    }
    bool EditorStaysClosed()
    {
        PumpFor(1200);
        return !list.IsRenaming();
    }
    std::string EditorText() { return String(list.editor.GetText()).Begin(); }
    std::pair<int, int> EditorSelection()
    {
        int from = 0, to = 0;
        list.editor.GetSelection(from, to);
        return { from, to };
    }
};

TEST_F(FileListRenameGui, ASecondClickOnTheCursorEntryOpensTheEditorOnItsName)
{
    ClickItem(0);
    ASSERT_EQ(list.GetCursor(), 0);
    EXPECT_TRUE(EditorStaysClosed()) << "the first click only moves the cursor";
    ClickItem(0);
    EXPECT_FALSE(list.IsRenaming()) << "not before 750 ms";
    ASSERT_TRUE(EditorOpens());
    EXPECT_EQ(EditorText(), "report.pdf");
    EXPECT_EQ(EditorSelection(), std::make_pair(0, 6)) << "the name up to its extension is selected";
    EXPECT_TRUE(list.editor.HasFocus());
    Rect r = list.editor.GetRectInParent();
    Rect item = list.GetItemRect(0);
    EXPECT_EQ(r.left, item.left + list.iconwidth + 2);
    EXPECT_GE(r.top, item.top - 2);

    TypeText("summary");
    TypeKey(XK_Return);
    ASSERT_TRUE(PumpUntil([&] { return !renames.empty(); }));
    EXPECT_EQ(renames, (std::vector<std::pair<std::string, std::string>>{ { "report.pdf", "summary.pdf" } }));
    EXPECT_FALSE(list.IsRenaming());
    EXPECT_TRUE(list.HasFocus()) << "the focus returns to the list";
}

TEST_F(FileListRenameGui, EscapeCancelsAndOnlyTheLastDotMarksTheExtension)
{
    ClickItem(2);
    ClickAgain(2);
    ASSERT_TRUE(EditorOpens());
    EXPECT_EQ(EditorSelection(), std::make_pair(0, 11)) << "archive.tar of archive.tar.gz";
    TypeText("x");
    TypeKey(XK_Escape);
    ASSERT_TRUE(PumpUntil([&] { return !list.IsRenaming(); }));
    PumpFor(50);
    EXPECT_TRUE(renames.empty());
    EXPECT_TRUE(list.HasFocus());
}

TEST_F(FileListRenameGui, ClicksWithModifiersOrOnAnotherEntryOpenNoEditor)
{
    struct Case {
        const char* what;
        int second;
        std::initializer_list<KeySym> held;
    } cases[] = {
        { "Shift", 1, { XK_Shift_L } },
        { "Ctrl", 1, { XK_Control_L } },
        { "another entry", 0, {} },
    };
    for(const Case& c : cases) {
        ClickItem(1); // the cursor moves here: no rename yet
        ClickAgain(c.second, c.held);
        EXPECT_TRUE(EditorStaysClosed()) << c.what;
        ClickItem(2); // away again
    }
    ClickItem(0);
    ClickAgain(0);
    list.EndRename();
    EXPECT_TRUE(EditorStaysClosed()) << "EndRename cancels the pending start";
}

TEST_F(FileListRenameGui, ADoubleClickOnTheCursorEntryStartsNoRename)
{
    ClickItem(3);
    PumpFor(1000); // apart from the next clicks: no double click with them
    // Two clicks close together: the double click, whose first click lands on the cursor entry.
    Point p = ItemPoint(3);
    Click(window->GetWindow(), p);
    Click(window->GetWindow(), p);
    ASSERT_TRUE(PumpUntil([&] { return doubles == 1; }));
    EXPECT_TRUE(EditorStaysClosed());
}

TEST_F(FileListRenameGui, EnterRenamesTheEntryTheEditorWasOpenedOnAfterTheCursorMoved)
{
    ClickItem(1);
    ClickAgain(1);
    ASSERT_TRUE(EditorOpens());
    TypeText("todo");
    TypeKey(XK_Down);
    ASSERT_TRUE(PumpUntil([&] { return list.GetCursor() == 2; })) << "Down still moves the cursor";
    TypeKey(XK_Return);
    ASSERT_TRUE(PumpUntil([&] { return !renames.empty(); }));
    EXPECT_EQ(renames, (std::vector<std::pair<std::string, std::string>>{ { "notes.txt", "todo.txt" } }));
}

TEST_F(FileListRenameGui, AClickElsewhereAcceptsTheOpenRename)
{
    ClickItem(0);
    ClickAgain(0);
    ASSERT_TRUE(EditorOpens());
    TypeText("x");
    ClickAgain(1);
    ASSERT_TRUE(PumpUntil([&] { return !renames.empty(); }));
    EXPECT_EQ(renames, (std::vector<std::pair<std::string, std::string>>{ { "report.pdf", "x.pdf" } }));
    EXPECT_EQ(list.GetCursor(), 1);
    EXPECT_TRUE(EditorStaysClosed()) << "that click starts no new rename";
}

} // namespace
