// KeyIndex, KeyMap and OwnedKeyMap: lookup by key, duplicates, unlinking and
// slot reuse, removal, value lifetimes; the key hash functions; TypeNumber.
#include "foundation/key_map.h"
#include "foundation/string.h"
#include "foundation/type_number.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace Qor;

namespace {

String Long(int i) { return String("key text long enough for a counted block ") + String(std::to_string(i).c_str()); }

// Every key collides: Find must tell keys apart by equality alone.
struct Colliding {
    int id;
    uint32 GetHashValue() const { return 42; }
    bool operator==(const Colliding& c) const { return id == c.id; }
};

// A compound key hashing its parts through CombineHash.
struct Pair {
    String name;
    int number;
    uint32 GetHashValue() const { return CombineHash(Qor::GetHashValue(name), Qor::GetHashValue(number)); }
    bool operator==(const Pair& p) const { return name == p.name && number == p.number; }
};

struct Counted {
    static int live;
    int value = 0;
    Counted() { live++; }
    Counted(int v) : value(v) { live++; }
    Counted(const Counted& c) : value(c.value) { live++; }
    ~Counted() { live--; }
    Counted& operator=(const Counted&) = default;
};
int Counted::live = 0;

template <class K>
std::vector<int> FindAll(const KeyIndex<K>& x, const K& k)
{
    std::vector<int> out;
    for(int i = x.Find(k); i >= 0; i = x.FindNext(i))
        out.push_back(i);
    return out;
}

} // namespace

TEST(KeyHash, ValuesFollowTheKeyType)
{
    EXPECT_EQ(GetHashValue(12345), 12345u);
    EXPECT_EQ(GetHashValue(-1), 0xffffffffu);
    EXPECT_EQ(GetHashValue(7u), 7u);
    int64 big = 0x123456789abcdef0LL;
    EXPECT_EQ(GetHashValue(big), CombineHash(0x9abcdef0u, 0x12345678u));
    EXPECT_EQ(GetHashValue(1.5), HashDouble(1.5));
    String s = Long(3);
    EXPECT_EQ(GetHashValue(s), s.GetHashValue());
    Pair p{"a", 2};
    EXPECT_EQ(GetHashValue(p), CombineHash(String("a").GetHashValue(), 2u));
}

TEST(KeyIndex, FindFindNextAndFindAdd)
{
    KeyIndex<String> x;
    const char* keys[] = {"alpha", "beta", "alpha", "gamma", "beta", "alpha"};
    for(const char* k : keys)
        x.Add(k);
    x.Add(Long(1));
    EXPECT_EQ(FindAll(x, String("alpha")), (std::vector<int>{0, 2, 5}));
    EXPECT_EQ(FindAll(x, String("beta")), (std::vector<int>{1, 4}));
    EXPECT_EQ(x.Find("delta"), -1);
    EXPECT_EQ(x.Find(Long(1)), 6);
    EXPECT_EQ(x.FindAdd("gamma"), 3);
    EXPECT_EQ(x.FindAdd("delta"), 7);
    EXPECT_EQ(x.FindAdd("delta"), 7);
    EXPECT_EQ(x.GetCount(), 8);
    EXPECT_EQ(x[7], "delta");
    // A key given with its own hash is found through that hash.
    x.Add("epsilon", 99);
    EXPECT_EQ(x.Find("epsilon", 99), 8);
}

TEST(KeyIndex, ManyKeysOfEveryKind)
{
    KeyIndex<int> ints;
    KeyIndex<double> doubles;
    KeyIndex<String> strings;
    for(int i = 0; i < 5000; i++) {
        ints.Add(i * 37);
        doubles.Add(i * 0.25);
        strings.Add(i % 2 ? Long(i) : String(std::to_string(i).c_str()));
    }
    for(int i = 0; i < 5000; i++) {
        ASSERT_EQ(ints.Find(i * 37), i);
        ASSERT_EQ(doubles.Find(i * 0.25), i);
        ASSERT_EQ(strings.Find(i % 2 ? Long(i) : String(std::to_string(i).c_str())), i);
    }
    EXPECT_EQ(ints.Find(1), -1);
    EXPECT_EQ(doubles.Find(0.1), -1);
    EXPECT_EQ(strings.Find(Long(5001)), -1);
}

