// The progress bar's length and its painting into a recording Draw, and the dialog without
// a window system.
#include "widgets/progress/progress.h"

#include "draw/look/skin_reset.h"
#include "draw/look/sys_colors.h"
#include "foundation/process.h"

#include <gtest/gtest.h>
#include "tests/draw/support/recording_draw.h"

using namespace Qor;
using QorTest::RecordingDraw;

namespace {

const Color TRACK(10, 20, 30);
const Color CHUNK(200, 0, 0);

struct Bar {
    Rect rect;
    bool found = false;
};

// The rectangle painted in colour c; colour looks paint as one DrawRect each.
Bar FindRect(const RecordingDraw& w, Color c)
{
    Bar bar;
    for(const std::string& line : w.log) {
        int x, y, cx, cy;
        char colour[16];
        if(std::sscanf(line.c_str(), "DrawRect(%d, %d, %d, %d, %15[^)])", &x, &y, &cx, &cy, colour) == 5 &&
           RecordingDraw::Text(c) == colour) {
            bar.rect = Rect(Point(x, y), Size(cx, cy));
            bar.found = true;
        }
    }
    return bar;
}

struct ProgressIndicatorTest : ::testing::Test {
    void SetUp() override
    {
        ResetThemeStatics();
        RebuildThemeStatics();
        style = ProgressIndicator::GetDefaultStyle();
        style.classic = false;
        style.hlook = style.vlook = TRACK;
        style.hchunk = style.vchunk = CHUNK;
        pi.SetStyle(style);
    }
    // Sets the busy mode until the block lies wholly inside the track (its phase runs with
    // the clock, a pixel per 15 ms).
    int BusyPhaseWithin(int from, int to)
    {
        uint32 start = MonotonicMs();
        do {
            pi.Set(0, 0);
            if(pi.GetActual() >= from && pi.GetActual() < to)
                return pi.GetActual();
            SleepMs(5);
        } while(MonotonicMs() - start < 5000);
        ADD_FAILURE() << "the busy block never reached " << from;
        return -1;
    }

    ProgressStyle style;
    ProgressIndicator pi;
};

TEST_F(ProgressIndicatorTest, KnownTotalFillsItsShareOfTheTrack)
{
    pi.SetRect(0, 0, 200, 12);
    int m = (200 - pi.GetInnerSize().cx) / 2; // the track look's margin
    int len = 200 - 2 * m;
    struct Case {
        int pos, total;
        int actual;
    } cases[] = {
        { 0, 100, 0 },
        { 50, 100, len / 2 },
        { 100, 100, len },
        { 150, 100, len }, // clamped to the track
        { -5, 100, 0 },
        { 1, 3, len / 3 },
        { 2000000000, 2100000000, int(int64(len) * 20 / 21) }, // a 64-bit product
    };
    for(const Case& c : cases) {
        pi.Set(c.pos, c.total);
        EXPECT_EQ(pi.GetActual(), c.actual) << c.pos << " of " << c.total;
        RecordingDraw w;
        pi.Paint(w);
        Bar bar = FindRect(w, CHUNK);
        EXPECT_EQ(bar.found, c.actual > 0);
        if(bar.found) {
            EXPECT_EQ(bar.rect, Rect(m, m, m + c.actual, 12 - m));
        }
    }
}

TEST_F(ProgressIndicatorTest, VerticalTrackFillsFromTheBottom)
{
    pi.SetRect(0, 0, 12, 200);
    int m = (200 - pi.GetInnerSize().cy) / 2;
    int len = 200 - 2 * m;
    pi.Set(1, 4);
    RecordingDraw w;
    pi.Paint(w);
    EXPECT_EQ(FindRect(w, CHUNK).rect, Rect(m, 200 - m - len / 4, 12 - m, 200 - m));
}

TEST_F(ProgressIndicatorTest, BusyBlockIsAQuarterOfTheTrackAndBoundCutsItAtTheStart)
{
    pi.SetRect(0, 0, 100, 12);
    int m = (100 - pi.GetInnerSize().cx) / 2;
    int b = ((100 - 2 * m) & ~7) / 4;
    for(bool bound : { false, true }) {
        SCOPED_TRACE(bound);
        style.bound = bound;
        int phase = BusyPhaseWithin(0, b - 4); // block partly before the track
        RecordingDraw w;
        pi.Paint(w);
        Bar bar = FindRect(w, CHUNK);
        if(phase == 0) {
            EXPECT_EQ(bar.found, !bound);
            continue;
        }
        ASSERT_TRUE(bar.found);
        EXPECT_EQ(bar.rect, bound ? Rect(m, m, m + phase, 12 - m) : Rect(m + phase - b, m, m + phase, 12 - m));
    }
    int phase = BusyPhaseWithin(b + 2, 100 - 2 * m - 2);
    RecordingDraw w;
    pi.Paint(w);
    EXPECT_EQ(FindRect(w, CHUNK).rect, Rect(m + phase - b, m, m + phase, 12 - m));
}

TEST_F(ProgressIndicatorTest, ClassicVerticalBusyBlockMovesUpTheTrackAtItsFullLength)
{
    style.classic = true;
    pi.SetRect(0, 0, 12, 100);
    Size inner = pi.GetInnerSize();
    int m = (100 - inner.cy) / 2;
    int b = (inner.cy & ~7) / 4;
    int phase = BusyPhaseWithin(b + 2, inner.cy - 2);
    RecordingDraw w;
    pi.Paint(w);
    Bar bar = FindRect(w, SysColorHighlight());
    ASSERT_TRUE(bar.found);
    // The block keeps its length and its start runs up from the bottom, as on the skinned track.
    EXPECT_EQ(bar.rect.Height(), b);
    EXPECT_EQ(bar.rect.bottom, 100 - m - (phase - b));
}

TEST(ProgressWithoutWindowSystem, DueUpdatesTryToOpenOnceAndReturn)
{
    // Nothing can open here: the open check must not call itself through Open's own update.
    Progress p;
    p.text = "Step %d";
    SleepMs(p.GetGranularity() + 5);
    p.Set(7, 10);
    EXPECT_FALSE(p.IsOpen());
    EXPECT_EQ(p.info.GetText(), "Step 7");
    EXPECT_EQ(p.pi.GetPos(), 7);
    SleepMs(p.GetGranularity() + 5);
    p.UpdateText();
    p.Open();
    EXPECT_FALSE(p.IsOpen());
    EXPECT_FALSE(p.IsCancelled());
}

} // namespace
