// Columns: what they present (row number, one index, several), conversion and its cache, and
// their displays.
#include "tests/lists/array/array_fixture.h"

#include "draw/display/display.h"
#include "foundation/values/convert.h"
#include "foundation/values/value_map.h"

namespace {

using namespace Qor;
using namespace QorTest;

// Journals what it is asked to format and answers with a text, or with the value itself when
// asked to keep values.
class JournalConvert : public Convert {
public:
    mutable std::vector<Value> asked;
    bool as_text = true;

    Value Format(const Value& q) const override
    {
        asked.push_back(q);
        if(!as_text)
            return q;
        return String("<") + (q.IsNull() ? String("null") : q.ToString()) + ">";
    }
};

TEST(ArrayColumn, RowNumberColumnGivesTheRowToItsConverter)
{
    ArrayCtrl list;
    JournalConvert conv;
    ArrayCtrl::Column& c = list.AddRowNumberColumn("#").SetConvert(conv);
    list.Add();
    list.Add();
    EXPECT_EQ(c.GetIndexCount(), 0);
    EXPECT_EQ(list.GetColumnValue(0, 0), Value(0));
    EXPECT_EQ(list.GetConvertedValue(1, 0), Value("<1>"));
    ASSERT_EQ(conv.asked.size(), 1u);
    EXPECT_EQ(conv.asked[0].GetTypeNumber(), INT_V);
}

TEST(ArrayColumn, AnIndexBeyondTheRowsValuesShowsTheConvertedNull)
{
    ArrayCtrl list;
    JournalConvert conv;
    list.AddIndex();
    list.AddColumn("b").SetConvert(conv);
    list.AddValue("only index 0");
    EXPECT_EQ(list.GetConvertedValue(0, 0), Value("<null>"));
    EXPECT_TRUE(conv.asked.at(0).IsNull());
}

TEST(ArrayColumn, IndexListsOfAnyLength)
{
    ArrayCtrl list;
    for(int i = 0; i < 5; i++)
        list.AddIndex();
    ArrayCtrl::Column& c = list.AddRowNumberColumn();
    const int order[] = { 3, 1, 4, 0 };
    for(int n = 0; n < 4; n++) {
        EXPECT_EQ(c.GetIndexCount(), n);
        c.AddIndex(order[n]);
        for(int i = 0; i <= n; i++)
            EXPECT_EQ(c.GetIndex(i), order[i]);
    }
}

TEST(ArrayColumn, SeveralIndexesGiveAMapOfTheirValuesInOrder)
{
    ArrayCtrl list;
    list.AddIndex();
    list.AddIndex();
    list.AddIndex();
    ArrayCtrl::Column& c = list.AddColumnForIndex(2).AddIndex(0);
    list.Set(0, 0, "name");
    list.Set(0, 2, "icon");
    Value v = list.GetColumnValue(0, c.GetPosition());
    ASSERT_EQ(v.GetTypeNumber(), VALUEMAP_V);
    ValueMap m(v);
    ASSERT_EQ(m.GetCount(), 2);
    EXPECT_EQ(m.GetValue(0), Value("icon"));
    EXPECT_EQ(m.GetValue(1), Value("name"));
    EXPECT_EQ(m.GetKey(0), Value(String()));
    EXPECT_TRUE(ValueMap(list.GetColumnValue(7, 0)).GetValue(0).IsNull());
}

TEST(ArrayColumn, WithoutAConverterTheStoredValueIsShown)
{
    ArrayCtrl list;
    list.AddColumn();
    list.AddValue(42);
    EXPECT_EQ(list.GetConvertedValue(0, 0), Value(42));
}

class ArrayColumnCache : public ::testing::Test {
protected:
    ArrayCtrl list;
    JournalConvert conv;
    ArrayCtrl::Column* column = nullptr;