TEST(KeyIndex, FindComparesKeysNotHashes)
{
    KeyIndex<Colliding> x;
    for(int i = 0; i < 50; i++)
        x.Add(Colliding{i % 10});
    EXPECT_EQ(FindAll(x, Colliding{3}), (std::vector<int>{3, 13, 23, 33, 43}));
    EXPECT_EQ(x.Find(Colliding{10}), -1);

    KeyIndex<Pair> pairs;
    pairs.Add(Pair{"x", 1});
    pairs.Add(Pair{"x", 2});
    EXPECT_EQ(pairs.Find(Pair{"x", 2}), 1);
    EXPECT_EQ(pairs.Find(Pair{"y", 1}), -1);
}

TEST(KeyIndex, UnlinkPutAndSweep)
{
    KeyIndex<int> x{10, 20, 30, 40, 20};
    x.Unlink(1);
    EXPECT_TRUE(x.IsUnlinked(1));
    EXPECT_EQ(x[1], 20); // the key stays
    EXPECT_EQ(x.Find(20), 4);
    EXPECT_EQ(x.UnlinkKey(40), 1);
    EXPECT_EQ(x.Find(40), -1);
    EXPECT_EQ(x.GetUnlinked(), (Vector<int>{1, 3}));

    EXPECT_EQ(x.Put(50), 1); // earliest unlinked slot first
    EXPECT_EQ(x.Put(60), 3);
    EXPECT_EQ(x.Put(70), 5); // none left: appended
    EXPECT_EQ(x.FindPut(60), 3);
    EXPECT_EQ(x.Find(50), 1);
    EXPECT_FALSE(x.HasUnlinked());

    x.Set(0, 99);
    EXPECT_EQ(x.Find(10), -1);
    EXPECT_EQ(x.Find(99), 0);
    x.Unlink(2);
    x.Set(2, 31); // relinks
    EXPECT_EQ(x.Find(31), 2);

    x.Unlink(0);
    x.Unlink(4);
    x.Sweep();
    EXPECT_EQ(x.GetKeys(), (Vector<int>{50, 31, 60, 70}));
    for(int i = 0; i < x.GetCount(); i++)
        EXPECT_EQ(x.Find(x[i]), i);
}

TEST(KeyIndex, RemoveRenumbersAndCopyIsIndependent)
{
    KeyIndex<String> x;
    for(int i = 0; i < 30; i++)
        x.Add(Long(i % 10));
    x.Unlink(0);
    x.Put(Long(3)); // slot 0 now sits at the tail of its bucket
    EXPECT_EQ(FindAll(x, Long(3)), (std::vector<int>{3, 13, 23, 0}));
    EXPECT_EQ(x.RemoveKey(Long(3)), 4);
    EXPECT_EQ(x.GetCount(), 26);
    EXPECT_EQ(x.Find(Long(3)), -1);
    EXPECT_EQ(FindAll(x, Long(4)), (std::vector<int>{2, 11, 20}));
    x.Remove(0, 2);
    EXPECT_EQ(FindAll(x, Long(4)), (std::vector<int>{0, 9, 18}));

    KeyIndex<String> copy(x);
    x.Drop(20);
    EXPECT_EQ(x.GetCount(), 4);
    EXPECT_EQ(FindAll(x, Long(4)), (std::vector<int>{0}));
    EXPECT_EQ(FindAll(copy, Long(4)), (std::vector<int>{0, 9, 18}));

    KeyIndex<String> moved(std::move(copy));
    EXPECT_EQ(moved.GetCount(), 24);
    EXPECT_EQ(moved.Find(Long(9)), 5);
    Vector<String> keys = moved.PickKeys();
    EXPECT_EQ(keys.GetCount(), 24);
    EXPECT_TRUE(moved.IsEmpty());
    EXPECT_EQ(moved.Find(Long(9)), -1);
}

