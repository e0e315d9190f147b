// Compression wrappers, cross-checked against the gzip and bzip2 tools and zlib itself.
#include "foundation/compression.h"
#include "foundation/callback_action.h"
#include "foundation/compression_internal.h"
#include "foundation/mem_stream.h"
#include "foundation/string_stream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace Qor;

namespace {

std::string Bytes(const String& s) { return std::string(s.Begin(), s.GetLength()); }

String Pattern(int size)
{
    String s;
    uint32 x = 12345;
    for(int i = 0; i < size; i++) {
        x = x * 1103515245u + 12345u;
        s.AppendChar(i % 7 ? 'a' + (x >> 16) % 8 : ' '); // compressible but not trivial
    }
    return s;
}

// Runs a shell filter over data through temporary files.
std::string Filter(const char* command, const std::string& data)
{
    char in[] = "/tmp/qor_compression_XXXXXX";
    int fd = mkstemp(in);
    EXPECT_GE(fd, 0);
    FILE* f = fdopen(fd, "wb");
    fwrite(data.data(), 1, data.size(), f);
    fclose(f);
    std::string cmd = std::string(command) + " < " + in;
    FILE* p = popen(cmd.c_str(), "r");
    std::string out;
    char buf[4096];
    for(size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
        out.append(buf, n);
    EXPECT_EQ(pclose(p), 0) << command;
    remove(in);
    return out;
}

String Bzip2(const String& text)
{
    std::string packed = Filter("bzip2 -9 -c", Bytes(text));
    return String(packed.data(), (int)packed.size());
}

struct { int calls, last, total; } progress_seen;

bool NoteProgress(int consumed, int total)
{
    progress_seen = { progress_seen.calls + 1, consumed, total };
    return false;
}

} // namespace

TEST(Gzip, EmptyMemberIsTwentyBytes)
{
    String gz = CompressGzip("", 0);
    const byte expected[] = { 0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 0, 3, 0x03, 0x00, 0, 0, 0, 0, 0, 0, 0, 0 };
    EXPECT_EQ(Bytes(gz), std::string((const char*)expected, sizeof expected));
}

TEST(Gzip, TrailerHoldsCrcAndSize)
{
    std::string gz = Bytes(CompressGzip(String("abc")));
    ASSERT_GE(gz.size(), 18u);
    EXPECT_EQ(gz.substr(gz.size() - 8), std::string("\xc2\x41\x24\x35\x03\x00\x00\x00", 8));
}

TEST(Gzip, ToolReadsWhatWeWrite)
{
    for(int size : { 0, 1, 1000, 65536, 200001 }) {
        String text = Pattern(size);
        EXPECT_EQ(Filter("gzip -dc", Bytes(CompressGzip(text))), Bytes(text)) << size;
    }
}

TEST(Zlib, RoundTripAcrossChunkBoundaries)
{
    for(int size : { 0, 1, 65535, 65536, 65537, 300000 }) {
        String text = Pattern(size);
        String packed = CompressZlib(text);
        EXPECT_EQ(DecompressZlib(packed), text) << size;
        // zlib itself agrees with our stream.
        std::string plain(size + 1, '\0');
        uLongf plain_size = plain.size();
        ASSERT_EQ(uncompress((Bytef*)plain.data(), &plain_size, (const Bytef*)packed.Begin(),
                             packed.GetLength()), Z_OK);
        EXPECT_EQ(plain.substr(0, plain_size), Bytes(text));
    }
}

TEST(Zlib, StreamFormsCountBytes)
{
    String text = Pattern(100000);
    MemReadStream in(text.Begin(), text.GetLength());
    StringStream packed;
    int written = CompressZlib(packed, in);
    String zipped = packed.GetText();
    EXPECT_EQ(written, zipped.GetLength());

    MemReadStream zin(zipped.Begin(), zipped.GetLength());
    StringStream plain;
    EXPECT_EQ(DecompressZlib(plain, zin), text.GetLength());
    EXPECT_EQ(plain.GetText(), text);
}

TEST(Zlib, ProgressSeesEveryChunkAndCanCancel)
{
    String text = Pattern(3 * 65536 + 10);
    progress_seen = {};
    CompressZlib(text, MakeCallback(&NoteProgress));
    auto [calls, last, total] = progress_seen;
    EXPECT_EQ(calls, 5); // four chunks and the finishing pass that reads nothing
    EXPECT_EQ(last, text.GetLength());
    EXPECT_EQ(total, text.GetLength());

    MemReadStream in(text.Begin(), text.GetLength());
    StringStream out;
    EXPECT_EQ(CompressZlib(out, in, CompressionProgress::True()), -1);
    EXPECT_EQ(out.GetText().GetLength(), 0);
    EXPECT_EQ(in.GetPos(), 65536);
}

TEST(Zlib, CorruptInputEndsQuietly)
{
    String packed = CompressZlib(Pattern(50000));
    String damaged = packed.Left(packed.GetLength() / 2);
    String plain = DecompressZlib(damaged);
    EXPECT_LT(plain.GetLength(), 50000);
    EXPECT_EQ(plain, Pattern(50000).Left(plain.GetLength()));
}

TEST(Bzip2, DecompressesToolOutput)
{
    for(int size : { 1, 65536, 126000, 400000 }) {
        String text = Pattern(size);
        String packed = Bzip2(text);
        MemReadStream in(packed.Begin(), packed.GetLength());
        EXPECT_EQ(DecompressBzip2(in), text) << size;
    }
}

TEST(Bzip2, EmptyInputGivesEmptyText)
{
    MemReadStream in("", 0);
    EXPECT_TRUE(DecompressBzip2(in).IsEmpty());
}

TEST(Bzip2, DamagedInputEndsWithWhatWasDecoded)
{
    // Three bzip2 blocks (block size 1 = 100 kB): losing the tail keeps the blocks
    // before it; losing only the stream trailer keeps everything.
    String text = Pattern(250000);
    std::string packed = Filter("bzip2 -1 -c", Bytes(text));
    for(size_t keep : { packed.size() - 10, packed.size() / 2, (size_t)20 }) {
        MemReadStream in(packed.data(), (int)keep);
        String plain = DecompressBzip2(in); // must end, not spin
        if(keep < packed.size() / 2 + 1) {
            EXPECT_LT(plain.GetLength(), text.GetLength()) << keep;
        }
        EXPECT_EQ(plain, text.Left(plain.GetLength())) << keep;
    }
    std::string garbage = "BZh9 this is not bzip2 data at all";
    MemReadStream in(garbage.data(), (int)garbage.size());
    EXPECT_TRUE(DecompressBzip2(in).IsEmpty());
}

TEST(Bzip2, CancelStopsBeforeTheNextChunk)
{
    String text = Pattern(400000);
    String packed = Bzip2(text);
    MemReadStream in(packed.Begin(), packed.GetLength());
    String plain = DecompressBzip2(in, CompressionProgress::True());
    EXPECT_EQ(plain.GetLength() % 65536, 0);
    EXPECT_LT(plain.GetLength(), text.GetLength());
}

namespace {

int bomb_calls;

bool StopAtThirdCall(int, int)
{
    return ++bomb_calls >= 3;
}

} // namespace

// A few kilobytes that expand to many megabytes: the progress callback runs per 64 KiB
// of output as well, so a caller can stop such an input.
TEST(Decompression, SmallInputThatExpandsCanBeCancelled)
{
    const int plain_size = 16 << 20;
    String zeros;
    std::memset(zeros.Insert(0, plain_size, nullptr), 0, plain_size);
    String zlib_packed = CompressZlib(zeros);
    String bzip2_packed = Bzip2(zeros);
    ASSERT_LT(zlib_packed.GetLength(), 65536);
    ASSERT_LT(bzip2_packed.GetLength(), 65536);

    struct Case {
        const char* name;
        int (*run)(const String& packed); // bytes produced, -1 for a cancelled stream form
        const String& packed;
        int expected;
    } cases[] = {
        {"zlib memory form",
         [](const String& p) { return DecompressZlib(p, MakeCallback(&StopAtThirdCall)).GetLength(); },
         zlib_packed, 2 * 65536}, // the first call is for the input chunk
        {"zlib stream form",
         [](const String& p) {
             MemReadStream in(p.Begin(), p.GetLength());
             StringStream out;
             return DecompressZlib(out, in, MakeCallback(&StopAtThirdCall));
         },
         zlib_packed, -1},
        {"bzip2",
         [](const String& p) {
             MemReadStream in(p.Begin(), p.GetLength());
             return DecompressBzip2(in, MakeCallback(&StopAtThirdCall)).GetLength();
         },
         bzip2_packed, 3 * 65536}, // its first chunk is read before the loop, unasked
    };
    for(const Case& c : cases) {
        bomb_calls = 0;
        EXPECT_EQ(c.run(c.packed), c.expected) << c.name;
        EXPECT_EQ(bomb_calls, 3) << c.name;
    }
}

// The memory forms refuse an output past their limit (the largest String) as a whole:
// the void String, never a text cut at a chunk boundary. The limit is lowered here so
// that the test needs no gigabytes.
TEST(Decompression, OutputPastTheLimitIsVoidNotCut)
{
    const int plain_size = 300001;
    String text = Pattern(plain_size);
    String zlib_packed = CompressZlib(text);
    String bzip2_packed = Bzip2(text);
    struct Method {
        const char* name;
        String (*run)(const String& packed, int64 limit);
        const String& packed;
    } methods[] = {
        {"zlib", [](const String& p, int64 limit) { return DecompressZlibWithin(p.Begin(), p.GetLength(), limit); },
         zlib_packed},
        {"bzip2",
         [](const String& p, int64 limit) {
             MemReadStream in(p.Begin(), p.GetLength());
             return DecompressBzip2Within(in, limit);
         },
         bzip2_packed},
    };
    struct Case {
        int64 limit;
        bool whole; // false: the void String
    } cases[] = {
        {plain_size, true}, {plain_size + 1LL, true}, {plain_size - 1LL, false}, {4 * 65536, false}, {0, false},
    };
    for(const Method& m : methods)
        for(const Case& c : cases) {
            SCOPED_TRACE(std::string(m.name) + " limit " + std::to_string(c.limit));
            String plain = m.run(m.packed, c.limit);
            EXPECT_EQ(plain.IsVoid(), !c.whole);
            if(c.whole) {
                EXPECT_EQ(plain, text);
            }
        }
    // Nothing to produce fits any limit.
    String empty = CompressZlib(String());
    EXPECT_FALSE(DecompressZlibWithin(empty.Begin(), empty.GetLength(), 0).IsVoid());
}

namespace {

// Counts what it is given and keeps nothing, so that gigabytes of output cost no memory.
class CountingSink : public Stream {
public:
    CountingSink() { style = STRM_WRITE; }
    void PutBlock(const void*, uint32 size) override { count += size; }
    void PutOverflow(int) override { count++; }
    bool IsOpen() const override { return true; }

