// Vector: growth and capacities as the heap grants them, element lifetimes,
// bitwise relocation, self-referencing adds, move and copy.
#include "foundation/string.h"
#include "foundation/values/uuid.h"
#include "foundation/vector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Qor;

namespace {

template <int N>
struct Bytes {
    char b[N];
};

// Counts live objects and copies; relocation by the Vector must not copy.
struct Tracked {
    static int live, copies;
    int value;
    Tracked() : value(0) { live++; }
    Tracked(int v) : value(v) { live++; }
    Tracked(const Tracked& t) : value(t.value) { live++; copies++; }
    Tracked(Tracked&& t) noexcept : value(t.value) { live++; }
    Tracked& operator=(const Tracked& t) = default;
    ~Tracked() { live--; }
    bool operator==(const Tracked& t) const { return value == t.value; }
};
int Tracked::live = 0;
int Tracked::copies = 0;

struct TrackedFixture : ::testing::Test {
    void SetUp() override { Tracked::live = Tracked::copies = 0; }
    void TearDown() override { EXPECT_EQ(Tracked::live, 0) << "leaked or double-destroyed elements"; }
};

template <class T>
std::vector<int> GrowthCapacities(int steps)
{
    std::vector<int> caps;
    Vector<T> v;
    while((int)caps.size() < steps) {
        v.Add();
        if(caps.empty() || caps.back() != v.GetAlloc())
            caps.push_back(v.GetAlloc());
    }
    return caps;
}

std::vector<int> Values(const Vector<Tracked>& v)
{
    std::vector<int> out;
    for(const Tracked& t : v)
        out.push_back(t.value);
    return out;
}

using VectorLifetime = TrackedFixture;

String Long(int i) { return String("a text long enough for a counted block #") + String(std::to_string(i).c_str()); }

} // namespace

// Capacities follow the heap's size classes (16-byte steps to 224, then 288, 368,
// 448, 576) and medium bins (32-byte steps to 1056, then growing steps).
TEST(VectorCapacity, AddGrowsByHalfUsingTheWholeBlock)
{
    EXPECT_EQ(GrowthCapacities<Bytes<4>>(12), (std::vector<int>{4, 8, 12, 20, 32, 48, 72, 112, 168, 256, 384, 576}));
    EXPECT_EQ(GrowthCapacities<Bytes<8>>(12), (std::vector<int>{2, 4, 6, 10, 16, 24, 36, 56, 84, 128, 192, 288}));
    EXPECT_EQ(GrowthCapacities<Bytes<12>>(12), (std::vector<int>{1, 2, 4, 6, 9, 13, 24, 37, 56, 85, 128, 192}));
    EXPECT_EQ(GrowthCapacities<Bytes<16>>(12), (std::vector<int>{1, 2, 3, 4, 6, 9, 13, 23, 36, 54, 84, 130}));
}

TEST(VectorCapacity, ReserveTakesTheGrantedBlock)
{
    struct Case { int n; int cap12; int cap16; };
    const Case cases[] = {
        {1, 1, 1}, {9, 9, 9}, {10, 10, 10}, {19, 24, 23}, {40, 48, 40}, {100, 101, 100},
    };
    for(const Case& c : cases) {
        Vector<Bytes<12>> a;
        Vector<Bytes<16>> b;
        a.Reserve(c.n);
        b.Reserve(c.n);
        EXPECT_EQ(a.GetAlloc(), c.cap12) << c.n;
        EXPECT_EQ(b.GetAlloc(), c.cap16) << c.n;
    }
    Vector<int> none;
    none.Reserve(0);
    EXPECT_EQ(none.GetAlloc(), 0);
    EXPECT_EQ(none.begin(), nullptr);
}

