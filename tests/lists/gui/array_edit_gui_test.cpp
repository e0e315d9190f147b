// Editing a list and its row commands under real input on a private X server: editors
// opened by Ctrl+Enter, a click and a double click, typing, Enter and Esc, refusals that keep
// the edit, every row command through its menu item and its key, and the delete question
// answered both ways.
#include "lists/array/array_ctrl.h"

#include "tests/support/lambda_callback.h"
#include "tests/support/x11/input_window.h"
#include "tests/widgets/gui/menu_script.h"
#include "tests/widgets/gui/prompt_script.h"

#include "foundation/values/number_text.h"
#include "widgets/edit/edit_field.h"
#include "widgets/menu/menu_bar.h"
#include "widgets/menu/menu_item.h"
#include "widgets/prompt/prompt.h"
#include "widgets/richview/rich_text_view.h"

#include <X11/keysym.h>

namespace {

using namespace Qor;
using namespace QorTest;

// An editor that refuses an empty text, as a field for a required value does.
class RequiredField : public EditField {
public:
    bool Validate() override { return !GetText().IsEmpty(); }
};

const Rect WINDOW_ON_SCREEN(Point(40, 40), Size(300, 200));
constexpr int ROWS = 5;

class ArrayEditInput : public PrivateDisplayTest {
protected:
    Ctrl host;
    ArrayCtrl list;
    RequiredField name;
    EditField note;
    std::unique_ptr<OpenInput> window;
    MenuBar* menu = nullptr; // the last row menu opened
    bool refuse = false;

    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        list.SetRect(0, 0, 300, 200);
        host.AppendChild(list);
        list.AddColumn("Name").SetEditor(name);
        list.AddColumn("Note").SetEditor(note);
        Fill();
        list.WhenAcceptRow = BoolLambda([this] { return !refuse; });
        list.WhenBar = Lambda<Bar&>([this](Bar& b) {
            if(auto* m = dynamic_cast<MenuBar*>(&b))
                menu = m;
            list.StdBar(b);
        });
        window = std::make_unique<OpenInput>(host, WINDOW_ON_SCREEN);
        ASSERT_TRUE(window->IsOpen());
        list.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return list.HasFocus() && list.GetCursor() == 0; }));
    }
    void TearDown() override
    {
        list.GetInfoPopup().Dismiss();
        window.reset();
        PrivateDisplayTest::TearDown();
    }
    void Fill()
    {
        list.Clear();
        for(int i = 0; i < ROWS; i++) {
            list.Set(i, 0, String("r") + IntToText(i));
            list.Set(i, 1, String("n") + IntToText(i));
        }
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> n;
        for(int i = 0; i < list.GetCount(); i++)
            n.push_back(list.GetStoredValue(i, 0).ToString().Begin());
        return n;
    }
    // A point in a cell, in the window; past the rows for a row of list.GetCount().
    Point CellPoint(int row, int column)
    {
        Rect cell = list.GetCellRect(row, column);
        Rect view = list.GetViewRectOnScreen();
        return Point(view.left - WINDOW_ON_SCREEN.left + (cell.left + cell.right) / 2,
                     view.top - WINDOW_ON_SCREEN.top + (cell.top + cell.bottom) / 2);
    }
    bool EditingIn(EditField& e)
    {
        return PumpUntil([&] { return list.IsEditing() && e.HasFocus() && e.IsVisible(); });
    }
    bool Closed()
    {
        return PumpUntil([&] { return !list.IsEditing() && list.HasFocus(); });
    }
    // Lets the events of what was typed arrive, for checks that nothing moved.
    void Settle() { PumpFor(300); }
};

using Rows = std::vector<std::string>;

TEST_F(ArrayEditInput, KeysAndClicksOpenEditorsEnterAcceptsEscReverts)
{
    TypeKey(XK_Down);
    ASSERT_TRUE(PumpUntil([&] { return list.GetCursor() == 1; }));
    TypeKey(XK_Return, { XK_Control_L });
    ASSERT_TRUE(EditingIn(name)) << "Ctrl+Enter edits the row from its first column";
    EXPECT_EQ(name.GetRectInParent(), list.GetCellContentRect(1, 0)) << "the editor lies over its cell";
    EXPECT_EQ(note.GetRectInParent(), list.GetCellContentRect(1, 1));
    EXPECT_EQ(name.GetText(), WString("r1"));
    TypeKey(XK_End);
    TypeText("x");
    TypeKey(XK_Return);
    ASSERT_TRUE(Closed());
    EXPECT_EQ(list.GetStoredValue(1, 0), Value("r1x"));
    EXPECT_FALSE(name.IsVisible());

    // A click on the cursor row of the focused list edits the clicked cell.
    Click(window->GetWindow(), CellPoint(1, 1));
    ASSERT_TRUE(EditingIn(note));
    TypeKey(XK_End);
    TypeText("zz");
    TypeKey(XK_Escape);
    ASSERT_TRUE(Closed());
    EXPECT_EQ(list.GetStoredValue(1, 1), Value("n1")) << "Esc drops what was typed";
    EXPECT_EQ(list.GetCursor(), 1);
    EXPECT_EQ(list.GetCount(), ROWS);

    // Down while editing accepts the row and edits the next one in the same column.
    TypeKey(XK_Return, { XK_Control_L });
    ASSERT_TRUE(EditingIn(name));
    TypeKey(XK_End);
    TypeText("y");
    TypeKey(XK_Down);
    ASSERT_TRUE(PumpUntil([&] { return list.GetCursor() == 2; }));
    ASSERT_TRUE(EditingIn(name));
    EXPECT_EQ(list.GetStoredValue(1, 0), Value("r1xy"));
    EXPECT_EQ(name.GetText(), WString("r2"));
}

