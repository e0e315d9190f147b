// Texts near the int limit: growth never wraps into a small block, and a text that
// cannot grow further stops in the out-of-memory panic instead of writing past a block.
#include "foundation/string.h"
#include "foundation/text_capacity.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Qor;

TEST(TextCapacity, GrowthNeverWrapsAndNeverPassesTheLimit)
{
    struct Case {
        int length;
        int needed;
        int capacity;
    } cases[] = {
        {0, 1, 1},
        {100, 101, 200},
        {100, 500, 500},
        {(1 << 29) + 1, (1 << 29) + 2, (1 << 30) + 2},    // doubling fits below the limit
        {(1 << 30) - 1, 1 << 30, TEXT_MAX_LENGTH},       // doubling passes the limit: capped
        {(1 << 30) + 1, (1 << 30) + 2, TEXT_MAX_LENGTH}, // doubling would wrap the int
        {1100000000, 1100000001, TEXT_MAX_LENGTH},
        {TEXT_MAX_LENGTH - 1, TEXT_MAX_LENGTH, TEXT_MAX_LENGTH},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.length);
        int capacity = GrowTextCapacity(c.length, c.needed);
        EXPECT_EQ(capacity, c.capacity);
        EXPECT_GE(capacity, c.needed);
    }
    EXPECT_EQ(AddTextLength(TEXT_MAX_LENGTH - 5, 5), TEXT_MAX_LENGTH);
}

TEST(TextCapacityDeathTest, TooLongStopsInTheOutOfMemoryPanic)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    static char source[64];
    // The counts below would wrap the length; nothing may be copied before the panic.
    EXPECT_DEATH(
        {
            String s(source, 40);
            s.Append(source, INT_MAX - 10);
        },
        "Out of memory!");
    EXPECT_DEATH(
        {
            String s(source, 40);
            s.Insert(3, INT_MAX - 10, nullptr);
        },
        "Out of memory!");
    EXPECT_DEATH(
        {
            String s(source, 40);
            s.Reserve(INT_MAX);
        },
        "Out of memory!");
    EXPECT_DEATH(
        {
            TextBuffer b;
            b.Append(source, 64);
            b.Append(source, 64);
            b.Append(source, 64);
            b.Append(source, 64);
            b.Append(nullptr, INT_MAX - 100);
        },
        "Out of memory!");
    EXPECT_DEATH(AddTextLength(TEXT_MAX_LENGTH, 1), "Out of memory!");
}
