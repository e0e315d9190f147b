// The list's stored table: reading outside the rows, growing by storing, inserting,
// removing, counting, clearing and separator rows, with the notifications they fire.
#include "tests/lists/array/array_fixture.h"

#include "draw/font/font_metrics.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_map.h"
#include "lists/array/separator_display.h"

#include <memory>

namespace {

using namespace Qor;
using namespace QorTest;

class ArrayModel : public ::testing::Test {
protected:
    ArrayCtrl list;
    NotificationLog log;

    void SetUp() override { log.Attach(list); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> v;
        for(int r = 0; r < list.GetCount(); r++)
            v.push_back(Std(list.Get(r, 1).GetString()));
        return v;
    }
};

TEST_F(ArrayModel, AListWithoutIndexesAppendsEmptyRowsThatStillHaveRowNumbers)
{
    ArrayCtrl::Column& number = list.AddRowNumberColumn("#");
    for(int i = 0; i < 3; i++)
        list.Add();
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetRowValues(1).GetCount(), 0);
    for(int r = 0; r < 3; r++)
        EXPECT_EQ(list.GetConvertedValue(r, number.GetPosition()), Value(r));
}

TEST_F(ArrayModel, StoringPastTheEndGrowsTheTable)
{
    list.AddIndex();
    list.AddIndex();
    list.Set(5, 1, "v");
    ASSERT_EQ(list.GetCount(), 6);
    for(int r = 0; r < 5; r++) {
        EXPECT_TRUE(list.IsRowEnabled(r)) << r;
        EXPECT_FALSE(list.IsSelected(r)) << r;
        EXPECT_TRUE(list.Get(r, 0).IsNull() && list.Get(r, 1).IsNull()) << r;
    }
    EXPECT_TRUE(list.Get(5, 0).IsNull());
    EXPECT_EQ(list.Get(5, 1), Value("v"));
}

TEST_F(ArrayModel, ReadsOutsideTheStoredRowsGiveTheIntNull)
{
    FillRows(list, 3);
    const struct {
        int row;
        int index;
    } cases[] = { { -1, 0 }, { INT_NULL, 0 }, { 3, 0 }, { 100, 1 }, { 0, 2 }, { 2, 7 } };
    for(auto c : cases) {
        Value v = list.Get(c.row, c.index);
        EXPECT_TRUE(v.IsNull()) << c.row << " " << c.index;
        EXPECT_EQ(v.GetTypeNumber(), INT_V) << c.row << " " << c.index;
        EXPECT_FALSE(list.IsSelected(c.row));
    }
    EXPECT_FALSE(list.IsRowEnabled(-1));
    EXPECT_TRUE(list.IsRowEnabled(3)) << "a row beyond the stored ones is enabled";
    EXPECT_EQ(list.GetRowValues(9).GetCount(), 2);
}

TEST_F(ArrayModel, FindSkipsDisabledRowsAndStartsWhereAsked)
{
    FillRows(list, 5);
    list.Set(3, 1, "r1");
    EXPECT_EQ(list.Find("r1", 1), 1);
    EXPECT_EQ(list.Find("r1", 1, 2), 3);
    list.SetRowEnabled(1, false);
    EXPECT_EQ(list.Find("r1", 1), 3);
    EXPECT_EQ(list.Find("r9", 1), -1);
    EXPECT_EQ(list.Find("r4", 1, -5), 4);
    EXPECT_TRUE(list.FindSetCursor("r4", 1));
    EXPECT_EQ(list.GetCursor(), 4);
    EXPECT_FALSE(list.FindSetCursor("nothing", 1));
    EXPECT_EQ(list.GetCursor(), 4);
}

class Counter : public ValueGenerator {
public:
    int next = 100;
    Value Get() override { return next++; }
};

