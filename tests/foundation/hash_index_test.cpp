// HashIndex: rehash moments, bucket function, ordered bucket lists, the unlinked
// ring, SetHash placement, copy and move.
#include "foundation/hash_index.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace Qor;

namespace {

// Walks a circular list from head, checking that prev mirrors next.
std::vector<int> Ring(const HashIndex& x, int head)
{
    std::vector<int> out;
    if(head < 0)
        return out;
    int i = head;
    do {
        out.push_back(i);
        EXPECT_EQ(x.Prev(x.Next(i)), i) << "broken back link at " << i;
        i = x.Next(i);
        if((int)out.size() > x.GetCount()) {
            ADD_FAILURE() << "list does not return to its head";
            break;
        }
    }
    while(i != head);
    return out;
}

std::vector<int> BucketOf(const HashIndex& x, uint32 h) { return Ring(x, x.Head(h)); }

// Every linked element sits once in the list of its own bucket; the unlinked
// ring holds exactly the unlinked ones.
void CheckStructure(const HashIndex& x, bool ascending = true)
{
    std::set<int> seen;
    for(int i = 0; i < x.GetCount(); i++) {
        if(x.IsUnlinked(i) || seen.count(i))
            continue;
        std::vector<int> list = Ring(x, x.HeadOf(i));
        for(size_t k = 0; k < list.size(); k++) {
            int e = list[k];
            EXPECT_FALSE(x.IsUnlinked(e));
            EXPECT_EQ(x.Bucket(x.GetHash(e)), x.Bucket(x.GetHash(i))) << e << " in a foreign bucket";
            EXPECT_TRUE(seen.insert(e).second) << e << " listed twice";
            if(ascending && k) {
                EXPECT_LT(list[k - 1], e) << "bucket list out of order";
            }
        }
        EXPECT_TRUE(seen.count(i)) << i << " missing from its bucket";
    }
    std::vector<int> ring = Ring(x, x.FirstUnlinked());
    for(int e : ring) {
        EXPECT_TRUE(x.IsUnlinked(e));
        EXPECT_TRUE(seen.insert(e).second);
    }
    EXPECT_EQ((int)seen.size(), x.GetCount());
}

} // namespace

TEST(HashIndex, RehashMoments)
{
    HashIndex x;
    EXPECT_EQ(x.GetMapSize(), 0);
    EXPECT_EQ(x.FirstUnlinked(), -1);
    const int sizes[] = {1, 2, 4, 4, 8, 8, 8, 8, 16, 16, 16, 16, 16, 16, 16, 16, 32};
    for(int k = 0; k < (int)std::size(sizes); k++) {
        x.Add(k * 7919u);
        EXPECT_EQ(x.GetMapSize(), sizes[k]) << "after add " << k + 1;
    }
    CheckStructure(x);

    struct Case { int n, size; };
    const Case rehash[] = {{0, 1}, {1, 1}, {2, 2}, {3, 4}, {5, 8}, {16, 16}, {17, 32}, {1000, 1024}};
    for(const Case& c : rehash) {
        x.Rehash(c.n);
        EXPECT_EQ(x.GetMapSize(), c.size) << c.n;
        CheckStructure(x);
    }
}

TEST(HashIndex, BucketFunction)
{
    struct Case { uint32 h; int size, bucket; };
    const Case cases[] = {
        {0, 4, 0}, {1, 16, 15}, {128, 16, 15}, {0x7fffffff, 16, 2}, {12345678, 1024, 121}, {0x00800000, 8, 1},
    };
    for(const Case& c : cases) {
        HashIndex x;
        for(int i = 0; i < c.size; i++)
            x.Add(c.h);
        ASSERT_EQ(x.GetMapSize(), c.size);
        EXPECT_EQ(x.Bucket(c.h), c.bucket) << c.h;
        EXPECT_EQ(BucketOf(x, c.h).size(), (size_t)c.size);
    }
}

