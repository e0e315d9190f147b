// Loop ends and the caret without a window system: exit codes, the nested loop of a
// control ending with its capture, and the caret's 500 ms phases.
#include "ctrl/ctrl.h"
#include "ctrl/tree/global_refs.h"
#include "tests/ctrl/support/test_platform.h"
#include "tests/draw/support/recording_draw.h"

#include <gtest/gtest.h>

namespace {

using namespace Qor;

TEST(LoopEndTest, EndWithCodeStoresItAndEndWithoutKeepsIt)
{
    Ctrl c;
    c.SetInLoop(true);
    c.EndLoop(5);
    EXPECT_FALSE(c.IsInModalLoop());
    EXPECT_EQ(c.GetExitCode(), 5);
    c.SetInLoop(true);
    c.EndLoop();
    EXPECT_FALSE(c.IsInLoop());
    EXPECT_EQ(c.GetExitCode(), 5);
}

// A fake loop: checks what the nested loop set up, then cancels the capture as a
// released button would.
struct FakeLoop : Platform {
    LocalLoop* running = nullptr;
    Ctrl* master_seen = nullptr;

    void RunEventLoop(Ctrl* c) override
    {
        EXPECT_EQ(c, running);
        EXPECT_TRUE(c->HasCapture());
        master_seen = c->GetParent();
        c->SetInLoop(true);
        c->CancelInteraction();
        EXPECT_FALSE(c->IsInLoop());
    }
    bool GrabPointer(Ctrl&) override { return true; }
    bool ReleasePointerGrab(Ctrl&) override { return true; }
    bool HoldsPointerGrab(const Ctrl&) override { return true; }
};

TEST(LocalLoopTest, RunsAsTheLastChildOfItsMasterAndEndsWithTheCapture)
{
    FakeLoop host;
    QorTest::PlatformScope installed(host);
    LocalLoop*& running = host.running;
    Ctrl*& master_seen = host.master_seen;
    Ctrl master, other;
    master.AppendChild(other);
    LocalLoop loop;
    loop.SetMaster(master);
    running = &loop;
    loop.Run();
    EXPECT_EQ(master_seen, &master);
    EXPECT_EQ(loop.GetParent(), nullptr);
    EXPECT_EQ(master.GetLastChild(), &other);
    Ctrl::ReleaseCapture();
}

TEST(CaretTest, DrawnForTheFirst500MsThenEveryOther500)
{
    Ctrl c;
    CaretState& caret = GetCaretState();
    c.SetCaret(1, 2, 1, 10);
    uint32 start = caret.blink_start;
    struct Case {
        uint32 after;
        bool drawn;
    } cases[] = { { 0, true }, { 499, true }, { 500, false }, { 999, false }, { 1000, true }, { 1600, false } };
    for(const Case& k : cases)
        EXPECT_EQ(CaretPhaseAt(start + k.after), k.drawn) << k.after;
    // Across the wrap of the 32-bit clock the phase goes on.
    caret.blink_start = 0xFFFFFF00u;
    EXPECT_TRUE(CaretPhaseAt(0x10u)); // 272 ms after
    EXPECT_FALSE(CaretPhaseAt(0xFFFFFF00u + 700));
}

TEST(CaretTest, TheLoopMaySleepUntilThePhaseChanges)
{
    Ctrl c;
    CaretState& caret = GetCaretState();
    WeakPointer<Ctrl> saved = caret.ctrl;
    caret.ctrl = nullptr;
    EXPECT_EQ(GetCaretWaitMs(MonotonicMs()), -1) << "no caret, nothing to wake for";
    caret.ctrl = &c;
    EXPECT_EQ(GetCaretWaitMs(MonotonicMs()), -1) << "an empty caret never shows";
    c.SetCaret(1, 2, 1, 10);
    uint32 start = caret.blink_start;
    for(uint32 after : { 0u, 120u, 499u, 500u, 1730u })
        EXPECT_EQ(GetCaretWaitMs(start + after), int(500 - after % 500)) << after;
    caret.ctrl = saved;
}

TEST(CaretTest, PaintedOnlyInTheCaretControlWhileItsPhaseIsOn)
{
    Ctrl c, other;
    CaretState& caret = GetCaretState();
    WeakPointer<Ctrl> saved = caret.ctrl;
    bool saved_phase = caret.phase;
    c.SetCaret(3, 4, 1, 9);
    caret.ctrl = &c;
    caret.phase = true;
    QorTest::RecordingDraw w;
    other.PaintCaret(w);
    EXPECT_TRUE(w.log.empty());
    c.PaintCaret(w);
    ASSERT_EQ(w.log.size(), 1u);
    EXPECT_EQ(w.log[0].rfind("DrawRect(3, 4, 1, 9", 0), 0u) << w.log[0];
    caret.phase = false;
    w.log.clear();
    c.PaintCaret(w);
    EXPECT_TRUE(w.log.empty());
    caret.ctrl = saved;
    caret.phase = saved_phase;
}

TEST(CaretTest, FollowsTheFocusControl)
{
    Ctrl c;
    CtrlGlobalRefs& refs = GetCtrlGlobalRefs();
    WeakPointer<Ctrl> saved = refs.focus_ctrl;
    refs.focus_ctrl = &c;
    SyncCaret();
    EXPECT_EQ(GetCaretState().ctrl.Get(), &c);
    refs.focus_ctrl = nullptr;
    SyncCaret();
    EXPECT_EQ(GetCaretState().ctrl.Get(), nullptr);
    refs.focus_ctrl = saved;
}

} // namespace
