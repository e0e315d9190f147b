// Offers and the text formats, with a stand-in for the window system: which format an offer
// takes, when it fetches, and what this process answers itself.
#include "ctrl/clip/clipboard.h"
#include "ctrl/clip/text_formats.h"
#include "ctrl/tree/ctrl_class.h"
#include "foundation/charset.h"
#include "tests/ctrl/support/test_platform.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace Qor;

namespace {

// Another program's selection: formats with their data; a format mapped to "<refuse>" is
// listed but refused when asked.
struct FakePeer {
    static inline std::map<std::string, std::string> formats;
    static inline std::vector<std::string> reads;
    static inline std::vector<int> claims;

    static bool HasFormat(int, const String& f) { return formats.count(f.Begin()) > 0; }
    static bool Read(int, const String& f, String& data)
    {
        reads.push_back(f.Begin());
        auto it = formats.find(f.Begin());
        if(it == formats.end() || it->second == "<refuse>")
            return false;
        data = String(it->second.data(), (int)it->second.size());
        return true;
    }
    static void Claim(int kind) { claims.push_back(kind); }
};

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakePeer::formats.clear();
        FakePeer::reads.clear();
        FakePeer::claims.clear();
        ClearClipboard();
        DropPrimarySelection();
    }
    void TearDown() override
    {
        ClearClipboard();
        DropPrimarySelection();
        GetDropTypes().Clear();
    }
    // The peer; with local_source this process runs the drag and renders its data itself.
    struct Peer : Platform {
        bool local_source = false;
        bool HasFormat(int kind, const String& f) override { return FakePeer::HasFormat(kind, f); }
        bool Read(int kind, const String& f, String& data) override { return FakePeer::Read(kind, f, data); }
        void Claim(int kind) override { FakePeer::Claim(kind); }
        bool GetLocalDragData(const String& f, String& data) override
        {
            if(!local_source)
                return false;
            data = "local " + f;
            return true;
        }
    } peer;
    QorTest::PlatformScope installed{ peer };
};

TEST(TransferItem, RendersPlainByDefault)
{
    EXPECT_EQ(RenderPlain(Value()), "");
    EXPECT_EQ(RenderPlain(Value(String("abc"))), "abc");
    EXPECT_EQ(RenderPlain(Value(42)), "42");
    EXPECT_EQ(TransferItem("x").Render(), "x");
    EXPECT_EQ(TransferItem(Value(7), nullptr).Render(), "7");
    EXPECT_EQ(TransferItem().Render(), "");
    TransferOffer o;
    EXPECT_EQ(o.kind, TRANSFER_CLIPBOARD);
    EXPECT_TRUE(o.fetch_on_accept);
    EXPECT_FALSE(o.accepted);
}

TEST_F(TransferTest, AcceptTakesFirstAvailableAndFetchesOnce)
{
    FakePeer::formats["text/plain"] = "plain";
    TransferOffer o;
    EXPECT_TRUE(o.Accept("image/png;;text/plain"));
    EXPECT_EQ(o.GetFormat(), "text/plain");
    EXPECT_EQ(o.GetData(), "plain");
    EXPECT_TRUE(o.Accept("image/png;text/plain"));
    EXPECT_EQ(FakePeer::reads, std::vector<std::string>{ "text/plain" }) << "the second accept reads nothing";
    EXPECT_FALSE(o.Accept("image/png"));
}

TEST_F(TransferTest, OfferThatDoesNotFetchIsOnlyMarked)
{
    FakePeer::formats["STRING"] = "s";
    TransferOffer o;
    o.fetch_on_accept = false;
    EXPECT_FALSE(o.Accept("STRING"));
    EXPECT_TRUE(o.IsAccepted());
    EXPECT_EQ(o.GetFormat(), "");
    EXPECT_TRUE(FakePeer::reads.empty());
}

TEST_F(TransferTest, RefusedFormatIsPassedOverForTheNext)
{
    FakePeer::formats["UTF8_STRING"] = "<refuse>";
    FakePeer::formats["STRING"] = "caf\xe9";
    TransferOffer o;
    EXPECT_FALSE(o.Accept("UTF8_STRING"));
    EXPECT_FALSE(o.IsAccepted());
    EXPECT_EQ(EncodeUtf8(ReadOfferText(o)), "caf\xc3\xa9");
    EXPECT_EQ(o.GetFormat(), "STRING");
}

TEST_F(TransferTest, PasteReadsEveryTextFormat)
{
    struct Case {
        const char* format;
        std::string bytes;
    } cases[] = {
        { "UTF8_STRING", "\xc3\xa9t\xc3\xa9" },
        { "text/unicode", std::string("\xe9\0t\0\xe9\0!", 7) }, // the odd last byte is dropped
        { "STRING", "\xe9t\xe9" },
        { "text/plain", "\xe9t\xe9" },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.format);
        FakePeer::formats.clear();
        FakePeer::formats[c.format] = c.bytes;
        EXPECT_TRUE(IsClipboardTextAvailable());
        EXPECT_EQ(EncodeUtf8(ReadClipboardText()), "\xc3\xa9t\xc3\xa9");
    }
    FakePeer::formats.clear();
    EXPECT_FALSE(IsClipboardTextAvailable());
    EXPECT_EQ(ReadClipboardText(), WString());
}

