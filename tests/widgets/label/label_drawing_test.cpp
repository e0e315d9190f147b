// The label painter's layout (images, text block, alignment, dropped images, states) read
// from the calls it makes on a recording Draw, and the label record's change notices.
#include "widgets/label/label_drawing.h"

#include "draw/image/pixel_buffer.h"
#include "draw/look/sys_colors.h"
#include "widgets/label/label_text.h"

#include <gtest/gtest.h>
#include "tests/draw/support/recording_draw.h"
#include "tests/widgets/label/label_checks.h"
#include "tests/support/printers.h"

#include <string>
#include <vector>

using namespace Qor;
using QorTest::RecordingDraw;

namespace {

std::string ImageAt(int x, int y, const Image& img)
{
    // A whole image reaches the target as a part scaled to its own size.
    std::string sz = std::to_string(img.GetWidth()) + ", " + std::to_string(img.GetHeight());
    return "DrawImageScaled(" + std::to_string(x) + ", " + std::to_string(y) + ", " + sz + ", " +
           RecordingDraw::Text(img) + ", (0, 0, " + sz + "), Null)";
}

// The (x, y) and ink of every text run drawn, in order.
struct TextRun {
    int x, y;
    std::string text;
    std::string ink;
};

std::vector<TextRun> TextRuns(const RecordingDraw& w)
{
    std::vector<TextRun> runs;
    for(const std::string& line : w.log) {
        if(line.rfind("DrawTextRun(", 0) != 0)
            continue;
        TextRun r;
        char text[64] = "";
        char ink[16] = "";
        std::sscanf(line.c_str(), "DrawTextRun(%d, %d, 0, \"%63[^\"]\", font %*s %15[^,)]", &r.x, &r.y, text, ink);
        r.text = text;
        r.ink = ink;
        runs.push_back(r);
    }
    return runs;
}

bool Logged(const RecordingDraw& w, const std::string& line)
{
    for(const std::string& l : w.log)
        if(l == line)
            return true;
    return false;
}

struct LabelDrawingTest : ::testing::Test {
    Image icon = QorTest::SolidImage(16, 16);
    const char* text = "Caption";
    Size ts = GetLabelTextSize("Caption", GetStandardFontReference(), 10000);

    void SetUp() override { ASSERT_GT(ts.cx, 0) << "no font metrics: the layout would not be checked"; }
};

TEST_F(LabelDrawingTest, CentredBlockOfImageAndText)
{
    LabelDrawing l;
    l.left_image = icon;
    l.left_spacing = 4;
    l.text = text;
    int width = ts.cx + 60;
    RecordingDraw w;
    Size sz = l.Paint(w, 0, 0, width, 20);
    int block = 16 + 4 + ts.cx;
    int x = (width - block) / 2;
    EXPECT_EQ(sz, Size(block, std::max(16, ts.cy)));
    EXPECT_TRUE(Logged(w, ImageAt(x, 2, icon))) << ::testing::PrintToString(w.log);
    std::vector<TextRun> runs = TextRuns(w);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].x, x + 20);
    EXPECT_EQ(runs[0].y, (20 - ts.cy) / 2);
    EXPECT_EQ(runs[0].text, "Caption");
    EXPECT_EQ(runs[0].ink, RecordingDraw::Text(SysColorLabel()));
}

TEST_F(LabelDrawingTest, AlignmentsPlaceTheBlock)
{
    struct Case {
        int halign, valign;
        int x, y; // of the text, in a 200 x 40 rectangle at (10, 5)
    } cases[] = {
        { LABEL_ALIGN_LEFT, LABEL_ALIGN_TOP, 10, 5 },
        { LABEL_ALIGN_RIGHT, LABEL_ALIGN_BOTTOM, 210 - ts.cx, 45 - ts.cy },
        { LABEL_ALIGN_CENTER, LABEL_ALIGN_VCENTER, (220 - ts.cx) / 2, (50 - ts.cy) / 2 },
        { 0, 0, 10, 5 }, // anything else: left and top
    };
    for(const Case& c : cases) {
        LabelDrawing l;
        l.text = text;
        l.horizontal_align = c.halign;
        l.vertical_align = c.valign;
        RecordingDraw w;
        l.Paint(w, 10, 5, 200, 40);
        std::vector<TextRun> runs = TextRuns(w);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].x, c.x) << c.halign;
        EXPECT_EQ(runs[0].y, c.y) << c.valign;
    }
}

