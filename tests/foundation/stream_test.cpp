// Binary forms of the Serialize family: exact bytes, round trips, truncation,
// the error flag and LoadingError.
#include "foundation/mem_stream.h"
#include "foundation/string_stream.h"
#include "foundation/wstring.h"
#include "stream_test_util.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>

using namespace Qor;
using namespace QorTest;

namespace {

template <class T>
String StoreOne(T value)
{
    StringStream ss;
    ss.Serialize(value);
    EXPECT_FALSE(ss.IsError());
    return ss.GetText();
}

// Stores value and compares the bytes; loads them back; checks that every
// truncation of the form is a load error that leaves the target unchanged.
template <class T>
void CheckForm(T value, T other, std::vector<int> expected)
{
    String stored = StoreOne(value);
    EXPECT_EQ(ToBytes(stored), expected);

    MemReadStream in(stored.Begin(), stored.GetLength());
    T loaded = other;
    in.Serialize(loaded);
    EXPECT_FALSE(in.IsError());
    EXPECT_TRUE(loaded == value);
    EXPECT_EQ(in.GetPos(), (int64)expected.size());

    for(int cut = 0; cut < stored.GetLength(); cut++) {
        SCOPED_TRACE(cut);
        MemReadStream part(stored.Begin(), cut);
        T target = other;
        part.Serialize(target);
        EXPECT_TRUE(part.IsError());
        EXPECT_TRUE(target == other);
    }
}

std::vector<int> Repeat(std::vector<int> head, int n, int b)
{
    head.insert(head.end(), n, b);
    return head;
}

WString Units(int n, wchar16 u)
{
    std::u16string s(n, u);
    return WString(s.data(), n);
}

} // namespace

TEST(StreamForms, FixedSizeValues)
{
    CheckForm<byte>(0xAB, 0, {0xAB});
    CheckForm<char>('z', 'a', {'z'});
    CheckForm<bool>(true, false, {0x01});
    CheckForm<bool>(false, true, {0x00});
    CheckForm<int16>(-2, 0, {0xFE, 0xFF});
    CheckForm<uint16>(0x1234, 0, {0x34, 0x12});
    CheckForm<int32>(0x01020304, 0, {0x04, 0x03, 0x02, 0x01});
    CheckForm<int32>(-1, 0, {0xFF, 0xFF, 0xFF, 0xFF});
    CheckForm<uint32>(0xA0B0C0D0u, 0, {0xD0, 0xC0, 0xB0, 0xA0});
    CheckForm<int64>(0x0102030405060708LL, 0, {8, 7, 6, 5, 4, 3, 2, 1});
    CheckForm<uint64>(0xF000000000000001ULL, 0, {1, 0, 0, 0, 0, 0, 0, 0xF0});
    CheckForm<float>(1.0f, 0, {0x00, 0x00, 0x80, 0x3F});
    CheckForm<double>(1.0, 0, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F});
    CheckForm<double>(-2.5, 0, {0, 0, 0, 0, 0, 0, 0x04, 0xC0});
}

TEST(StreamForms, Strings)
{
    CheckForm<String>("", "old", {0x00});
    CheckForm<String>("abc", "old", {3, 'a', 'b', 'c'});
    CheckForm<String>(String(std::string(126, 'x').c_str()), "old", Repeat({0x7E}, 126, 'x'));
    CheckForm<String>(String(std::string(127, 'y').c_str()), "old", Repeat({0xFF, 0x7F, 0, 0, 0}, 127, 'y'));
    CheckForm<String>(String(std::string(300, 'z').c_str()), "old", Repeat({0xFF, 0x2C, 0x01, 0, 0}, 300, 'z'));
}

TEST(StreamForms, WideStrings)
{
    const char16_t ab[] = u"AB";
    CheckForm<WString>(WString(ab, 2), WString(), {2, 'A', 0, 'B', 0});
    CheckForm<WString>(WString(), Units(3, 'q'), {0});
    std::vector<int> v254{0xFE};
    for(int i = 0; i < 254; i++)
        v254.insert(v254.end(), {0x3A, 0x26});
    CheckForm<WString>(Units(254, 0x263A), WString(), v254);
    std::vector<int> v255{0xFF, 0xFF, 0, 0, 0};
    for(int i = 0; i < 255; i++)
        v255.insert(v255.end(), {'w', 0});
    CheckForm<WString>(Units(255, 'w'), WString(), v255);
}

TEST(StreamForms, PackedCounts)
{
    struct Case { int value; std::vector<int> bytes; };
    const Case cases[] = {
        {-1, {0x00}},
        {0, {0x01}},
        {253, {0xFE}},
        {254, {0xFF, 0xFF, 0, 0, 0}},
        {1000, {0xFF, 0xE9, 0x03, 0, 0}},
        {INT_MAX, {0xFF, 0, 0, 0, 0x80}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.value);
        StringStream ss;
        int v = c.value;
        ss.SerializeCount(v);
        String stored = ss.GetText();
        EXPECT_EQ(ToBytes(stored), c.bytes);
        MemReadStream in(stored.Begin(), stored.GetLength());
        int back = 12345;
        in.SerializeCount(back);
        EXPECT_FALSE(in.IsError());
        EXPECT_EQ(back, c.value);
    }
}

