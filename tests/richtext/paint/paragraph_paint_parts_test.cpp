// Paragraph painting: objects, the ruler, position and code marks, the painted range of
// lines and the tracer's notifications.

#include "draw/look/sys_colors.h"
#include "richtext/model/rich_text_img.h"
#include "tests/richtext/layout/layout_support.h"
#include "tests/richtext/paint/paint_support.h"

#include <gtest/gtest.h>

namespace Qor {
namespace {

using QorTest::Advance;
using QorTest::BitsDraw;
using QorTest::FontHeight;
using QorTest::PaintParagraph;
using QorTest::Para;
using QorTest::PlainInfo;
using QorTest::RecordingDraw;
using QorTest::RectLine;
using QorTest::TestFont;

TEST(ParagraphPaintParts, ObjectsPaintInAClipAtTheirBaseline)
{
    // The object stands higher and lower than the text, so it alone sets the line's ascent
    // and descent: its top is the line's top.
    EmbeddedObject o = QorTest::PaintTestObject(Size(300, 400));
    o.SetYDelta(50);
    CharacterFormat f;
    f.paper = Color(0, 99, 0);
    UnpackedParagraph p;
    p.format.font = TestFont();
    p.CatObject(o, f);
    CharacterFormat text;
    text.font = TestFont();
    p.CatText(WString(u"a"), text);
    int with_text = 400 + TestFont().GetMetrics().external_leading;
    auto clip = [](int cx) { return "ClipOffset((0, 0, " + std::to_string(cx) + ", 400))"; };
    struct Case {
        const char* name;
        bool placeholders, image_cache, clip;
        int page_right;
        std::vector<std::string> expected;
    } cases[] = {
        { "own paint",
          false,
          false,
          false,
          5000,
          { RectLine(0, 0, 300, with_text, Color(0, 99, 0)), clip(300), RectLine(0, 0, 300, 400, Color(7, 7, 7)),
            "End()" } },
        { "placeholder",
          true,
          false,
          false,
          5000,
          { RectLine(0, 0, 300, with_text, Color(0, 99, 0)), clip(300), RectLine(0, 0, 300, 400, SysColorFace()),
            "End()" } },
        { "image cache",
          false,
          true,
          false,
          5000,
          { RectLine(0, 0, 300, with_text, Color(0, 99, 0)), clip(300),
            "DrawImageScaled(0, 0, 300, 400, Image(300x400), (0, 0, 300, 400), Null)", "End()" } },
        // Cut at the page's right edge, not squeezed; the text goes to the next line.
        { "clipped",
          false,
          false,
          true,
          100,
          { RectLine(0, 0, 100, 400, Color(0, 99, 0)), clip(100), RectLine(0, 0, 300, 400, Color(7, 7, 7)), "End()" } },
    };
    for(const Case& c : cases) {
        RichPaintInfo pi = PlainInfo();
        pi.objects_as_placeholders = c.placeholders;
        pi.objects_through_image_cache = c.image_cache;
        pi.clip_objects = c.clip;
        pi.object_context = 5;
        QorTest::PaintTestType().seen_context = nullptr;
        BitsDraw w;
        PaintParagraph(w, p, pi, Rect(0, 0, c.page_right, 5000));
        std::vector<std::string> got;
        for(const std::string& s : w.log)
            if(s.rfind("DrawTextRun", 0) != 0)
                got.push_back(s);
        EXPECT_EQ(got, c.expected) << c.name;
        EXPECT_EQ(QorTest::PaintTestType().seen_context, c.placeholders ? nullptr : (void*)5) << c.name;
    }
}

TEST(ParagraphPaintParts, RulerSolidDottedDashedAndNeverThinnerThanOneUnit)
{
    struct Case {
        int style, ruler;
        ZoomRatio zoom;
        std::vector<std::string> expected;
    } cases[] = {
        { ParagraphFormat::RULER_SOLID, 10, ZoomRatio(1, 1), { RectLine(100, 0, 130, 10, Color(1, 1, 1)) } },
        { ParagraphFormat::RULER_DOTTED,
          10,
          ZoomRatio(1, 1),
          { RectLine(100, 0, 10, 10, Color(1, 1, 1)), RectLine(120, 0, 10, 10, Color(1, 1, 1)),
            RectLine(140, 0, 10, 10, Color(1, 1, 1)), RectLine(160, 0, 10, 10, Color(1, 1, 1)),
            RectLine(180, 0, 10, 10, Color(1, 1, 1)), RectLine(200, 0, 10, 10, Color(1, 1, 1)),
            RectLine(220, 0, 10, 10, Color(1, 1, 1)) } },
        { ParagraphFormat::RULER_DASHED,
          10,
          ZoomRatio(1, 1),
          { RectLine(100, 0, 20, 10, Color(1, 1, 1)), RectLine(140, 0, 20, 10, Color(1, 1, 1)),
            RectLine(180, 0, 20, 10, Color(1, 1, 1)), RectLine(220, 0, 10, 10, Color(1, 1, 1)) } },
        { ParagraphFormat::RULER_SOLID, 1, ZoomRatio(1, 10), { RectLine(10, 0, 13, 1, Color(1, 1, 1)) } },
    };
    for(const Case& c : cases) {
        ParagraphFormat f;
        f.ruler = c.ruler;
        f.ruler_style = c.style;
        f.ruler_color = Color(1, 1, 1);
        f.before = 5;
        f.lm = 60;
        f.rm = 30;
        UnpackedParagraph p = Para(u"", f);
        RichPaintInfo pi = PlainInfo();
        pi.zoom = c.zoom;
        BitsDraw w;
        PaintParagraph(w, p, pi, Rect(40, 0, 260, 5000));
        EXPECT_EQ(w.Lines("Rect"), c.expected) << c.style << " " << c.ruler;
    }
}

void AnyMarks(const UnpackedParagraph&, BitSet&) {}

TEST(ParagraphPaintParts, MarkedPositionsAreUnderlinedInRed)
{
    UnpackedParagraph p = Para(u"abc");
    BitSet marked;
    marked.Set(1);
    int h = FontHeight();
    ASSERT_GT(h, 16);
    int a = Advance(u"a"), b = Advance(u"b");
    RichPaintInfo pi = PlainInfo();
    BitsDraw none;
    PaintParagraph(none, p, pi, Rect(0, 0, 5000, 5000), PagePosition(0, 0), NumberingCounters(), marked);
    EXPECT_TRUE(none.Lines("Rect").empty()); // without a hook the marks are off
    pi.mark_hook = AnyMarks;
    BitsDraw w;
    PaintParagraph(w, p, pi, Rect(0, 0, 5000, 5000), PagePosition(0, 0), NumberingCounters(), marked);
    EXPECT_EQ(w.Lines("Rect"), (std::vector<std::string>{ RectLine(a, h - 2, b, 1, Color::FromBits(0x0000FF)),
                                                          RectLine(a, h - 3, b, 1, Color::FromBits(0x000080)) }));
}

TEST(ParagraphPaintParts, CodeMarksShowSpacesTabsEndsLabelsAndNewPages)
{
    ParagraphFormat f;
    f.label = "here";
    f.new_page = true;
    f.tab_size = 500;
    UnpackedParagraph p = Para(u"a \tb", f);
    RichPaintInfo pi = PlainInfo();
    pi.show_codes = Color(0, 0, 255);
    pi.show_labels = true;
    RecordingDraw w;
    // Unbounded, so that the new-page paragraph stays on page 0.
    PaintParagraph(w, p, pi, Rect(0, 0, 1000, UNBOUNDED_PAGE_HEIGHT));
    int asc = TestFont().GetAscent();
    int a = Advance(u"a"), sp = Advance(u" ");
    int tab = 500 - a - sp;
    auto image = [](int x, int y, const Image& img) {
        Size sz = img.GetSize();
        return "DrawImageScaled(" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(sz.cx) + ", " +
               std::to_string(sz.cy) + ", " + RecordingDraw::Text(img) + ", " + RecordingDraw::Text(Rect(sz)) +
               ", #0000ff)";
    };
    std::vector<std::string> images;
    for(const std::string& s : w.log)
        if(s.rfind("DrawImageScaled", 0) == 0)
            images.push_back(s);
    Image space = RichTextImg::SpaceChar(), tabc = RichTextImg::TabChar(), end = RichTextImg::EndParaChar();
    EXPECT_EQ(images, (std::vector<std::string>{
                          image(-12, (asc - 7) / 2, RichTextImg::Label()),
                          image(a + (sp - space.GetWidth()) / 2, asc - space.GetHeight(), space),
                          image(a + sp + (tab - tabc.GetWidth()) / 2, asc - tabc.GetHeight(), tabc),
                          image(500 + Advance(u"b"), asc - end.GetHeight(), end),
                      }));
    // Screen dashes of the new-page mark across the page rectangle.
    std::vector<std::string> dashes;
    for(const std::string& s : w.log)
        if(s.rfind("DrawRect(", 0) == 0)
            dashes.push_back(s);
    ASSERT_EQ(dashes.size(), 125u);
    EXPECT_EQ(dashes[0], "DrawRect(0, 0, 4, 1, #0000ff)");
    EXPECT_EQ(dashes[124], "DrawRect(992, 0, 4, 1, #0000ff)");
    // On a printer the dashes are longer.
    RecordingDraw printer(Draw::DOTS);
    PaintParagraph(printer, p, pi, Rect(0, 0, 1000, UNBOUNDED_PAGE_HEIGHT));
    int printer_dashes = 0;
    for(const std::string& s : printer.log)
        if(s.rfind("DrawRect(", 0) == 0) {
            EXPECT_NE(s.find(", 25, 6, #0000ff)"), std::string::npos) << s;
            printer_dashes++;
        }
    EXPECT_EQ(printer_dashes, 20);
}

class LogTracer : public PaintTracer {
public:
    std::vector<std::string> log;
    void Paragraph(const Rect& page, PagePosition py, const UnpackedParagraph&) override
    {
        log.push_back("begin " + RecordingDraw::Text(page) + " " + std::to_string(py.page) + ":" +
                      std::to_string(py.y));
    }
    void EndParagraph(PagePosition py) override
    {
        log.push_back("end " + std::to_string(py.page) + ":" + std::to_string(py.y));
    }
};

TEST(ParagraphPaintParts, OnlyLinesInsideTheTopAndBottomArePainted)
{
    int h = FontHeight();
    int width = Advance(u"aa");
    UnpackedParagraph p = Para(u"a b c d"); // a line per letter
    struct Case {
        PagePosition top, bottom;
        std::vector<std::string> letters;
    } cases[] = {
        { PagePosition(0, 0), PagePosition(INT_MAX, INT_MAX), { "a ", "b ", "c ", "d" } },
        { PagePosition(0, h), PagePosition(INT_MAX, INT_MAX), { "a ", "b ", "c ", "d" } }, // a line ending at top
        { PagePosition(0, h + 1), PagePosition(INT_MAX, INT_MAX), { "b ", "c ", "d" } },
        { PagePosition(0, 0), PagePosition(0, 2 * h), { "a ", "b ", "c " } }, // a line starting at bottom
        { PagePosition(0, 0), PagePosition(0, 2 * h - 1), { "a ", "b " } },
        { PagePosition(1, 0), PagePosition(2, 0), {} },
    };
    for(const Case& c : cases) {
        RichPaintInfo pi = PlainInfo();
        pi.top = c.top;
        pi.bottom = c.bottom;
        BitsDraw w;
        LogTracer tracer;
        SimplePageDraw pw(w);
        pw.tracer = &tracer;
        p.Paint(pw, Rect(0, 0, width, 100000), PagePosition(0, 0), pi, NumberingCounters(), BitSet(), 0, 0);
        std::vector<std::string> letters;
        for(const std::string& s : w.Lines("DrawTextRun"))
            letters.push_back(s.substr(s.find('"') + 1, s.find('"', s.find('"') + 1) - s.find('"') - 1));
        EXPECT_EQ(letters, c.letters) << c.top.y << " " << c.bottom.y;
        // The tracer hears of the paragraph's whole extent whatever is painted.
        EXPECT_EQ(tracer.log, (std::vector<std::string>{ "begin (0, 0, " + std::to_string(width) + ", 100000) 0:0",
                                                         "end 0:" + std::to_string(4 * h) }));
    }
}

class TwoPages : public PageDraw {
public:
    BitsDraw page[2];
    Draw& PageAt(int i) override { return page[i]; }
};

TEST(ParagraphPaintParts, LinesArePaintedOnTheirOwnPages)
{
    int h = FontHeight();
    int width = Advance(u"aa");
    UnpackedParagraph p = Para(u"a b");
    p.format.orphan = true;
    TwoPages pw;
    // The page holds one line and a half: the second line goes to the top of page 1.
    p.Paint(pw, Rect(0, 7, width, 7 + h + h / 2), PagePosition(0, 7), PlainInfo(), NumberingCounters(), BitSet(), 0, 0);
    std::vector<std::string> first = pw.page[0].Lines("DrawTextRun");
    std::vector<std::string> second = pw.page[1].Lines("DrawTextRun");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(first[0].find(", 7, 0, \"a \""), std::string::npos) << first[0];
    EXPECT_NE(second[0].find(", 7, 0, \"b\""), std::string::npos) << second[0];
}

} // namespace
} // namespace Qor
