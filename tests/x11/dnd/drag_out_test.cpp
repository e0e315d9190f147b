// Drags out of a control into another program: the XDND peer is the target, and the action
// the drag reports is what the peer really took.

#include "tests/support/x11/input_window.h"
#include "tests/x11/dnd/drag_controls.h"
#include "tests/x11/dnd/patient_drag.h"
#include "tests/x11/dnd/xdnd_peer.h"

#include "ctrl/dnd/drag_source.h"
#include "ctrl/x11/dnd/dnd_loop.h"
#include "ctrl/x11/dnd/xdnd_protocol.h"
#include "ctrl/images/ctrl_core_img.h"
#include "draw/image/pixel_buffer.h"
#include "draw/image/rgba.h"
#include "draw/target/draw.h"
#include "foundation/callback_action.h"
#include "foundation/process.h"

#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <optional>

using namespace Qor;
using namespace QorTest;

namespace {

// The peer gets long to answer, except where the test is about the time running out.
class DragOutTest : public PrivateDisplayTest {
protected:
    std::optional<PatientDrag> patient;
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        patient.emplace();
    }
    void TearDown() override
    {
        patient.reset();
        PrivateDisplayTest::TearDown();
    }
};

const Rect SOURCE_RECT(20, 20, 120, 120);
const Point PEER_POINT(250, 250); // inside the peer's window at (200, 200, 100, 100)

struct PeerCase {
    const char* name;
    std::vector<std::string> args;
    int expected;         // the action the drag reports
    bool dropped;         // the peer saw a drop
    const char* proposed; // the action the peer saw proposed
};

} // namespace

TEST_F(DragOutTest, ReportsWhatThePeerTook)
{
    const PeerCase cases[] = {
        { "copy", { "--action", "copy" }, DROP_COPY, true, "copy" },
        { "move", { "--action", "move" }, DROP_MOVE, true, "copy" },
        { "refused", { "--refuse" }, DROP_NONE, false, "copy" },
        { "finish says not taken", { "--action", "move", "--reject" }, DROP_NONE, true, "copy" },
        // The status promised a move, but no finish ever says the data was taken.
        { "no finish", { "--action", "move", "--no-finish" }, DROP_NONE, true, "copy" },
        // A version 4 finish carries no answer: the status stands.
        { "version 4", { "--action", "move", "--version", "4" }, DROP_MOVE, true, "copy" },
    };
    for(const PeerCase& c : cases) {
        SCOPED_TRACE(c.name);
        DragSourceCtrl source;
        OpenInput open(source, SOURCE_RECT);
        ASSERT_TRUE(open.IsOpen());
        std::vector<std::string> args = { "target", "--geometry", "200", "200", "100", "100" };
        args.insert(args.end(), c.args.begin(), c.args.end());
        XdndPeer peer(args);
        ASSERT_FALSE(peer.WaitLine("READY").empty());
        // A finish that never comes is waited for the whole time.
        std::optional<PatientDrag> shorter;
        if(std::find(c.args.begin(), c.args.end(), "--no-finish") != c.args.end())
            shorter.emplace(2000);
        StartDragging(open.GetWindow());
        ASSERT_TRUE(PumpUntil([&] { return source.result >= 0; }, PEER_DRAG_LIMIT_MS))
            << source.drags << " drags; the peer said " << testing::PrintToString(peer.Lines());
        peer.Finish(10000);
        EXPECT_EQ(source.result, c.expected) << testing::PrintToString(peer.Lines());
        EXPECT_TRUE(peer.Has("ENTER v5 UTF8_STRING,STRING") || peer.Has("ENTER v4 UTF8_STRING,STRING"))
            << testing::PrintToString(peer.Lines());
        EXPECT_TRUE(peer.Has("POSITION " + std::to_string(PEER_POINT.x) + " " + std::to_string(PEER_POINT.y) + " " +
                             c.proposed))
            << testing::PrintToString(peer.Lines());
        EXPECT_EQ(peer.Has("DROP UTF8_STRING " + Hex(source.text)), c.dropped) << testing::PrintToString(peer.Lines());
        EXPECT_EQ(GetDragSource(), nullptr);
        EXPECT_EQ(GetRunningDnDLoop(), nullptr);
    }
}

