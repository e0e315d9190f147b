// Compression wrappers, cross-checked against the gzip and bzip2 tools and zlib itself.
#include "foundation/compression.h"
#include "foundation/callback_action.h"
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