TEST_F(ArrayEditInput, TheAppendLineTakesNewRowsByDoubleClickAndEnter)
{
    list.Appending().AppendLine();
    Point below = CellPoint(ROWS, 0);
    Click(window->GetWindow(), below);
    Click(window->GetWindow(), below);
    ASSERT_TRUE(EditingIn(name)) << "a double click on the append line opens a new row";
    EXPECT_TRUE(list.IsInserting());
    EXPECT_EQ(list.GetCursor(), ROWS);
    TypeText("new");
    TypeKey(XK_Return);
    ASSERT_TRUE(PumpUntil([&] { return !list.IsEditing() && list.GetCursor() < 0; }))
        << "the accepted new row leaves the cursor on the append line";
    EXPECT_EQ(Names(), (Rows{ "r0", "r1", "r2", "r3", "r4", "new" }));

    TypeKey(XK_Return);
    ASSERT_TRUE(EditingIn(name)) << "Enter on the append line opens the next one";
    EXPECT_EQ(list.GetCount(), ROWS + 2);
    TypeText("gone");
    TypeKey(XK_Escape);
    ASSERT_TRUE(Closed());
    EXPECT_EQ(Names(), (Rows{ "r0", "r1", "r2", "r3", "r4", "new" })) << "a cancelled new row goes again";
}

TEST_F(ArrayEditInput, ARefusedRowKeepsItsEditAndTheCursor)
{
    struct Case {
        const char* who;
        bool owner;
    } cases[] = { { "the owner", true }, { "an editor", false } };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.who);
        ASSERT_TRUE(list.SetCursor(2));
        TypeKey(XK_Return, { XK_Control_L });
        ASSERT_TRUE(EditingIn(name));
        TypeKey(XK_End);
        if(c.owner) {
            refuse = true;
            TypeText("x");
        }
        else {
            TypeKey(XK_BackSpace);
            TypeKey(XK_BackSpace); // the required name is now empty
        }
        TypeKey(XK_Down);
        TypeKey(XK_Return);
        Click(window->GetWindow(), CellPoint(4, 1));
        Settle();
        EXPECT_EQ(list.GetCursor(), 2);
        EXPECT_TRUE(list.IsEditing());
        EXPECT_TRUE(name.IsVisible());
        EXPECT_EQ(list.GetStoredValue(2, 0), Value("r2"));
        refuse = false;
        if(!c.owner)
            TypeText("ok");
        TypeKey(XK_Return, {});
        ASSERT_TRUE(Closed());
        EXPECT_EQ(list.GetStoredValue(2, 0), Value(c.owner ? "r2x" : "ok"));
        Fill();
    }
}

TEST_F(ArrayEditInput, AClickIntoACellControlTakesTheCursorToItsRow)
{
    list.GetColumn(1).ClearEditor().SetCtrlFactory(
        Lambda<int, OwnedPtr<Ctrl>&>([](int, OwnedPtr<Ctrl>& c) { c.Create<EditField>(); }));
    auto field = [&](int row) { return static_cast<EditField*>(&list.GetCellCtrl(row, 1)->GetHosted()); };
    ASSERT_TRUE(list.SetCursor(1));
    ASSERT_TRUE(PumpUntil([&] { return field(1)->HasFocus(); })) << "the focus goes on into the cursor row's control";
    EXPECT_EQ(field(3)->GetText(), WString("n3"));
    Click(window->GetWindow(), CellPoint(3, 1));
    ASSERT_TRUE(PumpUntil([&] { return field(3)->HasFocus() && list.GetCursor() == 3; }));
    TypeKey(XK_End);
    TypeText("!");
    ASSERT_TRUE(PumpUntil([&] { return list.Get(3, 1) == Value("n3!"); }));
    PumpFor(100);
    EXPECT_TRUE(field(3)->HasFocus());
}