    int64 count = 0;
};

// A zlib stream of mebibytes MiB of zeros, some kilobytes per MiB: one compressed MiB that
// ends at a full flush stands on its own, so it is repeated instead of compressed anew.
std::string ZlibZeros(int mebibytes)
{
    std::string zeros(1 << 20, '\0');
    z_stream z = {};
    EXPECT_EQ(deflateInit(&z, 1), Z_OK); // faster to inflate than the smaller forms of higher levels
    auto step = [&](const std::string& input, int flush) {
        std::string out(1 << 20, '\0');
        z.next_in = (Bytef*)input.data();
        z.avail_in = (uInt)input.size();
        z.next_out = (Bytef*)out.data();
        z.avail_out = (uInt)out.size();
        EXPECT_NE(deflate(&z, flush), Z_STREAM_ERROR);
        out.resize(out.size() - z.avail_out);
        return out;
    };
    std::string packed = step(zeros, Z_FULL_FLUSH); // the header and the first MiB
    std::string segment = step(zeros, Z_FULL_FLUSH); // a MiB without history
    for(int i = 1; i < mebibytes; i++)
        packed += segment;
    std::string end = step(std::string(), Z_FINISH);
    deflateEnd(&z);
    // The trailer checks all the zeros: Adler-32 of n zeros is (n mod 65521) << 16 | 1.
    uint32 adler = uint32((((uint64)mebibytes << 20) % 65521) << 16 | 1);
    end.resize(end.size() - 4);
    for(int shift : {24, 16, 8, 0})
        end += char(adler >> shift);
    return packed + end;
}

} // namespace

// Past 2 GiB the stream form's count stays at the int limit instead of wrapping to a
// negative number that callers would take for a failure.
TEST(Decompression, StreamFormCountsPastTwoGibibytes)
{
    const int mebibytes = 2049;
    std::string packed = ZlibZeros(mebibytes);
    ASSERT_LT(packed.size(), 16u << 20);
    {
        // The input is sound: a small one made the same way decompresses whole.
        std::string small = ZlibZeros(3);
        String plain = DecompressZlib(small.data(), (int)small.size());
        EXPECT_EQ(Bytes(plain), std::string(3 << 20, '\0'));
    }
    MemReadStream in(packed.data(), (int)packed.size());
    CountingSink out;
    EXPECT_EQ(DecompressZlib(out, in), INT32_MAX);
    EXPECT_EQ(out.count, (int64)mebibytes << 20);
    EXPECT_FALSE(out.IsError());
}
