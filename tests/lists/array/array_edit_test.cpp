// Editing the cursor row without a window: starting an edit, accepting (validation, the
// owner's consent, commit), reverting, and the new-row discipline of the row commands.
#include "lists/array/array_ctrl.h"

#include "tests/lists/array/array_fixture.h"
#include "tests/support/lambda_callback.h"

#include "foundation/values/value_array.h"

namespace {

using namespace Qor;
using namespace QorTest;

// An editor whose value the test types into; it can refuse its value.
class TestEditor : public Ctrl {
public:
    Value value;
    bool refuse = false;
    int cancels = 0;

    void SetValue(const Value& v) override { value = v; }
    Value GetValue() const override { return value; }
    bool Validate() override { return !refuse; }
    void CancelInput() override { cancels++; }
    // What a user's typing does: a new value, marked as modified.
    void Type(const Value& v)
    {
        value = v;
        SetModified();
    }
};

// Rows "r<i>" at index 0, i * 10 at index 1; an editor on each of the two columns.
class ArrayEdit : public ::testing::Test {
protected:
    ArrayCtrl list;
    TestEditor name, number;
    Events events;
    bool refuse = false;

    void SetUp() override
    {
        list.SetRect(0, 0, 300, 200);
        list.AddColumn("Name").SetEditor(name);
        list.AddColumn("Number").SetEditor(number);
        for(int i = 0; i < 5; i++) {
            list.Set(i, 0, String("r") + IntToText(i));
            list.Set(i, 1, i * 10);
        }
        list.WhenArrayAction = Lambda([this] { Note("ArrayAction"); });
        list.WhenAcceptEdit = Lambda([this] { Note("AcceptEdit"); });
        list.WhenUpdateRow = Lambda([this] { Note("UpdateRow"); });
        list.WhenStartEdit = Lambda([this] { Note("StartEdit"); });
        list.WhenCursor = Lambda([this] { Note("Cursor"); });
        list.WhenAcceptRow = BoolLambda([this] {
            Note("AcceptRow");
            return !refuse;
        });
    }
    void Note(const char* what) { events.push_back(std::string(what) + " " + std::to_string(list.GetCursor())); }
    // The names of the stored rows, in order.
    std::vector<std::string> Names()
    {
        std::vector<std::string> n;
        for(int i = 0; i < list.GetCount(); i++)
            n.push_back(list.GetStoredValue(i, 0).ToString().Begin());
        return n;
    }
    void Edit(int row)
    {
        ASSERT_TRUE(list.SetCursor(row));
        ASSERT_TRUE(list.StartEdit(0));
        events.clear();
    }
};

using Rows = std::vector<std::string>;

TEST_F(ArrayEdit, AnEditNeedsEditorsACursorAndAnEditableList)
{
    EXPECT_FALSE(list.StartEdit(0)) << "no cursor";
    ASSERT_TRUE(list.SetCursor(2));
    list.SetEditable(false);
    EXPECT_FALSE(list.StartEdit(0));
    EXPECT_FALSE(list.IsEditing());
    list.SetEditable(true);
    ArrayCtrl plain;
    plain.AddColumn();
    plain.Set(0, 0, 1);
    ASSERT_TRUE(plain.SetCursor(0));
    EXPECT_FALSE(plain.StartEdit(0)) << "no editors";
    EXPECT_FALSE(plain.IsEditing());

    EXPECT_FALSE(name.IsVisible()) << "an editor waits hidden in the list";
    EXPECT_EQ(name.GetParent(), &list);
    events.clear();
    ASSERT_TRUE(list.StartEdit(1));
    EXPECT_TRUE(list.IsEditing());
    EXPECT_EQ(events, (Events{ "StartEdit 2" }));
    for(int c = 0; c < 2; c++) {
        TestEditor& e = c ? number : name;
        EXPECT_TRUE(e.IsVisible());
        EXPECT_EQ(e.GetRectInParent(), list.GetCellContentRect(2, c)) << "the editor covers its cell";
    }
    EXPECT_EQ(name.GetValue(), Value("r2")) << "loaded when the cursor came";
    list.EndEdit();
    EXPECT_FALSE(list.IsEditing());
    EXPECT_FALSE(name.IsVisible());
}

TEST_F(ArrayEdit, AcceptingStoresWhatWasTypedThenClosesTheEdit)
{
    Edit(1);
    name.Type("renamed");
    EXPECT_EQ(list.GetStoredValue(1, 0), Value("r1")) << "nothing is stored while editing";
    ASSERT_TRUE(list.AcceptRow());
    EXPECT_EQ(events, (Events{ "AcceptRow 1", "ArrayAction 1", "AcceptEdit 1", "UpdateRow 1" }));
    EXPECT_EQ(list.GetStoredValue(1, 0), Value("renamed"));
    EXPECT_EQ(list.GetStoredValue(1, 1), Value(10)) << "an editor without modifications stores nothing";
    EXPECT_FALSE(list.IsEditing());
    EXPECT_FALSE(name.IsVisible());
    EXPECT_FALSE(name.HasModifications());

    // Committing the value the row already holds changes nothing: no row action.
    Edit(3);
    name.Type("r3");
    ASSERT_TRUE(list.AcceptRow());
    EXPECT_EQ(events, (Events{ "AcceptRow 3", "AcceptEdit 3", "UpdateRow 3" }));
}

TEST_F(ArrayEdit, AColumnOfSeveralIndexesStoresTheElementsOfItsArray)
{
    ArrayCtrl pair;
    TestEditor both;
    for(int i = 0; i < 3; i++)
        pair.AddIndex();
    pair.AddColumnForIndex(1).AddIndex(2).SetEditor(both);
    pair.Set(0, 0, "key");
    ASSERT_TRUE(pair.SetCursor(0));
    ASSERT_TRUE(pair.StartEdit(0));
    both.Type(ValueArray(Vector<Value>{ Value("a"), Value(7) }));
    ASSERT_TRUE(pair.AcceptRow());
    EXPECT_EQ(pair.GetStoredValue(0, 0), Value("key"));
    EXPECT_EQ(pair.GetStoredValue(0, 1), Value("a"));
    EXPECT_EQ(pair.GetStoredValue(0, 2), Value(7));
}

TEST_F(ArrayEdit, ARefusedRowStaysUnderEditWithTheCursor)
{
    struct Case {
        const char* who;
        bool owner;
        bool editor;
    } cases[] = { { "the owner", true, false }, { "an editor", false, true } };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.who);
        Edit(2);
        String before = list.GetStoredValue(2, 0).ToString();
        name.Type(c.who);
        refuse = c.owner;
        number.refuse = c.editor;
        EXPECT_FALSE(list.SetCursor(4));
        EXPECT_FALSE(list.ClearCursor());
        EXPECT_FALSE(list.Validate());
        EXPECT_FALSE(list.AcceptEdit());
        EXPECT_EQ(list.GetCursor(), 2);
        EXPECT_TRUE(list.IsEditing());
        EXPECT_EQ(name.GetValue(), Value(c.who)) << "the typed value is kept";
        EXPECT_EQ(list.GetStoredValue(2, 0), Value(before));
        refuse = number.refuse = false;
        EXPECT_TRUE(list.Validate());
        EXPECT_EQ(list.GetStoredValue(2, 0), Value(c.who));
        EXPECT_FALSE(list.IsEditing());
    }
}

