// MT19937 against its published reference outputs, seeding from a file, and
// the process-wide draws.
#include "foundation/random.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <unistd.h>

using namespace Qor;

namespace {

TEST(RandomTest, KeyArraySeedingGivesTheReferenceSequence)
{
    const uint32 key[] = { 0x123, 0x234, 0x345, 0x456 };
    const uint32 reference[] = {
        1067595299u, 955945823u, 477289528u, 4107218783u, 4228976476u,
        3344332714u, 3355579695u, 227628506u, 810200273u, 2591290167u,
        2560260675u, 3242736208u, 646746669u, 1479517882u, 4245472273u,
    };
    Mt19937 g;
    g.SeedByArray(key, 4);
    for(uint32 expected : reference)
        EXPECT_EQ(g.Next(), expected);
}

TEST(RandomTest, SingleValueSeedingMatchesTheStandardEngine)
{
    // Several blocks deep, so every step of the twist (including the last
    // word, which wraps to the first) reaches the outputs.
    for(uint32 seed : { 5489u, 0u, 1u, 0xdeadbeefu }) {
        Mt19937 g;
        g.Seed(seed);
        std::mt19937 standard(seed);
        for(int i = 0; i < 3 * Mt19937::N + 5; i++)
            ASSERT_EQ(g.Next(), standard()) << "seed " << seed << " output " << i;
    }
    Mt19937 g;
    g.Seed(5489);
    uint32 x = 0;
    for(int i = 0; i < 10000; i++)
        x = g.Next();
    EXPECT_EQ(x, 4123659995u); // the 10000th output the C++ standard requires
}

TEST(RandomTest, UnseededGeneratorUsesTheDefaultSeed)
{
    Mt19937 unseeded, seeded;
    seeded.Seed(5489);
    for(int i = 0; i < 5; i++)
        EXPECT_EQ(unseeded.Next(), seeded.Next());
}

class RandomFileTest : public testing::Test {
protected:
    std::string path = testing::TempDir() + "qor_random_key_" + std::to_string(getpid());
    void TearDown() override { std::remove(path.c_str()); }

    static void ExpectSameSequence(Mt19937& a, Mt19937& b)
    {
        for(int i = 0; i < 2 * Mt19937::N; i++)
            ASSERT_EQ(a.Next(), b.Next()) << "output " << i;
    }
};

TEST_F(RandomFileTest, MissingFileSeedsFromTheZeroKey)
{
    uint32 zero[Mt19937::KEY_WORDS] = {};
    Mt19937 from_file, from_key;
    from_file.SeedFromFile("/nonexistent/qor/random");
    from_key.SeedByArray(zero, Mt19937::KEY_WORDS);
    ExpectSameSequence(from_file, from_key);
}

TEST_F(RandomFileTest, ShortFileLeavesTheRestOfTheKeyZero)
{
    uint32 key[Mt19937::KEY_WORDS] = { 0x01020304u, 0xa0b0c0d0u, 0x55u };
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(key, 1, 9, f); // two words and the first byte of the third
    std::fclose(f);

    Mt19937 from_file, from_key;
    from_file.SeedFromFile(path.c_str());
    from_key.SeedByArray(key, Mt19937::KEY_WORDS);
    ExpectSameSequence(from_file, from_key);

    // Only the first 4096 bytes count.
    uint32 big[Mt19937::KEY_WORDS + 16];
    for(int i = 0; i < Mt19937::KEY_WORDS + 16; i++)
        big[i] = 2654435761u * (uint32)(i + 1);
    f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(big, sizeof(big), 1, f);
    std::fclose(f);
    from_file.SeedFromFile(path.c_str());
    from_key.SeedByArray(big, Mt19937::KEY_WORDS);
    ExpectSameSequence(from_file, from_key);
}

TEST(RandomTest, DrawsBelowStayInRangeAndAreUniform)
{
    for(int i = 0; i < 200; i++)
        ASSERT_EQ(RandomBelow(1), 0u);
    EXPECT_EQ(RandomBelow(0), 0u);

    // 6 has the mask 7: 6 and 7 must be rejected, every value below must come.
    int count6[8] = {};
    for(int i = 0; i < 6000; i++) {
        uint32 r = RandomBelow(6);
        ASSERT_LT(r, 6u);
        count6[r]++;
    }
    for(int v = 0; v < 6; v++) {
        EXPECT_GT(count6[v], 800) << v; // mean 1000, sd about 29
        EXPECT_LT(count6[v], 1200) << v;
    }

    // Power of two: a value at the top of the mask must appear as well.
    int count8[8] = {};
    for(int i = 0; i < 8000; i++)
        count8[RandomBelow(8)]++;
    for(int v = 0; v < 8; v++) {
        EXPECT_GT(count8[v], 800) << v;
        EXPECT_LT(count8[v], 1200) << v;
    }

    // The widest range: the upper half must be reached, and nothing past n.
    const uint32 n = 0x80000001u;
    bool upper = false;
    for(int i = 0; i < 200; i++) {
        uint32 r = RandomBelow(n);
        ASSERT_LT(r, n);
        upper |= r >= 0x40000000u;
    }
    EXPECT_TRUE(upper);
}

TEST(RandomTest, ProcessGeneratorUsesAllBits)
{
    uint32 all_or = 0, all_and = ~0u;
    uint32 first = Random32();
    bool varies = false;
    for(int i = 0; i < 256; i++) {
        uint32 r = Random32();
        all_or |= r;
        all_and &= r;
        varies |= r != first;
    }
    EXPECT_TRUE(varies);
    EXPECT_EQ(all_or, ~0u);
    EXPECT_EQ(all_and, 0u);
}

} // namespace