TEST(HashIndex, AddStoresHashWithoutBit31)
{
    HashIndex x;
    x.Add(0x80000005u);
    x.Add(5);
    EXPECT_EQ(x.GetHash(0), 5u);
    EXPECT_FALSE(x.IsUnlinked(0));
    EXPECT_EQ(BucketOf(x, 5), (std::vector<int>{0, 1}));
}

TEST(HashIndex, BucketListsStayAscending)
{
    HashIndex x;
    for(int i = 0; i < 300; i++)
        x.Add(i % 7 * 1000003u);
    CheckStructure(x);
    std::vector<int> list = BucketOf(x, 3 * 1000003u);
    ASSERT_GE(list.size(), 43u);
    std::vector<int> mine;
    for(int e : list)
        if(x.GetHash(e) == 3 * 1000003u)
            mine.push_back(e);
    EXPECT_EQ(mine.size(), 43u);
    EXPECT_EQ(mine.front(), 3);
    EXPECT_EQ(mine.back(), 297);
}

TEST(HashIndex, UnlinkAndReuseUnlinked)
{
    HashIndex x;
    for(int i = 0; i < 10; i++)
        x.Add(i % 3);
    x.Unlink(7);
    x.Unlink(2);
    x.Unlink(5);
    x.Unlink(2); // twice changes nothing
    CheckStructure(x);
    EXPECT_EQ(Ring(x, x.FirstUnlinked()), (std::vector<int>{7, 2, 5}));
    EXPECT_EQ(BucketOf(x, 1), (std::vector<int>{1, 4})); // 7 gone
    EXPECT_EQ(x.GetHash(7), 1u);                       // its hash is kept

    // The earliest unlinked comes back first, at the tail of its new bucket.
    EXPECT_EQ(x.ReuseUnlinked(0), 7);
    EXPECT_EQ(BucketOf(x, 0), (std::vector<int>{0, 3, 6, 9, 7}));
    CheckStructure(x, false);

    // A rehash rebuilds the ring in ascending order, unlinked marks kept.
    x.Unlink(8);
    x.Rehash();
    CheckStructure(x);
    EXPECT_EQ(Ring(x, x.FirstUnlinked()), (std::vector<int>{2, 5, 8}));
    EXPECT_EQ(x.ReuseUnlinked(0x80000001u), 2);
    EXPECT_EQ(x.GetHash(2), 1u);
    EXPECT_FALSE(x.IsUnlinked(2));
    EXPECT_EQ(x.ReuseUnlinked(1), 5);
    EXPECT_EQ(x.ReuseUnlinked(1), 8);
    EXPECT_EQ(x.ReuseUnlinked(1), -1);
    EXPECT_FALSE(x.HasUnlinked());
    EXPECT_EQ(BucketOf(x, 1), (std::vector<int>{1, 4, 2, 5, 8}));
    CheckStructure(x, false);
}

TEST(HashIndex, SetHashKeepsBucketOrderFromTheNearerEnd)
{
    // 24 elements of hash 2 (bucket 30 of 32); 3, 9 and 20 moved to hash 1 (bucket 31).
    struct Case { int i; std::vector<int> list; };
    const Case cases[] = {
        {12, {3, 9, 12, 20}}, // nearer the tail: walks back from 20
        {15, {3, 9, 15, 20}},
        {5, {3, 5, 9, 20}},   // nearer the head: walks forward
        {10, {3, 9, 10, 20}},
        {1, {1, 3, 9, 20}},   // below the head: the new head
        {22, {3, 9, 20, 22}},
        {9, {3, 9, 20}},      // already there
        {3, {3, 9, 20}},
    };
    for(const Case& c : cases) {
        HashIndex x;
        for(int i = 0; i < 24; i++)
            x.Add(2);
        ASSERT_EQ(x.GetMapSize(), 32);
        ASSERT_NE(x.Bucket(1), x.Bucket(2));
        for(int i : {3, 9, 20})
            x.SetHash(i, 1);
        ASSERT_EQ(BucketOf(x, 1), (std::vector<int>{3, 9, 20}));
        x.SetHash(c.i, 0x80000001u);
        EXPECT_EQ(BucketOf(x, 1), c.list) << "i = " << c.i;
        EXPECT_EQ(x.GetHash(c.i), 1u);
        CheckStructure(x);
    }
}