TEST_F(ArrayEdit, ValidateAsksTheOwnerEvenWithoutEditors)
{
    ArrayCtrl plain;
    NotificationLog log;
    FillRows(plain, 3);
    log.Attach(plain);
    EXPECT_TRUE(plain.Validate()) << "no cursor: nothing to accept";
    ASSERT_TRUE(plain.SetCursor(1));
    log.refuse = true;
    EXPECT_FALSE(plain.Validate());
    log.refuse = false;
    EXPECT_TRUE(plain.Validate());
}

TEST_F(ArrayEdit, RevertingDiscardsTheEdit)
{
    Edit(1);
    name.Type("discarded");
    list.CancelInput();
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(name.cancels, 1);
    EXPECT_EQ(number.cancels, 1);
    EXPECT_EQ(list.GetStoredValue(1, 0), Value("r1"));
    EXPECT_EQ(list.GetCursor(), 1);
    EXPECT_EQ(events, (Events{ "ArrayAction 1" }));
}

TEST_F(ArrayEdit, ANewRowGoesAgainWhenItsEditIsCancelledAndADuplicateStays)
{
    ASSERT_TRUE(list.SetCursor(1));
    list.DoInsertBefore();
    EXPECT_TRUE(list.IsEditing());
    EXPECT_TRUE(list.IsInserting());
    EXPECT_EQ(list.GetCursor(), 1);
    EXPECT_EQ(list.GetCount(), 6);
    list.CancelCursor();
    EXPECT_EQ(Names(), (Rows{ "r0", "r1", "r2", "r3", "r4" }));
    EXPECT_EQ(list.GetCursor(), -1);
    EXPECT_FALSE(list.IsEditing());

    ASSERT_TRUE(list.SetCursor(1));
    list.DoDuplicate();
    EXPECT_EQ(list.GetCursor(), 2) << "the copy comes below its row";
    EXPECT_TRUE(list.IsEditing());
    EXPECT_FALSE(list.IsInserting());
    list.CancelCursor();
    EXPECT_EQ(Names(), (Rows{ "r0", "r1", "r1", "r2", "r3", "r4" }));
}

