// Corrupt counts: a stored count is never trusted to allocate at once, and a
// load stops at the first error instead of ending the process.
#include "foundation/container_serialize.h"
#include "foundation/mem_stream.h"
#include "foundation/wstring.h"
#include "stream_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qor;
using namespace QorTest;

namespace {

// 0xFF, then the largest positive 32-bit count, then a few bytes.
const std::string HUGE_COUNT("\xFF\xFF\xFF\xFF\x7F" "abcdefgh", 13);

using Load = std::function<void(Stream&)>;

const std::pair<const char*, Load> LOADS[] = {
    {"String", [](Stream& s) {
         String t = "keep";
         s.Serialize(t);
         EXPECT_EQ(t, "keep");
     }},
    {"WString", [](Stream& s) {
         WString t(u"keep", 4);
         s.Serialize(t);
         EXPECT_EQ(t, WString(u"keep", 4));
     }},
    {"WString of 2^30-1 units", [](Stream& s) {
         WString t(u"keep", 4);
         s.Serialize(t);
         EXPECT_EQ(t, WString(u"keep", 4));
     }},
    {"Vector<String>", [](Stream& s) {
         Vector<String> v;
         s.Serialize(v);
         EXPECT_LE(v.GetCount(), 8);
     }},
    {"Vector<int32>", [](Stream& s) {
         Vector<int32> v;
         Serialize(s, v);
         EXPECT_EQ(v.GetCount(), 2); // the whole values that arrived
         EXPECT_LT(v.GetAlloc(), 64);
     }},
    {"HashIndex", [](Stream& s) {
         // The version byte, then the corrupt count.
         HashIndex h;
         Serialize(s, h);
     }},
};

std::string Input(const std::string& name)
{
    if(name == "HashIndex")
        return "\x01" + HUGE_COUNT;
    if(name == "WString of 2^30-1 units")
        return std::string("\xFF\xFF\xFF\xFF\x3F" "abcdefgh", 13);
    return HUGE_COUNT;
}

void RunAll(bool seekable, bool throwing)
{
    for(const auto& [name, load] : LOADS) {
        SCOPED_TRACE(name);
        std::string data = Input(name);
        MemReadStream mem(data.data(), (int)data.size());
        ChunkStream chunks(data, 4);
        Stream& in = seekable ? (Stream&)mem : (Stream&)chunks;
        in.SetLoadThrowing(throwing);
        if(throwing)
            EXPECT_THROW(load(in), LoadingError);
        else
            load(in);
        EXPECT_TRUE(in.IsError());
    }
}

// Caps the address space a little above what the process maps now, so that an
// allocation of gigabytes fails (and the heap panics) instead of overcommitting.
void LimitAddressSpace()
{
    long pages = 0;
    if(FILE* f = std::fopen("/proc/self/statm", "r")) {
        if(std::fscanf(f, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(f);
    }
    rlim_t now = (rlim_t)pages * (rlim_t)sysconf(_SC_PAGESIZE);
    rlimit lim{now + (rlim_t)(256 << 20), now + (rlim_t)(256 << 20)};
    setrlimit(RLIMIT_AS, &lim);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool ADDRESS_SANITIZER = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool ADDRESS_SANITIZER = true;
#else
constexpr bool ADDRESS_SANITIZER = false;
#endif
#else
constexpr bool ADDRESS_SANITIZER = false;
#endif

} // namespace

TEST(StreamUntrusted, HugeCountsFailCleanly)
{
    for(bool seekable : {true, false})
        for(bool throwing : {false, true}) {
            SCOPED_TRACE(testing::Message() << "seekable " << seekable << " throwing " << throwing);
            RunAll(seekable, throwing);
        }
}

TEST(StreamUntrusted, HugeCountsNeedNoGigabytes)
{
    if(ADDRESS_SANITIZER)
        GTEST_SKIP() << "the sanitizer's shadow memory needs an unlimited address space";
    EXPECT_EXIT(
        {
            LimitAddressSpace();
            for(const auto& [name, load] : LOADS) {
                std::string data = Input(name);
                ChunkStream in(data, 4);
                load(in);
                if(!in.IsError())
                    std::_Exit(1);
            }
            std::_Exit(0);
        },
        testing::ExitedWithCode(0), "");
}

TEST(StreamUntrusted, LongNonSeekableStringArrivesWhole)
{
    // Past the first growth step: the text grows as bytes arrive and ends whole.
    std::string text(200000, 'r');
    std::string data = std::string("\xFF", 1) + std::string("\x40\x0D\x03\x00", 4) + text;
    ChunkStream in(data, 1000);
    String s;
    in.Serialize(s);
    ASSERT_FALSE(in.IsError());
    EXPECT_EQ(s.GetLength(), 200000);
    EXPECT_EQ(s, String(text.data(), (int)text.size()));
}