TEST_F(ArrayModel, NewRowsTakeDefaultsAndGeneratedValues)
{
    Counter counter;
    list.AddIndex().SetGenerator(counter);
    list.AddIndex().SetDefault("fresh");
    list.AddIndex();
    list.Add();
    list.Add();
    list.InsertRows(1, 2);
    EXPECT_EQ(list.GetCount(), 4);
    const int ids[] = { 100, 102, 103, 101 };
    for(int r = 0; r < 4; r++) {
        EXPECT_EQ(list.Get(r, 0), Value(ids[r])) << r;
        EXPECT_EQ(list.Get(r, 1), Value("fresh")) << r;
        EXPECT_TRUE(list.Get(r, 2).IsNull()) << r;
    }
    list.AddValue("first only");
    EXPECT_EQ(list.Get(4, 0), Value("first only"));
    EXPECT_TRUE(list.Get(4, 1).IsNull());
}

TEST_F(ArrayModel, InsertingShiftsRowsAndTheCursorBelowThem)
{
    const struct {
        int cursor;
        int row;
        int count;
        int cursor_after;
    } cases[] = {
        { 2, 2, 3, 5 }, { 2, 0, 1, 3 }, { 2, 3, 2, 2 }, { -1, 0, 2, -1 }, { 4, 4, 1, 5 },
    };
    for(auto c : cases) {
        ArrayCtrl l;
        FillRows(l, 5);
        if(c.cursor >= 0) {
            ASSERT_TRUE(l.SetCursor(c.cursor));
        }
        Value key = l.GetCursorKey();
        l.InsertRows(c.row, c.count);
        EXPECT_EQ(l.GetCount(), 5 + c.count);
        EXPECT_EQ(l.GetCursor(), c.cursor_after) << c.cursor << " " << c.row;
        EXPECT_EQ(l.GetCursorKey(), key) << "the cursor stays on the same row's data";
        for(int r = c.row; r < c.row + c.count; r++)
            EXPECT_TRUE(l.Get(r, 1).IsNull() && l.IsRowEnabled(r) && !l.IsSelected(r));
        EXPECT_EQ(l.Get(c.row + c.count, 0), Value(c.row));
    }
}

TEST_F(ArrayModel, InsertingPastTheEndOnlyGrows)
{
    FillRows(list, 2);
    list.Insert(5);
    EXPECT_EQ(list.GetCount(), 6);
    EXPECT_EQ(Names(), (std::vector<std::string>{ "r0", "r1", "", "", "", "" }));
}

TEST_F(ArrayModel, RemovingARowMovesTheRestUpAndLeavesTheCursor)
{
    FillRows(list, 4);
    list.SelectRow(3);
    ASSERT_TRUE(list.SetCursor(2));
    EXPECT_EQ(list.GetSelectCount(), 1);
    log.events.clear();
    list.RemoveRow(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{ "r0", "r2", "r3" }));
    EXPECT_EQ(list.GetCursor(), 2);
    EXPECT_TRUE(list.IsSelected(2));
    EXPECT_TRUE(log.events.empty());
    list.RemoveRow(2);
    EXPECT_EQ(list.GetSelectCount(), 0) << "the count follows the rows removed";
}