TEST(HashIndex, SetHashRelinksAnUnlinkedElement)
{
    HashIndex x;
    for(int i = 0; i < 8; i++)
        x.Add(i);
    x.Unlink(4);
    x.Unlink(6);
    x.SetHash(4, 100);
    EXPECT_FALSE(x.IsUnlinked(4));
    EXPECT_EQ(Ring(x, x.FirstUnlinked()), (std::vector<int>{6}));
    CheckStructure(x);

    x.ClearLinks(); // without a map only the hash changes
    x.SetHash(2, 0x80000000u | 50);
    EXPECT_EQ(x.GetHash(2), 50u);
    EXPECT_EQ(x.GetMapSize(), 0);
    x.Rehash();
    EXPECT_EQ(BucketOf(x, 50), (std::vector<int>{2}));
    CheckStructure(x);
}

TEST(HashIndex, CopyMoveAndClearLinks)
{
    HashIndex x;
    for(int i = 0; i < 20; i++)
        x.Add(i % 4);
    x.Unlink(13);
    x.Unlink(1);

    HashIndex copy(x);
    EXPECT_EQ(copy.GetCount(), 20);
    EXPECT_EQ(copy.GetMapSize(), 32);
    EXPECT_EQ(Ring(copy, copy.FirstUnlinked()), (std::vector<int>{1, 13})); // rebuilt ascending
    EXPECT_EQ(BucketOf(copy, 1), (std::vector<int>{5, 9, 17}));
    CheckStructure(copy);

    HashIndex moved(std::move(x));
    EXPECT_EQ(x.GetCount(), -1);
    EXPECT_EQ(x.GetMapSize(), 0);
    EXPECT_EQ(moved.GetCount(), 20);
    EXPECT_EQ(Ring(moved, moved.FirstUnlinked()), (std::vector<int>{13, 1}));
    CheckStructure(moved);

    x = std::move(copy);
    EXPECT_EQ(x.GetCount(), 20);
    EXPECT_EQ(copy.GetCount(), -1);

    moved.ClearLinks();
    EXPECT_EQ(moved.GetMapSize(), 0);
    EXPECT_EQ(moved.Head(1), -1);
    EXPECT_EQ(moved.GetCount(), 20);
    EXPECT_TRUE(moved.IsUnlinked(13));
    moved.Rehash();
    EXPECT_EQ(Ring(moved, moved.FirstUnlinked()), (std::vector<int>{1, 13}));
    CheckStructure(moved);
}

TEST(HashIndex, TrimAndRemoveRenumber)
{
    HashIndex x;
    for(int i = 0; i < 20; i++)
        x.Add(i % 4);
    x.Unlink(18);
    x.Trim(15);
    EXPECT_EQ(x.GetCount(), 15);
    EXPECT_FALSE(x.HasUnlinked());
    EXPECT_EQ(BucketOf(x, 2), (std::vector<int>{2, 6, 10, 14}));
    CheckStructure(x);
    for(int i = 0; i < 5; i++)
        x.Add(2);
    CheckStructure(x);

    x.Remove(0, 2); // 2 becomes 0
    EXPECT_EQ(BucketOf(x, 2), (std::vector<int>{0, 4, 8, 12, 13, 14, 15, 16, 17}));
    int gone[] = {0, 4};
    x.Remove(gone, 2);
    EXPECT_EQ(BucketOf(x, 2), (std::vector<int>{6, 10, 11, 12, 13, 14, 15}));
    CheckStructure(x);
}
