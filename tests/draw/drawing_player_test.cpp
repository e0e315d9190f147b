// The drawing player: coordinate mapping, each operation, out-of-line operands, and
// damaged streams that draw less and leave the target balanced.

#include "draw/draw.h"
#include "draw/font/font_metrics.h"
#include "tests/draw/support/drawing_stream.h"
#include "tests/draw/support/raster_draw.h"
#include "tests/draw/support/recording_draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace Qor;
using QorTest::DrawingStream;
using QorTest::RasterDraw;
using QorTest::RecordingDraw;

namespace {

using Lines = std::vector<std::string>;

const Color RED(255, 0, 0);
const Color BLUE(0, 0, 255);

Lines Play(Size source, const String& data, Rect target, const ValueArray& values = ValueArray())
{
    RecordingDraw w;
    PlayDrawing(w, target, Drawing(source, data, values));
    return w.log;
}

Image Solid(int cx, int cy)
{
    PixelBuffer b(cx, cy);
    FillPixels(b.Begin(), MakeRGBA(1, 2, 3, 255), (int)b.GetLength());
    return Image(b);
}

ValueArray Values(std::initializer_list<Value> list)
{
    ValueArray a;
    for(const Value& v : list)
        a.Add(v);
    return a;
}

// A recorder that also plays the drawings it is handed, as the base operation does.
struct PlayingRecorder : RecordingDraw {
    void DrawDrawing(const Rect& target, const Drawing& d) override
    {
        RecordingDraw::DrawDrawing(target, d);
        Draw::DrawDrawing(target, d);
    }
};

int Count(const Lines& log, const std::string& prefix)
{
    int n = 0;
    for(const std::string& line : log)
        n += line.compare(0, prefix.size(), prefix) == 0;
    return n;
}

} // namespace

