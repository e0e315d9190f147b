// LRUCache: objects made once per key and maker kind, kept most recent first, and shrunk
// least recent first to a cost and a count limit.

#include "draw/image_cache/lru_cache.h"

#include <gtest/gtest.h>

#include <string>

using namespace Qor;

namespace {

struct Made {
    std::string what;
};

int makes;

class NameMaker : public LRUCache<Made, long long>::Maker {
public:
    long long key;
    int cost;
    NameMaker(long long key, int cost) : key(key), cost(cost) {}
    long long Key() const override { return key; }
    int Make(Made& m) const override
    {
        makes++;
        m.what = "name" + std::to_string(key);
        return cost;
    }
};

// Same keys, another kind: its objects are kept apart.
class OtherMaker : public NameMaker {
public:
    using NameMaker::NameMaker;
    int Make(Made& m) const override
    {
        makes++;
        m.what = "other" + std::to_string(key);
        return cost;
    }
};

class LRUCacheTest : public testing::Test {
protected:
    LRUCache<Made, long long> cache;
    void SetUp() override { makes = 0; }
    std::string Get(long long key, int cost = 1) { return cache.Get(NameMaker(key, cost)).what; }
};

TEST_F(LRUCacheTest, MakesOncePerKeyAndKind)
{
    EXPECT_EQ(Get(1, 10), "name1");
    EXPECT_EQ(Get(1, 10), "name1");
    EXPECT_EQ(makes, 1);
    EXPECT_EQ(cache.Get(OtherMaker(1, 5)).what, "other1");
    EXPECT_EQ(makes, 2);
    EXPECT_EQ(cache.GetCount(), 2);
    EXPECT_EQ(cache.GetTotalCost(), 15);
}

TEST_F(LRUCacheTest, ShrinkDropsTheLeastRecentlyUsedFirst)
{
    for(int key : { 1, 2, 3, 4 })
        Get(key, 10);
    Get(1); // now the most recent
    cache.Shrink(25, 100);
    EXPECT_EQ(cache.GetCount(), 2);
    EXPECT_EQ(cache.GetTotalCost(), 20);
    makes = 0;
    Get(1);
    Get(4);
    EXPECT_EQ(makes, 0); // kept
    Get(2);
    EXPECT_EQ(makes, 1); // dropped and made again
}

TEST_F(LRUCacheTest, ShrinkHoldsTheCountLimitAndMayEmptyTheCache)
{
    for(int key = 0; key < 10; key++)
        Get(key, 0);
    cache.Shrink(1000, 3);
    EXPECT_EQ(cache.GetCount(), 3);
    makes = 0;
    for(int key : { 7, 8, 9 })
        Get(key);
    EXPECT_EQ(makes, 0);
    cache.Shrink(0, 0);
    EXPECT_EQ(cache.GetCount(), 0);
    EXPECT_EQ(cache.GetTotalCost(), 0);
    cache.Shrink(0, 0); // an empty cache stays empty
    EXPECT_EQ(Get(5), "name5");
}

TEST_F(LRUCacheTest, RemovedSlotsAreReusedAndOrderKept)
{
    for(int key : { 1, 2, 3 })
        Get(key, 1);
    cache.RemoveIf([](const Made& m) { return m.what == "name2"; });
    EXPECT_EQ(cache.GetCount(), 2);
    Get(4, 1); // takes the freed slot
    cache.Shrink(1000, 2);
    makes = 0;
    Get(4);
    Get(3);
    EXPECT_EQ(makes, 0); // 1 was the least recent
    Get(1);
    EXPECT_EQ(makes, 1);
    cache.Clear();
    EXPECT_EQ(cache.GetCount(), 0);
    EXPECT_EQ(cache.GetTotalCost(), 0);
}

TEST_F(LRUCacheTest, ContainsAndLeastRecentLeaveTheOrderAlone)
{
    EXPECT_EQ(cache.GetLeastRecent(), nullptr);
    Get(1);
    Get(2);
    EXPECT_TRUE(cache.Contains(NameMaker(1, 0)));
    EXPECT_FALSE(cache.Contains(OtherMaker(1, 0))) << "another kind, another entry";
    EXPECT_FALSE(cache.Contains(NameMaker(3, 0)));
    ASSERT_NE(cache.GetLeastRecent(), nullptr);
    EXPECT_EQ(cache.GetLeastRecent()->what, "name1") << "looking did not make it recent";
    EXPECT_EQ(makes, 2);
    cache.Shrink(100, 1);
    EXPECT_FALSE(cache.Contains(NameMaker(1, 0)));
    EXPECT_EQ(cache.GetLeastRecent()->what, "name2");
}

TEST_F(LRUCacheTest, GetTellsWhetherItMade)
{
    bool made = false;
    cache.Get(NameMaker(1, 1), &made);
    EXPECT_TRUE(made);
    cache.Get(NameMaker(1, 1), &made);
    EXPECT_FALSE(made);
}

TEST_F(LRUCacheTest, RemoveFirstTakesTheMostRecentMatchOnly)
{
    for(int key : { 1, 2, 3 })
        Get(key, 1);
    Get(1); // most recent
    auto odd = [](const Made& m) { return (m.what.back() - '0') % 2 == 1; };
    EXPECT_TRUE(cache.RemoveFirst(odd));
    makes = 0;
    Get(3);
    EXPECT_EQ(makes, 0);
    Get(1);
    EXPECT_EQ(makes, 1);
    cache.Clear();
    EXPECT_FALSE(cache.RemoveFirst(odd));
}

TEST_F(LRUCacheTest, RecountTakesEveryCostAgain)
{
    Get(1, 10);
    Get(22, 10);
    cache.Recount([](const Made& m) { return (int)m.what.size(); });
    EXPECT_EQ(cache.GetTotalCost(), 5 + 6);
    cache.Shrink(6, 10); // the least recent, "name1", goes
    EXPECT_EQ(cache.GetCount(), 1);
    EXPECT_EQ(cache.GetTotalCost(), 6);
}

} // namespace