TEST_F(DragOutTest, ProposalsFollowModifiersAndAllowedActions)
{
    struct Case {
        const char* name;
        dword actions;
        std::vector<KeySym> held;
        std::vector<std::string> peer; // how the peer answers
        const char* proposed;
        int expected;
    } cases[] = {
        { "shift proposes move", DND_ALLOW_COPY | DND_ALLOW_MOVE, { XK_Shift_L }, {}, "move", DROP_MOVE },
        { "ctrl proposes copy", DND_ALLOW_COPY | DND_ALLOW_MOVE, { XK_Control_L, XK_Shift_L }, {}, "copy", DROP_COPY },
        // A move the drag does not allow is never proposed, nor reported when the target
        // answers with one.
        { "copy only", DND_ALLOW_COPY, { XK_Shift_L }, { "--action", "move" }, "copy", DROP_COPY },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DragSourceCtrl source;
        source.actions = c.actions;
        OpenInput open(source, SOURCE_RECT);
        ASSERT_TRUE(open.IsOpen());
        std::vector<std::string> args = { "target", "--geometry", "200", "200", "100", "100" };
        args.insert(args.end(), c.peer.begin(), c.peer.end());
        XdndPeer peer(args);
        ASSERT_FALSE(peer.WaitLine("READY").empty());
        source.held = c.held;
        StartDragging(open.GetWindow());
        ASSERT_TRUE(PumpUntil([&] { return source.result >= 0; }, PEER_DRAG_LIMIT_MS));
        peer.Finish(10000);
        EXPECT_TRUE(peer.Has(std::string("POSITION 250 250 ") + c.proposed)) << testing::PrintToString(peer.Lines());
        EXPECT_EQ(source.result, c.expected) << testing::PrintToString(peer.Lines());
    }
}

TEST_F(DragOutTest, OldTargetsAreSkippedAndManyTypesTravelInTheList)
{
    {
        DragSourceCtrl source;
        OpenInput open(source, SOURCE_RECT);
        XdndPeer peer({ "target", "--geometry", "200", "200", "100", "100", "--version", "2" });
        ASSERT_FALSE(peer.WaitLine("READY").empty());
        StartDragging(open.GetWindow());
        ASSERT_TRUE(PumpUntil([&] { return source.result >= 0; }, PEER_DRAG_LIMIT_MS));
        EXPECT_EQ(source.result, DROP_NONE);
        EXPECT_FALSE(peer.Has("ENTER")) << "a version 2 window is never a target";
    }
    {
        DragSourceCtrl source;
        source.formats = "STRING;text/plain;UTF8_STRING;text/unicode;files";
        OpenInput open(source, SOURCE_RECT);
        XdndPeer peer({ "target", "--geometry", "200", "200", "100", "100", "--want", "text/uri-list" });
        ASSERT_FALSE(peer.WaitLine("READY").empty());
        StartDragging(open.GetWindow());
        ASSERT_TRUE(PumpUntil([&] { return source.result >= 0; }, PEER_DRAG_LIMIT_MS));
        peer.Finish(10000);
        EXPECT_TRUE(peer.Has("ENTER v5 STRING,text/plain,UTF8_STRING,text/unicode,text/uri-list"))
            << testing::PrintToString(peer.Lines());
        EXPECT_TRUE(peer.Has("DROP text/uri-list " + Hex(source.text))) << testing::PrintToString(peer.Lines());
        EXPECT_EQ(source.result, DROP_COPY);
    }
}

