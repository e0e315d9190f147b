// The framework's sort: every size and shape of input against the standard sort, the short
// ranges' selection, ties broken by position in the index sort, and a less that is no order.
#include "lists/array/index_sort.h"

#include "foundation/random.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace Qor;

// Shapes of input that defeat simple pivots or short-cuts.
std::vector<int> Shape(const std::string& shape, int n)
{
    std::vector<int> v(n);
    for(int i = 0; i < n; i++) {
        if(shape == "ascending")
            v[i] = i;
        else if(shape == "descending")
            v[i] = n - i;
        else if(shape == "equal")
            v[i] = 7;
        else if(shape == "organ pipe")
            v[i] = std::min(i, n - i);
        else if(shape == "sawtooth")
            v[i] = i % 5;
        else if(shape == "few distinct")
            v[i] = int(RandomBelow(3));
        else
            v[i] = int(RandomBelow(1000));
    }
    if(shape == "one out of place" && n > 1)
        std::swap(v[0], v[n - 1]);
    return v;
}

TEST(FrameworkSort, SortsEveryShapeAndSizeLikeTheStandardSort)
{
    const char* shapes[] = { "ascending", "descending", "equal",        "organ pipe",
                             "sawtooth",  "random",     "few distinct", "one out of place" };
    const int sizes[] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 15, 16, 17, 33, 100, 1000, 10000 };
    for(const char* shape : shapes)
        for(int n : sizes)
            for(int run = 0; run < 3; run++) {
                std::vector<int> v = Shape(shape, n);
                std::vector<int> expected = v;
                std::sort(expected.begin(), expected.end());
                SortRange(v.data(), v.data() + v.size(), [](int a, int b) { return a < b; });
                ASSERT_EQ(v, expected) << shape << " " << n;
            }
}

TEST(FrameworkSort, ShortRangesOfEveryPermutation)
{
    // Every order of up to seven distinct elements, and of seven with repeats.
    for(int n = 2; n <= 7; n++) {
        std::vector<int> p(n);
        for(int i = 0; i < n; i++)
            p[i] = i / (n == 7 ? 2 : 1);
        std::vector<int> expected = p;
        do {
            std::vector<int> v = p;
            SortShortRange(v.data(), v.data() + n, [](int a, int b) { return a < b; });
            ASSERT_EQ(v, expected) << n;
        } while(std::next_permutation(p.begin(), p.end()));
    }
}

TEST(FrameworkSort, ALessThatIsNoOrderStillYieldsAPermutation)
{
    for(int n : { 7, 8, 50, 500 }) {
        std::vector<int> v(n);
        for(int i = 0; i < n; i++)
            v[i] = i;
        SortRange(v.data(), v.data() + n, [](int, int) { return RandomBelow(2) == 0; });
        std::sort(v.begin(), v.end());
        for(int i = 0; i < n; i++)
            ASSERT_EQ(v[i], i) << n;
    }
}

// Ascending by value; equal values by their number.
struct ByValue : ValueOrder {
    bool Less(const Value& a, const Value& b) const override { return a.ToInt() < b.ToInt(); }
};

TEST(IndexSortOrder, EqualKeysKeepTheirPositions)
{
    const struct {
        std::vector<int> keys;
        std::vector<int> order;
    } cases[] = {
        { {}, {} },
        { { 5 }, { 0 } },
        { { 2, 1 }, { 1, 0 } },
        { { 1, 1, 1 }, { 0, 1, 2 } },
        { { 3, 1, 2, 1 }, { 1, 3, 2, 0 } },
        { { 2, 2, 1, 1, 2, 1, 0 }, { 6, 2, 3, 5, 0, 1, 4 } },
        { { 1, 0, 1, 0, 1, 0, 1, 0, 1, 0 }, { 1, 3, 5, 7, 9, 0, 2, 4, 6, 8 } },
        { { 4, 4, 4, 4, 4, 4, 4, 4, 4, 3 }, { 9, 0, 1, 2, 3, 4, 5, 6, 7, 8 } },
    };
    ByValue by_value;
    for(const auto& c : cases) {
        std::vector<Value> keys;
        std::vector<int> index;
        for(int k : c.keys) {
            index.push_back(int(keys.size()));
            keys.push_back(k);
        }
        IndexSort(index.data(), keys.data(), index.data() + index.size(), by_value);
        EXPECT_EQ(index, c.order) << c.keys.size() << " keys";
    }
}

TEST(IndexSortOrder, ManyTiesAreStable)
{
    for(int n : { 8, 100, 5000 }) {
        std::vector<Value> keys;
        std::vector<int> index;
        std::vector<std::pair<int, int>> expected;
        for(int i = 0; i < n; i++) {
            int k = int(RandomBelow(4));
            keys.push_back(k);
            index.push_back(i);
            expected.push_back({ k, i });
        }
        std::sort(expected.begin(), expected.end());
        IndexSort(index.data(), keys.data(), index.data() + n, ByValue());
        for(int i = 0; i < n; i++)
            ASSERT_EQ(index[i], expected[i].second) << n << " at " << i;
    }
}

} // namespace
