// Rings with softened corners and the framed gradient box: what is drawn where, in which
// colour, and how much of the rectangle the frame takes.

#include "draw/draw.h"
#include "draw/look/sys_colors.h"
#include "tests/draw/look/look_support.h"
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

// Each kind and variant picks its frame colour O and the fill's top and bottom colours T
// and S from the system colours, set here to distinct values so that no two coincide.
class GradientBoxColours : public QorTest::LookTest {};

TEST_F(GradientBoxColours, FrameTintAndFillFollowKindAndVariants)
{
    const Color L(250, 240, 230), Sh(100, 90, 80), F(190, 180, 170), Tx(10, 20, 30), H(40, 60, 160), D(120, 130, 140);
    SetSysColorLight(L);
    SetSysColorShadow(Sh);
    SetSysColorFace(F);
    SetSysColorText(Tx);
    SetSysColorHighlight(H);
    SetSysColorDisabled(D);
    const Color navy_tint = Mix(Color(0, 0, 128), L, 128);
    const Color orange_tint = Mix(Color(255, 255, 0), Color(255, 0, 0), 100);
    const Color none; // no tint

    const int RING = 24; // DrawRects of one rounded ring; its top side is the 21st
    struct Case {
        int style;
        Color o; // the square frame, or the all-O rounded ring
        Color t, s;
        Color tint; // the extra square ring of kinds 1 and 2; Null when there is none
    };
    const Color sq_o = Mix(H, L, 128);
    const Case cases[] = {
        { 0x000, Mix(H, Tx, 128), L, Sh, none },
        { 0x001, Mix(H, Tx, 128), L, Sh, navy_tint },
        { 0x002, Mix(H, Tx, 128), L, Sh, orange_tint },
        { 0x003, Mix(H, Tx, 128), Mix(H, F, 235), Mix(H, F, 235), none },
        { 0x004, D, F, F, none },
        { 0x005, Mix(H, Tx, 128), Mix(H, F, 128), Mix(H, F, 128), none },
        { 0x400, D, Mix(F, L, 128), Sh, none },
        { 0x405, D, L, L, none },
        { 0x800, Mix(H, Sh, 128), Mix(L, H, 80), Mix(F, H, 80), none },
        { 0x802, Mix(H, Sh, 128), Mix(L, H, 40), Mix(L, H, 40), none },
        { 0x803, Mix(H, Sh, 128), Mix(F, H, 128), Mix(F, H, 128), none },
        { 0x200, sq_o, Mix(sq_o, L, 128), Mix(sq_o, Sh, 128), none },
        { 0x202, sq_o, Mix(Mix(sq_o, L, 128), L, 128), Mix(Mix(sq_o, Sh, 128), L, 128), none },
        { 0x203, sq_o, Mix(H, F, 128), Mix(H, F, 128), none },
        { 0x204, D, Mix(D, L, 128), Mix(D, Sh, 128), none },
        { 0x600, D, Mix(D, L, 128), Mix(D, Sh, 128), none },
        { 0xA00, Mix(H, Sh, 128), Mix(L, H, 80), Mix(F, H, 80), none },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.style);
        RecordingDraw w;
        Rect r(10, 20, 40, 36);
        w.DrawGradientBox(r, c.style);
        std::vector<Fill> fills = Fills(w);
        const bool square = c.style & 0x200;
        const bool tinted = !IsNull(c.tint);
        const int frame_fills = square ? 8 : c.style & 0x400 ? 2 * RING : 3 * RING + (tinted ? 4 : 0);
        const int n = r.Height();
        ASSERT_EQ((int)fills.size(), frame_fills + n);

        int o_at = square ? 0 : c.style & 0x400 ? 20 : RING + 20;
        EXPECT_EQ(fills[o_at].color, c.o);
        if(tinted) {
            const int W = 130;
            EXPECT_EQ(fills[2 * RING + 20].color, Mix(c.t, c.tint, W)); // third ring, top side
            EXPECT_EQ(fills[2 * RING + 22].color, Mix(c.s, c.tint, W)); // third ring, right side
            EXPECT_EQ(fills[3 * RING].color, Mix(Mix(c.t, c.tint, W), c.tint, W));
            EXPECT_EQ(fills[3 * RING + 2].color, Mix(Mix(c.s, c.tint, W), c.tint, W));
        }

        // Four fifths from T toward M = Mix(T, S, 80), the rest from M toward E.
        const Color m = Mix(c.t, c.s, 80), e = Mix(c.s, F, 128);
        const int k = 4 * n / 5;
        for(int i = 0; i < n; i++)
            EXPECT_EQ(fills[frame_fills + i].color,
                      i < k ? Mix(c.t, m, i * 255 / k) : Mix(m, e, 255 * (i - k) / (n - k)))
                << "line " << i;
        EXPECT_EQ(fills[frame_fills].color, c.t);
        EXPECT_EQ(fills[frame_fills + k].color, m);
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