TEST(DrawingPlayer, MapsTheRecordedSpaceOntoTheTarget)
{
    struct Case {
        const char* name;
        Size source;
        Rect target;
        String data;
        Lines log;
    } cases[] = {
        {"rect and line widths", Size(100, 100), Rect(0, 0, 200, 100),
         DrawingStream()
             .Op(DRAWING_RECT).Ints({10, 10, 20, 20}).Ink(RED)
             .Op(DRAWING_LINE).Ints({0, 0, 10, 10, 3}).Ink(RED)
             .Op(DRAWING_LINE).Ints({0, 0, 10, 10, 0}).Ink(RED)
             .Op(DRAWING_LINE).Ints({0, 0, 10, 10, -1}).Ink(RED)
             .Data(),
         {"ClipOffset((0, 0, 200, 100))", "DrawRect(20, 10, 40, 20, #ff0000)", "DrawLine(0, 0, 20, 10, 4, #ff0000)",
          "DrawLine(0, 0, 20, 10, 0, #ff0000)", "DrawLine(0, 0, 20, 10, -1, #ff0000)", "End()"}},
        {"offset", Size(100, 100), Rect(0, 0, 300, 300),
         DrawingStream().Op(DRAWING_OFFSET).Ints({5, 5}).Op(DRAWING_RECT).Ints({0, 0, 10, 10}).Ink(RED)
             .Op(DRAWING_END).Data(),
         {"ClipOffset((0, 0, 300, 300))", "Offset((15, 15))", "DrawRect(0, 0, 30, 30, #ff0000)", "End()", "End()"}},
        // Positions come from the total source offset, so rounding does not accumulate.
        {"nested offsets round once", Size(3, 3), Rect(0, 0, 10, 10),
         DrawingStream().Op(DRAWING_OFFSET).Ints({1, 1}).Op(DRAWING_OFFSET).Ints({1, 1})
             .Op(DRAWING_RECT).Ints({0, 0, 1, 1}).Ink(RED).Op(DRAWING_END).Op(DRAWING_END).Data(),
         {"ClipOffset((0, 0, 10, 10))", "Offset((3, 3))", "Offset((3, 3))", "DrawRect(0, 0, 4, 4, #ff0000)", "End()",
          "End()", "End()"}},
        {"clips", Size(10, 10), Rect(5, 5, 25, 25),
         DrawingStream()
             .Op(DRAWING_BEGIN)
             .Op(DRAWING_CLIP).Ints({1, 1, 4, 4})
             .Op(DRAWING_CLIPOFF).Ints({2, 3, 6, 8})
             .Op(DRAWING_RECT).Ints({0, 0, 1, 1}).Ink(BLUE)
             .Op(DRAWING_EXCLUDECLIP).Ints({0, 0, 1, 1})
             .Op(DRAWING_INTERSECTCLIP).Ints({0, 0, 2, 2})
             .Op(DRAWING_END).Op(DRAWING_END).Op(DRAWING_END)
             .Data(),
         {"ClipOffset((5, 5, 25, 25))", "Begin()", "Clip((2, 2, 8, 8))", "ClipOffset((4, 6, 12, 16))",
          "DrawRect(0, 0, 2, 2, #0000ff)", "ExcludeClip((0, 0, 2, 2))", "IntersectClip((0, 0, 4, 4))", "End()",
          "End()", "End()", "End()"}},
        {"ellipse arc data painting", Size(10, 10), Rect(0, 0, 20, 30),
         DrawingStream()
             .Op(DRAWING_ELLIPSE).Ints({1, 1, 3, 3}).Ink(RED).Packed(2).Ink(BLUE)
             .Op(DRAWING_ARC).Ints({0, 0, 10, 10, 1, 2, 3, 4}).Ink(RED).Int(1)
             .Op(DRAWING_DATA).Ints({1, 1, 2, 2}).Text("png").Text("abc")
             .Op(DRAWING_PAINTING).Item(Painting("cmd", ValueArray(), 1, 1)).Ints({0, 0, 5, 5})
             .Data(),
         {"ClipOffset((0, 0, 20, 30))", "DrawEllipse((2, 3, 6, 9), #ff0000, 5, #0000ff)",
          "DrawArc((0, 0, 20, 30), (2, 6), (6, 12), 2, #ff0000)", "DrawData(2, 3, 4, 6, 3 bytes, png)",
          "DrawPainting((0, 0, 10, 15), 3 bytes)", "End()"}},
        {"in-stream image and drawing", Size(10, 10), Rect(0, 0, 20, 20),
         DrawingStream()
             .Op(DRAWING_IMAGE).Ints({1, 2, 3, 4}).Item(Solid(2, 3)).Ints({0, 0, 2, 3}).Ink(Color())
             .Op(DRAWING_DRAWING).Item(Drawing(Size(1, 1), "xy")).Ints({0, 0, 5, 5})
             .Data(),
         {"ClipOffset((0, 0, 20, 20))", "DrawImageScaled(2, 4, 6, 8, Image(2x3), (0, 0, 2, 3), Null)",
          "DrawDrawing((0, 0, 10, 10), 2 bytes)", "End()"}},
        {"polygons unmapped at equal sizes", Size(10, 10), Rect(0, 0, 10, 10),
         DrawingStream()
             .Op(DRAWING_POLYPOLYLINE).Packed(0).Int(3).Ink(RED).Ink(Color()).Ints({2, 1}).Ints({1, 2, 3, 4}).Int(2)
             .Op(DRAWING_POLYPOLYPOLYGON).Packed(0).Ink(RED).Int(3).Ink(BLUE).Pattern(7).Ink(Color())
             .Ints({3, 1, 1}).Ints({0, 0, 1, 0, 0, 1}).Int(3).Int(1)
             .Data(),
         {"ClipOffset((0, 0, 10, 10))", "DrawPolyPolyline((1, 2)(3, 4), [2], 3, #ff0000, Null)",
          "DrawPolyPolyPolygon((0, 0)(1, 0)(0, 1), [3], [1], #ff0000, 3, #0000ff, 7, Null)", "End()"}},
        {"polygons mapped", Size(10, 10), Rect(0, 0, 20, 30),
         DrawingStream()
             .Op(DRAWING_POLYPOLYLINE).Packed(0).Int(3).Ink(RED).Ink(Color()).Ints({2, 1}).Ints({1, 2, 3, 4}).Int(2)
             .Data(),
         {"ClipOffset((0, 0, 20, 30))", "DrawPolyPolyline((2, 6)(6, 12), [2], 7, #ff0000, Null)", "End()"}},
        // Opcode bytes 0, 1, 11, 21 and 254 and a long-form 20 carry no operands.
        {"unknown opcodes", Size(10, 10), Rect(0, 0, 10, 10),
         DrawingStream().Raw(String("\x00\x01\x0b\x15\xfe\xff\x15\x00\x00\x00", 10))
             .Op(DRAWING_RECT).Ints({1, 1, 1, 1}).Ink(RED).Data(),
         {"ClipOffset((0, 0, 10, 10))", "DrawRect(1, 1, 1, 1, #ff0000)", "End()"}},
        {"zero source width", Size(0, 50), Rect(0, 0, 10, 10),
         DrawingStream().Op(DRAWING_RECT).Ints({1, 1, 1, 1}).Ink(RED).Data(), {}},
        {"zero target width", Size(10, 10), Rect(5, 0, 5, 10),
         DrawingStream().Op(DRAWING_RECT).Ints({1, 1, 1, 1}).Ink(RED).Data(), {}},
        // Sizes of opposite signs cancel in the width ratio: the width stays.
        {"cancelling sizes", Size(5, -5), Rect(0, 0, 10, 10),
         DrawingStream().Op(DRAWING_LINE).Ints({0, 0, 0, 0, 3}).Ink(RED).Data(),
         {"ClipOffset((0, 0, 10, 10))", "DrawLine(0, 0, 0, 0, 3, #ff0000)", "End()"}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Play(c.source, c.data, c.target), c.log);
    }
}