TEST_F(LabelDrawingTest, NarrowRectangleDropsTheRightImageFirst)
{
    Image right = QorTest::SolidImage(10, 12);
    struct Case {
        int width;
        bool keep_left, keep_right;
        bool left_drawn, right_drawn;
    } cases[] = {
        { 16 + ts.cx + 10 + 8, false, false, true, true }, // everything fits
        { 16 + ts.cx + 4 + 2, false, false, true, false }, // the right image goes
        { 16 + ts.cx + 4 + 2, false, true, false, true },  // kept right: the left one goes
        { ts.cx + 2, false, false, false, false },         // both go
        { ts.cx + 2, true, true, true, true },             // both kept
    };
    for(const Case& c : cases) {
        LabelDrawing l;
        l.text = text;
        l.left_image = icon;
        l.left_spacing = 4;
        l.right_image = right;
        l.right_spacing = 4;
        l.keep_left_image = c.keep_left;
        l.keep_right_image = c.keep_right;
        RecordingDraw w;
        Size sz = l.Paint(w, 0, 0, c.width, 30);
        int images = 0;
        bool left = false, right_seen = false;
        for(const std::string& line : w.log) {
            left |= line.find(RecordingDraw::Text(icon)) != std::string::npos;
            right_seen |= line.find(RecordingDraw::Text(right)) != std::string::npos;
            images += line.rfind("DrawImage", 0) == 0;
        }
        EXPECT_EQ(left, c.left_drawn) << c.width;
        EXPECT_EQ(right_seen, c.right_drawn) << c.width;
        int expected = ts.cx + (c.left_drawn ? 20 : 0) + (c.right_drawn ? 14 : 0);
        EXPECT_EQ(sz.cx, expected) << c.width;
        EXPECT_EQ(sz.cy, std::max(16, ts.cy)) << "a dropped image's height still counts";
        EXPECT_EQ(images, int(c.left_drawn) + int(c.right_drawn));
    }
}

TEST_F(LabelDrawingTest, NullSpacingPutsImagesAtTheEdges)
{
    LabelDrawing l;
    l.text = text;
    l.left_image = icon;
    l.left_spacing = INT_NULL;
    l.right_image = icon;
    l.right_spacing = INT_NULL;
    l.horizontal_align = LABEL_ALIGN_CENTER;
    RecordingDraw w;
    Size sz = l.Paint(w, 0, 0, 300, 16);
    EXPECT_EQ(sz.cx, ts.cx) << "images outside the aligned block";
    EXPECT_TRUE(Logged(w, ImageAt(0, 0, icon)));
    EXPECT_TRUE(Logged(w, ImageAt(300 - 16, 0, icon)));
    ASSERT_EQ(TextRuns(w).size(), 1u);
    EXPECT_EQ(TextRuns(w)[0].x, (300 - ts.cx) / 2);
}

TEST_F(LabelDrawingTest, PressedShiftsByOnePixel)
{
    LabelDrawing l;
    l.text = text;
    l.left_image = icon;
    l.horizontal_align = LABEL_ALIGN_LEFT;
    l.vertical_align = LABEL_ALIGN_TOP;
    l.pressed = true;
    RecordingDraw w;
    l.Paint(w, 0, 0, 200, 16);
    EXPECT_TRUE(Logged(w, ImageAt(1, 1, icon)));
    ASSERT_EQ(TextRuns(w).size(), 1u);
    EXPECT_EQ(TextRuns(w)[0].x, 17);
    EXPECT_EQ(TextRuns(w)[0].y, 1);
}

