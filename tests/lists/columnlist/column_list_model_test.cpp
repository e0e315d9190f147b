// The column list's items and cursor without input: inserting around the cursor, keys and
// values, selection, notifications, the stored settings and sorting.
#include "tests/lists/columnlist/column_list_fixture.h"

#include "foundation/callback_action.h"
#include "foundation/string_stream.h"
#include "tests/support/lambda_callback.h"
#include "tests/support/printers.h"
#include "widgets/bar/bar.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

class ColumnListModel : public ::testing::Test {
protected:
    ColumnList list;
    std::vector<std::string> events;

    void SetUp() override
    {
        list.SetItemHeight(ROW_HEIGHT);
        list.SetColumnCount(3);
        list.SetRect(ListRectForView(Point(0, 0), EXAMPLE_VIEW));
    }
    void Journal()
    {
        list.WhenEnterItem = Lambda([this] { Note("EnterItem"); });
        list.WhenKillCursor = Lambda([this] { Note("KillCursor"); });
        list.WhenSel = Lambda([this] { Note("Sel"); });
        list.WhenSelection = Lambda([this] { Note("Selection"); });
        list.SetAction(Lambda([this] { Note("Action"); }));
    }
    void Note(const char* what) { events.push_back(std::string(what) + " " + std::to_string(list.GetCursor())); }
    std::vector<int> Selected() const
    {
        std::vector<int> s;
        for(int i = 0; i < list.GetCount(); i++)
            if(list.IsSelected(i))
                s.push_back(i);
        return s;
    }
};

using Events = std::vector<std::string>;

TEST_F(ColumnListModel, InsertingBeforeTheCursorKeepsItOnItsItem)
{
    FillItems(list, 5);
    list.SetCursor(2);
    list.Insert(0, "k", "v");
    EXPECT_EQ(list.GetCursor(), 3);
    EXPECT_EQ(list.GetValue(), Value(2));
    list.Insert(4, "after", "after");
    EXPECT_EQ(list.GetCursor(), 3) << "an insertion after the cursor moves nothing";
    list.Insert(3, "at", "at");
    EXPECT_EQ(list.GetCursor(), 4);
    EXPECT_EQ(list.GetKey(4), Value(2));
    EXPECT_EQ(list.GetKey(3), Value("at"));
    EXPECT_EQ(list.GetShownValue(0), Value("v"));
}

TEST_F(ColumnListModel, TheValueIsTheCursorKey)
{
    list.Insert(0, "a", "Alpha");
    list.Insert(1, "b", "Beta");
    EXPECT_TRUE(list.GetValue().IsNull());
    list.SetValue("b");
    EXPECT_EQ(list.GetCursor(), 1);
    EXPECT_EQ(list.GetValue(), Value("b"));
    list.SetValue("Alpha");
    EXPECT_EQ(list.GetCursor(), 1) << "shown values are not keys; no match changes nothing";
    list.Clear();
    EXPECT_EQ(list.GetCursor(), -1);
    EXPECT_TRUE(list.GetValue().IsNull());
}

TEST_F(ColumnListModel, CursorNotificationsComeInOrder)
{
    FillItems(list, 5);
    Journal();
    list.SetCursor(1);
    list.SetCursor(1);
    list.SetCursor(99);
    list.KillCursor();
    list.SetCursor(-5);
    EXPECT_EQ(events, (Events{ "EnterItem 1", "Sel 1", "Action 1", "Action 1", "EnterItem 4", "Sel 4", "Action 4",
                               "KillCursor -1", "Sel -1", "Action -1", "EnterItem 0", "Sel 0", "Action 0" }));
    events.clear();
    list.Clear();
    list.SetCursor(3);
    EXPECT_EQ(list.GetCursor(), -1) << "an empty list has no cursor";
    EXPECT_EQ(events, (Events{ "KillCursor -1", "Sel -1", "Action -1", "Action -1" }));
}

TEST_F(ColumnListModel, ShiftSelectTakesTheSelectableItemsFromTheAnchor)
{
    for(int i = 0; i < 8; i++)
        list.Add(i, i != 3); // item 3 cannot be selected
    list.SetCursor(2);
    list.ShiftSelect(); // the anchor was unset: it becomes the cursor
    EXPECT_EQ(Selected(), (std::vector<int>{ 2 }));
    list.PlaceCursor(5, false);
    Journal();
    list.ShiftSelect();
    EXPECT_EQ(Selected(), (std::vector<int>{ 2, 4, 5 }));
    EXPECT_EQ(list.GetSelectCount(), 3);
    EXPECT_EQ(events, (Events{ "Action 5", "Selection 5", "Sel 5" }));
    list.PlaceCursor(0, false);
    list.ShiftSelect();
    EXPECT_EQ(Selected(), (std::vector<int>{ 0, 1, 2 })) << "the range turns round the anchor";
    list.ClearSelection();
    EXPECT_EQ(Selected(), std::vector<int>{});
    EXPECT_EQ(list.GetSelectCount(), 0);
    list.SetItemSelected(3, true);
    EXPECT_FALSE(list.IsSelected(3));
    list.SelectOne(1, true);
    EXPECT_FALSE(list.IsSelected(1)) << "SelectOne needs multi-select";
    list.MultiSelect();
    list.SelectOne(1, true);
    EXPECT_TRUE(list.IsSelected(1));
}

