// PDF/A-1b output: the sRGB profile as the default RGB space, the XMP identification
// packet, and documents that differ only in their fresh identifiers.
#include "pdf/pdf.h"
#include "tests/pdf/pdf_reading.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

using namespace Qor;

namespace {

const Point TRIANGLE[] = { { 0, 0 }, { 600, 0 }, { 0, 600 } };
const int TRIANGLE_COUNTS[] = { 3 };

Image HalfTransparent()
{
    PixelBuffer b(4, 4);
    for(int y = 0; y < 4; y++)
        for(int x = 0; x < 4; x++)
            b[y][x] = MakeRGBA(100, 150, 200, 255);
    b[0][0] = MakeRGBA(64, 64, 64, 128);
    return Image(b);
}

String Document(bool pdfa, bool hatch = false, bool image = false)
{
    PdfDraw w;
    w.Init(1200, 1200, 0, pdfa);
    w.DrawRect(0, 0, 300, 300, Color(10, 20, 30));
    if(hatch)
        w.DrawPolyPolyPolygon(TRIANGLE, 3, TRIANGLE_COUNTS, 1, TRIANGLE_COUNTS, 1, Color(255, 0, 0), 1, Color(),
                              0x55AA55AA55AA55AA, Color());
    if(image)
        w.DrawImage(600, 600, 300, 300, HalfTransparent());
    w.EndPage();
    return w.Finish();
}

int FindObject(const PdfReading& pdf, const std::string& start)
{
    for(int n = 1; n <= pdf.GetCount(); n++)
        if(pdf.Object(n).dict.compare(0, start.size(), start) == 0)
            return n;
    return 0;
}

} // namespace

TEST(Pdfa, PlainDocumentsCarryNoneOfIt)
{
    PdfReading pdf(Document(false, true, true));
    for(const char* what : { "/DefaultRGB", "/ICCBased", "/Metadata", "xpacket" })
        EXPECT_FALSE(Has(pdf.Text(), what)) << what;
}

TEST(Pdfa, TheProfileIsTheDefaultRgbSpaceOfEveryPage)
{
    PdfReading pdf(Document(true));
    int profile = FindObject(pdf, "<</Length ");
    ASSERT_GT(profile, 0);
    const PdfObjectText& p = pdf.Object(profile);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(p.dict, m, std::regex("<</Length (\\d+)/Filter/FlateDecode/N 3>>")));
    EXPECT_EQ(std::stoul(m[1].str()), p.raw.size());
    EXPECT_TRUE(Has(pdf.Text(), ">>\nstream\n" + p.raw + "\nendstream\nendobj\n\n"));
    // The stored bytes are a whole RGB display profile: its own length, "acsp", RGB to XYZ.
    ASSERT_GT(p.data.size(), 128u);
    uint32 declared = uint32(byte(p.data[0])) << 24 | byte(p.data[1]) << 16 | byte(p.data[2]) << 8 | byte(p.data[3]);
    EXPECT_EQ(declared, p.data.size());
    EXPECT_EQ(p.data.substr(36, 4), "acsp");
    EXPECT_EQ(p.data.substr(12, 12), "mntrRGB XYZ ");

    EXPECT_EQ(pdf.Object(profile + 1).dict, "[/ICCBased " + std::to_string(profile) + " 0 R]\n");
    EXPECT_TRUE(Has(pdf.Text(), "/ColorSpace <</DefaultRGB " + std::to_string(profile + 1) + " 0 R>>\n>>\nendobj"));
}

