// The property readers against properties that another client sets, including selection
// data delivered by INCR, and the bounds that keep another client from stalling the
// reader or flooding it with data.
#include "tests/support/x11/test_window.h"

#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_properties_internal.h"
#include "foundation/process.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <X11/Xatom.h>

namespace {

using namespace Qor;
using namespace QorTest;

class LimitsScope {
public:
    explicit LimitsScope(const PropertyReadLimits& l) : saved(SetPropertyReadLimits(l)) {}
    ~LimitsScope() { SetPropertyReadLimits(saved); }

private:
    PropertyReadLimits saved;
};

// Another client: its own connection to the server.
class PropertyTest : public GuiTest {
protected:
    ::Display* peer = nullptr;
    std::unique_ptr<TestWindow> window;
    Window w = 0;
    Atom property = X_NONE;

    void SetUp() override
    {
        GuiTest::SetUp();
        if(HasFatalFailure())
            return;
        peer = XOpenDisplay(nullptr);
        ASSERT_TRUE(peer);
        window = std::make_unique<TestWindow>(10, 10);
        w = window->GetWindow();
        property = AtomOf("QOR_TRANSFER");
        XSync(display, false);
    }

    void TearDown() override
    {
        window.reset();
        if(peer)
            XCloseDisplay(peer);
    }

    void PeerSet(Atom type, int format, const void* data, int items)
    {
        XChangeProperty(peer, w, XInternAtom(peer, "QOR_TRANSFER", false), type, format, PropModeReplace,
                        (const unsigned char*)data, items);
        XSync(peer, false);
    }
};

std::string Bytes(int n)
{
    std::string s;
    for(int i = 0; i < n; i++)
        s += (char)('a' + i * 7 % 26);
    return s;
}

TEST(PropertyChunkLength, FollowsTheMaximumRequestSize)
{
    struct {
        long max_request;
        long chunk;
    } cases[] = { { 400, 300 }, { 357, 257 }, { 356, 256 }, { 100, 256 }, { 65636, 65536 }, { 4194303, 65536 } };
    for(const auto& c : cases)
        EXPECT_EQ(PropertyChunkLength(c.max_request), c.chunk) << c.max_request;
}

TEST_F(PropertyTest, ReadsEachFormat)
{
    PeerSet(XA_STRING, 8, "hello", 5);
    EXPECT_EQ(ReadWindowProperty(w, property, XA_STRING), "hello");
    EXPECT_EQ(ReadWindowProperty(w, property, AnyPropertyType), "hello");
    EXPECT_EQ(ReadWindowProperty(w, property, XA_CARDINAL), ""); // another type
    EXPECT_EQ(ReadWindowProperty(w, AtomOf("QOR_NO_SUCH_PROPERTY"), AnyPropertyType), "");

    long ints[] = { 1, -2, 0x7fffffff, 40000 };
    PeerSet(XA_CARDINAL, 32, ints, 4);
    Vector<int> got = ReadWindowPropertyInts(w, property, XA_CARDINAL);
    ASSERT_EQ(got.GetCount(), 4);
    EXPECT_EQ(got[0], 1);
    EXPECT_EQ(got[1], -2);
    EXPECT_EQ(got[2], 0x7fffffff);
    EXPECT_EQ(got[3], 40000);
    EXPECT_EQ(ReadWindowProperty(w, property, XA_CARDINAL).GetLength(), 4 * (int)sizeof(long));

    short shorts[] = { 1, 2, 3 };
    PeerSet(XA_INTEGER, 16, shorts, 3);
    EXPECT_EQ(ReadWindowProperty(w, property, AnyPropertyType).GetLength(), 6);
}

TEST_F(PropertyTest, LargePropertyComesInSeveralReadsAndIsBounded)
{
    std::string big = Bytes(1 << 20); // more than one request's worth
    PeerSet(XA_STRING, 8, big.data(), (int)big.size());
    String got = ReadWindowProperty(w, property, XA_STRING);
    EXPECT_EQ(got.GetLength(), (int)big.size());
    EXPECT_TRUE(std::string(got.Begin(), got.GetLength()) == big);

    PropertyReadLimits l;
    l.max_bytes = 5000;
    LimitsScope scope(l);
    EXPECT_EQ(ReadWindowProperty(w, property, XA_STRING).GetLength(), 5000);
}

TEST_F(PropertyTest, SelectionPropertyIsReadAndDeleted)
{
    PeerSet(XInternAtom(peer, "UTF8_STRING", false), 8, "text", 4);
    EXPECT_EQ(ReadSelectionProperty(w, property), "text");
    Atom type = 0;
    EXPECT_EQ(ReadProperty(w, "QOR_TRANSFER", &type), "");
    EXPECT_EQ(type, (Atom)X_NONE);
    EXPECT_EQ(ReadSelectionProperty(w, property), ""); // nothing there
}

// A selection owner on the peer connection delivering by INCR: it announces the transfer,
// answers every deletion of the property with the next chunk and ends with an empty one.
struct IncrOwner {
    std::vector<std::string> chunks;
    bool forever = false; // start the chunks over instead of ending
    int stall_after = -1; // stop answering after this many chunks
    int delay_ms = 0;     // before each answer
    std::atomic<bool> stop{ false };
    std::thread thread;