TEST(StreamForms, PackedLengths)
{
    struct Case { uint32 value; std::vector<int> bytes; };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0, 0, 0}},
        {0x12345678, {0xFF, 0x78, 0x56, 0x34, 0x12}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.value);
        StringStream ss;
        uint32 v = c.value;
        ss.Pack(v);
        String stored = ss.GetText();
        EXPECT_EQ(ToBytes(stored), c.bytes);
        MemReadStream in(stored.Begin(), stored.GetLength());
        uint32 back = 7;
        in.Pack(back);
        EXPECT_FALSE(in.IsError());
        EXPECT_EQ(back, c.value);
    }
}

TEST(StreamForms, PackedFlags)
{
    struct Case { bool a, b; int byte; };
    const Case cases[] = {{true, false, 0x84}, {false, true, 0x44}, {true, true, 0xC4}, {false, false, 0x00}};
    for(const Case& c : cases) {
        SCOPED_TRACE(c.byte);
        StringStream ss;
        bool a = c.a, b = c.b;
        ss.Pack(a, b);
        EXPECT_EQ(ToBytes(ss.GetText()), std::vector<int>{c.byte});
    }
    // Reading takes bits 7 and 6 only.
    String in = Bytes({0x80 | 0x3F, 0x40 | 0x04});
    MemReadStream ms(in.Begin(), in.GetLength());
    bool a = false, b = true;
    ms.Pack(a, b);
    EXPECT_TRUE(a);
    EXPECT_FALSE(b);
    ms.Pack(a, b);
    EXPECT_FALSE(a);
    EXPECT_TRUE(b);
}

TEST(StreamForms, VectorOfStrings)
{
    Vector<String> v{"a", "bc"};
    String stored = StoreOne(v);
    EXPECT_EQ(ToBytes(stored), (std::vector<int>{3, 1, 'a', 2, 'b', 'c'}));
    MemReadStream in(stored.Begin(), stored.GetLength());
    Vector<String> back{"old", "old", "old"};
    in.Serialize(back);
    ASSERT_FALSE(in.IsError());
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_EQ(back[0], "a");
    EXPECT_EQ(back[1], "bc");

    String negative = Bytes({0x00});
    MemReadStream neg(negative.Begin(), negative.GetLength());
    neg.Serialize(back);
    EXPECT_TRUE(neg.IsError());
}

TEST(StreamForms, SequenceRoundTrip)
{
    StringStream out;
    int32 i = -7;
    int64 l = 1LL << 40;
    double d = 3.25;
    String s = "hello, streams";
    Vector<String> v{"x", String(std::string(200, 'q').c_str())};
    int count = 999;
    out.Serialize(i).Serialize(l).Serialize(d).Serialize(s).Serialize(v).SerializeCount(count);
    String stored = out.GetText();

    StringStream in(stored);
    ASSERT_TRUE(in.IsLoading());
    int32 i2 = 0;
    int64 l2 = 0;
    double d2 = 0;
    String s2;
    Vector<String> v2;
    int count2 = 0;
    in.Serialize(i2).Serialize(l2).Serialize(d2).Serialize(s2).Serialize(v2).SerializeCount(count2);
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(i2, i);
    EXPECT_EQ(l2, l);
    EXPECT_EQ(d2, d);
    EXPECT_EQ(s2, s);
    ASSERT_EQ(v2.GetCount(), 2);
    EXPECT_EQ(v2[1], v[1]);
    EXPECT_EQ(count2, 999);
    EXPECT_TRUE(in.IsEof());
}

TEST(StreamLoading, FlaggedStringLengthsSkipAByte)
{
    struct Case { String bytes; const char* text; };
    const Case cases[] = {
        {Bytes({0x85, '!', 'h', 'e', 'l', 'l', 'o', 'X'}), "hello"},
        {Bytes({0xFF, 3, 0, 0, 0x80, '!', 'a', 'b', 'c', 'X'}), "abc"},
        {Bytes({0xFF, 3, 0, 0, 0x00, 'a', 'b', 'c', 'X'}), "abc"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.text);
        MemReadStream in(c.bytes.Begin(), c.bytes.GetLength());
        String s = "old";
        in.Serialize(s);
        EXPECT_FALSE(in.IsError());
        EXPECT_EQ(s, c.text);
        EXPECT_EQ(in.Get(), 'X');
    }
}