TEST_F(ArrayEdit, AnInsertBesideARefusedRowIsUndone)
{
    Edit(2);
    name.Type("pending");
    refuse = true;
    list.DoInsertBefore();
    EXPECT_EQ(list.GetCursor(), 2);
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_FALSE(list.IsInserting());
    EXPECT_TRUE(list.IsEditing());
    EXPECT_EQ(name.GetRectInParent(), list.GetCellContentRect(2, 0)) << "the editor stays on its row";
    // Esc now cancels the user's own edit: the row stays.
    list.CancelCursor();
    EXPECT_EQ(Names(), (Rows{ "r0", "r1", "r2", "r3", "r4" }));
    refuse = false;
    // Refused at the row after it: the cursor row keeps its number.
    Edit(1);
    refuse = true;
    list.DoInsertAfter();
    EXPECT_EQ(list.GetCursor(), 1);
    EXPECT_EQ(Names(), (Rows{ "r0", "r1", "r2", "r3", "r4" }));
}

TEST_F(ArrayEdit, RemovingARowAboveKeepsTheEditOnItsRow)
{
    list.NoAskRemove();
    Edit(3);
    name.Type("edited");
    list.Remove(1);
    EXPECT_EQ(list.GetCursor(), 2);
    EXPECT_EQ(events, (Events{})) << "the cursor shifts with its row: nothing is accepted yet";
    EXPECT_TRUE(list.IsEditing());
    EXPECT_EQ(name.GetRectInParent(), list.GetCellContentRect(2, 0));
    ASSERT_TRUE(list.AcceptRow());
    EXPECT_EQ(Names(), (Rows{ "r0", "r2", "edited", "r4" }));

    // The cursor on the last row: the edit does not go past the end.
    Edit(3);
    name.Type("last");
    list.Remove(0);
    EXPECT_EQ(list.GetCursor(), 2);
    ASSERT_TRUE(list.AcceptRow());
    EXPECT_EQ(Names(), (Rows{ "r2", "edited", "last" }));
    // A row below the cursor leaves it where it is.
    ASSERT_TRUE(list.SetCursor(0));
    list.Remove(2);
    EXPECT_EQ(list.GetCursor(), 0);
    EXPECT_EQ(Names(), (Rows{ "r2", "edited" }));
}

TEST_F(ArrayEdit, DeletingANewRowUnderEditRemovesOnlyThatRow)
{
    list.NoAskRemove();
    ASSERT_TRUE(list.SetCursor(2));
    list.DoInsertBefore();
    ASSERT_TRUE(list.IsInserting());
    ASSERT_EQ(list.GetCount(), 6);
    EXPECT_TRUE(list.DoRemove());
    EXPECT_EQ(Names(), (Rows{ "r0", "r1", "r2", "r3", "r4" }));
    EXPECT_EQ(list.GetCursor(), 2) << "on the row that took the removed one's place";
    EXPECT_FALSE(list.IsEditing());
}

TEST_F(ArrayEdit, AnAcceptedNewLastRowLeavesTheCursorOnTheAppendLine)
{
    list.Appending().AppendLine();
    list.DoAppend();
    ASSERT_TRUE(list.IsInserting());
    EXPECT_EQ(list.GetCursor(), 5);
    name.Type("r5");
    EXPECT_TRUE(list.AcceptEdit());
    EXPECT_EQ(list.GetCursor(), -1);
    EXPECT_EQ(list.GetStoredValue(5, 0), Value("r5"));
    // An edited old last row keeps its cursor.
    Edit(5);
    name.Type("again");
    EXPECT_TRUE(list.AcceptEdit());
    EXPECT_EQ(list.GetCursor(), 5);
    // So does a new last row when the list stays on it.
    list.NoMoveToAppendLine();
    list.DoAppend();
    EXPECT_TRUE(list.AcceptEdit());
    EXPECT_EQ(list.GetCursor(), 6);
}

