// Document zoom: a ratio of one changes nothing, halving rescales styles, paragraphs and
// tables, zoomed frame and grid widths never vanish, and zoomed objects take new serials.

#include "tests/richtext/flow/flow_support.h"

#include "richtext/objects/image_objects.h"

namespace Qor {
namespace {

using namespace QorTest;

RichText ZoomDocument()
{
    RichText doc;
    ClearRichText(doc);
    ParagraphStyle s;
    s.format.lm = 200;
    doc.SetStyle(DefaultStyleId, s);
    ParagraphFormat f = doc.GetStyle(DefaultStyleId).format;
    f.before = 60;
    UnpackedParagraph p;
    p.format = f;
    p.CatText(WString("text"), f);
    doc.SetParagraph(0, p, doc.GetStyle(DefaultStyleId).format);
    RichTable t = PlainTable(1, 2);
    TableFormat tf = t.GetFormat();
    tf.frame = 10;
    tf.grid = 4;
    tf.before = 100;
    tf.lm = 40;
    t.SetFormat(tf);
    CellFormat cf;
    cf.min_height = 101;
    cf.border_left = 1;
    t.SetFormat(0, 0, cf);
    doc.SetTable(1, t);
    return doc;
}

TEST(DocumentZoom, OneToOneChangesNothing)
{
    RichText doc = ZoomDocument();
    const int64 serial = doc.GetPara(0).serial;
    const String content = doc.GetPara(0).content;
    doc.ApplyZoom(ZoomRatio(7, 7));
    EXPECT_EQ(doc.GetPara(0).serial, serial);
    EXPECT_EQ(doc.GetPara(0).content, content);
    EXPECT_EQ(doc.GetTable(1).GetFormat().frame, 10);
    EXPECT_EQ(doc.GetStyle(DefaultStyleId).format.lm, 200);
}

TEST(DocumentZoom, HalvingRescalesStylesParagraphsAndTables)
{
    RichText doc = ZoomDocument();
    doc.ApplyZoom(ZoomRatio(300, 600));
    EXPECT_EQ(doc.GetStyle(DefaultStyleId).format.lm, 100);
    EXPECT_EQ(doc.GetStyle(DefaultStyleId).format.font.GetHeight(), 50);
    UnpackedParagraph p;
    doc.GetParagraph(0, p, doc.GetStyles());
    EXPECT_EQ(p.format.lm, 100);
    EXPECT_EQ(p.format.before, 30);
    ASSERT_EQ(p.part.GetCount(), 1);
    EXPECT_EQ(p.part[0].format.font.GetHeight(), 50);

    const RichTable& t = doc.GetTable(1);
    EXPECT_EQ(t.GetFormat().frame, 5);
    EXPECT_EQ(t.GetFormat().grid, 2);
    EXPECT_EQ(t.GetFormat().before, 50);
    EXPECT_EQ(t.GetFormat().lm, 20);
    const CellFormat& cf = t.GetCell(0, 0).format;
    EXPECT_EQ(cf.min_height, 50);
    EXPECT_EQ(cf.margin_left, 12);
    EXPECT_EQ(cf.margin_top, 7);
    EXPECT_EQ(cf.border_left, 0);
    UnpackedParagraph cell;
    t.GetCell(0, 1).text.GetParagraph(0, cell, doc.GetStyles());
    EXPECT_EQ(cell.format.lm, 100);
    // Column widths are relative and stay.
    EXPECT_EQ(t.GetFormat().column[0], 5000);
}

TEST(DocumentZoom, ScreenZoomKeepsLinesOfOneUnit)
{
    struct Case {
        int frame, grid;
        int zoomed_frame, zoomed_grid;
    };
    for(const Case& c : { Case{ 10, 4, 1, 1 }, Case{ 10, 0, 1, 0 }, Case{ 0, 600, 0, 96 } }) {
        RichText doc = ZoomDocument();
        TableFormat tf = doc.GetTable(1).GetFormat();
        tf.frame = c.frame;
        tf.grid = c.grid;
        doc.GetTable(1).SetFormat(tf);
        doc.ApplyZoom(ZoomRatio(96, 600));
        EXPECT_EQ(doc.GetTable(1).GetFormat().frame, c.zoomed_frame);
        EXPECT_EQ(doc.GetTable(1).GetFormat().grid, c.zoomed_grid);
        EXPECT_EQ(doc.GetTable(1).GetCell(0, 0).format.margin_top, 2);
    }
}

TEST(DocumentZoom, ZoomedObjectsTakeNewSerials)
{
    RichText doc;
    ClearRichText(doc);
    EmbeddedObject o;
    o.ReadObject("unknown-type", "data", Size(400, 200));
    UnpackedParagraph p;
    p.CatObject(o, CharacterFormat());
    doc.SetParagraph(0, p, ParagraphFormat());
    const int64 before = doc.GetPara(0).object[0].GetSerial();
    doc.ApplyZoom(ZoomRatio(300, 600));
    ASSERT_EQ(doc.GetPara(0).object.GetCount(), 1);
    EXPECT_NE(doc.GetPara(0).object[0].GetSerial(), before);
    EXPECT_EQ(doc.GetPara(0).object[0].GetSize(), Size(200, 100));
}

} // namespace
} // namespace Qor