TEST_F(ColumnListModel, MultiSelectValueIsTheFirstSelectedKey)
{
    list.MultiSelect();
    FillItems(list, 6);
    EXPECT_TRUE(list.GetValue().IsNull());
    list.SetCursor(4);
    EXPECT_EQ(Selected(), (std::vector<int>{ 4 })) << "placing with selection selects the cursor item alone";
    list.SetItemSelected(2, true);
    EXPECT_EQ(list.GetValue(), Value(2));
}

TEST_F(ColumnListModel, SettingsStoreTheColumnCount)
{
    StringStream out;
    list.SerializeSettings(out);
    EXPECT_EQ(out.GetText(), String("\x01\x04", 2));

    ColumnList other;
    other.SetRect(ListRectForView(Point(0, 0), EXAMPLE_VIEW));
    StringStream in(String("\x01\x04", 2));
    other.SerializeSettings(in);
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(other.GetColumnCount(), 3);
}

TEST_F(ColumnListModel, AStoredCountTheViewCannotHoldFailsTheLoad)
{
    FillItems(list, 10);
    int most = EXAMPLE_VIEW.cx / ColumnList::GetMinColumnWidth();
    const struct {
        const char* what;
        String bytes;
    } cases[] = {
        { "no columns", String("\x01\x01", 2) },
        { "no count", String("\x01", 1) },
        { "another version", String("\x02\x04", 2) },
        { "narrower than the minimum", String("\x01", 1) + char(most + 2) },
        { "huge", String("\x01\xFF\xFF\xFF\xFF\x7F", 6) },
        { "negative", String("\x01\xFF\x00\x00\x00\x80", 6) },
    };
    for(const auto& c : cases) {
        StringStream in(c.bytes);
        list.SerializeSettings(in);
        EXPECT_TRUE(in.IsError()) << c.what;
        EXPECT_EQ(list.GetColumnCount(), 3) << c.what;
        EXPECT_EQ(list.GetItemAt(Point(150, 10)), 4) << c.what;
    }
    StringStream fits(String("\x01", 1) + char(most + 1));
    list.SerializeSettings(fits);
    EXPECT_FALSE(fits.IsError());
    EXPECT_EQ(list.GetColumnCount(), most);
}

TEST_F(ColumnListModel, OtherKeysRunTheContextMenusItems)
{
    FillItems(list, 5);
    list.SetCursor(2);
    const dword CTRL_X = 0x20000 | 0x10000 | 'X';
    const dword CTRL_Y = 0x20000 | 0x10000 | 'Y';
    int cut = 0;
    list.WhenBar = Lambda<Bar&>([&](Bar& bar) {
        bar.AddMenuItem(true, "Cut", Lambda([&] { cut++; })).Key(CTRL_X);
        bar.AddMenuItem(false, "Paste", Lambda([&] { cut += 100; })).Key(CTRL_Y);
    });
    EXPECT_TRUE(list.ProcessKey(CTRL_X, 1));
    EXPECT_EQ(cut, 1);
    EXPECT_FALSE(list.ProcessKey(CTRL_Y, 1)) << "a disabled item takes no key";
    EXPECT_FALSE(list.ProcessKey('q', 1));
    EXPECT_EQ(cut, 1);
    EXPECT_EQ(list.GetCursor(), 2);
}

// Orders texts, counting its comparisons.
class TextOrder : public ValueOrder {
public:
    mutable int compared = 0;
    bool Less(const Value& a, const Value& b) const override
    {
        compared++;
        return CompareValues(a, b) < 0;
    }
};

TEST_F(ColumnListModel, SortingGivesTheOrderOfAStableSortOfTheSameKeys)
{
    std::mt19937 random(47);
    for(int n : { 2, 5, 7, 8, 31, 1000 }) {
        SCOPED_TRACE(n);
        list.Clear();
        std::vector<std::string> shown;
        for(int i = 0; i < n; i++) {
            // Few distinct texts, so that runs of equal ones are common.
            std::string s = "t" + std::to_string(random() % (n / 4 + 2));
            shown.push_back(s);
            list.Insert(i, i, String(s.c_str()));
        }
        list.SetCursor(n / 2);
        TextOrder order;
        list.Sort(order);
        std::vector<std::string> expected = shown;
        std::stable_sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) {
            return CompareValues(Value(String(a.c_str())), Value(String(b.c_str()))) < 0;
        });
        std::vector<std::string> got;
        std::vector<int> keys;
        for(int i = 0; i < n; i++) {
            got.push_back(list.GetShownValue(i).ToString().Begin());
            keys.push_back(list.GetKey(i).ToInt());
            EXPECT_EQ(shown[keys.back()], got.back()) << "each key stays with its shown value";
        }
        EXPECT_EQ(got, expected);
        std::sort(keys.begin(), keys.end());
        for(int i = 0; i < n; i++)
            ASSERT_EQ(keys[i], i) << "no item lost or doubled";
        EXPECT_EQ(list.GetCursor(), -1) << "sorting removes the cursor";
        EXPECT_EQ(list.GetFirstVisible(), 0);
        EXPECT_LT(order.compared, n * n) << "the quicksort, not a quadratic sort";
    }
}

TEST_F(ColumnListModel, SortingAlreadyOrderedItemsStopsEarly)
{
    // The selection from the end sees sorted items in one walk.
    for(int i = 0; i < 7; i++)
        list.Add(i);
    TextOrder order;
    list.Sort(order);
    EXPECT_EQ(order.compared, 6);
}

} // namespace