TEST(KeyMap, AddGetAndPut)
{
    KeyMap<String, int> m;
    m.Add("one", 1);
    m.Add("two", 2);
    m.Add(Long(3), 3);
    EXPECT_EQ(m.Get("two"), 2);
    EXPECT_EQ(m.Get(Long(3)), 3);
    EXPECT_EQ(m.Get("four", -1), -1);
    EXPECT_EQ(m.Find("one"), 0);
    EXPECT_EQ(m.FindPtr("none"), nullptr);
    m.GetAdd("four") = 4;
    EXPECT_EQ(m.GetAdd("four"), 4);
    EXPECT_EQ(m.GetAdd("five", 5), 5);
    EXPECT_EQ(m.GetAdd("five", 50), 5);
    EXPECT_EQ(m.GetCount(), 5);
    EXPECT_EQ(m.GetKey(3), "four");
    m[3] = 44;
    EXPECT_EQ(m.Get("four"), 44);

    m.Unlink(1);
    EXPECT_EQ(m.Find("two"), -1);
    EXPECT_EQ(m.Put("six", 6), 6);
    EXPECT_EQ(m.GetKey(1), "six");
    EXPECT_EQ(m.Get("six"), 6);
    EXPECT_EQ(m.RemoveKey("one"), 1);
    EXPECT_EQ(m.GetKeys(), (Vector<String>{"six", Long(3), "four", "five"}));
    EXPECT_EQ(m.GetValues(), (Vector<int>{6, 3, 44, 5}));
    m.Unlink(2);
    m.Sweep();
    EXPECT_EQ(m.GetValues(), (Vector<int>{6, 3, 5}));
    EXPECT_EQ(m.Get("five"), 5);
    Vector<int> values = m.PickValues();
    EXPECT_EQ(values.GetCount(), 3);
    EXPECT_TRUE(m.IsEmpty());
}

TEST(KeyMap, ValuesAreDestroyed)
{
    Counted::live = 0;
    {
        KeyMap<int, Counted> m;
        for(int i = 0; i < 100; i++)
            m.Add(i, Counted(i));
        m.Remove(10, 5);
        m.RemoveKey(50);
        EXPECT_EQ(Counted::live, 94);
        m.Drop(4);
        EXPECT_EQ(Counted::live, 90);
        EXPECT_EQ(m.Get(95).value, 95);
    }
    EXPECT_EQ(Counted::live, 0);
    {
        OwnedKeyMap<String, Counted> m;
        m.Add("a", new Counted(1));
        m.Add("b", Counted(2));
        m.Create<Counted>("c", 3);
        m.Add("d");
        EXPECT_EQ(Counted::live, 4);
        EXPECT_EQ(m.Get("c").value, 3);
        Counted* p = m.Detach(0);
        EXPECT_EQ(p->value, 1);
        EXPECT_EQ(m.Find("b"), 0);
        EXPECT_EQ(m.Find("a"), -1);
        delete p;
        m.Unlink(0);
        m.Put("e", new Counted(5)); // replaces the value of the reused slot
        EXPECT_EQ(Counted::live, 3);
        EXPECT_EQ(m.Get("e").value, 5);
        EXPECT_EQ(m.Find("b"), -1);
    }
    EXPECT_EQ(Counted::live, 0);
}

TEST(OwnedKeyMap, CopyValuesMakesOwnCopies)
{
    Counted::live = 0;
    {
        OwnedKeyMap<String, Counted> src;
        src.Add("a", Counted(1));
        src.Add("b", Counted(2));
        OwnedKeyMap<String, Counted> copy;
        copy.Add("old", Counted(9));
        copy.CopyValues(src);
        EXPECT_EQ(Counted::live, 4); // the old value went, two copies came
        ASSERT_EQ(copy.GetCount(), 2);
        EXPECT_EQ(copy.Get("b").value, 2);
        EXPECT_EQ(copy.Find("old"), -1);
        EXPECT_NE(&copy[0], &src[0]);
        copy[0].value = 5;
        EXPECT_EQ(src[0].value, 1);
        copy.CopyValues(copy); // onto itself: unchanged
        EXPECT_EQ(copy.GetCount(), 2);
    }
    EXPECT_EQ(Counted::live, 0);
}

TEST(TypeNumber, NumbersFollowFirstRequest)
{
    int a = TypeNumber("N3Qor12FirstTestTypeE");
    int b = TypeNumber("N3Qor13SecondTestTypeE");
    EXPECT_GE(a, 0);
    EXPECT_EQ(b, a + 1);
    EXPECT_EQ(TypeNumber("N3Qor12FirstTestTypeE"), a);
    EXPECT_EQ(StaticTypeNumber<Pair>(), StaticTypeNumber<Pair>());
    EXPECT_EQ(StaticTypeNumber<Pair>(), TypeNumber(typeid(Pair).name()));
    EXPECT_NE(StaticTypeNumber<Pair>(), StaticTypeNumber<Colliding>());
}