    void Start(::Display* peer, Window w)
    {
        // Everything before the announcement happens here, so the reader cannot delete it
        // before the owner listens.
        XSelectInput(peer, w, PropertyChangeMask);
        Atom property = XInternAtom(peer, "QOR_TRANSFER", false);
        long size = 0;
        for(const std::string& c : chunks)
            size += (long)c.size();
        XChangeProperty(peer, w, property, XInternAtom(peer, "INCR", false), 32, PropModeReplace, (unsigned char*)&size,
                        1);
        XSync(peer, false);
        thread = std::thread([this, peer, w, property] { Run(peer, w, property); });
    }

    void Run(::Display* peer, Window w, Atom property)
    {
        size_t next = 0;
        int sent = 0;
        bool ended = false;
        while(!stop) {
            XEvent e;
            if(!XCheckWindowEvent(peer, w, PropertyChangeMask, &e)) {
                SleepMs(2);
                continue;
            }
            if(e.xproperty.atom != property || e.xproperty.state != PropertyDelete || ended ||
               (stall_after >= 0 && sent >= stall_after))
                continue;
            if(delay_ms)
                SleepMs(delay_ms);
            if(forever && next == chunks.size())
                next = 0;
            const std::string& c = next < chunks.size() ? chunks[next] : std::string();
            ended = next == chunks.size();
            XChangeProperty(peer, w, property, XA_STRING, 8, PropModeAppend, (const unsigned char*)c.data(),
                            (int)c.size());
            XSync(peer, false);
            next++;
            sent++;
        }
    }

