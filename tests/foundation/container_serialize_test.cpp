// Stream forms of the 32-bit Vector and of HashIndex.
#include "foundation/container_serialize.h"
#include "foundation/mem_stream.h"
#include "foundation/string_stream.h"
#include "stream_test_util.h"

#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

TEST(ContainerSerialize, VectorOf32BitValues)
{
    Vector<int32> v{1, -2, 0x01020304};
    StringStream out;
    Serialize(out, v);
    String stored = out.GetText();
    EXPECT_EQ(ToBytes(stored), (std::vector<int>{4, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1}));

    MemReadStream in(stored.Begin(), stored.GetLength());
    Vector<int32> back{9, 9, 9, 9, 9};
    Serialize(in, back);
    ASSERT_FALSE(in.IsError());
    ASSERT_EQ(back.GetCount(), 3);
    EXPECT_EQ(back[0], 1);
    EXPECT_EQ(back[1], -2);
    EXPECT_EQ(back[2], 0x01020304);

    Vector<int32> empty;
    StringStream e;
    Serialize(e, empty);
    EXPECT_EQ(ToBytes(e.GetText()), std::vector<int>{1});
}

TEST(ContainerSerialize, VectorNegativeCountIsALoadError)
{
    String data = Bytes({0x00});
    MemReadStream quiet(data.Begin(), 1);
    Vector<int32> v{5};
    Serialize(quiet, v);
    EXPECT_TRUE(quiet.IsError());
    EXPECT_EQ(v.GetCount(), 1); // left alone

    MemReadStream loud(data.Begin(), 1);
    loud.SetLoadThrowing();
    EXPECT_THROW(Serialize(loud, v), LoadingError);
}

TEST(ContainerSerialize, HashIndexFormAndRehash)
{
    HashIndex h;
    const uint32 hashes[] = {7, 0x12345678, 7, 98};
    for(uint32 x : hashes)
        h.Add(x);
    h.Unlink(1);
    StringStream out;
    Serialize(out, h);
    String stored = out.GetText();
    EXPECT_EQ(ToBytes(stored), (std::vector<int>{1, 5, 7, 0, 0, 0, 0x78, 0x56, 0x34, 0x92, 7, 0, 0, 0, 98, 0, 0, 0}));

    MemReadStream in(stored.Begin(), stored.GetLength());
    HashIndex back;
    back.Add(1234); // replaced by the load
    Serialize(in, back);
    ASSERT_FALSE(in.IsError());
    ASSERT_EQ(back.GetCount(), 4);
    EXPECT_EQ(back.GetMapSize(), 4);
    EXPECT_TRUE(back.IsUnlinked(1));
    EXPECT_EQ(back.GetHash(1), 0x12345678u);
    EXPECT_EQ(back.FirstUnlinked(), 1);
    // Rehashed: the bucket of 7 lists 0 and 2, and 98 is found in its own.
    EXPECT_EQ(back.Head(7), 0);
    EXPECT_EQ(back.Next(0), 2);
    EXPECT_EQ(back.Next(2), 0);
    int i = back.Head(98);
    while(i >= 0 && back.GetHash(i) != 98)
        i = back.Next(i);
    EXPECT_EQ(i, 3);
    EXPECT_EQ(back.Head(0x12345678) == 1, false); // unlinked: not in a bucket
}
