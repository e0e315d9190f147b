// Selection owners and requestors that misbehave: the reads stay bounded and take only
// real answers; this program's answers follow what old clients expect.
#include "tests/support/ini_home.h"
#include "tests/x11/clip/clip_fixture.h"

#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_properties_internal.h"
#include "foundation/charset.h"
#include "foundation/process.h"

#include <X11/Xatom.h>

using namespace Qor;

namespace QorTest {

namespace {

bool StartMisbehaving(PeerProcess& peer, const char* mode)
{
    return peer.Start({ "/usr/bin/python3", TestSourcePath("tests/x11/clip/selection_peer.py"), mode }) &&
           WaitForForeignOwner("CLIPBOARD");
}

TEST_F(ClipTest, SilentOwnerReadGivesUpInBoundedTime)
{
    PeerProcess peer;
    ASSERT_TRUE(StartMisbehaving(peer, "silent"));
    UseRealLimits();
    uint32 start = MonotonicMs();
    String data = "untouched";
    EXPECT_FALSE(ReadSelection(AtomOf("UTF8_STRING"), AtomOf("CLIPBOARD"), AtomOf("CLIPDATA"), data));
    EXPECT_EQ(data, "");
    EXPECT_LT(MonotonicMs() - start, 1000u);
    start = MonotonicMs();
    EXPECT_FALSE(IsClipboardTextAvailable());
    EXPECT_EQ(ReadClipboardText(), WString());
    EXPECT_LT(MonotonicMs() - start, 4000u);
}

TEST_F(ClipTest, StalledIncrTransferFailsInBoundedTime)
{
    PropertyReadLimits quick;
    quick.chunk_wait_ms = 300;
    PropertyReadLimits saved_limits = SetPropertyReadLimits(quick);
    PeerProcess peer;
    ASSERT_TRUE(StartMisbehaving(peer, "stall"));
    uint32 start = MonotonicMs();
    String data;
    // A cut transfer is a failure, not the empty text it would otherwise pass for.
    EXPECT_FALSE(ReadSelection(AtomOf("UTF8_STRING"), AtomOf("CLIPBOARD"), AtomOf("CLIPDATA"), data));
    TransferOffer offer;
    EXPECT_FALSE(offer.Accept("UTF8_STRING"));
    EXPECT_FALSE(offer.IsAccepted());
    EXPECT_LT(MonotonicMs() - start, 3000u);
    SetPropertyReadLimits(saved_limits);
}

TEST_F(ClipTest, LateAnswerToEarlierRequestIsPassedOver)
{
    PeerProcess peer;
    ASSERT_TRUE(StartMisbehaving(peer, "late"));
    UseRealLimits();
    String data;
    // The peer holds this one and answers it only when the next request comes.
    EXPECT_FALSE(ReadSelection(AtomOf("TARGETS"), AtomOf("CLIPBOARD"), AtomOf("CLIPDATA"), data));
    ASSERT_TRUE(ReadSelection(AtomOf("UTF8_STRING"), AtomOf("CLIPBOARD"), AtomOf("CLIPDATA"), data));
    EXPECT_EQ(data, "fresh");
}

TEST_F(ClipTest, RefusedFormatFallsBackToNextTextFormat)
{
    PeerProcess peer;
    ASSERT_TRUE(StartMisbehaving(peer, "refuse-utf8"));
    TransferOffer offer;
    EXPECT_TRUE(offer.IsAvailable("UTF8_STRING"));
    EXPECT_EQ(EncodeUtf8(ReadOfferText(offer)), "caf\xc3\xa9");
    EXPECT_EQ(offer.GetFormat(), "STRING");
}

// A requestor on a connection of its own.
class Requestor {
public:
    Requestor() : d(XOpenDisplay(nullptr))
    {
        if(d)
            w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    }
    ~Requestor()
    {
        if(d)
            XCloseDisplay(d);
    }
    // Asks for target into property (X_NONE for none) while the program runs its loop;
    // the SelectionNotify's property, or -1 without an answer.
    long Ask(const char* target, Atom property)
    {
        XConvertSelection(d, XInternAtom(d, "CLIPBOARD", false), XInternAtom(d, target, false), property, w,
                          X_CURRENT_TIME);
        XFlush(d);
        long answered = -1;
        PumpUntil([&] {
            XEvent e;
            if(XCheckTypedWindowEvent(d, w, SelectionNotify, &e))
                answered = (long)e.xselection.property;
            return answered != -1;
        });
        return answered;
    }
    std::string Read(Atom property)
    {
        Atom type;
        int format;
        unsigned long n, after;
        unsigned char* data = nullptr;
        std::string out;
        if(XGetWindowProperty(d, w, property, 0, 1 << 20, true, AnyPropertyType, &type, &format, &n, &after, &data) ==
               Success &&
           data) {
            out.assign((const char*)data, n * (format == 32 ? sizeof(long) : format / 8));
            XFree(data);
        }
        return out;
    }
    Atom Intern(const char* name) { return XInternAtom(d, name, false); }

