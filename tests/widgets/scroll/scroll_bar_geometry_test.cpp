// The scroll bar's arithmetic: arrows that fit, the track, thumb length and offset for a
// position, the position a dragged thumb stands for, and the parts of the track.
#include "widgets/scroll/scroll_bar_geometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace Qor;

struct ThumbCase {
    const char* name;
    int track, position, page, total, min_thumb;
    int offset, size;
};

TEST(ScrollBarGeometry, ThumbForPosition)
{
    const ThumbCase cases[] = {
        { "a tenth of the total", 200, 0, 10, 100, 16, 0, 20 },
        { "position 45 of 100", 200, 45, 10, 100, 16, 90, 20 },
        { "last position touches the end", 200, 90, 10, 100, 16, 180, 20 },
        { "a thumb under the minimum grows to it", 200, 0, 10, 10000, 16, 0, 16 },
        { "minimum thumb spreads over the rest", 200, 4995, 10, 10000, 16, 92, 16 },
        { "minimum thumb at the last position", 200, 9990, 10, 10000, 16, 184, 16 },
        { "page as large as the total", 200, 0, 100, 100, 16, 0, 200 },
        { "page larger than the total", 200, 0, 150, 100, 16, 0, 200 },
        { "nothing to scroll", 200, 0, 10, 0, 16, 0, 200 },
        { "negative page", 200, 0, -5, 100, 16, 0, 200 },
        { "size rounds up, offset down", 100, 1, 1, 3, 16, 33, 34 },
        { "track shorter than the minimum", 10, 0, 1, 100, 16, 0, 10 },
        { "empty track", 0, 0, 10, 100, 16, 0, 0 },
        { "huge totals do not overflow", 200, INT_MAX - 1000, 1000, INT_MAX, 16, 184, 16 },
    };
    for(const ThumbCase& c : cases) {
        ScrollThumb t = ComputeScrollThumb(c.track, c.position, c.page, c.total, c.min_thumb);
        EXPECT_EQ(t.offset, c.offset) << c.name;
        EXPECT_EQ(t.size, c.size) << c.name;
    }
}

TEST(ScrollBarGeometry, PositionsAreClampedToTheLastPage)
{
    const struct {
        int position, page, total, clamped;
    } cases[] = {
        { 95, 10, 100, 90 },
        { -3, 10, 100, 0 },
        { 5, 150, 100, 0 },
        { 50, 0, 100, 50 },
        { 200, 0, 100, 100 },
        { 7, -1, INT_MAX, 7 },
        { INT_MAX, -1, INT_MAX, INT_MAX },
    };
    for(const auto& c : cases)
        EXPECT_EQ(ClampScrollPosition(c.position, c.page, c.total), c.clamped)
            << c.position << " " << c.page << " " << c.total;
}

TEST(ScrollBarGeometry, PositionFromThumb)
{
    const struct {
        const char* name;
        int offset, size, track, page, total, min_thumb, position;
    } cases[] = {
        { "proportional thumb", 90, 20, 200, 10, 100, 16, 45 },
        { "thumb at the track end", 180, 20, 200, 10, 100, 16, 90 },
        { "minimum thumb scales over the rest", 92, 16, 200, 10, 10000, 16, 4995 },
        { "minimum thumb at the end", 184, 16, 200, 10, 10000, 16, 9990 },
        { "track shorter than the minimum thumb", 3, 10, 10, 1, 100, 16, 0 },
        { "nothing scrolls", 0, 200, 200, 100, 100, 16, 0 },
        { "start", 0, 20, 200, 10, 100, 16, 0 },
    };
    for(const auto& c : cases)
        EXPECT_EQ(ScrollPositionFromThumb(ScrollThumb{ c.offset, c.size }, c.track, c.page, c.total, c.min_thumb),
                  c.position)
            << c.name;
}

TEST(ScrollBarGeometry, ThumbAndPositionAgreeOverTheWholeRange)
{
    // A thumb placed for a position and read back gives that position within one pixel's
    // worth of units.
    for(int total : { 100, 1000, 10000 })
        for(int position = 0; position <= total - 10; position += total / 50) {
            ScrollThumb t = ComputeScrollThumb(200, position, 10, total, 16);
            int back = ScrollPositionFromThumb(t, 200, 10, total, 16);
            EXPECT_NEAR(back, position, total / 180 + 1) << total << " " << position;
        }
}

