// The framed "data" form: its exact bytes, round trips through files, and the
// restore of the previous state when a framed load fails.
#include "foundation/callback_action.h"
#include "foundation/file_io.h"
#include "foundation/file_stream.h"
#include "foundation/framed_store.h"
#include "foundation/string_stream.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

using namespace Qor;

namespace {

struct Record {
    int32 number = 0;
    String name;

    void Serialize(Stream& s) { s.Serialize(number).Serialize(name); }
    Callback1<Stream&> Callback() { return MakeCallback(this, &Record::Serialize); }
};

// "data", the version 3, the payload (int32 0x01020304, the String "ab"),
// "end\0" and the count 12 + 7.
const std::string kStoredV3("data\x03\0\0\0\x04\x03\x02\x01\x02" "ab" "end\0\x13\0\0\0", 23);

TEST(FramedStoreTest, ExactBytes)
{
    struct Case { int version; bool payload; std::string bytes; };
    const Case cases[] = {
        { 3, true, kStoredV3 },
        { INT_NULL, true, std::string("data\x04\x03\x02\x01\x02" "ab" "end\0\x0F\0\0\0", 19) },
        { 3, false, std::string("data\x03\0\0\0" "end\0\x0C\0\0\0", 16) },
        { -2, false, std::string("data\xFE\xFF\xFF\xFF" "end\0\x0C\0\0\0", 16) },
    };
    for(const Case& c : cases) {
        Record r{ 0x01020304, "ab" };
        StringStream s;
        s.Put("x");   // the count starts at the frame, not at the stream's start
        EXPECT_TRUE(StoreFramed(c.payload ? r.Callback() : Callback1<Stream&>(), s, c.version));
        EXPECT_EQ(Std(s.GetText()), "x" + c.bytes) << c.version;
    }
}

class FramedFileTest : public ::testing::Test {
protected:
    TempFolder folder{"qor_framed"};
    std::string dir = folder.Path(), path = dir + "/record";
};

TEST_F(FramedFileTest, RoundTripThroughAFile)
{
    Record a{ 42, "stored" }, b{ -1, String(std::string(300, 'z').c_str()) };
    {
        FileOut out(path.c_str());
        ASSERT_TRUE(StoreFramed(a.Callback(), out, 3));
        ASSERT_TRUE(StoreFramed(b.Callback(), out));
    }
    FileIn in(path.c_str());
    Record x, y;
    EXPECT_TRUE(LoadFramed(x.Callback(), in, 3));
    EXPECT_TRUE(LoadFramed(y.Callback(), in));
    EXPECT_EQ(x.number, 42);
    EXPECT_EQ(Std(x.name), "stored");
    EXPECT_EQ(y.number, -1);
    EXPECT_EQ(y.name, b.name);
    EXPECT_EQ(in.Get(), -1);
    // The load leaves the throw and loading bits set.
    EXPECT_TRUE(in.IsLoadThrowing());
    EXPECT_TRUE(in.IsLoading());
}

// Each damaged frame fails, leaves the error flag set and the record as it
// was; where the payload itself loads, the record was overwritten and restored.
TEST_F(FramedFileTest, FailedLoadRestoresThePreviousState)
{
    auto with = [](size_t at, char c) { std::string s = kStoredV3; s[at] = c; return s; };
    struct Case { const char* what; std::string bytes; int version; };
    const Case cases[] = {
        { "wrong version", kStoredV3, 4 },
        { "version missing", kStoredV3, INT_NULL },
        { "bad magic", with(0, 'D'), 3 },
        { "bad end magic", with(17, 'E'), 3 },
        { "bad count", with(19, 0x14), 3 },
        { "cut in the payload", kStoredV3.substr(0, 14), 3 },
        { "cut in the count", kStoredV3.substr(0, 21), 3 },
        { "text longer than the data", with(12, 0x70), 3 },
        { "empty", "", 3 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteWholeFile(path.c_str(), String(c.bytes.data(), (int)c.bytes.size())));
        Record r{ 7, "previous value" };
        FileIn in(path.c_str());
        ASSERT_TRUE(in.IsOpen());
        EXPECT_FALSE(LoadFramed(r.Callback(), in, c.version));
        EXPECT_TRUE(in.IsError());
        EXPECT_EQ(r.number, 7);
        EXPECT_EQ(Std(r.name), "previous value");
    }
}

TEST(FramedStoreTest, StreamInErrorFailsAndKeepsTheRecord)
{
    StringStream s;
    s.SetError();
    Record r{ 5, "five" };
    EXPECT_FALSE(StoreFramed(r.Callback(), s, 1));
    StringStream in(String(kStoredV3.data(), (int)kStoredV3.size()));
    in.SetError();
    EXPECT_FALSE(LoadFramed(r.Callback(), in, 3));
    EXPECT_EQ(r.number, 5);
    EXPECT_EQ(Std(r.name), "five");
}

void ThrowOnLoad(Stream& s)
{
    if(s.IsLoading())
        throw std::runtime_error("not a stream fault");
}

TEST(FramedStoreTest, OtherExceptionsPassThrough)
{
    StringStream in(String(kStoredV3.data(), (int)kStoredV3.size()));
    EXPECT_THROW(LoadFramed(MakeCallback(&ThrowOnLoad), in, 3), std::runtime_error);
}

} // namespace