TEST_F(ArrayEdit, NewRowsGoWhereTheirCommandPutsThem)
{
    struct Case {
        const char* command;
        void (ArrayCtrl::*run)();
        int cursor_before;
        int row;
    } cases[] = {
        { "append", &ArrayCtrl::DoAppend, 1, 5 },
        { "before", &ArrayCtrl::DoInsertBefore, 1, 1 },
        { "after", &ArrayCtrl::DoInsertAfter, 1, 2 },
        { "before, no cursor", &ArrayCtrl::DoInsertBefore, -1, 5 },
        { "after, no cursor", &ArrayCtrl::DoInsertAfter, -1, 5 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.command);
        if(c.cursor_before >= 0)
            ASSERT_TRUE(list.SetCursor(c.cursor_before));
        else
            ASSERT_TRUE(list.ClearCursor());
        events.clear();
        (list.*c.run)();
        EXPECT_EQ(list.GetCount(), 6);
        EXPECT_EQ(list.GetCursor(), c.row);
        EXPECT_TRUE(list.GetStoredValue(c.row, 0).IsNull());
        EXPECT_EQ(events.back(), "ArrayAction " + std::to_string(c.row));
        list.CancelCursor();
        ASSERT_EQ(list.GetCount(), 5);
        // A read-only list takes none of them.
        list.SetEditable(false);
        (list.*c.run)();
        EXPECT_EQ(list.GetCount(), 5);
        list.SetEditable(true);
    }
}

TEST_F(ArrayEdit, WithoutEditorsANewRowIsAnOrdinaryRow)
{
    ArrayCtrl plain;
    FillRows(plain, 2);
    plain.DoAppend();
    EXPECT_EQ(plain.GetCount(), 3);
    EXPECT_EQ(plain.GetCursor(), 2);
    EXPECT_FALSE(plain.IsInserting());
    plain.CancelCursor();
    EXPECT_EQ(plain.GetCount(), 3) << "nothing takes it away again";
}

TEST_F(ArrayEdit, DuplicatesGoBelowOrToTheEndAndNeedAnAcceptedRow)
{
    ASSERT_TRUE(list.SetCursor(1));
    list.Appending();
    list.DoDuplicate();
    EXPECT_EQ(list.GetCursor(), 5) << "appending lists copy to the end";
    EXPECT_EQ(list.Get(5, 1), Value(10));
    list.EndEdit();
    ASSERT_TRUE(list.SetCursor(2));
    number.refuse = true;
    list.DoDuplicate();
    EXPECT_EQ(list.GetCount(), 6) << "a row that is not accepted is not copied";
    EXPECT_EQ(list.GetCursor(), 2);
}

TEST_F(ArrayEdit, DeletingMovesTheCursorToTheNextRowOrTheNewLast)
{
    list.NoAskRemove();
    ASSERT_TRUE(list.SetCursor(4));
    EXPECT_TRUE(list.DoRemove());
    EXPECT_EQ(list.GetCursor(), 3);
    ASSERT_TRUE(list.SetCursor(1));
    EXPECT_TRUE(list.DoRemove());
    EXPECT_EQ(list.GetCursor(), 1);
    EXPECT_EQ(Names(), (Rows{ "r0", "r2", "r3" }));
    while(list.GetCount() > 0)
        EXPECT_TRUE(list.DoRemove());
    EXPECT_EQ(list.GetCursor(), -1);
    EXPECT_FALSE(list.DoRemove()) << "no cursor, nothing to delete";
}

TEST_F(ArrayEdit, DeletingInAMultiSelectionListTakesTheSelectedRows)
{
    list.NoAskRemove().MultiSelect();
    ASSERT_TRUE(list.SetCursor(0));
    list.SelectRow(0, false);
    list.SelectRow(1);
    list.SelectRow(3);
    events.clear();
    EXPECT_TRUE(list.DoRemove());
    EXPECT_EQ(Names(), (Rows{ "r0", "r2", "r4" }));
    EXPECT_EQ(list.GetCursor(), 0) << "the cursor row was not selected";
    list.ClearSelection();
    events.clear();
    EXPECT_TRUE(list.DoRemove()) << "nothing selected: nothing goes, yet the command ran";
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(events, (Events{ "ArrayAction 0" }));
}

TEST_F(ArrayEdit, MovingSwapsValuesAndTheCursorFollows)
{
    list.SelectRow(1); // selection flags stay with the positions
    ASSERT_TRUE(list.SetCursor(1));
    list.DoMoveDown();
    EXPECT_EQ(Names(), (Rows{ "r0", "r2", "r1", "r3", "r4" }));
    EXPECT_EQ(list.GetCursor(), 2);
    EXPECT_TRUE(list.IsSelected(1));
    list.DoMoveUp();
    list.DoMoveUp();
    EXPECT_EQ(Names(), (Rows{ "r1", "r0", "r2", "r3", "r4" }));
    events.clear();
    list.DoMoveUp();
    EXPECT_EQ(events, (Events{})) << "the first row goes no higher";
    ASSERT_TRUE(list.SetCursor(4));
    events.clear();
    list.DoMoveDown();
    EXPECT_EQ(events, (Events{}));
    EXPECT_EQ(list.GetCursor(), 4);
}

} // namespace
