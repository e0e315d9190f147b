// Drops from another program into controls: the XDND peer is the source, and the drag walks
// down the control tree to the control that takes it.

#include "tests/support/x11/input_window.h"
#include "tests/x11/dnd/drag_controls.h"
#include "tests/x11/dnd/xdnd_peer.h"

#include "ctrl/dnd/drop_target.h"

#include <X11/Xatom.h>

#include <sstream>

using namespace Qor;
using namespace QorTest;

namespace {

// A row of four places: a taker, a disabled taker, and a taker inside a control that takes
// nothing.
class DropBoard : public DropCtrl {
public:
    DropCtrl taker, disabled, holder, inner;

    DropBoard()
    {
        accept = nullptr;
        holder.accept = nullptr;
        taker.SetRect(0, 0, 100, 100);
        disabled.SetRect(100, 0, 100, 100);
        holder.SetRect(200, 0, 100, 100);
        inner.SetRect(10, 10, 80, 80);
        disabled.Disable();
        AppendChild(taker);
        AppendChild(disabled);
        AppendChild(holder);
        holder.AppendChild(inner);
    }
};

const Rect BOARD(300, 300, 600, 400);

std::string PeerWindow(Window w)
{
    std::ostringstream s;
    s << "0x" << std::hex << w;
    return s.str();
}

using DropInTest = PrivateDisplayTest;

} // namespace

TEST_F(DropInTest, TheDragReachesTheControlThatTakesIt)
{
    struct Case {
        const char* name;
        int x;                         // on the board
        const char* action;            // the peer proposes
        byte choose_action;            // the taker sets
        const char* offer;             // the peer's formats
        bool serves;                   // the peer hands the data out
        const char* status;            // the peer is told
        const char* finished;          // the peer is told
        DropCtrl DropBoard::*receiver; // the control that gets the data, if any
    } cases[] = {
        { "move onto a taker", 50, "move", DROP_NONE, "UTF8_STRING", true, "STATUS 1 move", "FINISHED 1 move",
          &DropBoard::taker },
        { "the taker makes it a copy", 50, "move", DROP_COPY, "UTF8_STRING", true, "STATUS 1 copy", "FINISHED 1 copy",
          &DropBoard::taker },
        { "a disabled control takes nothing", 150, "copy", DROP_NONE, "UTF8_STRING", true, "STATUS 0", "FINISHED 0",
          nullptr },
        { "through a control that takes nothing", 250, "copy", DROP_NONE, "UTF8_STRING", true, "STATUS 1 copy",
          "FINISHED 1 copy", &DropBoard::inner },
        { "a format nobody takes", 50, "copy", DROP_NONE, "image/png", true, "STATUS 0", "FINISHED 0", nullptr },
        { "five formats through the type list", 50, "copy", DROP_NONE,
          "STRING,text/plain,text/unicode,text/uri-list,UTF8_STRING", true, "STATUS 1 copy", "FINISHED 1 copy",
          &DropBoard::taker },
        // The taker asked for the data but never got it: a moving source must keep it.
        { "data that never arrives", 50, "move", DROP_NONE, "UTF8_STRING", false, "STATUS 1 move", "FINISHED 0",
          nullptr },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DropBoard board;
        board.taker.choose_action = c.choose_action;
        OpenInput open(board, BOARD);
        ASSERT_TRUE(open.IsOpen());
        std::vector<std::string> args = { "source",
                                          "--target",
                                          PeerWindow(open.GetWindow()),
                                          "--point",
                                          std::to_string(BOARD.left + c.x),
                                          std::to_string(BOARD.top + 50),
                                          "--offer",
                                          c.offer,
                                          "--data",
                                          Hex("dropped"),
                                          "--action",
                                          c.action };
        if(!c.serves)
            args.push_back("--refuse-data");
        XdndPeer peer(args);
        peer.Finish(5000);
        EXPECT_TRUE(peer.Has(c.status)) << testing::PrintToString(peer.Lines());
        EXPECT_TRUE(peer.Has(c.finished)) << testing::PrintToString(peer.Lines());
        for(DropCtrl* d : { &board.taker, &board.disabled, &board.inner }) {
            bool receives = c.receiver && d == &(board.*c.receiver);
            EXPECT_EQ(d->drops,
                      receives ? std::vector<std::string>{ "UTF8_STRING dropped" } : std::vector<std::string>{});
        }
        EXPECT_EQ(GetDropTarget(), nullptr) << "the drop ends the drag";
        if(c.x == 150) {
            EXPECT_EQ(board.disabled.entered, 1) << "a disabled control under the pointer is the drop target";
            EXPECT_EQ(board.disabled.left, 1);
            EXPECT_EQ(board.disabled.passing_offers, 0) << "but it is offered nothing";
        }
        if(c.x == 250) {
            EXPECT_GE(board.holder.passing_offers, 1) << "the holder was asked on the way";
        }
    }
}

TEST_F(DropInTest, ARestingDragTicksUntilItLeaves)
{
    DropBoard board;
    OpenInput open(board, BOARD);
    ASSERT_TRUE(open.IsOpen());
    XdndPeer peer({ "source", "--target", PeerWindow(open.GetWindow()), "--point", std::to_string(BOARD.left + 50),
                    std::to_string(BOARD.top + 50), "--data", Hex("x"), "--action", "copy", "--leave" });
    std::string source = peer.WaitLine("SOURCE");
    ASSERT_FALSE(source.empty());
    ASSERT_FALSE(peer.WaitLine("STATUS").empty());
    // The peer rests over the taker until told to leave: the ticks come while it rests, each
    // with a fresh offer that only asks.
    ASSERT_TRUE(PumpUntil([&] { return board.taker.hover_ticks >= 5; }, 20000)) << board.taker.hover_ticks;
    Window w = std::stoul(source.substr(source.find(' ') + 1));
    long go = 1;
    XChangeProperty(display, w, XInternAtom(display, "QOR_PEER_LEAVE", false), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&go), 1);
    XFlush(display);
    peer.Finish(20000);
    EXPECT_TRUE(peer.Has("STATUS 1 copy")) << testing::PrintToString(peer.Lines());
    EXPECT_FALSE(peer.Has("TIMEOUT")) << testing::PrintToString(peer.Lines());
    EXPECT_EQ(board.taker.passing_offers, board.taker.hover_ticks + 1);
    EXPECT_EQ(board.taker.entered, 1);
    EXPECT_EQ(board.taker.left, 1);
    EXPECT_TRUE(board.taker.drops.empty());
    // However late the loop runs, ticks never come closer than 40 ms apart.
    const std::vector<uint32>& at = board.taker.tick_times;
    ASSERT_GE(at.size(), 5u);
    EXPECT_GE(int(at.back() - at.front()), 40 * int(at.size() - 1) - 5 * int(at.size()));
    int ticks = board.taker.hover_ticks;
    PumpFor(150);
    EXPECT_EQ(board.taker.hover_ticks, ticks) << "no tick after the drag left";
}
