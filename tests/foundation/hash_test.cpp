#include "foundation/hash.h"
#include <gtest/gtest.h>
using namespace Qor;
TEST(Hash, BytesAndCombine)
{
    EXPECT_EQ(HashBytes("", 0), 1234567890u);
    EXPECT_EQ(HashBytes("a", 1), 1234567890u * 31u ^ 'a');
    uint32 w = 'a' | 'b' << 8 | 'c' << 16 | 'd' << 24;
    EXPECT_EQ(HashBytes("abcde", 5), (1234567890u * 31u ^ w) * 31u ^ 'e');
    EXPECT_EQ(CombineHash(1, 2), (1u ^ 0xe2f62ff2u) * 17u ^ 2u);
}