    void SetUp() override
    {
        column = &list.AddColumn().SetConvert(conv).SetCache();
        for(int i = 0; i < 4; i++)
            list.AddValue(i);
    }
    // Converts every row and tells how many conversions that took.
    int Pass()
    {
        size_t before = conv.asked.size();
        for(int r = 0; r < list.GetCount(); r++)
            list.GetConvertedValue(r, 0);
        return int(conv.asked.size() - before);
    }
};

TEST_F(ArrayColumnCache, ConvertedTextsAreKeptUntilTheirRowChanges)
{
    EXPECT_EQ(Pass(), 4);
    EXPECT_TRUE(column->HasTextCache());
    EXPECT_EQ(Pass(), 0);
    list.Set(2, 0, 20);
    EXPECT_EQ(Pass(), 1);
    EXPECT_EQ(list.GetConvertedValue(2, 0), Value("<20>"));
}

TEST_F(ArrayColumnCache, InsertedAndRemovedRowsMoveTheirEntries)
{
    Pass();
    list.InsertRows(1, 2);
    EXPECT_EQ(Pass(), 2) << "only the new rows convert";
    EXPECT_EQ(list.GetConvertedValue(3, 0), Value("<1>"));
    list.RemoveRow(0);
    EXPECT_EQ(Pass(), 0);
    EXPECT_EQ(list.GetConvertedValue(0, 0), Value("<null>"));
    EXPECT_EQ(list.GetConvertedValue(4, 0), Value("<3>"));
}

TEST_F(ArrayColumnCache, ANewConverterOrDisplayEmptiesTheCache)
{
    Pass();
    JournalConvert other;
    column->SetConvert(other);
    EXPECT_FALSE(column->HasTextCache());
    EXPECT_EQ(list.GetConvertedValue(1, 0), Value("<1>"));
    EXPECT_EQ(other.asked.size(), 1u);
    column->SetDisplay(GetRightDisplay());
    EXPECT_FALSE(column->HasTextCache());
    EXPECT_EQ(list.GetColumnDisplay(0), &GetRightDisplay());
}

TEST_F(ArrayColumnCache, AValueThatIsNoTextTurnsTheCacheIntoValues)
{
    Pass();
    conv.as_text = false;
    list.Set(1, 0, 3.5);
    EXPECT_EQ(list.GetConvertedValue(1, 0), Value(3.5));
    EXPECT_TRUE(column->HasValueCache());
    size_t asked = conv.asked.size();
    EXPECT_EQ(list.GetConvertedValue(1, 0), Value(3.5));
    EXPECT_EQ(conv.asked.size(), asked);
    EXPECT_EQ(Pass(), 3) << "the texts were dropped with the text cache";
}

TEST_F(ArrayColumnCache, ErrorValuesAreConvertedAgain)
{
    conv.as_text = false;
    column->ClearCache();
    list.Set(0, 0, ErrorValue("bad"));
    list.GetConvertedValue(0, 0);
    size_t asked = conv.asked.size();
    list.GetConvertedValue(0, 0);
    EXPECT_EQ(conv.asked.size(), asked + 1);
}

TEST(ArrayColumn, AllSortableReachesColumnsMadeBeforeAndAfter)
{
    ArrayCtrl list;
    ArrayCtrl::Column& before = list.AddColumn();
    EXPECT_EQ(before.GetCompare(), nullptr);
    list.SetAllSortable();
    ArrayCtrl::Column& after = list.AddColumn();
    int (*compare)(const Value&, const Value&) = CompareValues;
    EXPECT_EQ(before.GetCompare(), compare);
    EXPECT_EQ(after.GetCompare(), compare);
}

TEST(ArrayColumn, NewColumnsPaintWithTheStandardDisplay)
{
    ArrayCtrl list;
    ArrayCtrl::Column& c = list.AddColumn();
    EXPECT_EQ(c.GetDisplay(), &GetStandardDisplay());
    EXPECT_EQ(c.GetMargin(), -1);
    EXPECT_TRUE(c.IsClickToEdit());
    EXPECT_FALSE(c.IsCached());
    EXPECT_EQ(list.GetCellDisplay(5, 0), &GetStandardDisplay());
    list.SetCellDisplay(1, 0, GetCenterDisplay());
    EXPECT_EQ(list.GetCellDisplay(1, 0), &GetCenterDisplay());
    EXPECT_EQ(list.GetCellDisplay(0, 0), &GetStandardDisplay());
}

} // namespace