struct Command {
    const char* item;
    KeySym key;
    std::vector<KeySym> held;
    Rows rows;
    int cursor;
    bool editing;
};

class ArrayRowCommands : public ArrayEditInput {
protected:
    void SetUp() override
    {
        ArrayEditInput::SetUp();
        list.Inserting().Appending().Duplicating().Removing().Moving().NoAskRemove();
    }
    // Right-clicks the cursor row and picks the item with the text from its menu.
    void RunItem(const char* text)
    {
        menu = nullptr;
        MenuScript script;
        script.on_timeout = [&] {
            if(menu && !MenuBar::OpenMenuOwners().IsEmpty())
                menu->CloseMenu();
        };
        script.Then([&] { return menu && menu->IsOpen(); })
            .Do([&] {
                for(int i = 0; i < menu->GetItemCount(); i++)
                    if(menu->GetItem(i).Describe() == text)
                        Click(DefaultRootWindow(display), menu->GetItem(i).GetRectOnScreen().CenterPoint());
            })
            // The menu is gone once it closed: only the list of open menus tells.
            .Then([] { return MenuBar::OpenMenuOwners().IsEmpty(); });
        script.Start();
        Click(window->GetWindow(), CellPoint(list.GetCursor(), 0), 3);
        ASSERT_TRUE(PumpUntil([&] { return script.Finished() || script.TimedOut(); }, 12000));
        ASSERT_FALSE(script.TimedOut()) << "stopped at step " << script.StepReached();
    }
};

TEST_F(ArrayRowCommands, EachCommandRunsFromItsItemAndItsKey)
{
    Command commands[] = {
        { "Insert row", XK_Insert, {}, { "r0", "r1", "", "r2", "r3", "r4" }, 2, true },
        { "Append row", XK_Insert, { XK_Shift_L }, { "r0", "r1", "r2", "r3", "r4", "" }, 5, true },
        { "Duplicate row", XK_Insert, { XK_Control_L }, { "r0", "r1", "r2", "r3", "r4", "r2" }, 5, true },
        { "Delete row\tDelete", XK_Delete, {}, { "r0", "r1", "r3", "r4" }, 2, false },
        { "Move row up", XK_Up, { XK_Control_L }, { "r0", "r2", "r1", "r3", "r4" }, 1, false },
        { "Move row down", XK_Down, { XK_Control_L }, { "r0", "r1", "r3", "r2", "r4" }, 3, false },
    };
    for(const Command& c : commands)
        for(bool by_key : { false, true }) {
            SCOPED_TRACE(std::string(c.item) + (by_key ? ", by key" : ", by menu"));
            Fill();
            ASSERT_TRUE(list.SetCursor(2));
            list.SetFocus();
            ASSERT_TRUE(PumpUntil([&] { return list.HasFocus(); }));
            int actions = 0;
            list.WhenArrayAction = Lambda([&] { actions++; });
            if(by_key) {
                if(c.held.empty())
                    TypeKey(c.key);
                else
                    TypeKey(c.key, { c.held[0] });
            }
            else
                RunItem(c.item);
            ASSERT_TRUE(PumpUntil([&] { return actions > 0; }));
            EXPECT_EQ(Names(), c.rows);
            EXPECT_EQ(list.GetCursor(), c.cursor);
            EXPECT_EQ(c.editing && EditingIn(name), c.editing) << "the new row opens for editing";
            list.WhenArrayAction.Clear();
            list.EndEdit();
        }
}

TEST_F(ArrayRowCommands, TheDeleteQuestionIsAnsweredBothWays)
{
    list.AskRemove();
    ASSERT_TRUE(list.SetCursor(1));
    struct Case {
        const char* answer;
        KeySym key;
        Rows rows;
    } cases[] = {
        { "Cancel", XK_Escape, { "r0", "r1", "r2", "r3", "r4" } },
        { "OK", XK_Return, { "r0", "r2", "r3", "r4" } },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        std::string asked;
        DialogScript<PromptDlgWnd__> script([&](PromptDlgWnd__& d) {
            for(Ctrl* q = d.GetFirstChild(); q; q = q->GetNext())
                if(auto* t = dynamic_cast<RichTextCtrl*>(q))
                    asked = String(t->GetText().GetPlainText()).Begin();
            TypeKey(c.key);
        });
        list.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return list.HasFocus(); }));
        TypeKey(XK_Delete);
        ASSERT_TRUE(PumpUntil([&] { return script.Ran() && GetTopCtrls().GetCount() == 1; }, 10000));
        Settle();
        EXPECT_EQ(asked, "Do you really want to delete the selected row ?");
        EXPECT_EQ(Names(), c.rows);
        EXPECT_EQ(list.GetCursor(), 1);
    }
}

} // namespace
