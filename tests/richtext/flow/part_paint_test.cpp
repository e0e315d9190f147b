// Painting of part lists and documents: paragraphs painted on the page the flow gives them,
// only where the target paints, within the info's page range, with numbering counted
// through the list, and the document entry points with their offset and zoom.

#include "richtext/paint/page_draw.h"
#include "richtext/paint/paint_info.h"
#include "tests/draw/support/recording_draw.h"
#include "tests/richtext/flow/flow_support.h"

#include <memory>
#include <string>
#include <vector>

namespace Qor {
namespace {

using namespace QorTest;

// The texts drawn, in order.
std::vector<std::string> Texts(const RecordingDraw& w)
{
    std::vector<std::string> texts;
    for(const std::string& line : w.log)
        if(line.rfind("DrawTextRun(", 0) == 0) {
            size_t a = line.find('"'), b = line.find('"', a + 1);
            texts.push_back(line.substr(a + 1, b - a - 1));
        }
    return texts;
}

class Pages : public PageDraw {
public:
    std::vector<std::unique_ptr<RecordingDraw>> page;

    Draw& PageAt(int i) override
    {
        while((int)page.size() <= i)
            page.push_back(std::make_unique<RecordingDraw>());
        return *page[i];
    }
    RecordingDraw& At(int i) { return static_cast<RecordingDraw&>(PageAt(i)); }
};

TEST(PartPaint, ParagraphsGoToTheirPages)
{
    const int h = FontHeight();
    RichText doc = Document({ "one", "two", "three" });
    Pages pw;
    doc.PaintPages(pw, Rect(0, 0, 3000, 2 * h), RichPaintInfo());
    ASSERT_EQ(pw.page.size(), 2u);
    EXPECT_EQ(Texts(pw.At(0)), (std::vector<std::string>{ "one", "two" }));
    EXPECT_EQ(Texts(pw.At(1)), (std::vector<std::string>{ "three" }));
}

TEST(PartPaint, OnlyThePaintedRangeIsPainted)
{
    const int h = FontHeight();
    RichText doc = Document({ "one", "two", "three" });
    struct Case {
        PagePosition top, bottom;
        bool visible;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        { PagePosition(0, 0), PagePosition(9, 0), true, { "one", "two", "three" } },
        { PagePosition(0, h + 1), PagePosition(9, 0), true, { "two", "three" } },
        { PagePosition(0, 0), PagePosition(0, h), true, { "one" } },
        { PagePosition(0, 0), PagePosition(9, 0), false, {} },
    };
    for(const Case& c : cases) {
        RecordingDraw w;
        w.visible = c.visible;
        SimplePageDraw pw(w);
        RichPaintInfo pi;
        pi.top = c.top;
        pi.bottom = c.bottom;
        doc.PaintPages(pw, Rect(0, 0, 3000, 10000), pi);
        EXPECT_EQ(Texts(w), c.texts) << c.top.y << " " << c.bottom.y;
    }
}

TEST(PartPaint, NumberingCountsThroughTheList)
{
    RichText doc;
    ClearRichText(doc);
    ParagraphFormat numbered;
    numbered.number[0] = ParagraphNumbering::DECIMAL;
    numbered.after_number = ".";
    for(const char* text : { "a", "b" })
        AddParagraph(doc, text, numbered);
    RecordingDraw w;
    SimplePageDraw pw(w);
    doc.PaintPages(pw, Rect(0, 0, 3000, 10000), RichPaintInfo());
    EXPECT_EQ(Texts(w), (std::vector<std::string>{ "a", "1.", "b", "2." }));
}

TEST(PartPaint, DocumentPaintShiftsAndZooms)
{
    RichText doc = Document({ "one" });
    RecordingDraw w;
    doc.Paint(ZoomRatio(96, 600), w, 7, 9, 500);
    ASSERT_GE(w.log.size(), 3u);
    EXPECT_EQ(w.log.front(), "Offset((7, 9))");
    EXPECT_EQ(w.log.back(), "End()");
    EXPECT_EQ(Texts(w), std::vector<std::string>{ "one" });
}

} // namespace
} // namespace Qor
