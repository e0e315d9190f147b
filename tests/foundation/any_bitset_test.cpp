// The owning holders (Any, OwnedPtr, OwnedArray) and BitSet.
#include "foundation/any.h"
#include "foundation/bitset.h"
#include "foundation/owned_array.h"
#include "foundation/owned_ptr.h"
#include "foundation/string.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qor;

namespace {

struct Live {
    static int count;
    int value;
    Live(int v = 0) : value(v) { count++; }
    Live(const Live& l) : value(l.value) { count++; }
    virtual ~Live() { count--; }
};
int Live::count = 0;

struct Derived : Live {
    String extra;
    Derived(int v, const char* e) : Live(v), extra(e) {}
};

struct LiveFixture : ::testing::Test {
    void SetUp() override { Live::count = 0; }
    void TearDown() override { EXPECT_EQ(Live::count, 0) << "leaked or double-deleted objects"; }
};

using HolderTest = LiveFixture;

} // namespace

TEST_F(HolderTest, AnyHoldsOneObjectAndKnowsItsType)
{
    Any a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_FALSE(a.Is<Live>());
    EXPECT_EQ(a.GetTypeNumber(), -1);

    Vector<String>& v = a.Create<Vector<String>>();
    EXPECT_TRUE(v.IsEmpty()); // created empty
    v.Add("x");
    EXPECT_TRUE(a.Is<Vector<String>>());
    EXPECT_FALSE(a.Is<Vector<int>>());
    EXPECT_EQ(a.GetTypeNumber(), StaticTypeNumber<Vector<String>>());
    EXPECT_EQ(a.Get<Vector<String>>()[0], "x");

    a.Create<Live>(7);
    EXPECT_EQ(Live::count, 1);
    EXPECT_TRUE(a.Is<Live>());
    EXPECT_EQ(a.Get<Live>().value, 7);
    a.Create<Live>(8); // the old object goes first
    EXPECT_EQ(Live::count, 1);
    a.Clear();
    EXPECT_EQ(Live::count, 0);
    EXPECT_TRUE(a.IsEmpty());
}

TEST_F(HolderTest, MovedFromHoldersKeepTheMarkOneAndDeleteNothing)
{
    Any a;
    a.Create<Live>(1);
    Any b(std::move(a));
    EXPECT_TRUE(a.IsMovedFrom());
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_FALSE(a.Is<Live>());
    EXPECT_EQ(Live::count, 1);
    a.Clear(); // pointer 1: stores 0, deletes nothing
    EXPECT_FALSE(a.IsMovedFrom());
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(Live::count, 1);
    EXPECT_EQ(b.Get<Live>().value, 1);

    Any c;
    c.Create<Live>(2);
    c = std::move(b);
    EXPECT_EQ(Live::count, 1);
    EXPECT_EQ(c.Get<Live>().value, 1);

    OwnedPtr<Live> p(new Live(3));
    OwnedPtr<Live> q(std::move(p));
    EXPECT_TRUE(p.IsMovedFrom());
    EXPECT_EQ(p.Get(), nullptr);
    p.Clear();
    EXPECT_FALSE(p.IsMovedFrom());
    EXPECT_EQ(q->value, 3);
    EXPECT_EQ(Live::count, 2);
}

TEST_F(HolderTest, OwnedPtrAttachDetachCreate)
{
    OwnedPtr<Live> p;
    EXPECT_FALSE(p);
    p.Create(1);
    p.Attach(new Live(2));
    EXPECT_EQ(Live::count, 1);
    Derived& d = p.Create<Derived>(3, "three");
    EXPECT_EQ(d.extra, "three");
    EXPECT_EQ(p->value, 3);
    Live* raw = p.Detach();
    EXPECT_TRUE(p.IsEmpty());
    EXPECT_EQ(Live::count, 1);
    delete raw;
    OwnedPtr<Live> r(new Live(4));
    r = OwnedPtr<Live>(new Live(5));
    EXPECT_EQ(Live::count, 1);
    EXPECT_EQ((*r).value, 5);
}

TEST_F(HolderTest, OwnedArrayOwnsItsElements)
{
    OwnedArray<Live> a;
    for(int i = 0; i < 10; i++)
        a.Add(new Live(i));
    a.Add(Live(10));
    a.Create<Derived>(11, "derived");
    a.Insert(0, new Live(-1));
    EXPECT_EQ(Live::count, 13);
    EXPECT_EQ(a.GetCount(), 13);
    EXPECT_EQ(a[0].value, -1);
    EXPECT_EQ(a.Top().value, 11);

    Live* p = a.Detach(5);
    EXPECT_EQ(p->value, 4);
    delete p;
    // The last element leaves without being destroyed; the others stay in order.
    p = a.PopDetach();
    EXPECT_EQ(p->value, 11);
    EXPECT_EQ(a.GetCount(), 11);
    EXPECT_EQ(Live::count, 12);
    a.Add(p);
    a.Remove(0, 2);
    int drop[] = {0, 3};
    a.Remove(drop, 2);
    std::vector<int> values;
    for(const Live& l : a)
        values.push_back(l.value);
    EXPECT_EQ(values, (std::vector<int>{2, 3, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(Live::count, 8);

    a.Set(0, new Live(20));
    a.Drop(2);
    a.SetCount(8);
    EXPECT_EQ(Live::count, 8);
    EXPECT_EQ(a[7].value, 0);

    OwnedArray<Live> copy(a);
    EXPECT_EQ(Live::count, 16);
    copy[0].value = 99;
    EXPECT_EQ(a[0].value, 20);
    OwnedArray<Live> moved(std::move(copy));
    EXPECT_TRUE(copy.IsMovedFrom());
    EXPECT_EQ(moved[0].value, 99);
    a = moved;
    EXPECT_EQ(Live::count, 16);
    a.Clear();
    EXPECT_EQ(Live::count, 8);
}

TEST(BitSet, GrowsToFourThirdsOfTheWordIndex)
{
    struct Case { int bit, words; };
    const Case cases[] = {{0, 1}, {31, 1}, {32, 2}, {64, 3}, {100, 5}, {96, 5}, {320, 14}, {3200, 134}};
    for(const Case& c : cases) {
        BitSet b;
        b.Set(c.bit);
        EXPECT_EQ(b.GetWordCount(), c.words) << c.bit;
        for(int w = 0; w < b.GetWordCount(); w++)
            EXPECT_EQ(b.GetWords()[w], w == c.bit / 32 ? 1u << (c.bit & 31) : 0u) << c.bit << " word " << w;
    }
}

TEST(BitSet, SetClearGetCopyMove)
{
    BitSet b;
    EXPECT_FALSE(b.Get(1000)); // beyond the words
    b.Set(100);
    b.Set(3);
    b.Set(200); // grows again: 6 * 4 / 3 + 1 = 9 words, old words kept
    EXPECT_EQ(b.GetWordCount(), 9);
    EXPECT_TRUE(b[100] && b[3] && b[200]);
    EXPECT_FALSE(b[101]);
    b.Set(100, false);
    EXPECT_FALSE(b[100]);
    EXPECT_TRUE(b[3]);

    BitSet c(b);
    c.Set(5);
    EXPECT_FALSE(b[5]);
    BitSet d(std::move(c));
    EXPECT_LT(c.GetWordCount(), 0);
    EXPECT_TRUE(d[5] && d[3] && d[200]);
    c.Clear();
    EXPECT_EQ(c.GetWordCount(), 0);
    b = d;
    EXPECT_TRUE(b[5]);
    b.Clear();
    EXPECT_EQ(b.GetWordCount(), 0);
    EXPECT_FALSE(b[3]);
}