TEST_F(ArrayModel, CuttingAwayTheCursorRowRemovesTheCursorFirst)
{
    FillRows(list, 4);
    ASSERT_TRUE(list.SetCursor(3));
    log.events.clear();
    int rows_seen = -1;
    struct Probe {
        ArrayCtrl* list;
        int* seen;
        void Cursor() { *seen = list->GetCount(); }
    } probe{ &list, &rows_seen };
    list.WhenCursor.Chain(MakeCallback(&probe, &Probe::Cursor));
    list.SetCount(2);
    EXPECT_EQ(log.events, (Events{ "ArrayAction 3", "Cursor -1", "Sel -1" }));
    EXPECT_EQ(rows_seen, 4) << "the rows are still there when the cursor goes";
    EXPECT_EQ(list.GetCount(), 2);

    log.events.clear();
    ASSERT_TRUE(list.SetCursor(0));
    log.events.clear();
    list.SetCount(6);
    EXPECT_TRUE(log.events.empty()) << "a cursor that survives is not touched";
    EXPECT_EQ(list.GetCursor(), 0);
    EXPECT_TRUE(list.IsRowEnabled(5));
    list.SelectRow(4);
    EXPECT_EQ(list.GetSelectCount(), 1);
    list.SetCount(0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(list.IsCursor());
    EXPECT_EQ(list.GetSelectCount(), 0) << "selected rows cut away are no longer counted";
}

TEST_F(ArrayModel, ClearKeepsIndexesAndColumnsAndAnnouncesTheCursorLeaving)
{
    list.AddColumn("a");
    list.AddColumn("b");
    FillRows(list, 3);
    list.SelectRange(0, 2);
    EXPECT_EQ(list.GetSelectCount(), 2);
    ASSERT_TRUE(list.SetCursor(1));
    log.events.clear();
    list.Clear();
    EXPECT_EQ(log.events, (Events{ "KillCursor 1", "Cursor -1", "Sel -1" }));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetIndexCount(), 2);
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(list.GetSelectCount(), 0) << "no selected rows are left to count";
    log.events.clear();
    list.Clear();
    EXPECT_TRUE(log.events.empty()) << "nothing to announce without a cursor";
}

TEST_F(ArrayModel, SeparatorRowsAreDisabledHalfHeightAndPaintedByTheSeparator)
{
    list.AddColumn("a");
    list.AddColumn("b");
    list.AddValue("x");
    list.AddSeparator();
    list.AddValue("x");
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_FALSE(list.IsRowEnabled(1));
    EXPECT_EQ(list.GetRowHeight(1), GetStandardFontSize().cy / 2);
    EXPECT_EQ(list.GetRowHeight(2), list.GetDefaultRowHeight());
    for(int c = 0; c < 2; c++) {
        EXPECT_EQ(list.GetCellDisplay(1, c), &GetArrayCtrlSeparatorDisplay());
        EXPECT_EQ(list.GetCellDisplay(0, c), list.GetColumnDisplay(c));
    }
    EXPECT_EQ(list.Find("x", 0, 1), 2);
    EXPECT_EQ(list.Find(Value(INT_NULL), 0), -1) << "the separator's Null values are never found";
    EXPECT_FALSE(list.SetCursor(1));
}

TEST_F(ArrayModel, TheCursorKeyIsTheCursorRowsFirstValue)
{
    FillRows(list, 3);
    EXPECT_TRUE(list.GetCursorKey().IsNull());
    ASSERT_TRUE(list.SetCursor(2));
    EXPECT_EQ(list.GetCursorKey(), Value(2));
}

TEST_F(ArrayModel, StoringIntoTheCursorRowMarksItsIndexModified)
{
    FillRows(list, 3);
    list.Set(0, 1, "changed");
    EXPECT_FALSE(list.IsIndexModified(1));
    ASSERT_TRUE(list.SetCursor(1));
    list.Set(1, 1, "edited");
    EXPECT_TRUE(list.IsIndexModified(1));
    EXPECT_FALSE(list.IsIndexModified(0));
    EXPECT_EQ(list.Get(1, 1), Value("edited"));
    list.ClearModified();
    EXPECT_FALSE(list.IsIndexModified(1));
}

TEST_F(ArrayModel, SetRowStoresEveryValueInOrder)
{
    list.AddIndex();
    list.AddIndex();
    list.AddIndex();
    list.SetRow(2, Vector<Value>{ Value(1), Value("two") });
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.Get(2, 0), Value(1));
    EXPECT_EQ(list.Get(2, 1), Value("two"));
    EXPECT_TRUE(list.Get(2, 2).IsNull());
}

} // namespace

namespace {

using namespace Qor;
using namespace QorTest;

// A control that holds a value, as an editor does.
class ValueHolder : public Ctrl {
public:
    Value value;
    int loads = 0;
    void SetValue(const Value& v) override
    {
        value = v;
        loads++;
    }
    Value GetValue() const override { return value; }
};

class ArrayEditing : public ::testing::Test {
protected:
    ArrayCtrl list;
    ValueHolder editor, pair_editor, bound;

