// Reads made for one paste as one bounded operation, and offers without a display.
#include "tests/x11/clip/clip_fixture.h"

#include "ctrl/clip/text_formats.h"
#include "ctrl/clip/transfer_session.h"
#include "foundation/charset.h"
#include "foundation/process.h"

#include <sstream>

using namespace Qor;

namespace QorTest {

namespace {

// The targets the peer was asked for so far, in order.
std::vector<std::string> Requests(const PeerProcess& peer)
{
    std::vector<std::string> asked;
    std::istringstream lines(peer.Output());
    for(std::string line; std::getline(lines, line);)
        if(line.rfind("request ", 0) == 0)
            asked.push_back(line.substr(8));
    return asked;
}

TEST_F(ClipTest, SilentOwnerIsAskedOncePerSession)
{
    PeerProcess peer;
    ASSERT_TRUE(peer.Start({ "/usr/bin/python3", TestSourcePath("tests/x11/clip/selection_peer.py"), "silent" }) &&
                WaitForForeignOwner("CLIPBOARD"));
    UseRealLimits();
    uint32 start = MonotonicMs();
    {
        TransferSession paste;
        EXPECT_FALSE(IsClipboardTextAvailable());
        TransferOffer offer;
        EXPECT_EQ(ReadOfferText(offer), WString());
        EXPECT_FALSE(offer.Accept("image/png;text/uri-list;UTF8_STRING"));
        String data;
        EXPECT_FALSE(ReadSelection(AtomOf("STRING"), AtomOf("CLIPBOARD"), AtomOf("CLIPDATA"), data));
    }
    uint32 took = MonotonicMs() - start;
    // One read's bound is 20 rounds of 10 ms.
    EXPECT_LT(took, 600u);
    ASSERT_TRUE(WaitFor([&] { return !Requests(peer).empty(); }));
    PumpFor(100);
    EXPECT_EQ(Requests(peer), std::vector<std::string>{ "TARGETS" });
    // The next paste asks again.
    EXPECT_FALSE(IsClipboardTextAvailable());
    EXPECT_TRUE(WaitFor([&] { return Requests(peer).size() == 2; }));
}

TEST_F(ClipTest, TargetsAreAskedOncePerSession)
{
    PeerProcess peer;
    ASSERT_TRUE(peer.Start({ "/usr/bin/python3", TestSourcePath("tests/x11/clip/selection_peer.py"), "refuse-utf8" }) &&
                WaitForForeignOwner("CLIPBOARD"));
    {
        TransferSession paste;
        EXPECT_TRUE(IsClipboardTextAvailable());
        TransferOffer offer;
        // UTF8_STRING is listed but refused: a refusal is an answer, and STRING still comes.
        EXPECT_EQ(EncodeUtf8(ReadOfferText(offer)), "caf\xc3\xa9");
    }
    ASSERT_TRUE(WaitFor([&] { return Requests(peer).size() >= 3; }));
    PumpFor(100);
    EXPECT_EQ(Requests(peer), (std::vector<std::string>{ "TARGETS", "UTF8_STRING", "STRING" }));
}

TEST_F(ClipTest, WithoutADisplayNothingIsOffered)
{
    ::Display* d = display;
    display = nullptr;
    // Names never asked for before would need the server to become atoms.
    TransferOffer offer;
    bool available = offer.IsAvailable("x-qor-never-interned");
    String data = "untouched";
    bool fetched = offer.Fetch("x-qor-never-interned-either", data);
    bool text_available = IsClipboardTextAvailable();
    WString text = ReadClipboardText();
    bool primary = GetPrimaryOffer().AcceptText();
    display = d;
    EXPECT_FALSE(available);
    EXPECT_FALSE(fetched);
    EXPECT_EQ(data, "");
    EXPECT_FALSE(text_available);
    EXPECT_EQ(text, WString());
    EXPECT_FALSE(primary);
}

} // namespace

} // namespace QorTest
