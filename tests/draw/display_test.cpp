// Display, StdDisplayClass, AttrText and DisplayedValue, through the call log of a
// recording Draw on the private test fonts.

#include "draw/draw.h"
#include "draw/image_list/draw_img.h"
#include "draw/text/text.h"
#include "foundation/charset.h"
#include "foundation/type_number.h"
#include "tests/draw/support/recording_draw.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace Qor;
using QorTest::RecordingDraw;

namespace {

using Lines = std::vector<std::string>;

const Color INK(1, 2, 3);
const Color PAPER(250, 250, 250);

Lines PaintLog(const Display& d, const Rect& r, const Value& q, dword style = 0)
{
    RecordingDraw w;
    d.Paint(w, r, q, INK, PAPER, style);
    return w.log;
}

// The x and y of the first text run in a log, and its ink; -1 when there is none.
struct Run {
    int x = -1, y = -1;
    std::string ink;
};

Run FirstRun(const Lines& log)
{
    Run run;
    for(const std::string& line : log)
        if(line.rfind("DrawTextRun(", 0) == 0) {
            std::sscanf(line.c_str(), "DrawTextRun(%d, %d", &run.x, &run.y);
            run.ink = line.substr(line.find('#'), 7);
            break;
        }
    return run;
}

Image Solid(int cx, int cy)
{
    PixelBuffer b(cx, cy);
    FillPixels(b.Begin(), MakeRGBA(9, 9, 9, 255), (int)b.GetLength());
    return Image(b);
}

Size TextSize(const char* text, Font font = GetStandardFontReference())
{
    return GetMultilineTextSize(WString(DecodeUtf8(text)).Begin(), font);
}

} // namespace

TEST(Display, PaintsValuesAsTextOverTheBackground)
{
    Rect r(10, 20, 210, 60);
    Size t = TextSize("42");
    int y = r.top + (r.Height() - t.cy) / 2;
    Lines log = PaintLog(GetStandardDisplay(), r, 42);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "DrawRect(10, 20, 200, 40, #fafafa)");
    EXPECT_EQ(log[1].substr(0, log[1].find("font")),
              "DrawTextRun(10, " + std::to_string(y) + ", 0, \"42\", ");

    EXPECT_EQ(PaintLog(GetStandardDisplay(), r, Value()), Lines{"DrawRect(10, 20, 200, 40, #fafafa)"});

    struct Case {
        const char* name;
        const Display& display;
        int x;
    } cases[] = {
        {"left", GetStandardDisplay(), r.left},
        {"right", GetRightDisplay(), r.right - t.cx},
        {"centre", GetCenterDisplay(), r.left + (r.Width() - t.cx) / 2},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FirstRun(PaintLog(c.display, r, "42")).x, c.x);
    }
}

TEST(Display, TwoLinesInAShortRectangleStartAtTheTop)
{
    Rect r(0, 5, 100, 10);
    Lines log = PaintLog(GetStandardDisplay(), r, "a\nb");
    EXPECT_EQ(FirstRun(log).y, 5);
}

TEST(Display, OverflowingTextIsCutWithTheMarkAndShowsItsStart)
{
    const char* text = "a text far wider than its rectangle";
    Rect r(10, 0, 60, 20);
    Size t = TextSize(text);
    ASSERT_GT(t.cx, r.Width());
    Size d = DrawImg::threedots().GetSize();
    int y = r.top + std::max(0, (r.Height() - t.cy) / 2);
    int ascent = GetStandardFont().GetAscent();
    for(const Display* display : {(const Display*)&GetStandardDisplay(), (const Display*)&GetRightDisplay(),
                                  (const Display*)&GetCenterDisplay()}) {
        Lines log = PaintLog(*display, r, text);
        ASSERT_GE(log.size(), 5u);
        EXPECT_EQ(log[1], "Clip(" + RecordingDraw::Text(Rect(10, 0, 60 - d.cx, 20)) + ")");
        EXPECT_EQ(FirstRun(log).x, r.left);
        EXPECT_EQ(log[log.size() - 2], "End()");
        EXPECT_EQ(log.back(), "DrawImageScaled(" + std::to_string(60 - d.cx) + ", " + std::to_string(y + ascent - d.cy) +
                                  ", " + std::to_string(d.cx) + ", " + std::to_string(d.cy) + ", " +
                                  RecordingDraw::Text(DrawImg::threedots()) + ", " +
                                  RecordingDraw::Text(Rect(d)) + ", #010203)");
    }
}

TEST(Display, AttrTextCarriesItsOwnLook)
{
    Rect r(0, 0, 300, 40);
    AttrText a(WString(DecodeUtf8("abc")));
    a.normal_ink = Color(9, 9, 9);
    a.paper = Color(7, 7, 7);
    struct Case {
        const char* name;
        dword style;
        std::string ink;
    } cases[] = {
        {"plain state", 0, "#090909"},
        {"state 1", 1, "#010203"},
        {"state 4", 4, "#010203"},
        {"state 8", 8, "#010203"},
        {"other bits are plain", 2, "#090909"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Lines log = PaintLog(GetStandardDisplay(), r, a, c.style);
        EXPECT_EQ(log[0], "DrawRect(0, 0, 300, 40, #070707)");
        EXPECT_EQ(FirstRun(log).ink, c.ink);
    }

    // Right alignment ignores the leading image: the text still ends at the right edge.
    AttrText right(WString(DecodeUtf8("abc")));
    right.align = StdDisplayClass::ALIGN_RIGHT;
    right.img = Solid(16, 10);
    right.imgspc = 4;
    Lines log = PaintLog(GetStandardDisplay(), r, right);
    EXPECT_EQ(log[1], "DrawImageScaled(0, 15, 16, 10, Image(16x10), (0, 0, 16, 10), Null)");
    EXPECT_EQ(FirstRun(log).x, r.right - TextSize("abc").cx);
    // Left, the text follows the image and the gap.
    right.align = INT_NULL;
    EXPECT_EQ(FirstRun(PaintLog(GetStandardDisplay(), r, right)).x, 20);

    Size t = TextSize("abc");
    EXPECT_EQ(GetStandardDisplay().GetStandardSize(right), Size(16 + 4 + t.cx, std::max(10, t.cy)));
    EXPECT_EQ(GetStandardDisplay().GetStandardSize(Value(a)), t);
    EXPECT_EQ(Value(a).GetTypeNumber(), UNKNOWN_V + TypeNumber("N3Qor8AttrTextE"));
}

TEST(Display, BaseBehaviourAndDisplayedValue)
{
    struct Plain : Display {};
    Plain plain;
    Rect r(0, 0, 100, 20);
    Lines base = PaintLog(plain, r, "x");
    EXPECT_EQ(base, PaintLog(GetStandardDisplay(), r, "x"));
    EXPECT_EQ(plain.GetStandardSize("x"), TextSize("x"));
    EXPECT_EQ(plain.FitSize("x", 7, 9), Size(7, 9));

    DisplayedValue none;
    RecordingDraw w;
    none.Paint(w, r, INK, PAPER, 0);
    EXPECT_TRUE(w.log.empty());
    EXPECT_EQ(none.GetStandardSize(), Size(0, 0));

    DisplayedValue dv(&GetRightDisplay(), "x");
    dv.Paint(w, 0, 0, 100, 20, INK, PAPER, 0);
    EXPECT_EQ(w.log, PaintLog(GetRightDisplay(), r, "x"));
    EXPECT_EQ(dv.GetStandardSize(), TextSize("x"));
}
