// PdfDraw's document skeleton: object numbering, streams, pages, the page tree, the
// cross-reference table, the trailer and the drawing-to-PDF converter.
#include "draw/target/draw_hooks.h"
#include "pdf/pdf.h"
#include "tests/draw/support/drawing_stream.h"
#include "tests/pdf/pdf_reading.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

using namespace Qor;
using QorTest::DrawingStream;

namespace {

const Color RED(255, 0, 0);

Drawing RectDrawing(Size size, Rect r, Color c)
{
    return Drawing(size, DrawingStream().Op(DRAWING_RECT).Ints({ r.left, r.top, r.Width(), r.Height() }).Ink(c).Data());
}

std::string Between(const std::string& s, const std::string& from, const std::string& to)
{
    size_t a = s.find(from);
    if(a == std::string::npos)
        return std::string();
    a += from.size();
    return s.substr(a, s.find(to, a) - a);
}

// The document without its identifiers, which are fresh in every document.
std::string WithoutIds(const String& doc)
{
    return std::regex_replace(Std(doc), std::regex("/ID \\[ <[0-9A-F]+> <[0-9A-F]+> \\]"), "/ID");
}

// A page of everything that leaves state behind for the document's end: text, an image,
// a hatched polygon.
void DrawSample(PdfDraw& w, Font font, Color color, uint64 pattern)
{
    w.DrawRect(100, 100, 200, 200, color);
    std::u16string text = u"Reused";
    w.DrawTextRun(100, 400, 0, (const wchar16*)text.data(), font, color, int(text.size()), nullptr);
    PixelBuffer b(2, 2);
    for(int i = 0; i < 4; i++)
        b.Begin()[i] = MakeRGBA(color.GetR(), 40 * i, 0, 255);
    w.DrawImage(300, 300, 200, 200, Image(b));
    Point triangle[] = { Point(0, 0), Point(600, 0), Point(0, 600) };
    int counts[] = { 3 };
    w.DrawPolyPolyPolygon(triangle, 3, counts, 1, counts, 1, color, 0, Color(), pattern, Color());
}

} // namespace

TEST(PdfDocument, TwoPagesAreTheFirstObjectsAndThePageTreeNamesThemInOrder)
{
    PdfDraw w;
    w.Init(4800, 2400);
    w.DrawRect(0, 0, 100, 100, RED);
    w.EndPage();
    w.StartPage();
    w.EndPage();
    String doc = w.Finish();
    PdfReading pdf(doc);
    ASSERT_TRUE(pdf.Ok());
    EXPECT_EQ(pdf.Object(1).data, "1 0 0 rg\n1 0 0 RG\n0 276 12 12 re\nf\n");
    EXPECT_EQ(pdf.Object(2).raw, "");

    int tree = 0;
    for(int n = 1; n <= pdf.GetCount(); n++)
        if(pdf.Object(n).dict.find("/Type /Pages\n") != std::string::npos)
            tree = n;
    ASSERT_GT(tree, 2);
    const std::string& kids = pdf.Object(tree).dict;
    EXPECT_EQ(Between(kids, "/Kids [", "]"), std::to_string(tree + 1) + " 0 R " + std::to_string(tree + 2) + " 0 R ");
    EXPECT_NE(kids.find("/Count 2\n"), std::string::npos);
    for(int k = 1; k <= 2; k++) {
        const std::string& p = pdf.Object(tree + k).dict;
        EXPECT_NE(p.find("/Type /Page\n/Parent " + std::to_string(tree) + " 0 R\n"), std::string::npos) << p;
        EXPECT_NE(p.find("/MediaBox [0 0 576 288]\n"), std::string::npos) << p;
        EXPECT_NE(p.find("/Contents " + std::to_string(k) + " 0 R\n"), std::string::npos) << p;
    }
}

TEST(PdfDocument, StartsWithTheHeaderAndABinaryCommentLine)
{
    PdfDraw w;
    w.Init(600, 600);
    std::string doc = Std(w.Finish());
    EXPECT_EQ(doc.substr(0, 16), "%PDF-1.3\n%\xF1\xF2\xF3\xF4\n\n");
}

TEST(PdfDocument, AnEmptyPageKeepsAnUncompressedEmptyStream)
{
    PdfDraw w;
    w.Init(600, 600);
    w.EndPage();
    std::string doc = Std(w.Finish());
    EXPECT_NE(doc.find("1 0 obj\n<<  /Length 0 /Length1 0 >>\nstream\r\n\r\nendstream\nendobj\n\n"), std::string::npos);
}

