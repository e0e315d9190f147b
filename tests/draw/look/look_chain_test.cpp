// The look painter chain: who is asked, in which order, with what; and the look values
// that carry an image over a look or a look inside a border.

#include "tests/draw/look/look_support.h"
#include "tests/draw/support/recording_draw.h"

#include <string>
#include <vector>

using namespace Qor;
using QorTest::RecordingDraw;

namespace {

// What the test painters were asked, one line per request, in order.
std::vector<std::string> asked;

std::string Request(const char* who, const Rect& r, const Value& look, int operation)
{
    return std::string(who) + " " + RecordingDraw::Text(r) + " " + Std(look.ToString()) + " op " +
           std::to_string(operation);
}

// Answers only Strings, with 7.
Value StringPainter(Draw&, const Rect& r, const Value& look, int operation)
{
    asked.push_back(Request("strings", r, look, operation));
    return look.GetTypeNumber() == STRING_V ? Value(7) : Value();
}

// Answers everything, with 1; paints a Color look so that painting shows.
Value AnyPainter(Draw& w, const Rect& r, const Value& look, int operation)
{
    asked.push_back(Request("any", r, look, operation));
    if(operation == LOOK_PAINT && look.GetTypeNumber() == COLOR_V)
        w.DrawRect(r, Color(look));
    return operation == LOOK_MARGINS ? Value(Rect(4, 5, 6, 7)) : Value(1);
}

class LookChain : public QorTest::LookTest {
protected:
    LookChain() : LookTest({}) { asked.clear(); }
};

} // namespace

TEST_F(LookChain, NullLooksAskNoPainter)
{
    AddLookPainter(AnyPainter);
    RecordingDraw w;
    for(const Value& look : { Value(), Value(String()), Value(Color()), Value(Image()) }) {
        EXPECT_TRUE(PaintLookChain(w, Rect(0, 0, 5, 5), look, LOOK_PAINT).IsNull());
        PaintLook(w, Rect(0, 0, 5, 5), look);
        PaintLookEdge(w, Rect(0, 0, 5, 5), look);
        EXPECT_EQ(GetLookMargins(look), Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL));
    }
    EXPECT_TRUE(w.log.empty());
    EXPECT_TRUE(asked.empty());
}

TEST_F(LookChain, EmptyChainPaintsNothingAndHasNullMargins)
{
    RecordingDraw w;
    PaintLook(w, Rect(0, 0, 5, 5), Color(1, 2, 3));
    PaintLookEdge(w, Rect(0, 0, 5, 5), Color(1, 2, 3));
    EXPECT_TRUE(w.log.empty());
    EXPECT_EQ(GetLookMargins(Color(1, 2, 3)), Rect(INT_NULL, INT_NULL, INT_NULL, INT_NULL));
}

TEST_F(LookChain, NewestPainterFirstAndNullPassesOn)
{
    AddLookPainter(AnyPainter);
    AddLookPainter(StringPainter);
    AddLookPainter(AnyPainter);
    AddLookPainter(StringPainter);
    ASSERT_EQ(GetLookPainters().GetCount(), 2);

    RecordingDraw w;
    EXPECT_EQ(PaintLookChain(w, Rect(1, 2, 3, 4), "x", LOOK_EDGE), Value(7));
    EXPECT_EQ(PaintLookChain(w, Rect(1, 2, 3, 4), 5, LOOK_OPAQUE), Value(1));
    std::vector<std::string> expected = {
        "strings (1, 2, 3, 4) x op 2",
        "strings (1, 2, 3, 4) 5 op 3",
        "any (1, 2, 3, 4) 5 op 3",
    };
    EXPECT_EQ(asked, expected);
}

TEST_F(LookChain, EntryPointsPassTheirRectangleAndOperation)
{
    AddLookPainter(AnyPainter);
    RecordingDraw w;
    PaintLook(w, Rect(1, 2, 3, 4), Color(9, 9, 9));
    PaintLook(w, 10, 20, 5, 6, Color(9, 9, 9));
    PaintLookEdge(w, Rect(1, 2, 3, 4), 8);
    EXPECT_EQ(GetLookMargins(8), Rect(4, 5, 6, 7));
    std::vector<std::string> expected = {
        "any (1, 2, 3, 4) Color(9, 9, 9) op 0",
        "any (10, 20, 15, 26) Color(9, 9, 9) op 0",
        "any (1, 2, 3, 4) 8 op 2",
        // Margins are asked on a rectangle of four Nulls.
        "any (-2147483648, -2147483648, -2147483648, -2147483648) 8 op 1",
    };
    EXPECT_EQ(asked, expected);
    std::vector<std::string> painted = { "DrawRect(1, 2, 2, 2, #090909)", "DrawRect(10, 20, 5, 6, #090909)" };
    EXPECT_EQ(w.log, painted);
}

TEST_F(LookChain, LookValuesHoldTheirPartsAndShareThem)
{
    PixelBuffer b(2, 3);
    Image img(b);
    Value inner = Color(1, 2, 3);

    Value plain = MakeLookWithImage(inner, img, Point(4, 5));
    Value shaped = MakeLookWithImage(inner, img, Color(6, 7, 8), Point(-1, 0));
    for(const Value& v : { plain, shaped }) {
        EXPECT_FALSE(v.IsNull());
        EXPECT_EQ(GetBorderLook(v), nullptr);
        ASSERT_NE(GetLookWith(v), nullptr);
        EXPECT_EQ(GetLookWith(v)->look, inner);
        EXPECT_EQ(GetLookWith(v)->image.GetSerialId(), img.GetSerialId());
    }
    EXPECT_TRUE(IsNull(GetLookWith(plain)->colour));
    EXPECT_EQ(GetLookWith(plain)->offset, Point(4, 5));
    EXPECT_EQ(GetLookWith(shaped)->colour, Color(6, 7, 8));
    EXPECT_EQ(GetLookWith(shaped)->offset, Point(-1, 0));

    Value border = MakeBorderLook(GetRaisedBorder(), inner);
    EXPECT_FALSE(border.IsNull());
    EXPECT_EQ(GetLookWith(border), nullptr);
    ASSERT_NE(GetBorderLook(border), nullptr);
    EXPECT_EQ(GetBorderLook(border)->border, GetRaisedBorder());
    EXPECT_EQ(GetBorderLook(border)->look, inner);
    // A look made without a table is a valid look too.
    EXPECT_FALSE(MakeBorderLook(nullptr, Value()).IsNull());

    Value copy = border;
    EXPECT_EQ(GetBorderLook(copy), GetBorderLook(border)) << "copies share the record";
    EXPECT_EQ(GetLookWith(inner), nullptr);
    EXPECT_EQ(GetBorderLook(Value(img)), nullptr);
}
