// Rings with softened corners and the framed gradient box: what is drawn where, in which
// colour, and how much of the rectangle the frame takes.

#include "draw/draw.h"
#include "draw/look/sys_colors.h"
#include "tests/draw/support/raster_draw.h"
#include "tests/draw/support/recording_draw.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace Qor;
using QorTest::RasterDraw;
using QorTest::RecordingDraw;

namespace {

struct Fill {
    int x, y, cx, cy;
    Color color;
};

// The DrawRect calls of a log, in order.
std::vector<Fill> Fills(const RecordingDraw& w)
{
    std::vector<Fill> out;
    for(const std::string& line : w.log) {
        Fill f;
        unsigned r, g, b;
        if(std::sscanf(line.c_str(), "DrawRect(%d, %d, %d, %d, #%2x%2x%2x)", &f.x, &f.y, &f.cx, &f.cy, &r, &g, &b) ==
           7) {
            f.color = Color(r, g, b);
            out.push_back(f);
        }
        else
            ADD_FAILURE() << "not a filled rectangle: " << line;
    }
    return out;
}

// How many times each pixel was filled.
std::map<std::pair<int, int>, int> Coverage(const std::vector<Fill>& fills)
{
    std::map<std::pair<int, int>, int> hits;
    for(const Fill& f : fills)
        for(int y = f.y; y < f.y + f.cy; y++)
            for(int x = f.x; x < f.x + f.cx; x++)
                hits[{ x, y }]++;
    return hits;
}

Color Mix(Color a, Color b, int alpha) { return MixColors(a, b, alpha); }

TEST(RoundedCorners, TwoRingsCoverTheirEdgesExactlyOnce)
{
    RecordingDraw w;
    Rect r(0, 0, 10, 8);
    Color tl = Color(1, 2, 3), tr = tl, bl = tl, br = tl;
    w.DrawRoundedCorners(r, Black(), Black(), Black(), Black(), tl, tr, bl, br);
    EXPECT_EQ(r, Rect(1, 1, 9, 7));
    w.DrawRoundedCorners(r, Black(), Black(), Black(), Black(), tl, tr, bl, br);
    EXPECT_EQ(r, Rect(2, 2, 8, 6));
    std::map<std::pair<int, int>, int> hits = Coverage(Fills(w));
    for(int y = 0; y < 8; y++)
        for(int x = 0; x < 10; x++) {
            bool in_rings = !Rect(2, 2, 8, 6).Contains(x, y);
            EXPECT_EQ(hits[std::make_pair(x, y)], in_rings ? 1 : 0) << x << ", " << y;
        }
}

TEST(RoundedCorners, CornersBlendTowardTheirOwnSides)
{
    const Color left(255, 0, 0), top(0, 255, 0), right(0, 0, 255), bottom(255, 255, 0);
    const Color c0(0, 0, 0), c1(255, 255, 255), c2(128, 0, 128), c3(0, 128, 128);
    Color tl = c0, tr = c1, bl = c2, br = c3;
    RasterDraw w(10, 8);
    Rect r(0, 0, 10, 8);
    w.DrawRoundedCorners(r, left, top, right, bottom, tl, tr, bl, br);
    struct Case {
        Point at;
        Color expected;
    };
    const Case cases[] = {
        { Point(0, 0), c0 },
        { Point(9, 0), c1 },
        { Point(0, 7), c2 },
        { Point(9, 7), c3 },
        { Point(1, 0), Mix(c0, top, 160) },
        { Point(0, 1), Mix(c0, left, 160) },
        { Point(2, 0), Mix(Mix(c0, top, 160), top, 128) },
        { Point(0, 2), Mix(Mix(c0, left, 160), left, 128) },
        { Point(8, 0), Mix(c1, top, 160) },
        { Point(9, 1), Mix(c1, right, 160) },
        { Point(7, 0), Mix(Mix(c1, top, 160), top, 128) },
        { Point(9, 2), Mix(Mix(c1, right, 160), right, 128) },
        { Point(1, 7), Mix(c2, bottom, 160) },
        { Point(0, 6), Mix(c2, left, 160) },
        { Point(2, 7), Mix(Mix(c2, bottom, 160), bottom, 128) },
        { Point(0, 5), Mix(Mix(c2, left, 160), left, 128) },
        { Point(8, 7), Mix(c3, bottom, 160) },
        { Point(9, 6), Mix(c3, right, 160) },
        { Point(7, 7), Mix(Mix(c3, bottom, 160), bottom, 128) },
        { Point(9, 5), Mix(Mix(c3, right, 160), right, 128) },
        { Point(3, 0), top },
        { Point(6, 0), top },
        { Point(0, 3), left },
        { Point(0, 4), left },
        { Point(9, 3), right },
        { Point(9, 4), right },
        { Point(3, 7), bottom },
        { Point(6, 7), bottom },
        { Point(1, 1), White() },
    };
    for(const Case& c : cases)
        EXPECT_EQ(Color(w.At(c.at.x, c.at.y)), c.expected) << c.at.x << ", " << c.at.y;
    EXPECT_EQ(tl, Mix(Mix(c0, top, 160), Mix(c0, left, 160), 128));
    EXPECT_EQ(tr, Mix(Mix(c1, top, 160), Mix(c1, right, 160), 128));
    EXPECT_EQ(bl, Mix(Mix(c2, bottom, 160), Mix(c2, left, 160), 128));
    EXPECT_EQ(br, Mix(Mix(c3, bottom, 160), Mix(c3, right, 160), 128));
}

TEST(GradientBox, MenuStyleFrameAndFill)
{
    const Color light = SysColorLight();
    const Color o = Mix(SysColorHighlight(), light, 128);
    const Color t = Mix(o, light, 128);
    const Color s = Mix(o, SysColorShadow(), 128);
    const Color m = Mix(t, s, 80);
    const Color e = Mix(s, SysColorFace(), 128);

    RecordingDraw w;
    Rect r(0, 0, 20, 12);
    w.DrawGradientBox(r, 0x205);
    EXPECT_EQ(r, Rect(1, 1, 19, 11));
    std::vector<Fill> fills = Fills(w);
    ASSERT_EQ(fills.size(), 4u + 4u + 10u);
    const Color corner = Mix(o, light, 128);
    const Fill frame[] = {
        { 0, 0, 19, 1, o },     { 0, 0, 1, 11, o },      { 19, 0, 1, 12, o },     { 0, 11, 20, 1, o },
        { 0, 0, 1, 1, corner }, { 19, 0, 1, 1, corner }, { 0, 11, 1, 1, corner }, { 19, 11, 1, 1, corner },
    };
    for(int i = 0; i < 8; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(fills[i].x, frame[i].x);
        EXPECT_EQ(fills[i].y, frame[i].y);
        EXPECT_EQ(fills[i].cx, frame[i].cx);
        EXPECT_EQ(fills[i].cy, frame[i].cy);
        EXPECT_EQ(fills[i].color, frame[i].color);
    }
    // Height 10: eight lines from T toward M, two from M toward E.
    for(int i = 0; i < 10; i++) {
        SCOPED_TRACE(i);
        const Fill& f = fills[8 + i];
        EXPECT_EQ(f.x, 1);
        EXPECT_EQ(f.y, 1 + i);
        EXPECT_EQ(f.cx, 18);
        EXPECT_EQ(f.cy, 1);
        EXPECT_EQ(f.color, i < 8 ? Mix(t, m, i * 255 / 8) : Mix(m, e, 255 * (i - 8) / 2));
    }
    EXPECT_EQ(fills[8].color, t);
    EXPECT_EQ(fills[16].color, m);
}

TEST(GradientBox, FrameWidthRingColoursAndFillDirectionPerStyle)
{
    const Color light = SysColorLight(), shadow = SysColorShadow(), face = SysColorFace();
    const Color text = SysColorText(), highlight = SysColorHighlight(), disabled = SysColorDisabled();
    const int RING = 24; // DrawRects of one rounded ring
    struct Case {
        int style;
        int frame_fills;
        int inset;
        bool horizontal;
        Color first_side; // the top side of the outer ring, or the top line of a square frame
        Color second_side;
    };
    const Case cases[] = {
        { 0x000, 3 * RING, 3, false, Mix(shadow, face, 128), Mix(highlight, text, 128) },
        { 0x001, 3 * RING + 4, 4, false, Mix(shadow, face, 128), Mix(highlight, text, 128) },
        { 0x002, 3 * RING + 4, 4, false, Mix(shadow, face, 128), Mix(highlight, text, 128) },
        { 0x802, 3 * RING, 3, false, face, Mix(highlight, shadow, 128) },
        { 0x004, 3 * RING, 3, false, face, disabled },
        { 0x400, 2 * RING, 2, false, disabled, Mix(face, light, 128) },
        { 0x405, 2 * RING, 2, false, disabled, light },
        { 0x005, 3 * RING, 3, false, Mix(shadow, face, 128), Mix(highlight, text, 128) },
        { 0x10F, 3 * RING, 3, true, Mix(shadow, face, 128), Mix(highlight, text, 128) },
        { 0x200, 8, 1, false, Mix(highlight, light, 128), Mix(highlight, light, 128) },
        { 0x300, 8, 1, true, Mix(highlight, light, 128), Mix(highlight, light, 128) },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.style);
        RecordingDraw w;
        const Rect box(10, 20, 40, 36);
        Rect r = box;
        w.DrawGradientBox(r, c.style);
        EXPECT_EQ(r, box.Deflated(c.inset, c.inset));
        std::vector<Fill> fills = Fills(w);
        int lines = c.horizontal ? r.Width() : r.Height();
        ASSERT_EQ((int)fills.size(), c.frame_fills + lines);
        bool square = c.style & 0x200;
        EXPECT_EQ(fills[square ? 0 : 20].color, c.first_side);
        EXPECT_EQ(fills[square ? 1 : RING + 20].color, c.second_side);
        for(int i = 0; i < lines; i++) {
            const Fill& f = fills[c.frame_fills + i];
            if(c.horizontal)
                EXPECT_TRUE(f.x == r.left + i && f.y == r.top && f.cx == 1 && f.cy == r.Height()) << i;
            else
                EXPECT_TRUE(f.x == r.left && f.y == r.top + i && f.cx == r.Width() && f.cy == 1) << i;
        }
    }
}

TEST(GradientBox, UnknownKindsActAsPlainAndEmptyDrawsNothing)
{
    RecordingDraw plain, unknown;
    Rect a(0, 0, 30, 20), b = a;
    plain.DrawGradientBox(a, 0);
    unknown.DrawGradientBox(b, 9);
    EXPECT_EQ(unknown.log, plain.log);

    RecordingDraw empty;
    Rect e(5, 5, 5, 30);
    empty.DrawGradientBox(e, 0x205);
    Color c = Black();
    empty.DrawRoundedCorners(e, c, c, c, c, c, c, c, c);
    EXPECT_TRUE(empty.log.empty());
    EXPECT_EQ(e, Rect(5, 5, 5, 30));
}

} // namespace
