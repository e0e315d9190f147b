// Text through the clipboard and the primary selection with xclip as the other program, in
// both directions, with data large enough for INCR.
#include "tests/x11/clip/clip_fixture.h"

#include "ctrl/clip/text_formats.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "foundation/charset.h"
#include "foundation/process.h"

using namespace Qor;

namespace QorTest {

String PrimarySource::RenderSelectionData(const String& format) const { return RenderTextFormat(text, format); }

namespace {

const char* const SAMPLE = "Grüße, \xe2\x98\x83 and more";

std::string Big(int n)
{
    std::string s;
    s.reserve(n);
    for(int i = 0; i < n; i++)
        s += (char)('a' + (i * 7 + i / 26) % 26);
    return s;
}

TEST_F(ClipTest, PasteFromPeerInEverySelection)
{
    for(const char* selection : { "CLIPBOARD", "PRIMARY" }) {
        SCOPED_TRACE(selection);
        PeerProcess peer;
        ASSERT_TRUE(Offer(peer, selection, "UTF8_STRING", SAMPLE));
        WString got = std::string(selection) == "CLIPBOARD" ? ReadClipboardText() : ReadOfferText(GetPrimaryOffer());
        EXPECT_EQ(EncodeUtf8(got), SAMPLE);
        if(std::string(selection) == "CLIPBOARD") {
            EXPECT_TRUE(IsClipboardTextAvailable());
        }
    }
}

TEST_F(ClipTest, PasteReadsTextOfferedOnlyInOtherFormats)
{
    // The availability test accepts these formats, so the paste must read them too.
    struct Case {
        const char* target;
        std::string bytes;
    } cases[] = {
        { "STRING", "caf\xe9" },
        { "text/plain", "caf\xe9" },
        { "text/unicode", std::string("c\0a\0f\0\xe9\0", 8) },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.target);
        PeerProcess peer;
        ASSERT_TRUE(Offer(peer, "CLIPBOARD", c.target, c.bytes));
        EXPECT_TRUE(IsClipboardTextAvailable());
        EXPECT_EQ(EncodeUtf8(ReadClipboardText()), "caf\xc3\xa9");
    }
}

TEST_F(ClipTest, CopyServesPeerWithUtf8Only)
{
    ClearClipboard();
    AppendClipboardText(DecodeUtf8(SAMPLE));
    EXPECT_EQ(Fetch("clipboard", "UTF8_STRING"), SAMPLE);
    EXPECT_EQ(Fetch("clipboard", "TARGETS"), "UTF8_STRING\n");
    EXPECT_EQ(Fetch("clipboard", "STRING"), "<failed>");
    // Paste inside the program needs no round trip, and gives the same text.
    EXPECT_EQ(EncodeUtf8(ReadClipboardText()), SAMPLE);
}

TEST_F(ClipTest, PrimaryServedByItsControl)
{
    PrimarySource source;
    source.text = DecodeUtf8(SAMPLE);
    SetPrimarySelection(&source, ClipboardTextFormats());
    EXPECT_EQ(Fetch("primary", "UTF8_STRING"), SAMPLE);
    // STRING is ISO 8859-1 on X: what it lacks becomes byte 31.
    EXPECT_EQ(Fetch("primary", "STRING"), "Gr\xfc\xdf"
                                          "e, \x1f and more");
    EXPECT_EQ(EncodeUtf8(ReadOfferText(GetPrimaryOffer())), SAMPLE);
}

TEST_F(ClipTest, PrimaryOfDestroyedControlIsRefused)
{
    {
        PrimarySource source;
        source.text = "gone";
        SetPrimarySelection(&source, ClipboardTextFormats());
    }
    EXPECT_EQ(Fetch("primary", "UTF8_STRING"), "<failed>");
}

TEST_F(ClipTest, MegabyteGoesByIncrBothWays)
{
    std::string big = Big(1 << 20);
    {
        PeerProcess peer;
        ASSERT_TRUE(Offer(peer, "CLIPBOARD", "UTF8_STRING", big));
        WString got = ReadClipboardText();
        ASSERT_EQ(got.GetLength(), 1 << 20);
        EXPECT_TRUE(EncodeUtf8(got) == String(big.c_str(), (int)big.size()));
    }
    ClearClipboard();
    AppendClipboardText(DecodeUtf8(big.c_str()));
    PeerProcess peer;
    ASSERT_TRUE(peer.Start(Xclip("clipboard", { "-o", "-t", "UTF8_STRING" })));
    bool incr = false;
    EXPECT_TRUE(PumpUntil(
        [&] {
            incr = incr || GetOutgoingTransferCount() > 0;
            return !peer.IsRunning();
        },
        20000));
    EXPECT_TRUE(incr) << "a megabyte must go by INCR";
    EXPECT_EQ(peer.ExitStatus(), 0);
    EXPECT_TRUE(peer.Output() == big) << "got " << peer.Output().size() << " bytes";
    EXPECT_EQ(GetOutgoingTransferCount(), 0);
}

TEST_F(ClipTest, WithoutOwnerNothingIsOfferedAndNothingWaits)
{
    UseRealLimits();
    // An earlier test of this process may have left this program the owner.
    ClearClipboard();
    XSetSelectionOwner(display, AtomOf("CLIPBOARD"), X_NONE, X_CURRENT_TIME);
    ASSERT_EQ(XGetSelectionOwner(display, AtomOf("CLIPBOARD")), (Window)X_NONE);
    uint32 start = MonotonicMs();
    EXPECT_FALSE(IsClipboardTextAvailable());
    EXPECT_EQ(ReadClipboardText(), WString());
    EXPECT_LT(MonotonicMs() - start, 150u) << "the server itself refuses a selection without owner";
}

TEST_F(ClipTest, PeerTakingSelectionDropsOwnData)
{
    ClearClipboard();
    AppendClipboardText("mine");
    PeerProcess peer;
    ASSERT_TRUE(Offer(peer, "CLIPBOARD", "UTF8_STRING", "theirs"));
    EXPECT_TRUE(PumpUntil([] { return GetClipboardItems().IsEmpty(); }));
    EXPECT_EQ(EncodeUtf8(ReadClipboardText()), "theirs");
}

} // namespace

} // namespace QorTest