    ::Display* d;
    Window w = 0;
};

TEST_F(ClipTest, RequestorWithoutPropertyGetsTargetAsProperty)
{
    ClearClipboard();
    AppendClipboardText("old client");
    Requestor r;
    ASSERT_TRUE(r.d);
    Atom utf8 = r.Intern("UTF8_STRING");
    EXPECT_EQ(r.Ask("UTF8_STRING", X_NONE), (long)utf8);
    EXPECT_EQ(r.Read(utf8), "old client");
    // A format the program does not hold is refused, whatever the property.
    EXPECT_EQ(r.Ask("STRING", r.Intern("MINE")), (long)X_NONE);
    EXPECT_EQ(r.Ask("STRING", X_NONE), (long)X_NONE);
}

TEST_F(ClipTest, DataBeyondOneRequestGoesByIncrToRawRequestor)
{
    SelectionLimits small = GetSelectionLimits();
    small.incr_threshold = 1000;
    SetSelectionLimits(small);
    ClearClipboard();
    std::string text(2500, 'x');
    text[1234] = 'y';
    AppendClipboardText(text.c_str());
    Requestor r;
    ASSERT_TRUE(r.d);
    XSelectInput(r.d, r.w, PropertyChangeMask);
    Atom property = r.Intern("MINE");
    ASSERT_EQ(r.Ask("UTF8_STRING", property), (long)property);
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(r.d, r.w, property, 0, 1, false, AnyPropertyType, &type, &format, &n, &after, &data),
              Success);
    if(data)
        XFree(data);
    EXPECT_EQ(type, r.Intern("INCR"));
    std::string got;
    int chunks = 0;
    XDeleteProperty(r.d, r.w, property);
    XFlush(r.d);
    for(;;) {
        bool new_value = PumpUntil([&] {
            XEvent e;
            while(XCheckTypedWindowEvent(r.d, r.w, PropertyNotify, &e))
                if(e.xproperty.atom == property && e.xproperty.state == PropertyNewValue)
                    return true;
            return false;
        });
        ASSERT_TRUE(new_value) << "a chunk did not come after " << got.size() << " bytes";
        std::string chunk = r.Read(property); // deleting asks for the next
        XFlush(r.d);
        if(chunk.empty())
            break;
        got += chunk;
        chunks++;
    }
    EXPECT_EQ(chunks, 3);
    EXPECT_TRUE(got == text);
    EXPECT_EQ(GetOutgoingTransferCount(), 0);
}

TEST_F(ClipTest, RequestorThatStopsTakingChunksIsDropped)
{
    SelectionLimits small = GetSelectionLimits();
    small.incr_threshold = 1000;
    small.incr_chunk_wait_ms = 200;
    SetSelectionLimits(small);
    ClearClipboard();
    AppendClipboardText(std::string(5000, 'z').c_str());
    Requestor r;
    ASSERT_TRUE(r.d);
    Atom property = r.Intern("MINE");
    ASSERT_EQ(r.Ask("UTF8_STRING", property), (long)property);
    EXPECT_EQ(GetOutgoingTransferCount(), 1);
    PumpFor(400);
    EXPECT_EQ(GetOutgoingTransferCount(), 0);
}

} // namespace

} // namespace QorTest

namespace QorTest {

namespace {

TEST_F(ClipTest, RequestorGoneBeforeItsAnswerIsNoError)
{
    // X errors would be fatal now: answering a vanished requestor must cause none.
    IniHome home("X11_ERRORS=1\n");
    SelectionLimits small = GetSelectionLimits();
    small.incr_threshold = 1000;
    SetSelectionLimits(small);
    ClearClipboard();
    AppendClipboardText(std::string(600, 'a').c_str());
    AppendClipboard("x-big", String(std::string(5000, 'b').c_str()));
    for(const char* target : { "UTF8_STRING", "TARGETS", "x-big" }) {
        Requestor r;
        ASSERT_TRUE(r.d);
        XConvertSelection(r.d, r.Intern("CLIPBOARD"), r.Intern(target), r.Intern("MINE"), r.w, X_CURRENT_TIME);
        XDestroyWindow(r.d, r.w);
        XSync(r.d, false);
        PumpFor(100);
    }
    EXPECT_EQ(GetOutgoingTransferCount(), 0);
}

TEST_F(ClipTest, RequestorGoneDuringIncrEndsItsTransfer)
{
    SelectionLimits small = GetSelectionLimits();
    small.incr_threshold = 1000;
    SetSelectionLimits(small);
    ClearClipboard();
    AppendClipboardText(std::string(5000, 'z').c_str());
    Requestor r;
    ASSERT_TRUE(r.d);
    Atom property = r.Intern("MINE");
    ASSERT_EQ(r.Ask("UTF8_STRING", property), (long)property);
    ASSERT_EQ(GetOutgoingTransferCount(), 1);
    XDestroyWindow(r.d, r.w);
    XSync(r.d, false);
    EXPECT_TRUE(PumpUntil([] { return GetOutgoingTransferCount() == 0; }, 1000));
}

} // namespace

} // namespace QorTest