TEST_F(LabelDrawingTest, InksOfTheStates)
{
    Color red(255, 0, 0), blue(0, 0, 255);
    struct Case {
        bool disabled;
        Color ink, disabled_ink;
        Color expected;
    } cases[] = {
        { false, Color(), Color(), SysColorLabel() },
        { false, red, blue, red },
        { true, Color(), Color(), SysColorDisabled() },
        { true, red, Color(), red },
        { true, red, blue, blue },
    };
    for(const Case& c : cases) {
        LabelDrawing l;
        l.text = text;
        l.disabled = c.disabled;
        l.ink = c.ink;
        l.disabled_ink = c.disabled_ink;
        RecordingDraw w;
        l.Paint(w, 0, 0, 200, 30);
        std::vector<TextRun> runs = TextRuns(w);
        ASSERT_EQ(runs.size(), c.disabled ? 2u : 1u);
        EXPECT_EQ(runs.back().ink, RecordingDraw::Text(c.expected));
    }
}

// The embossed shadow lies one pixel right of and below the text, also when a taller image
// makes the label higher than its text.
TEST_F(LabelDrawingTest, DisabledShadowIsOnePixelOff)
{
    for(int image_height : { 0, 40 }) {
        LabelDrawing l;
        l.text = text;
        l.disabled = true;
        if(image_height)
            l.left_image = QorTest::SolidImage(8, image_height);
        RecordingDraw w;
        l.Paint(w, 0, 0, 200, 50);
        std::vector<TextRun> runs = TextRuns(w);
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_EQ(runs[0].ink, RecordingDraw::Text(SysColorPaper()));
        EXPECT_EQ(runs[0].x, runs[1].x + 1) << image_height;
        EXPECT_EQ(runs[0].y, runs[1].y + 1) << image_height;
    }
}

TEST_F(LabelDrawingTest, FocusFrameAroundTheText)
{
    LabelDrawing l;
    l.text = text;
    l.focused = true;
    l.horizontal_align = LABEL_ALIGN_LEFT;
    l.vertical_align = LABEL_ALIGN_TOP;
    RecordingDraw w;
    Size sz = l.Paint(w, 10, 10, 200, 30);
    std::string clip = "ClipOffset(" + RecordingDraw::Text(Rect(8, 10, 8 + ts.cx + 5, 10 + sz.cy)) + ")";
    EXPECT_TRUE(Logged(w, clip)) << ::testing::PrintToString(w.log);
}

TEST_F(LabelDrawingTest, EmptyTextShowsTheValueSize)
{
    LabelDrawing l;
    RecordingDraw w;
    EXPECT_EQ(l.Paint(w, 0, 0, 100, 20), Size(0, 0));
    EXPECT_EQ(l.GetSize(), Size(0, 0));
    l.value = DisplayedValue(&GetStandardDisplay(), Value(String("12345")));
    Size vs = GetStandardDisplay().GetStandardSize(Value(String("12345")));
    EXPECT_EQ(l.GetSize(), vs);
}

struct CountingLabel : LabelBase {
    int changes = 0;
    void LabelChanged() override { changes++; }
};

TEST(LabelBaseTest, SettersNotifyWhenTheyChangeSomething)
{
    CountingLabel l;
    l.SetText("a").SetText("a");
    EXPECT_EQ(l.changes, 2) << "the text notifies every time";
    l.SetText(nullptr);
    EXPECT_TRUE(l.GetText().IsEmpty());
    l.changes = 0;
    l.SetAlign(LABEL_ALIGN_CENTER); // the default
    l.SetFont(GetStandardFontReference());
    EXPECT_EQ(l.changes, 0);
    l.SetAlign(LABEL_ALIGN_RIGHT).SetFont(GetStandardFontReference().Bold());
    EXPECT_EQ(l.changes, 2);
    l.SetRightImage(Image(), 0, false);
    EXPECT_EQ(l.changes, 3);
}

TEST(LabelBaseTest, PaintLabelReplacesTheStates)
{
    CountingLabel l;
    l.SetText("Caption");
    RecordingDraw plain, disabled;
    l.PaintLabel(plain, 0, 0, 200, 20, false, false, false, true);
    l.PaintLabel(disabled, 0, 0, 200, 20, true, true, false, true);
    EXPECT_EQ(TextRuns(plain).size(), 1u);
    ASSERT_EQ(TextRuns(disabled).size(), 2u);
    EXPECT_EQ(TextRuns(disabled)[1].x, TextRuns(plain)[0].x + 1) << "pressed";
    EXPECT_FALSE(l.GetLabelDrawing().disabled) << "the record itself is unchanged";
}

} // namespace