TEST(Pdfa, TheMetadataPacketIdentifiesPartOneLevelB)
{
    PdfReading pdf(Document(true));
    int metadata = FindObject(pdf, "<< /Type/Metadata/Subtype/XML");
    ASSERT_GT(metadata, 0);
    const PdfObjectText& m = pdf.Object(metadata);
    EXPECT_EQ(m.raw, m.data) << "stored uncompressed";
    EXPECT_TRUE(Has(m.dict, " /Length " + std::to_string(m.raw.size()) + " /Length1 " + std::to_string(m.raw.size())));
    EXPECT_TRUE(std::regex_search(m.data, std::regex("^<\\?xpacket id=\"[0-9A-F]{32}\"\\?>\n<x:xmpmeta ")));
    EXPECT_TRUE(m.data.ends_with("</rdf:RDF>\n</x:xmpmeta>\n"));
    int lines = 0;
    for(char c : m.data)
        lines += c == '\n';
    EXPECT_EQ(lines, 39);
    for(const char* line : { "\n<pdfaid:part>1</pdfaid:part>\n", "\n<pdfaid:conformance>B</pdfaid:conformance>\n",
                             "\n<xmp:CreateDate>0000-01-01</xmp:CreateDate>\n", "\n<rdf:li xml:lang=\"x-default\"/>\n",
                             "\n<pdf:Producer/>\n" })
        EXPECT_TRUE(Has(m.data, line)) << line;
    int catalog = FindObject(pdf, "<< /Type /Catalog\n");
    ASSERT_GT(catalog, 0);
    EXPECT_TRUE(pdf.Object(catalog).dict.ends_with(" 0 R\n/Metadata " + std::to_string(metadata) + " 0 R\n>>\n"));
    EXPECT_FALSE(Has(pdf.Text(), "/Info"));

    if(HasTool("python3")) {
        TempFolder folder;
        WriteFile(folder.Path("packet.xml"), String(m.data.data(), int(m.data.size())));
        ToolRun parse = RunTool("python3 -c \"import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])\" " +
                                folder.Path("packet.xml"));
        EXPECT_EQ(parse.status, 0) << "the packet is well-formed XML with every prefix declared\n" << parse.output;
    }
}

TEST(Pdfa, DocumentsDrawnAlikeDifferOnlyInTheirIdentifiers)
{
    auto masked = [](const String& doc) {
        std::string s = Std(doc);
        return std::regex_replace(s, std::regex("[0-9A-F]{32}"), "ID");
    };
    String a = Document(true, true, true);
    String b = Document(true, true, true);
    EXPECT_NE(Std(a), Std(b));
    EXPECT_EQ(masked(a), masked(b));
}

TEST(Pdfa, PatternsAndTheDefaultRgbShareOneColourSpaceEntry)
{
    PdfReading pdf(Document(true, true));
    int patterns = FindObject(pdf, "[/Pattern /DeviceRGB]");
    int icc = FindObject(pdf, "[/ICCBased ");
    ASSERT_GT(patterns, 0);
    ASSERT_GT(icc, 0);
    EXPECT_TRUE(Has(pdf.Text(), "/ColorSpace << /Cspat " + std::to_string(patterns) + " 0 R /DefaultRGB " +
                                    std::to_string(icc) + " 0 R >>\n"));
    size_t first = pdf.Text().find("/ColorSpace");
    EXPECT_EQ(pdf.Text().find("/ColorSpace", first + 1), std::string::npos);
}

TEST(Pdfa, DocumentsWithImagesAndHatchesPassQpdfWithoutTransparency)
{
    SKIP_WITHOUT_TOOL("qpdf");
    String doc = Document(true, true, true);
    EXPECT_EQ(QpdfProblems(doc), "");
    EXPECT_FALSE(Has(Std(doc), "/SMask"));
    EXPECT_FALSE(Has(Std(doc), "/Group"));
}

TEST(Pdfa, GrayImagesKeepTheirLevelsThroughAnRgbPalette)
{
    auto image = [](std::initializer_list<int> levels) {
        PixelBuffer b(int(levels.size()), 1);
        int x = 0;
        for(int level : levels)
            b[0][x++] = MakeRGBA(level, level, level, 255);
        return Image(b);
    };
    PdfDraw w;
    w.Init(1200, 1200, 0, true);
    w.DrawImage(0, 0, 1200, 600, image({ 0x40, 0xC0 }));
    w.DrawImage(0, 600, 1200, 600, image({ 0, 255 }));
    w.EndPage();
    String doc = w.Finish();
    std::string text = Std(doc);
    EXPECT_FALSE(Has(text, "/DeviceGray"));
    EXPECT_TRUE(Has(text, "/BitsPerComponent 1 /ColorSpace [/Indexed /DeviceRGB 1 <000000ffffff>] "));
    size_t palette = text.find("/BitsPerComponent 8 /ColorSpace [/Indexed /DeviceRGB 255 <000000010101020202");
    ASSERT_NE(palette, std::string::npos);
    EXPECT_EQ(text.compare(text.find('>', palette) - 6, 8, "ffffff>]"), 0);

    SKIP_WITHOUT_TOOL("pdftoppm");
    RenderedPage page = RenderFirstPage(doc);
    ASSERT_EQ(page.width, 144);
    EXPECT_EQ(page.Pixel(30, 30), 0x404040u);
    EXPECT_EQ(page.Pixel(110, 30), 0xC0C0C0u);
    EXPECT_EQ(page.Pixel(30, 110), 0x000000u);
    EXPECT_EQ(page.Pixel(110, 110), 0xFFFFFFu);
    EXPECT_EQ(QpdfProblems(doc), "");
}