TEST(PdfDocument, StreamsAreCompressedOnlyWhenThatMakesThemShorter)
{
    struct Case {
        const char* name;
        String data;
        bool compressed;
    };
    String long_text;
    for(int i = 0; i < 200; i++)
        long_text += "0 0 1 rg\n";
    const Case cases[] = {
        { "short", "q\n", false },
        { "repetitive", long_text, true },
    };
    for(const Case& c : cases) {
        PdfDraw w;
        w.Init(600, 600);
        int n = w.PutStream(c.data, "/X 1");
        PdfReading pdf(w.Finish());
        const PdfObjectText& o = pdf.Object(n);
        EXPECT_EQ(o.data, Std(c.data)) << c.name;
        EXPECT_EQ(o.dict.find("/FlateDecode") != std::string::npos, c.compressed) << c.name << o.dict;
        EXPECT_NE(o.dict.find("/Length1 " + std::to_string(c.data.GetLength()) + " "), std::string::npos) << c.name;
        if(c.compressed)
            EXPECT_LT(o.raw.size(), size_t(c.data.GetLength())) << c.name;
        else
            EXPECT_EQ(o.dict, "<< /X 1 /Length 2 /Length1 2 >>") << c.name;
    }
}

TEST(PdfDocument, CrossReferenceEntriesPointAtTheObjectsAndStartxrefAtTheTable)
{
    // A noisy image makes streams far longer than the small texts between them.
    PixelBuffer noise(150, 150);
    unsigned seed = 7;
    for(RGBA *p = noise.Begin(), *end = p + noise.GetLength(); p < end; p++) {
        seed = seed * 1664525 + 1013904223;
        *p = MakeRGBA(seed >> 24, seed >> 16, seed >> 8, 255);
    }
    Image big(noise);
    PdfDraw w;
    w.Init(1200, 1200);
    for(int i = 0; i < 3; i++) {
        w.DrawRect(10 * i, 0, 50, 50, Color(0, 0, 255 - i));
        w.DrawImage(0, 0, big);
        w.EndPage();
        w.StartPage();
    }
    String doc = w.Finish();
    PdfReading pdf(doc);
    ASSERT_TRUE(pdf.Ok());
    ASSERT_GT(doc.GetLength(), 3 * 150 * 150 * 3);
    EXPECT_EQ(pdf.Object(4).data.size(), size_t(150 * 150 * 3)) << "the first image, after three pages";
    EXPECT_EQ(pdf.StartXref(), pdf.Xref());
    for(int n = 1; n <= pdf.GetCount(); n++)
        EXPECT_EQ(
            pdf.Text().compare(pdf.Object(n).offset, std::to_string(n).size() + 7, std::to_string(n) + " 0 obj\n"), 0)
            << "object " << n;
    // Every entry is 20 bytes: the table ends right where the trailer begins.
    size_t table = pdf.Text().find("0000000000 65535 f\r\n");
    EXPECT_EQ(pdf.Text().compare(table + 20 * (pdf.GetCount() + 1), 10, "\ntrailer\n<"), 0);
    EXPECT_NE(pdf.Text().find("<< /Size " + std::to_string(pdf.GetCount() + 1) + "\n"), std::string::npos);
    EXPECT_TRUE(pdf.Text().ends_with("\r\n%%EOF\r\n"));
}

TEST(PdfDocument, TheTwoIdentifiersAreFreshCapitalHexAndDiffer)
{
    auto ids = [] {
        PdfDraw w;
        w.Init(600, 600);
        std::string doc = Std(w.Finish());
        std::smatch m;
        EXPECT_TRUE(std::regex_search(doc, m, std::regex("/ID \\[ <([0-9A-F]{32})> <([0-9A-F]{32})> \\]\n")));
        return std::make_pair(m[1].str(), m[2].str());
    };
    auto a = ids();
    auto b = ids();
    EXPECT_NE(a.first, a.second);
    EXPECT_NE(a.first, b.first);
}

TEST(PdfDocument, AnUnendedPageIsWrittenByFinish)
{
    PdfDraw w;
    w.Init(600, 600);
    w.EndPage();
    w.StartPage();
    w.DrawRect(0, 0, 10, 10, RED);
    PdfReading pdf(w.Finish());
    EXPECT_EQ(CountOf(pdf.Text(), "/Type /Page\n"), 2);
    EXPECT_NE(pdf.Object(2).data.find(" re\nf\n"), std::string::npos);
}

TEST(PdfDocument, FinishEndsAnUnendedPageWithAMarginAsEndPageWould)
{
    PdfDraw w;
    w.Init(1000, 1000, 100);
    w.DrawRect(0, 0, 100, 100, RED);
    PdfReading pdf(w.Finish()); // qpdf checks it when installed
    EXPECT_EQ(CountOf(pdf.Text(), "/Type /Page\n"), 1);
    // The q of the margin's offset is closed, as the ended page of AMarginGivenToInitOffsetsEveryPage is.
    EXPECT_EQ(pdf.Object(1).data, "q 1 0 0 1 12 -12 cm\n1 0 0 rg\n1 0 0 RG\n0 120 12 12 re\nf\nQ\n");
}

