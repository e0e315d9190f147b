// Weak pointers: reading null after the target dies, one shared link per
// target, and the link freed with its last watcher.
#include "foundation/pte.h"
#include <gtest/gtest.h>
#include <cstring>
#include <new>

using namespace Qor;

namespace {

struct Item : Pte<Item> {
    int value = 5;
};

// The watched part sits behind other data, so converting the link's target
// back to the class must adjust the pointer.
struct Payload {
    virtual ~Payload() {}
    double data[3] = {};
};
struct Widget : Payload, Pte<Widget> {
    int id = 0;
};
struct Button : Widget {
    int pressed = 0;
};

class WeakPointerTest : public ::testing::Test {
protected:
    void SetUp() override { links = WeakPointerLinkCount(); }
    void TearDown() override { EXPECT_EQ(WeakPointerLinkCount(), links) << "a link was leaked"; }
    int Links() const { return WeakPointerLinkCount() - links; }
    int links = 0;
};

} // namespace

TEST_F(WeakPointerTest, OnePointerEach)
{
    static_assert(sizeof(WeakPointer<Item>) == sizeof(void*));
    static_assert(sizeof(PteBase) == sizeof(void*));
    static_assert(sizeof(Pte<Item>) == sizeof(void*));
}

TEST_F(WeakPointerTest, ReadsTargetThenNullAfterDeath)
{
    Item* item = new Item;
    WeakPointer<Item> a(item), b(item);
    EXPECT_EQ(a.Get(), item);
    EXPECT_EQ(b->value, 5);
    EXPECT_EQ(Links(), 1); // both share one link
    delete item;
    EXPECT_EQ(a.Get(), nullptr);
    EXPECT_EQ(b.Get(), nullptr);
    EXPECT_EQ(Links(), 1); // the link stays with its watchers
    a.Clear();
    EXPECT_EQ(Links(), 1);
    b.Clear(); // the second release frees it
    EXPECT_EQ(Links(), 0);
}

TEST_F(WeakPointerTest, LastWatcherOfLivingTargetFreesLink)
{
    Item item;
    {
        WeakPointer<Item> w(&item);
        EXPECT_TRUE(item.IsWatched());
        EXPECT_EQ(Links(), 1);
    }
    EXPECT_FALSE(item.IsWatched()); // no dangling link left in the target
    EXPECT_EQ(Links(), 0);
    WeakPointer<Item> again(&item); // a fresh link
    EXPECT_EQ(again.Get(), &item);
    EXPECT_EQ(Links(), 1);
}

TEST_F(WeakPointerTest, ManyWatchersShareOneLink)
{
    Item item;
    {
        WeakPointer<Item> w[4] = {&item, &item, &item, &item};
        WeakPointer<Item> copy = w[0];
        WeakPointer<Item> assigned;
        assigned = w[1];
        EXPECT_EQ(Links(), 1);
        for(auto& p : w)
            EXPECT_EQ(p.Get(), &item);
        EXPECT_EQ(copy.Get(), &item);
        EXPECT_EQ(assigned.Get(), &item);
    }
    EXPECT_FALSE(item.IsWatched());
}

TEST_F(WeakPointerTest, AssignMovesBetweenTargets)
{
    Item first, second;
    WeakPointer<Item> w(&first);
    w.Assign(&first); // only watcher: old link freed, fresh one made
    EXPECT_EQ(w.Get(), &first);
    EXPECT_EQ(Links(), 1);
    WeakPointer<Item>& alias = w;
    w = alias; // self-assignment keeps watching
    EXPECT_EQ(w.Get(), &first);

    w = &second;
    EXPECT_FALSE(first.IsWatched());
    EXPECT_TRUE(second.IsWatched());
    EXPECT_EQ(w.Get(), &second);

    w = nullptr;
    EXPECT_TRUE(w.IsEmpty());
    EXPECT_EQ(w.Get(), nullptr);
    EXPECT_FALSE(second.IsWatched());
    EXPECT_EQ(Links(), 0);

    WeakPointer<Item> none(nullptr);
    EXPECT_TRUE(none.IsEmpty());
}

TEST_F(WeakPointerTest, CopyOfDeadPointerIsEmpty)
{
    WeakPointer<Item> w;
    {
        Item item;
        w = &item;
    }
    WeakPointer<Item> copy(w);
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(Links(), 1);
}

TEST_F(WeakPointerTest, CopiedTargetIsNotWatched)
{
    Item item;
    WeakPointer<Item> w(&item);
    Item copy(item);
    EXPECT_FALSE(copy.IsWatched());
    copy = item;
    EXPECT_FALSE(copy.IsWatched());
    EXPECT_EQ(w.Get(), &item);
}

TEST_F(WeakPointerTest, DerivedAndOffsetTargets)
{
    Button* button = new Button;
    button->id = 3;
    WeakPointer<Button> as_button(button);
    WeakPointer<Widget> as_widget(button);
    EXPECT_EQ(as_button.Get(), button);
    EXPECT_EQ(as_widget.Get(), static_cast<Widget*>(button));
    EXPECT_EQ(as_widget->id, 3);
    EXPECT_EQ(Links(), 1);
    delete button;
    EXPECT_EQ(as_button.Get(), nullptr);
    EXPECT_EQ(as_widget.Get(), nullptr);
}

TEST_F(WeakPointerTest, ByteCopiedPointerStaysValid)
{
    Item item;
    alignas(WeakPointer<Item>) unsigned char from[sizeof(WeakPointer<Item>)];
    alignas(WeakPointer<Item>) unsigned char to[sizeof(WeakPointer<Item>)];
    new(from) WeakPointer<Item>(&item);
    std::memcpy(to, from, sizeof(to)); // relocation as containers do it
    auto* moved = std::launder(reinterpret_cast<WeakPointer<Item>*>(to));
    EXPECT_EQ(moved->Get(), &item);
    moved->~WeakPointer<Item>();
    EXPECT_FALSE(item.IsWatched());
}