    void SetUp() override
    {
        for(int i = 0; i < 4; i++)
            list.AddIndex();
        list.AddColumnForIndex(1).SetEditor(editor);
        list.AddColumnForIndex(2).AddIndex(3).SetEditor(pair_editor);
        list.AddBoundCtrl(0, bound);
        for(int r = 0; r < 3; r++)
            for(int i = 0; i < 4; i++)
                list.Set(r, i, r * 10 + i);
    }
};

TEST_F(ArrayEditing, TheCursorRowReadsWhatIsBeingEdited)
{
    EXPECT_EQ(list.Get(1, 1), Value(11)) << "no cursor: the stored value";
    ASSERT_TRUE(list.SetCursor(1));
    // The user types into the editors.
    editor.value = "typed";
    bound.value = "bound";
    pair_editor.value = ValueArray(Vector<Value>{ Value("a"), Value("b") });
    EXPECT_EQ(list.Get(1, 1), Value("typed"));
    EXPECT_EQ(list.Get(1, 0), Value("bound"));
    EXPECT_EQ(list.Get(1, 2), Value("a"));
    EXPECT_EQ(list.Get(1, 3), Value("b"));
    EXPECT_EQ(list.GetCursorKey(), Value("bound"));
    EXPECT_EQ(list.Get(2, 1), Value(21)) << "other rows read what is stored";
    EXPECT_EQ(list.GetStoredValue(1, 1), Value(11));
    EXPECT_EQ(list.GetRowValues(1)[1], Value("typed"));
    pair_editor.value = "not an array";
    EXPECT_EQ(list.Get(1, 3), Value("not an array"));
    pair_editor.value = ValueArray(Vector<Value>{ Value("a") });
    EXPECT_TRUE(list.Get(1, 3).IsNull()) << "an array too short for the index";
}

TEST_F(ArrayEditing, TheCursorLoadsEditorsAndBoundControls)
{
    ASSERT_TRUE(list.SetCursor(2));
    EXPECT_EQ(editor.value, Value(21));
    EXPECT_EQ(ValueMap(pair_editor.value).GetValue(1), Value(23));
    EXPECT_EQ(bound.value, Value(20));
    EXPECT_TRUE(bound.IsEnabled());
    ASSERT_TRUE(list.ClearCursor());
    EXPECT_TRUE(bound.value.IsNull());
    EXPECT_FALSE(bound.IsEnabled());
    ValueHolder row_number;
    list.AddBoundCtrl(INT_NULL, row_number);
    ASSERT_TRUE(list.SetCursor(1));
    EXPECT_EQ(row_number.value, Value(1));
}

TEST_F(ArrayEditing, StoringIntoTheCursorRowReloadsItsEditors)
{
    ASSERT_TRUE(list.SetCursor(2));
    int pair_loads = pair_editor.loads;
    list.Set(2, 1, "new");
    EXPECT_EQ(editor.value, Value("new"));
    EXPECT_EQ(pair_editor.loads, pair_loads) << "an editor of other indexes keeps its value";
    list.Set(2, 3, "x");
    ValueMap m(pair_editor.value);
    ASSERT_EQ(m.GetCount(), 2);
    EXPECT_EQ(m.GetValue(0), Value(22));
    EXPECT_EQ(m.GetValue(1), Value("x"));
    list.Set(2, 0, "key");
    EXPECT_EQ(bound.value, Value("key"));
}

TEST_F(ArrayEditing, ADestroyedEditorIsForgotten)
{
    auto gone = std::make_unique<ValueHolder>();
    list.GetColumn(0).SetEditor(*gone);
    ASSERT_TRUE(list.SetCursor(0));
    gone->value = "gone";
    EXPECT_EQ(list.Get(0, 1), Value("gone"));
    gone.reset();
    EXPECT_EQ(list.Get(0, 1), Value(1));
    EXPECT_EQ(list.GetColumn(0).GetEditor(), nullptr);
}

} // namespace