TEST(PdfDocument, AnUnendedPageWithNothingDrawnIsNoPageWithOrWithoutAMargin)
{
    for(int margin : { 0, 100 }) {
        PdfDraw w;
        w.Init(1000, 1000, margin);
        std::string doc = Std(w.Finish());
        EXPECT_NE(doc.find("/Kids []\n/Count 0\n"), std::string::npos) << "margin " << margin;
    }
}

TEST(PdfDocument, AReusedPdfDrawWritesWhatAFreshOneWrites)
{
    const Font sans(Font::SANSSERIF, 100);
    auto second = [&](PdfDraw& w) {
        w.Init(1200, 1200);
        DrawSample(w, sans, RED, 0x55AA55AA55AA55AAull);
        w.EndPage();
        return WithoutIds(w.Finish());
    };
    PdfDraw fresh;
    std::string expected = second(fresh);

    PdfDraw reused;
    reused.Init(2000, 2000, 50, true);
    DrawSample(reused, Font(Font::SERIF, 150).Bold(), Color(0, 0, 255), 0x0F0F0F0F0F0F0F0Full);
    reused.EndPage();
    reused.Finish();
    EXPECT_EQ(second(reused), expected);
}

TEST(PdfDocument, ANoPageDocumentStillHasItsSkeleton)
{
    std::string doc = Std(DrawingToPdf(Vector<Drawing>(), Size(600, 600), 0, false));
    EXPECT_NE(doc.find("<< /Type /Pages\n/Kids []\n/Count 0\n>>"), std::string::npos);
    EXPECT_NE(doc.find("<<\n>>\nendobj"), std::string::npos) << "the empty font dictionary";
    EXPECT_NE(doc.find("<< /Type /Outlines\n/Count 0\n>>\nendobj"), std::string::npos);
    EXPECT_NE(doc.find("<< /Type /Catalog\n/Outlines "), std::string::npos);
}

TEST(PdfDocument, DrawingToPdfAddsTheMarginOnEverySideAndPlacesTheDrawingInside)
{
    Vector<Drawing> pages;
    pages.Add(RectDrawing(Size(1000, 500), Rect(0, 0, 100, 100), RED));
    String doc = DrawingToPdf(pages, Size(1000, 500), 100, false);
    PdfReading pdf(doc);
    // 1200 x 700 dots are 144 x 84 points; the drawing is clipped to its place and its
    // origin moved to (100, 100) dots.
    EXPECT_NE(pdf.Text().find("/MediaBox [0 0 144 84]\n"), std::string::npos);
    EXPECT_EQ(pdf.Object(1).data,
              "q 12 12 120 60 re\nW* n\n1 0 0 1 12 -12 cm\n1 0 0 rg\n1 0 0 RG\n0 72 12 12 re\nf\nQ\n");
}

TEST(PdfDocument, TheDrawingLayerReachesTheConverterThroughItsHook)
{
    ASSERT_EQ(DrawingToPdfHook, &DrawingToPdf);
    Vector<Drawing> pages;
    pages.Add(RectDrawing(Size(600, 600), Rect(0, 0, 600, 600), RED));
    PdfReading pdf(DrawingToPdfHook(pages, Size(600, 600), 0, false));
    ASSERT_TRUE(pdf.Ok());
    EXPECT_EQ(pdf.Object(1).data, "q 0 0 72 72 re\nW* n\n1 0 0 rg\n1 0 0 RG\n0 0 72 72 re\nf\nQ\n");
}

TEST(PdfDocument, AMarginGivenToInitOffsetsEveryPage)
{
    PdfDraw w;
    w.Init(1000, 1000, 100);
    EXPECT_EQ(w.GetPageSize(), Size(1100, 1100));
    w.DrawRect(0, 0, 100, 100, RED);
    w.EndPage();
    PdfReading pdf(w.Finish());
    EXPECT_EQ(pdf.Object(1).data, "q 1 0 0 1 12 -12 cm\n1 0 0 rg\n1 0 0 RG\n0 120 12 12 re\nf\nQ\n");
}

TEST(PdfDocument, WrittenDocumentsPassQpdf)
{
    SKIP_WITHOUT_TOOL("qpdf");
    Vector<Drawing> pages;
    for(int i = 0; i < 3; i++)
        pages.Add(RectDrawing(Size(4960, 7016), Rect(100 * i, 100, 2000, 3000), Color(40 * i, 0, 0)));
    const struct {
        const char* name;
        String doc;
    } cases[] = {
        { "three pages", DrawingToPdf(pages, Size(4960, 7016), 300, false) },
        { "no page", DrawingToPdf(Vector<Drawing>(), Size(4960, 7016), 0, false) },
    };
    for(const auto& c : cases)
        EXPECT_EQ(QpdfProblems(c.doc), "") << c.name;
}