TEST(VectorCapacity, SetCountGrowsByCapacityOrShortfall)
{
    struct Case { int count, reserve, n, cap; };
    const Case cases[] = {
        {2, 4, 10, 12},  // 4 + max(4, 8) = 12: a 192-byte block
        {2, 4, 4, 4},    // fits: no growth
        {4, 4, 5, 8},    // 4 + max(4, 1) = 8: a 128-byte block
        {0, 0, 3, 3},    // 0 + max(0, 3) = 3
    };
    for(const Case& c : cases) {
        Vector<String> v;
        v.Reserve(c.reserve);
        for(int i = 0; i < c.count; i++)
            v.Add(Long(i));
        ASSERT_EQ(v.GetAlloc(), c.reserve);
        v.SetCount(c.n);
        EXPECT_EQ(v.GetAlloc(), c.cap) << c.count << "->" << c.n;
        ASSERT_EQ(v.GetCount(), c.n);
        for(int i = 0; i < c.count; i++)
            EXPECT_EQ(v[i], Long(i));
        for(int i = c.count; i < c.n; i++) {
            EXPECT_TRUE(v[i].IsEmpty());
            EXPECT_TRUE(v[i].IsSmall());
        }
    }
}

TEST(VectorCapacity, InsertNGrowsByHalfOrByTheGap)
{
    struct Case { int fill, n, cap; };
    const Case cases[] = {
        {6, 0, 6},   // nothing for n = 0
        {6, 1, 9},   // 1 < 3: 6 + 3 = 9
        {6, 3, 9},   // 3 < 3 fails: 6 + 3 = 9
        {6, 5, 11},  // 6 + 5 = 11: 176 bytes
        {9, 2, 13},  // 2 < 4: 9 + 4 = 13: 208 bytes
        {9, 30, 40}, // 9 + 30 = 39: 624 bytes, the 640-byte bin
    };
    for(const Case& c : cases) {
        Vector<Bytes<16>> v;
        v.Reserve(c.fill);
        ASSERT_EQ(v.GetAlloc(), c.fill);
        for(int i = 0; i < c.fill; i++)
            v.Add().b[0] = char(i);
        Bytes<16>* p = v.InsertN(2, c.n);
        EXPECT_EQ(v.GetAlloc(), c.cap) << c.fill << "+" << c.n;
        EXPECT_EQ(v.GetCount(), c.fill + c.n);
        EXPECT_EQ(p, v.begin() + 2);
        for(int i = 0; i < c.fill; i++)
            EXPECT_EQ(v[i < 2 ? i : i + c.n].b[0], char(i));
    }
}

TEST_F(VectorLifetime, RelocationRunsNoConstructor)
{
    Vector<Tracked> v;
    for(int i = 0; i < 1000; i++)
        v.Add(Tracked(i));
    v.InsertN(500, 100);
    v.Remove(10, 50);
    v.Shrink();
    EXPECT_EQ(Tracked::copies, 0);
    EXPECT_EQ(Tracked::live, v.GetCount());
    EXPECT_EQ(v.GetCount(), 1050);
    EXPECT_EQ(v[9].value, 9);
    EXPECT_EQ(v[10].value, 60);
    EXPECT_EQ(v[449].value, 499);
    EXPECT_EQ(v[450].value, 0); // value-initialised gap
    EXPECT_EQ(v[550].value, 500);
}

