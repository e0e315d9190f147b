// In sanitizer builds the containers' blocks are the system allocator's, so a
// stray byte past a block or a read after its release is reported.
#include "foundation/string.h"
#include "foundation/vector.h"
#include <gtest/gtest.h>

#include <string>

using namespace Qor;

#ifdef QOR_SYSTEM_HEAP

TEST(HeapVisibilityDeathTest, OneBytePastAStringBlock)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Texts below 32 bytes share one block size; longer ones hold an 8-byte
    // header, the text and its terminator.
    struct Case {
        int length;
        int past_end; // offset from the text's start of the first byte past the block
    } cases[] = { { 20, 32 }, { 31, 32 }, { 100, 101 } };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string text_of_a(size_t(c.length), 'a');
        String s(text_of_a.c_str(), c.length);
        ASSERT_TRUE(s.IsLarge());
        volatile char* text = const_cast<char*>(s.Begin());
        text[c.past_end - 1] = 0; // the block's last byte is still ours
        EXPECT_DEATH(text[c.past_end] = 'x', "heap-buffer-overflow");
    }
}

TEST(HeapVisibilityDeathTest, VectorElementReadAfterItsBlockWasReleased)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Vector<int> v{ 1, 2, 3 };
    volatile int* first = v.begin();
    v.Clear();
    EXPECT_DEATH((void)first[0], "heap-use-after-free");
}

#endif