TEST(DrawingPlayer, OutOfLineOperandsAreTakenInStreamOrder)
{
    Image a = Solid(1, 1), b = Solid(2, 2);
    String data = DrawingStream()
                      .Op(DRAWING_IMAGE).Ints({0, 0, 1, 1, 0, 0, 1, 1}).Ink(Color())
                      .Op(DRAWING_IMAGE).Ints({0, 0, 2, 2, 0, 0, 2, 2}).Ink(Color())
                      .Op(DRAWING_DRAWING).Ints({0, 0, 3, 3})
                      .Op(DRAWING_DATA).Ints({0, 0, 1, 1}).Text("t")
                      .Op(DRAWING_PAINTING).Ints({0, 0, 1, 1})
                      .Data();
    ValueArray values = Values({a, b, Drawing(Size(1, 1), "abc"), WString("xy"), Value()});
    EXPECT_EQ(Play(Size(10, 10), data, Rect(0, 0, 10, 10), values),
              (Lines{"ClipOffset((0, 0, 10, 10))", "DrawImageScaled(0, 0, 1, 1, Image(1x1), (0, 0, 1, 1), Null)",
                     "DrawImageScaled(0, 0, 2, 2, Image(2x2), (0, 0, 2, 2), Null)",
                     "DrawDrawing((0, 0, 3, 3), 3 bytes)", "DrawData(0, 0, 1, 1, 2 bytes, t)",
                     "DrawPainting((0, 0, 1, 1), 0 bytes)", "End()"}));
}

