// Key scanning through building procedures.

#include "widgets/bar/bar.h"

#include "tests/support/lambda_callback.h"

#include <gtest/gtest.h>

#include <string>

using namespace Qor;
using QorTest::Lambda;

namespace {

constexpr dword KEY_F5 = 0x1FFC2;
constexpr dword KEY_CTRL_S = 0x20000 + 0x10000 + 'S';

struct ScanFixture : ::testing::Test {
    std::string ran;

    Callback Mark(const char* name)
    {
        return Lambda([this, name] { ran += name; });
    }
};

TEST_F(ScanFixture, RunsOnlyTheFirstEnabledItemBoundToTheKey)
{
    auto proc = Lambda<Bar&>([this](Bar& bar) {
        bar.AddItem(Mark("disabled")).Key(KEY_F5).Enable(false);
        bar.AddItem(Mark("first")).Key(KEY_CTRL_S).Key(KEY_F5);
        bar.AddItem(Mark("second")).Key(KEY_F5);
    });
    EXPECT_TRUE(Bar::ScanKeys::Scan(proc, KEY_F5));
    EXPECT_EQ(ran, "first");
}

TEST_F(ScanFixture, KeyBoundOnlyToDisabledItemsRunsNothing)
{
    auto proc = Lambda<Bar&>([this](Bar& bar) { bar.AddItem(Mark("a")).Key(KEY_F5).Enable(false); });
    EXPECT_FALSE(Bar::ScanKeys::Scan(proc, KEY_F5));
    EXPECT_FALSE(Bar::ScanKeys::Scan(Callback1<Bar&>(), KEY_F5));
    EXPECT_EQ(ran, "");
}

TEST_F(ScanFixture, AnEnabledItemWithoutActionStillAnswersTheKey)
{
    auto proc = Lambda<Bar&>([this](Bar& bar) {
        bar.AddItem(Callback()).Key(KEY_F5);
        bar.AddItem(Mark("later")).Key(KEY_F5);
    });
    EXPECT_TRUE(Bar::ScanKeys::Scan(proc, KEY_F5));
    EXPECT_EQ(ran, "");
}

TEST_F(ScanFixture, ZeroKeysRecordNothing)
{
    Bar::ScanKeys scanner;
    scanner.AddKey(0, Mark("zero"));
    EXPECT_TRUE(scanner.IsEmpty());
    scanner.AddItem(Mark("x")).Key(0);
    ASSERT_EQ(scanner.GetItems().GetCount(), 1);
    EXPECT_EQ(scanner.GetItems()[0].keys.GetCount(), 0);
    EXPECT_FALSE(Bar::ScanKeys::Scan(Lambda<Bar&>([this](Bar& bar) { bar.AddKey(0, Mark("zero")); }), 0));
    EXPECT_EQ(ran, "");
}

TEST_F(ScanFixture, AddKeyBindsAnActionWithoutItem)
{
    auto proc = Lambda<Bar&>([this](Bar& bar) { bar.AddKey(KEY_CTRL_S, Mark("save")); });
    EXPECT_TRUE(Bar::ScanKeys::Scan(proc, KEY_CTRL_S));
    EXPECT_EQ(ran, "save");
}

TEST_F(ScanFixture, SubMenuItemsAreScannedAndKeysOnTheSubMenuAttachToItsLastItem)
{
    auto inner = Lambda<Bar&>([this](Bar& bar) {
        bar.AddItem(Mark("inner1"));
        bar.AddItem(Mark("inner2"));
    });
    auto proc = Lambda<Bar&>([inner](Bar& bar) { bar.AddSubMenu(inner).Key(KEY_F5); });
    EXPECT_TRUE(Bar::ScanKeys::Scan(proc, KEY_F5));
    EXPECT_EQ(ran, "inner2");

    // An empty sub-menu hands out the scanner's own dummy record, which nothing scans.
    auto empty = Lambda<Bar&>([](Bar&) {});
    ran.clear();
    EXPECT_FALSE(Bar::ScanKeys::Scan(Lambda<Bar&>([empty](Bar& bar) { bar.AddSubMenu(empty).Key(KEY_F5); }), KEY_F5));
}

// A procedure that adds itself as a sub-menu nests five levels deep and stops there.
struct SelfNesting {
    int calls = 0;
    std::string* ran;

    void Build(Bar& bar)
    {
        calls++;
        bar.AddItem(Lambda([r = ran, n = calls] { *r += std::to_string(n); })).Key(0x10000 + calls);
        bar.AddSubMenu(Lambda<Bar&>([this](Bar& b) { Build(b); }));
    }
};

TEST_F(ScanFixture, SelfNestingProcedureStopsAfterFiveLevels)
{
    SelfNesting nest{ 0, &ran };
    auto proc = Lambda<Bar&>([&nest](Bar& b) { nest.Build(b); });
    EXPECT_TRUE(Bar::ScanKeys::Scan(proc, 0x10001));
    EXPECT_EQ(ran, "1");
    EXPECT_EQ(nest.calls, 6); // the outer level and five nested ones
    ran.clear();
    nest.calls = 0;
    EXPECT_TRUE(Bar::ScanKeys::Scan(proc, 0x10006));
    EXPECT_EQ(ran, "6");
    nest.calls = 0;
    EXPECT_FALSE(Bar::ScanKeys::Scan(proc, 0x10007));
}

TEST_F(ScanFixture, MenuItemsWithoutImageOnlyReachBarsThatTakeThem)
{
    // A bar that keeps no menu items: the dummy item comes back and nothing is added.
    struct PlainBar : Bar {
        int added = 0;
        Item& AddItem(Callback) override
        {
            added++;
            return NilItem();
        }
        Item& AddSubMenu(Callback1<Bar&>) override { return NilItem(); }
        void AddCtrl(Ctrl*, int) override {}
        void AddCtrl(Ctrl*, Size) override {}
        bool IsEmpty() const override { return added == 0; }
        void Separator() override {}
    } plain;
    EXPECT_EQ(&plain.AddMenuItem(true, "&Open", Mark("open")), &Bar::NilItem());
    EXPECT_EQ(plain.added, 0);
    plain.AddMenuItem(true, "&Open", Image(), Mark("open"));
    EXPECT_EQ(plain.added, 1);

    Bar::ScanKeys scanner;
    scanner.AddMenuItem(false, "&Open", Mark("open")).Key(KEY_F5);
    ASSERT_EQ(scanner.GetItems().GetCount(), 1);
    EXPECT_FALSE(scanner.GetItems()[0].enabled);
}

} // namespace