TEST(ScrollBarGeometry, ThumbOffsetStaysInTheTrack)
{
    EXPECT_EQ(ClampThumbOffset(-5, 20, 200), 0);
    EXPECT_EQ(ClampThumbOffset(190, 20, 200), 180);
    EXPECT_EQ(ClampThumbOffset(50, 20, 200), 50);
    EXPECT_EQ(ClampThumbOffset(INT_MAX, 20, 200), 180);
}

TEST(ScrollBarGeometry, ArrowsNeedRoomForThreeArrowLengths)
{
    const struct {
        int length, arrow;
        bool second_back, second_forward;
        int room;
    } cases[] = {
        { 50, 17, false, false, 0 }, { 51, 17, false, false, 0 }, { 52, 17, false, false, 17 },
        { 68, 17, true, false, 0 },  { 69, 17, true, false, 17 }, { 86, 17, true, true, 17 },
        { 85, 17, true, true, 0 },   { 0, 17, false, false, 0 },
    };
    for(const auto& c : cases)
        EXPECT_EQ(ScrollArrowRoom(c.length, c.arrow, c.second_back, c.second_forward), c.room)
            << c.length << " " << c.second_back << c.second_forward;
}

TEST(ScrollBarGeometry, TrackLeavesRoomForTheArrows)
{
    const struct {
        bool horizontal, second_back, second_forward;
        Rect track;
    } cases[] = {
        { false, false, false, Rect(0, 17, 17, 183) }, { false, true, false, Rect(0, 17, 17, 166) },
        { false, false, true, Rect(0, 34, 17, 183) },  { false, true, true, Rect(0, 34, 17, 166) },
        { true, false, false, Rect(17, 0, 183, 17) },  { true, true, true, Rect(34, 0, 166, 17) },
    };
    for(const auto& c : cases) {
        Rect view = c.horizontal ? Rect(0, 0, 200, 17) : Rect(0, 0, 17, 200);
        EXPECT_EQ(ScrollTrackRect(view, c.horizontal, 17, c.second_back, c.second_forward), c.track)
            << c.horizontal << c.second_back << c.second_forward;
    }
    EXPECT_EQ(ScrollTrackRect(Rect(0, 0, 17, 50), false, 0, false, false), Rect(0, 0, 17, 50));
}

TEST(ScrollBarGeometry, TrackPartsMeetUnderTheThumbMiddle)
{
    Rect track(0, 17, 17, 217);
    ScrollThumb thumb{ 90, 20 };
    const struct {
        bool horizontal;
        int part, overlap, min_thumb;
        Rect r;
    } cases[] = {
        { false, SCROLL_PART_BEFORE, 0, 16, Rect(0, 17, 17, 117) },
        { false, SCROLL_PART_AFTER, 0, 16, Rect(0, 117, 17, 217) },
        { false, SCROLL_PART_THUMB, 0, 16, Rect(0, 107, 17, 127) },
        { false, SCROLL_PART_BEFORE, 2, 16, Rect(0, 17, 17, 115) },
        { false, SCROLL_PART_AFTER, 2, 16, Rect(0, 119, 17, 217) },
        { false, SCROLL_PART_THUMB, 2, 16, Rect(0, 105, 17, 129) },
        // A thumb under the minimum counts as empty.
        { false, SCROLL_PART_THUMB, 0, 30, Rect(0, 107, 17, 107) },
        { false, SCROLL_PART_AFTER, 0, 30, Rect(0, 107, 17, 217) },
        { true, SCROLL_PART_BEFORE, 0, 16, Rect(17, 0, 117, 17) },
        { true, SCROLL_PART_THUMB, 0, 16, Rect(107, 0, 127, 17) },
    };
    for(const auto& c : cases) {
        Rect t = c.horizontal ? Rect(17, 0, 217, 17) : track;
        EXPECT_EQ(ScrollPartRect(t, c.horizontal, thumb, c.part, c.overlap, c.min_thumb), c.r)
            << c.horizontal << " part " << c.part << " overlap " << c.overlap;
    }
}

} // namespace