TEST(DrawingPlayer, DamagedStreamsDrawLessAndStayBalanced)
{
    String rect = DrawingStream().Op(DRAWING_RECT).Ints({1, 1, 1, 1}).Ink(RED).Data();
    const std::string drawn = "DrawRect(1, 1, 1, 1, #ff0000)";
    struct Case {
        const char* name;
        String data;
        ValueArray values;
        Lines log;
    } cases[] = {
        {"operands cut short", rect + DrawingStream().Op(DRAWING_RECT).Ints({1, 1, 1}).Data(), {},
         {"ClipOffset((0, 0, 10, 10))", drawn, "End()"}},
        {"end with nothing open", DrawingStream().Op(DRAWING_END).Data() + rect, {},
         {"ClipOffset((0, 0, 10, 10))", "End()"}},
        {"levels left open", DrawingStream().Op(DRAWING_BEGIN).Op(DRAWING_OFFSET).Ints({1, 1}).Data() + rect, {},
         {"ClipOffset((0, 0, 10, 10))", "Begin()", "Offset((1, 1))", drawn, "End()",
          "End()", "End()"}},
        {"line counts beyond the points",
         DrawingStream().Op(DRAWING_POLYPOLYLINE).Packed(0).Int(1).Ink(RED).Ink(Color()).Ints({2, 1})
             .Ints({1, 2, 3, 4}).Int(3).Data() + rect, {},
         {"ClipOffset((0, 0, 10, 10))", "End()"}},
        {"negative count",
         DrawingStream().Op(DRAWING_POLYPOLYLINE).Packed(0).Int(1).Ink(RED).Ink(Color()).Ints({2, 2})
             .Ints({1, 2, 3, 4}).Ints({3, -1}).Data() + rect, {},
         {"ClipOffset((0, 0, 10, 10))", "End()"}},
        {"points claimed beyond the data",
         DrawingStream().Op(DRAWING_POLYPOLYLINE).Packed(0).Int(1).Ink(RED).Ink(Color()).Ints({100000000, 1})
             .Ints({1, 2}).Data(), {},
         {"ClipOffset((0, 0, 10, 10))", "End()"}},
        {"polygon groups beyond the polygons",
         DrawingStream().Op(DRAWING_POLYPOLYPOLYGON).Packed(0).Ink(RED).Int(1).Ink(BLUE).Pattern(0).Ink(Color())
             .Ints({2, 1, 1}).Ints({0, 0, 1, 1}).Int(2).Int(2).Data() + rect, {},
         {"ClipOffset((0, 0, 10, 10))", "End()"}},
        {"text longer than the data",
         DrawingStream().Op(DRAWING_TEXT).Ints({0, 0, 0}).Item(Font(2, 12)).Ink(RED).Packed(1000).Byte(0)
             .Raw("abc").Data(), {},
         {"ClipOffset((0, 0, 10, 10))", "End()"}},
        {"out-of-line operand of the wrong type",
         DrawingStream().Op(DRAWING_IMAGE).Ints({0, 0, 1, 1, 0, 0, 1, 1}).Ink(Color()).Data() + rect,
         Values({String("not an image")}), {"ClipOffset((0, 0, 10, 10))", drawn, "End()"}},
        {"out-of-line operands exhausted",
         DrawingStream().Op(DRAWING_DRAWING).Ints({0, 0, 1, 1}).Op(DRAWING_DRAWING).Ints({0, 0, 1, 1}).Data() + rect,
         Values({Drawing(Size(1, 1), "z")}),
         {"ClipOffset((0, 0, 10, 10))", "DrawDrawing((0, 0, 1, 1), 1 bytes)", "End()"}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Play(Size(10, 10), c.data, Rect(0, 0, 10, 10), c.values), c.log);
    }
}