    ~IncrOwner()
    {
        stop = true;
        if(thread.joinable())
            thread.join();
    }
};

TEST_F(PropertyTest, IncrTransferCollectsEveryChunk)
{
    IncrOwner owner;
    owner.chunks = { Bytes(1000), "second chunk", Bytes(70000) };
    owner.Start(peer, w);
    String got = ReadSelectionProperty(w, property);
    std::string expected = owner.chunks[0] + owner.chunks[1] + owner.chunks[2];
    EXPECT_EQ(got.GetLength(), (int)expected.size());
    EXPECT_TRUE(std::string(got.Begin(), got.GetLength()) == expected);
}

TEST_F(PropertyTest, StalledIncrOwnerGivesWhatCameAfterTheChunkWait)
{
    PropertyReadLimits l;
    l.chunk_wait_ms = 300;
    LimitsScope scope(l);
    IncrOwner owner;
    owner.chunks = { "one", "two", "three" };
    owner.stall_after = 2;
    owner.Start(peer, w);
    int start = (int)MonotonicMs();
    EXPECT_EQ(ReadSelectionProperty(w, property), "onetwo");
    int took = (int)MonotonicMs() - start;
    EXPECT_GE(took, 250);
    EXPECT_LT(took, 3000);
}

TEST_F(PropertyTest, NoticesOfOtherPropertiesDoNotExtendTheWait)
{
    PropertyReadLimits l;
    l.chunk_wait_ms = 300;
    LimitsScope scope(l);
    IncrOwner owner;
    owner.chunks = { "only" };
    owner.stall_after = 1;
    owner.Start(peer, w);
    // A third client keeps changing another property of the window.
    ::Display* noisy = XOpenDisplay(nullptr);
    ASSERT_TRUE(noisy);
    std::atomic<bool> stop{ false };
    std::thread flood([&] {
        Atom other = XInternAtom(noisy, "QOR_NOISE", false);
        while(!stop) {
            XChangeProperty(noisy, w, other, XA_STRING, 8, PropModeReplace, (const unsigned char*)"x", 1);
            XSync(noisy, false);
            SleepMs(5);
        }
    });
    int start = (int)MonotonicMs();
    String got = ReadSelectionProperty(w, property);
    int took = (int)MonotonicMs() - start;
    stop = true;
    flood.join();
    XCloseDisplay(noisy);
    EXPECT_EQ(got, "only");
    EXPECT_LT(took, 3000);
}

TEST_F(PropertyTest, EndlessIncrTransferIsBoundedInSizeAndTime)
{
    {
        PropertyReadLimits l;
        l.max_bytes = 5000;
        LimitsScope scope(l);
        IncrOwner owner;
        owner.chunks = { Bytes(1000) };
        owner.forever = true;
        owner.Start(peer, w);
        EXPECT_EQ(ReadSelectionProperty(w, property).GetLength(), 5000);
    }
    XDeleteProperty(display, w, property);
    XSync(display, false);
    {
        PropertyReadLimits l;
        l.total_ms = 400;
        LimitsScope scope(l);
        IncrOwner owner;
        owner.chunks = { "slow" };
        owner.forever = true;
        owner.delay_ms = 20;
        owner.Start(peer, w);
        int start = (int)MonotonicMs();
        String got = ReadSelectionProperty(w, property);
        int took = (int)MonotonicMs() - start;
        EXPECT_GT(got.GetLength(), 0);
        EXPECT_LT(took, 3000);
    }
}

TEST_F(PropertyTest, AtomsAreCachedByName)
{
    Atom a = AtomOf("QOR_ATOM_TEST");
    EXPECT_EQ(a, XInternAtom(display, "QOR_ATOM_TEST", false));
    EXPECT_EQ(AtomOf("QOR_ATOM_TEST"), a);
    EXPECT_EQ(AtomName(a), "QOR_ATOM_TEST");
    EXPECT_EQ(AtomName(XA_STRING), "STRING");
    EXPECT_EQ(AtomName(0x3fffffff), ""); // unknown to the server: an ignored error
}

// Atoms interned together are each the server's atom of its own name, and AtomOf then
// answers them without a request; names repeated or cached already are taken once.
TEST_F(PropertyTest, AtomsInternedTogetherAreCachedEachUnderItsName)
{
    const char* const names[] = { "QOR_TOGETHER_A", "QOR_TOGETHER_B", "QOR_TOGETHER_A", "QOR_ATOM_CACHED",
                                  "QOR_TOGETHER_C" };
    Atom cached = AtomOf("QOR_ATOM_CACHED");
    InternAtoms(names, 5);
    unsigned long serial = XNextRequest(display);
    Atom atoms[5];
    for(int i = 0; i < 5; i++)
        atoms[i] = AtomOf(names[i]);
    EXPECT_EQ(XNextRequest(display), serial) << "answered from the cache";
    EXPECT_EQ(atoms[3], cached);
    for(int i = 0; i < 5; i++)
        EXPECT_EQ(atoms[i], XInternAtom(peer, names[i], true)) << names[i];
    EXPECT_NE(atoms[0], atoms[1]);
    EXPECT_NE(atoms[1], atoms[4]);
}

} // namespace