namespace {

struct ShownCursor {
    int cx = 0, cy = 0, xhot = -1, yhot = -1;
    std::vector<unsigned long> pixels;
};

ShownCursor TakeCursor()
{
    ShownCursor c;
    XSync(display, false);
    if(XFixesCursorImage* img = XFixesGetCursorImage(display)) {
        c.cx = img->width;
        c.cy = img->height;
        c.xhot = img->xhot;
        c.yhot = img->yhot;
        c.pixels.assign(img->pixels, img->pixels + c.cx * c.cy);
        XFree(img);
    }
    return c;
}

} // namespace

TEST_F(DragOutTest, TheCursorShowsTheSampleAndWhatADropWouldDo)
{
    int event, error;
    ASSERT_TRUE(XFixesQueryExtension(display, &event, &error)) << "the test server lacks XFixes";
    DragSourceCtrl source;
    PixelBuffer b(20, 20);
    FillPixels(b.Begin(), RGBA{ 0, 0, 255, 255 }, 400);
    source.sample = Image(b);
    ShownCursor over_nothing, over_peer;
    source.before_move = [&] { over_nothing = TakeCursor(); };
    source.before_release = [&] { over_peer = TakeCursor(); };
    OpenInput open(source, SOURCE_RECT);
    ASSERT_TRUE(open.IsOpen());
    XdndPeer peer({ "target", "--geometry", "200", "200", "100", "100", "--action", "copy" });
    ASSERT_FALSE(peer.WaitLine("READY").empty());
    StartDragging(open.GetWindow());
    ASSERT_TRUE(PumpUntil([&] { return source.result >= 0; }, PEER_DRAG_LIMIT_MS));
    EXPECT_EQ(source.result, DROP_COPY);
    // Over its own window, which takes nothing, the drag shows the no-drop form; over the
    // peer, which takes a copy, the copy form: both the sample under the frame.
    EXPECT_EQ(over_nothing.cx, 128);
    EXPECT_EQ(over_nothing.cy, 128);
    EXPECT_EQ(over_peer.cx, 128);
    EXPECT_EQ(over_peer.cy, 128);
    EXPECT_EQ(Point(over_nothing.xhot, over_nothing.yhot), CtrlCoreImg::DndNone().GetHotSpot());
    EXPECT_EQ(Point(over_peer.xhot, over_peer.yhot), CtrlCoreImg::DndCopy().GetHotSpot());
    EXPECT_NE(over_nothing.pixels, over_peer.pixels);
    // A red pixel of the sample, at half strength, away from the cursor's corner.
    ASSERT_EQ(over_peer.pixels.size(), 128u * 128u);
    unsigned long sample_pixel = over_peer.pixels[35 * 128 + 18];
    EXPECT_EQ((sample_pixel >> 24) & 0xFF, 127u) << std::hex << sample_pixel;
    EXPECT_GT((sample_pixel >> 16) & 0xFF, 100u) << std::hex << sample_pixel;
    EXPECT_EQ(sample_pixel & 0xFFFF, 0u) << std::hex << sample_pixel;
}

TEST_F(DragOutTest, ASilentTargetCostsOnlyTheBoundedWaits)
{
    PatientDrag impatient(200);
    DragSourceCtrl source;
    OpenInput open(source, SOURCE_RECT);
    ASSERT_TRUE(open.IsOpen());
    XdndPeer peer({ "target", "--geometry", "200", "200", "100", "100", "--silent" });
    ASSERT_FALSE(peer.WaitLine("READY").empty());
    uint32 start = MonotonicMs();
    StartDragging(open.GetWindow());
    ASSERT_TRUE(PumpUntil([&] { return source.result >= 0; }, PEER_DRAG_LIMIT_MS));
    // The release comes 500 ms into the drag, after at most 200 ms for a status that never
    // comes; then at most 200 ms for a finish that never comes: seconds even on a busy
    // machine, where the script itself would wait 10 s.
    EXPECT_LT(int(MonotonicMs() - start), 5000);
    EXPECT_EQ(source.result, DROP_NONE);
    EXPECT_FALSE(peer.WaitLine("DROP IGNORED").empty()) << "the drop was sent all the same";
}