TEST(DrawingPlayer, NestingAndOpenLevelsAreBounded)
{
    // Each level holds the previous one in its stream and draws one rectangle.
    Drawing d(Size(10, 10), DrawingStream().Op(DRAWING_RECT).Ints({0, 0, 1, 1}).Ink(RED).Data());
    for(int i = 0; i < DRAWING_MAX_NESTING + 8; i++)
        d = Drawing(Size(10, 10), DrawingStream().Op(DRAWING_RECT).Ints({0, 0, 1, 1}).Ink(RED)
                                      .Op(DRAWING_DRAWING).Item(d).Ints({0, 0, 10, 10}).Data());
    PlayingRecorder nested;
    PlayDrawing(nested, Rect(0, 0, 10, 10), d);
    EXPECT_EQ(Count(nested.log, "DrawRect"), DRAWING_MAX_NESTING);
    EXPECT_EQ(Count(nested.log, "ClipOffset"), Count(nested.log, "End"));

    DrawingStream many;
    for(int i = 0; i < DRAWING_MAX_OPEN + 10; i++)
        many.Op(DRAWING_BEGIN);
    RecordingDraw open;
    PlayDrawing(open, Rect(0, 0, 10, 10), Drawing(Size(10, 10), many.Data()));
    EXPECT_EQ(Count(open.log, "Begin"), DRAWING_MAX_OPEN);
    EXPECT_EQ(Count(open.log, "End"), DRAWING_MAX_OPEN + 1);
}

TEST(DrawingPlayer, EntryPointTakesPositionAndSize)
{
    RecordingDraw w;
    Draw& d = w;
    d.DrawDrawing(1, 2, 3, 4, Drawing(Size(1, 1), "ab"));
    EXPECT_EQ(w.log, Lines{"DrawDrawing((1, 2, 4, 6), 2 bytes)"});
}

TEST(DrawingPlayer, BaseDrawDrawingPaintsPixels)
{
    Drawing d(Size(4, 4), DrawingStream().Op(DRAWING_RECT).Ints({0, 0, 2, 2}).Ink(RED).Data());
    RasterDraw w(8, 8);
    w.DrawDrawing(Rect(2, 2, 10, 10), d); // scaled by two, clipped to the canvas
    EXPECT_EQ(w.Picture({{RED, 'r'}, {White(), '.'}}),
              (std::vector<std::string>{"........", "........", "..rrrr..", "..rrrr..", "..rrrr..", "..rrrr..",
                                        "........", "........"}));
}

namespace {

std::string FontText(Font f)
{
    char b[24];
    std::snprintf(b, sizeof b, "font %016llX", (unsigned long long)f.GetData());
    return b;
}

String TextOp(int x, int y, int angle, Font font, int charset, const String& text, int n,
              std::initializer_list<int> advances = {})
{
    DrawingStream s;
    s.Op(DRAWING_TEXT).Ints({x, y, angle}).Item(font).Ink(RED).Packed(n).Byte(charset).Raw(text);
    s.Byte(advances.size() != 0);
    for(int a : advances)
        s.Packed(a);
    return s.Data();
}

} // namespace