TEST(StreamLoading, LengthBeyondDataIsALoadError)
{
    String data = Bytes({0xFF, 0xE8, 0x03, 0, 0, 'a', 'b', 'c', 'd', 'e'}); // says 1000 in 10 bytes
    {
        MemReadStream in(data.Begin(), data.GetLength());
        String s = "keep";
        EXPECT_NO_THROW(in.Serialize(s));
        EXPECT_TRUE(in.IsError());
        EXPECT_EQ(s, "keep");
        // The flag stays: later values are left alone.
        int32 x = 42;
        in.ClearError();
        in.SetError();
        in.Serialize(x);
        EXPECT_EQ(x, 42);
    }
    {
        MemReadStream in(data.Begin(), data.GetLength());
        in.SetLoadThrowing();
        String s = "keep";
        EXPECT_THROW(in.Serialize(s), LoadingError);
        EXPECT_TRUE(in.IsError());
        EXPECT_EQ(s, "keep");
    }
}

TEST(StreamLoading, ErrorStopsLaterValues)
{
    String data = Bytes({9, 'a', 1, 2, 3, 4});
    MemReadStream in(data.Begin(), data.GetLength());
    String s = "keep";
    int32 x = 42;
    int n = 77;
    in.Serialize(s).Serialize(x).SerializeCount(n);
    EXPECT_TRUE(in.IsError());
    EXPECT_EQ(s, "keep");
    EXPECT_EQ(x, 42);
    EXPECT_EQ(n, -1); // a count loaded after an error reads as -1
    EXPECT_EQ(in.GetErrorCode(), Stream::LOAD_ERROR_CODE);
    EXPECT_EQ(Stream::LOAD_ERROR_CODE, -2);
    in.ClearError();
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(in.GetErrorCode(), 0);
}

TEST(StreamLoading, EndOfDataAtEachForm)
{
    using Load = std::function<void(Stream&)>;
    const std::pair<const char*, Load> cases[] = {
        {"count", [](Stream& s) { int n; s.SerializeCount(n); EXPECT_EQ(n, -1); }},
        {"pack", [](Stream& s) { uint32 n = 3; s.Pack(n); EXPECT_EQ(n, 3u); }},
        {"string", [](Stream& s) { String t = "k"; s.Serialize(t); EXPECT_EQ(t, "k"); }},
        {"wstring", [](Stream& s) { WString t(u"k", 1); s.Serialize(t); EXPECT_EQ(t.GetLength(), 1); }},
        {"vector", [](Stream& s) { Vector<String> v; s.Serialize(v); }},
        {"raw", [](Stream& s) { char b[2]; s.SerializeRaw(b, 2); }},
        {"int32", [](Stream& s) { int32 x = 5; s.Serialize(x); EXPECT_EQ(x, 5); }},
    };
    for(const auto& [name, load] : cases) {
        SCOPED_TRACE(name);
        MemReadStream quiet("", 0);
        load(quiet);
        EXPECT_TRUE(quiet.IsError());
        MemReadStream loud("", 0);
        loud.SetLoadThrowing();
        EXPECT_THROW(load(loud), LoadingError);
    }
}

TEST(StreamLoading, CheckedReads)
{
    String data = Bytes({0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFF});
    MemReadStream in(data.Begin(), data.GetLength());
    EXPECT_EQ(in.Read16(), 0x1234);
    EXPECT_EQ(in.Read32(), 0x12345678);
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(in.Read16(), -1); // one byte left
    EXPECT_TRUE(in.IsError());
    in.ClearError();
    char b[4];
    EXPECT_FALSE(in.ReadExact(b, 4));
    EXPECT_TRUE(in.IsError());

    MemReadStream loud(data.Begin(), 3);
    loud.SetLoadThrowing();
    EXPECT_THROW(loud.Read32(), LoadingError);
}

TEST(StreamText, PutHelpersAndNumbers)
{
    StringStream ss;
    ss.Put('a');
    ss.Put("bc");
    ss.Put("defg", 2);
    ss.PutNewline();
    ss.PutLine(String("line"));
    ss << "n=" << -42 << ' ' << 7u << ' ' << (int64)-9000000000LL << ' ' << String("s");
    EXPECT_EQ(ss.GetText(), "abcde\nline\nn=-42 7 -9000000000 s");
}

TEST(StreamText, GetLineCases)
{
    struct Case { std::string data; std::vector<const char*> lines; };
    const Case cases[] = {
        {"a\r\nb", {"a", "b"}},
        {"\n", {""}},
        {"", {}},
        {"one\ntwo\n", {"one", "two"}},
        {"x\r", {"x"}},
        {"\r\r\n", {"\r"}},
        {std::string(5000, 'L') + "\nshort", {nullptr, "short"}}, // nullptr: the long line
    };
    for(int chunk : {0, 1, 3, 4096}) {
        for(const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "chunk " << chunk << " data " << c.data.substr(0, 10));
            ChunkStream in(c.data, chunk);
            for(const char* expected : c.lines) {
                String line = in.GetLine();
                EXPECT_FALSE(line.IsVoid());
                String want = expected ? String(expected) : String(std::string(5000, 'L').c_str());
                EXPECT_EQ(line, want);
            }
            EXPECT_TRUE(in.GetLine().IsVoid());
        }
    }
}