TEST_F(VectorLifetime, ElementsAreDestroyedByEveryRemovingOperation)
{
    Vector<Tracked> v;
    for(int i = 0; i < 20; i++)
        v.Add(i);
    v.Remove(3, 4);
    EXPECT_EQ(Tracked::live, 16);
    int drop[] = {0, 5, 15};
    v.Remove(drop, 3);
    EXPECT_EQ(Tracked::live, 13);
    EXPECT_EQ(Values(v), (std::vector<int>{1, 2, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    v.Drop(2);
    v.SetCount(8);
    EXPECT_EQ(Tracked::live, 8);
    Tracked last = v.Pop();
    EXPECT_EQ(last.value, 13);
    EXPECT_EQ(Tracked::live, 8); // 7 in the Vector and last
    v.SetCount(10, Tracked(77));
    EXPECT_EQ(Values(v), (std::vector<int>{1, 2, 7, 8, 10, 11, 12, 77, 77, 77}));
    v.Clear();
    EXPECT_EQ(v.GetAlloc(), 0);
    EXPECT_EQ(Tracked::live, 1);
}

TEST_F(VectorLifetime, InsertKeepsOrder)
{
    Vector<Tracked> v{1, 2, 3};
    v.Insert(0, Tracked(0));
    v.Insert(4, Tracked(4));
    v.Insert(2, v[4]); // an element of the Vector itself
    EXPECT_EQ(Values(v), (std::vector<int>{0, 1, 4, 2, 3, 4}));
    EXPECT_EQ(v.Find(Tracked(2)), 3);
    EXPECT_EQ(v.Find(Tracked(4), 3), 5);
    EXPECT_EQ(v.Find(Tracked(9)), -1);
}

TEST(Vector, AddOfItsOwnElementSurvivesGrowth)
{
    Vector<String> v;
    std::vector<std::string> model;
    auto fill = [&] { // up to capacity, so that the next Add moves the block
        while(v.GetCount() < v.GetAlloc()) {
            v.Add(Long((int)model.size()));
            model.push_back(Long((int)model.size()).Begin());
        }
    };
    v.Add(Long(0));
    model.push_back(Long(0).Begin());
    for(int step = 0; step < 12; step++) {
        fill();
        int first = step % v.GetCount();
        v.Add(v[first]);
        model.push_back(model[first]);
        fill();
        int last = v.GetCount() - 1;
        v.Add(std::move(v[last]));
        model.push_back(model[last]);
        model[last].clear();
    }
    ASSERT_EQ(v.GetCount(), (int)model.size());
    for(int i = 0; i < v.GetCount(); i++)
        EXPECT_EQ(v[i], model[i].c_str()) << i;
}

TEST(Vector, MoveLeavesCountMinusOne)
{
    Vector<String> a{Long(1), Long(2)};
    Vector<String> b(std::move(a));
    EXPECT_EQ(a.GetCount(), -1);
    EXPECT_TRUE(a.IsMovedFrom());
    EXPECT_EQ(a.begin(), nullptr);
    EXPECT_EQ(b.GetCount(), 2);
    EXPECT_EQ(b[1], Long(2));

    Vector<String> c;
    c.Add("x");
    c = std::move(b);
    EXPECT_EQ(b.GetCount(), -1);
    EXPECT_EQ(c.GetCount(), 2);

    a = c; // a moved-from Vector can be assigned
    EXPECT_EQ(a.GetCount(), 2);
    b.Clear(); // or cleared
    EXPECT_EQ(b.GetCount(), 0);
    b.Add("again");
    EXPECT_EQ(b[0], "again");
}

TEST(Vector, CopyIsDeep)
{
    Vector<String> a;
    for(int i = 0; i < 10; i++)
        a.Add(Long(i));
    Vector<String> b(a);
    b[3].Append("!");
    b.Add("more");
    EXPECT_EQ(a[3], Long(3));
    EXPECT_EQ(a.GetCount(), 10);
    EXPECT_EQ(b[3], Long(3) + "!");
    a = b;
    EXPECT_EQ(a.GetCount(), 11);
    Vector<String>& same = a;
    a = same;
    EXPECT_EQ(a[10], "more");
    a.Append(a);
    EXPECT_EQ(a.GetCount(), 22);
    EXPECT_EQ(a[21], "more");
}

TEST(VectorSetCount, NewIntAndUuidPlacesAreZero)
{
    // Shrinking keeps the old bytes in the block; growing again must not show them.
    Vector<int> ints;
    for(int i = 1; i <= 6; i++)
        ints.Add(i);
    ints.SetCount(2);
    ints.SetCount(6);
    EXPECT_EQ(std::vector<int>(ints.begin(), ints.end()), (std::vector<int>{1, 2, 0, 0, 0, 0}));
    ints.SetCount(40); // through a new block
    EXPECT_EQ(ints[39], 0);

    Vector<Uuid> ids;
    for(int i = 0; i < 4; i++)
        ids.Add(Uuid(1, 2, 3, 4));
    ids.SetCount(1);
    ids.SetCount(4);
    EXPECT_EQ(ids[0], Uuid(1, 2, 3, 4));
    for(int i = 1; i < 4; i++)
        EXPECT_TRUE(ids[i].IsNullInstance()) << i;
}