TEST(DrawingPlayer, TextKeepsOrScalesFontAndAdvances)
{
    Font f = Font(Font::SANSSERIF, 12).Width(5);
    String utf16("a\0b\0", 4);
    // 100 by 100 at 200 by 400: the diagonal ratio is 3.16..., the height ratio at most 2.
    int wa = f.GetCharWidth('a'), wb = f.GetCharWidth('b');
    double r = std::sqrt(200.0 * 200 + 400 * 400) / std::sqrt(100.0 * 100 + 100 * 100);
    const FontMetrics& zero = Font(Font::SANSSERIF, 0).GetMetrics();
    int cell = zero.height - zero.internal_leading;
    ASSERT_GT(cell, 0);
    std::string natural = "[" + std::to_string((int)(wa * r)) + " " + std::to_string((int)((wa + wb) * r) - (int)(wa * r)) + "]";
    struct Case {
        const char* name;
        Size source;
        Rect target;
        String data;
        std::string run;
    } cases[] = {
        {"equal sizes", Size(10, 10), Rect(0, 0, 10, 10), TextOp(1, 2, 0, f, 0, "ab", 2, {7, 8}),
         "DrawTextRun(1, 2, 0, \"ab\", " + FontText(f) + ", #ff0000, [7 8])"},
        {"utf-16 units", Size(10, 10), Rect(0, 0, 10, 10), TextOp(1, 2, 0, f, 0xFF, utf16, 2),
         "DrawTextRun(1, 2, 0, \"ab\", " + FontText(f) + ", #ff0000, [])"},
        {"scaled advances", Size(100, 100), Rect(0, 0, 200, 400), TextOp(10, 10, 0, f, 0, "ab", 2, {10, 10}),
         "DrawTextRun(20, 40, 0, \"ab\", " + FontText(Font(Font::SANSSERIF, 24).Width(15)) + ", #ff0000, [31 32])"},
        {"scaled natural advances", Size(100, 100), Rect(0, 0, 200, 400), TextOp(0, 0, 0, f, 0, "ab", 2),
         "DrawTextRun(0, 0, 0, \"ab\", " + FontText(Font(Font::SANSSERIF, 24).Width(15)) + ", #ff0000, " + natural + ")"},
        // A reduced drawing keeps the font's natural width and at least height 1.
        {"reduced", Size(1000, 1000), Rect(0, 0, 10, 10), TextOp(0, 0, 0, f, 0, "a", 1, {100}),
         "DrawTextRun(0, 0, 0, \"a\", " + FontText(Font(Font::SANSSERIF, 1)) + ", #ff0000, [1])"},
        // Height 0 stands for the font's height less its internal leading.
        {"height 0", Size(10, 10), Rect(0, 0, 10, 10), TextOp(0, 0, 0, Font(Font::SANSSERIF, 0), 0, "a", 1, {5}),
         "DrawTextRun(0, 0, 0, \"a\", " + FontText(Font(Font::SANSSERIF, cell)) + ", #ff0000, [5])"},
        {"angle taken modulo a full turn", Size(10, 10), Rect(0, 0, 10, 10), TextOp(0, 0, -3700, f, 0, "a", 1, {5}),
         "DrawTextRun(0, 0, -100, \"a\", " + FontText(f) + ", #ff0000, [])"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Lines log = Play(c.source, c.data, c.target);
        ASSERT_EQ(log.size(), 3u);
        EXPECT_EQ(log[1], c.run);
    }
}

// A recorded text near the int limit whose second character, drawn by itself, lies past
// it: placed at the limit, not wrapped to the far left.
TEST(DrawingPlayer, TextPastTheIntLimitStaysAtIt)
{
    Font f = Font(Font::SANSSERIF, 12);
    String utf16("a\0\0N", 4); // a, U+4E00
    Lines log = Play(Size(10, 10), TextOp(INT_MAX - 1, 2, 0, f, 0xFF, utf16, 2, {100, 5}), Rect(0, 0, 10, 10));
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[1], "DrawTextRun(2147483646, 2, 0, \"a\", " + FontText(f) + ", #ff0000, [100])");
    EXPECT_EQ(log[2].rfind("DrawTextRun(2147483647, ", 0), 0u) << log[2];
}

// n counts the recorded bytes: UTF-8 text (the default set) decodes to fewer characters, and a scaled text
// without advances measures only those.
TEST(DrawingPlayer, ScaledMultiByteTextMeasuresItsCharacters)
{
    Font f = Font(Font::SANSSERIF, 12);
    std::string e_acute;
    for(int i = 0; i < 100; i++)
        e_acute += "\xc3\xa9";
    String utf8(e_acute.data(), (int)e_acute.size());
    Lines log = Play(Size(10, 10), TextOp(0, 0, 0, f, 0, utf8, utf8.GetLength()), Rect(0, 0, 20, 20));
    ASSERT_EQ(log.size(), 3u);
    std::string run = log[1];
    EXPECT_EQ(run.rfind("DrawTextRun(0, 0, 0, \"\\u00E9\\u00E9", 0), 0u) << run;
    EXPECT_EQ(std::count(run.begin(), run.end(), 'E'), 100) << run; // one \u00E9 each, none past them
}
