// MemStream, MemReadStream, the base stream without windows, and the
// standard-channel streams.
#include "foundation/mem_stream.h"
#include "foundation/std_streams.h"
#include "stream_test_util.h"

#include <gtest/gtest.h>

using namespace Qor;
using namespace QorTest;

TEST(MemReadStream, ReadsSeeksAndSizes)
{
    const char data[] = "0123456789";
    MemReadStream in(data, 10);
    EXPECT_TRUE(in.IsLoading());
    EXPECT_EQ(in.GetStyle(), (dword)(Stream::STRM_LOADING | Stream::STRM_READ | Stream::STRM_SEEK));
    EXPECT_EQ(in.GetSize(), 10);
    char b[16] = {};
    EXPECT_EQ(in.Get(b, 4), 4u);
    EXPECT_STREQ(b, "0123");
    in.Seek(8);
    EXPECT_EQ(in.Get(b, 16), 2u); // GetBlock gives what is left
    EXPECT_EQ(in.Get(), -1);
    in.Seek(100);
    EXPECT_EQ(in.GetPos(), 10);
    in.Seek(3);
    EXPECT_EQ(in.Peek(), '3');
    EXPECT_EQ(in.GetPos(), 3);
    EXPECT_FALSE(in.IsError());
}

TEST(MemReadStream, WritesFailBeforeAndAfterReading)
{
    char data[4] = {'a', 'b', 'c', 'd'};
    using Write = void (*)(Stream&);
    const Write writes[] = {
        [](Stream& s) { s.Put('x'); },
        [](Stream& s) { s.Put("xy", 2); },
        [](Stream& s) { int32 v = 1; s.SetStoring(); s.Serialize(v); },
    };
    for(bool read_first : {false, true})
        for(Write w : writes) {
            MemReadStream in(data, 4);
            if(read_first) {
                EXPECT_EQ(in.Get(), 'a');
            }
            w(in);
            EXPECT_TRUE(in.IsError());
            EXPECT_EQ(std::string(data, 4), "abcd");
        }
    // A failed write never throws, even when loads would.
    MemReadStream in(data, 4);
    in.SetLoadThrowing();
    EXPECT_NO_THROW(in.Put("xyz"));
    EXPECT_TRUE(in.IsError());
}

TEST(MemStream, WritesWithinTheBlockOnly)
{
    char data[6] = {};
    MemStream ms(data, 6);
    ms.Put("abcd", 4);
    EXPECT_FALSE(ms.IsError());
    ms.Put("xyz", 3); // one byte too many: nothing written
    EXPECT_TRUE(ms.IsError());
    EXPECT_EQ(std::string(data, 6), std::string("abcd\0\0", 6));
    ms.ClearError();
    ms.Put("xy", 2);
    ms.Put('!'); // no room, no window: the base overflow fails
    EXPECT_TRUE(ms.IsError());
    EXPECT_EQ(std::string(data, 6), "abcdxy");
    ms.Seek(0);
    EXPECT_EQ(ms.GetLine(), "abcdxy");
}

TEST(StreamBase, NoWindowDefaults)
{
    ChunkStream s("data", 0);
    EXPECT_EQ(s.GetSize(), 0);
    s.Seek(3); // nothing
    EXPECT_EQ(s.Get(), 'd');
    char b[8];
    EXPECT_EQ(s.Get(b, 8), 3u); // byte by byte through GetUnderflow until -1
    EXPECT_EQ(std::string(b, 3), "ata");
    EXPECT_FALSE(s.IsError());
    s.Put('x');
    EXPECT_TRUE(s.IsError());
    s.ClearError();
    s.Put("xyz", 3);
    EXPECT_TRUE(s.IsError());
}

TEST(StreamBase, WindowedTypedReadsCrossWindows)
{
    // 32-bit values straddling 3-byte windows come through GetBlock.
    std::string data("\x01\x00\x00\x00\x02\x00\x00\x00\x03\x00\x00\x00", 12);
    ChunkStream s(data, 3);
    int32 a = 0, b = 0, c = 0;
    s.Serialize(a).Serialize(b).Serialize(c);
    EXPECT_FALSE(s.IsError());
    EXPECT_EQ(a + 10 * b + 100 * c, 321);
}

TEST(StdStreams, CoutDropsCarriageReturns)
{
    testing::internal::CaptureStdout();
    CoutStream& out = GetCoutStream();
    out.Put("a\r\nb");
    out << 12;
    out.Flush();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "a\nb12");
    EXPECT_EQ(&GetCoutStream(), &out);
}

TEST(StdStreams, CerrKeepsEveryByte)
{
    testing::internal::CaptureStderr();
    CerrStream& err = GetCerrStream();
    err.Put("a\r\nb");
    std::fflush(stderr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "a\r\nb");
    EXPECT_FALSE(err.IsError());
}