TEST_F(TransferTest, FilesAreAskedForAsUriList)
{
    FakePeer::formats["text/uri-list"] = "file:///tmp/a\r\n";
    TransferOffer o;
    EXPECT_TRUE(o.IsAvailable("files"));
    EXPECT_TRUE(o.Accept("files"));
    EXPECT_EQ(o.GetData(), "file:///tmp/a\r\n");
    EXPECT_EQ(FakePeer::reads, std::vector<std::string>{ "text/uri-list" });
}

TEST_F(TransferTest, OwnClipboardAnswersWithoutTheWindowSystem)
{
    AppendClipboardText(DecodeUtf8("\xc3\xa9t\xc3\xa9"));
    EXPECT_EQ(FakePeer::claims, std::vector<int>{ TRANSFER_CLIPBOARD });
    EXPECT_EQ(GetClipboardItems().GetKeys(), Vector<String>{ "UTF8_STRING" });
    EXPECT_TRUE(IsClipboardTextAvailable());
    EXPECT_EQ(EncodeUtf8(ReadClipboardText()), "\xc3\xa9t\xc3\xa9");
    TransferOffer o;
    EXPECT_FALSE(o.IsAvailable("STRING"));
    AppendClipboard(";x-a;;x-b", Value(5), nullptr);
    EXPECT_EQ(GetClipboardItems().GetCount(), 3);
    EXPECT_TRUE(o.Accept("x-b"));
    EXPECT_EQ(o.GetData(), "5");
    EXPECT_TRUE(FakePeer::reads.empty());
    ClearClipboard();
    EXPECT_TRUE(GetClipboardItems().IsEmpty());
}

struct TextOwner : Ctrl {
    WString text;
    String RenderSelectionData(const String& format) const override { return RenderTextFormat(text, format); }
};

TEST_F(TransferTest, PrimaryIsRenderedByItsLiveControl)
{
    FakePeer::formats["UTF8_STRING"] = "theirs";
    {
        TextOwner owner;
        owner.text = "ours";
        SetPrimarySelection(&owner, ClipboardTextFormats());
        EXPECT_EQ(FakePeer::claims, std::vector<int>{ TRANSFER_PRIMARY });
        TransferOffer& o = GetPrimaryOffer();
        EXPECT_EQ(o.kind, TRANSFER_PRIMARY);
        EXPECT_TRUE(o.AcceptText());
        EXPECT_EQ(o.GetFormat(), "STRING");
        EXPECT_EQ(ReadOfferText(GetPrimaryOffer()), WString("ours"));
        EXPECT_TRUE(FakePeer::reads.empty());
    }
    // Its control is gone: the primary selection is read from the window system again.
    EXPECT_EQ(ReadOfferText(GetPrimaryOffer()), WString("theirs"));
}

TEST_F(TransferTest, DragOfferUsesDropTypesAndLocalSource)
{
    GetDropTypes().FindAdd("text/uri-list");
    TransferOffer o;
    o.kind = TRANSFER_DRAG;
    EXPECT_TRUE(o.IsAvailable("files"));
    EXPECT_FALSE(o.IsAvailable("STRING"));
    peer.local_source = true;
    EXPECT_TRUE(o.Accept("files"));
    EXPECT_EQ(o.GetData(), "local text/uri-list");
    EXPECT_TRUE(FakePeer::reads.empty());
}

TEST(TextFormats, BytesOfEachFormat)
{
    WString text = DecodeUtf8("a\xc3\xa9\xe2\x98\x83");
    EXPECT_EQ(EncodeUnicodeText("ab"), String("a\0b\0", 4));
    EXPECT_EQ(RenderTextFormat(text, "UTF8_STRING"), "a\xc3\xa9\xe2\x98\x83");
    EXPECT_EQ(RenderTextFormat(text, "text/unicode"), String("a\0\xe9\0\x03\x26", 6));
    EXPECT_EQ(RenderTextFormat(text, "STRING"), "a\xe9\x1f");
    EXPECT_EQ(RenderTextFormat(text, "text/plain"), "a\xe9\x1f");
    EXPECT_EQ(RenderTextFormat(text, "image/png"), "");
    for(const char* f : { "UTF8_STRING", "text/unicode" })
        EXPECT_EQ(DecodeTextFormat(RenderTextFormat(text, f), f), text) << f;
    EXPECT_STREQ(ClipboardTextFormats(), "STRING;UTF8_STRING;text/plain;text/unicode");
}

TEST(TextFormats, AddTextFormatsKeepsExistingItems)
{
    TransferFormatMap map;
    map.Add("UTF8_STRING", TransferItem("mine"));
    AddTextFormats(map, DecodeUtf8("\xc3\xa9"));
    ASSERT_EQ(map.GetCount(), 4);
    EXPECT_EQ(map.GetKey(0), "UTF8_STRING");
    EXPECT_EQ(map.Get("UTF8_STRING").Render(), "mine");
    EXPECT_EQ(map.GetKey(1), "STRING");
    EXPECT_EQ(map.Get("STRING").Render(), "\xe9");
    EXPECT_EQ(map.Get("text/plain").Render(), "\xe9");
    EXPECT_EQ(map.Get("text/unicode").Render(), String("\xe9\0", 2));
}

} // namespace
