// PdfDraw's hatch patterns: the paths a pattern's painted cells become, the pattern
// objects and resources, and a hatch rendered back to pixels.
#include "pdf/pdf.h"
#include "tests/pdf/pdf_reading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Qor;

namespace {

const Point TRIANGLE[] = { { 0, 0 }, { 1200, 0 }, { 0, 1200 } };
const int TRIANGLE_COUNTS[] = { 3 };

void HatchFill(PdfDraw& w, uint64 pattern, Color c = Color(255, 0, 0))
{
    w.DrawPolyPolyPolygon(TRIANGLE, 3, TRIANGLE_COUNTS, 1, TRIANGLE_COUNTS, 1, c, 1, Color(), pattern, Color());
}

String HatchDocument(const std::vector<uint64>& patterns)
{
    PdfDraw w;
    w.Init(1200, 1200);
    for(uint64 p : patterns)
        HatchFill(w, p);
    w.EndPage();
    return w.Finish();
}

// The painted cells (c, r) as a pattern: every other bit set.
uint64 Painted(std::initializer_list<std::pair<int, int>> cells)
{
    uint64 bits = ~(uint64)0;
    for(auto [c, r] : cells)
        bits &= ~((uint64)1 << (8 * r + c));
    return bits;
}

std::vector<int> PatternObjects(const PdfReading& pdf)
{
    std::vector<int> objects;
    for(int n = 1; n <= pdf.GetCount(); n++)
        if(pdf.Object(n).dict.find("/PatternType 1") != std::string::npos)
            objects.push_back(n);
    return objects;
}

} // namespace

TEST(PdfPatterns, PaintedCellsBecomeRunsBandsAndSquares)
{
    const struct {
        const char* name;
        uint64 pattern;
        std::string content;
    } cases[] = {
        { "top row", 0xFFFFFFFFFFFFFF00, "0 7 8 1 re f\n" },
        { "column 3", ~0x0808080808080808ull, "3 0 1 8 re f\n" },
        { "main diagonal", ~0x8040201008040201ull, "-0.25 7.75 m\n0.25 8.25 l\n8.25 0.25 l\n7.75 -0.25 l\nf\n" },
        { "rising diagonal", ~0x0102040810204080ull, "8.25 7.75 m\n7.75 8.25 l\n-0.25 0.25 l\n0.25 -0.25 l\nf\n" },
        { "isolated cells", Painted({ { 0, 0 }, { 3, 5 } }), "0 7 1 1 re f\n3 2 1 1 re f\n" },
        { "a short falling band", Painted({ { 2, 1 }, { 3, 2 }, { 4, 3 } }),
          "1.75 6.75 m\n2.25 7.25 l\n5.25 4.25 l\n4.75 3.75 l\nf\n" },
        { "a row run wins over a column through its first cell", Painted({ { 0, 0 }, { 1, 0 }, { 0, 1 }, { 0, 2 } }),
          "0 7 2 1 re f\n0 5 1 2 re f\n" },
        { "cells already drawn are not drawn again", Painted({ { 5, 0 }, { 6, 0 }, { 5, 1 }, { 6, 1 } }),
          "5 7 2 1 re f\n5 6 2 1 re f\n" },
    };
    for(const auto& c : cases) {
        PdfReading pdf(HatchDocument({ c.pattern }));
        std::vector<int> objects = PatternObjects(pdf);
        ASSERT_EQ(objects.size(), 1u) << c.name;
        EXPECT_EQ(pdf.Object(objects[0]).data, c.content) << c.name;
    }
}

TEST(PdfPatterns, PatternsAreUncolouredTilesNamedInTheResources)
{
    const uint64 first = 0x00FF00FF00FF00FF;
    const uint64 second = 0x55AA55AA55AA55AA;
    PdfReading pdf(HatchDocument({ first, second, first, 0 }));
    std::vector<int> objects = PatternObjects(pdf);
    ASSERT_EQ(objects.size(), 2u) << "one object per distinct pattern";
    int space = objects[0] - 2;
    EXPECT_EQ(pdf.Object(space).dict, "[/Pattern /DeviceRGB]\n");
    EXPECT_EQ(pdf.Object(space + 1).dict, "<< >>\n");
    std::string dict = "<< /Type /Pattern\n/PatternType 1\n/PaintType 2\n/TilingType 3\n/BBox [-1 -1 9 9]\n"
                       "/XStep 8\n/YStep 8\n/Resources " +
                       std::to_string(space + 1) + " 0 R\n/Matrix [0.75 0.0 0.0 0.75 0.0 0.0]\n";
    for(int n : objects)
        EXPECT_EQ(pdf.Object(n).dict.substr(0, dict.size()), dict);
    std::string resources = "/ColorSpace << /Cspat " + std::to_string(space) + " 0 R >>\n/Pattern << /Pat1 " +
                            std::to_string(objects[0]) + " 0 R /Pat2 " + std::to_string(objects[1]) + " 0 R >>\n";
    EXPECT_NE(pdf.Text().find(resources), std::string::npos) << resources;
}

TEST(PdfPatterns, AnUnhatchedDocumentHasNoPatternObjects)
{
    PdfReading pdf(HatchDocument({ 0 }));
    EXPECT_TRUE(PatternObjects(pdf).empty());
    EXPECT_EQ(pdf.Text().find("/Cspat"), std::string::npos);
    EXPECT_EQ(pdf.Text().find("/Pattern"), std::string::npos);
}

TEST(PdfPatterns, AHatchRendersInTheFillColour)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    // Rows 0 to 3 painted: each 6-point tile is painted in its upper half, counted from
    // the bottom of the page.
    PdfDraw w;
    w.Init(1200, 1200);
    HatchFill(w, 0xFFFFFFFF00000000, Color(0, 0, 255));
    w.EndPage();
    String doc = w.Finish();
    EXPECT_EQ(QpdfProblems(doc), "");
    RenderedPage page = RenderFirstPage(doc);
    ASSERT_EQ(page.width, 144);
    // Pixel row y has its centre 143.5 - y points above the bottom edge.
    for(int y : { 0, 1, 2, 6, 60 })
        EXPECT_EQ(page.Pixel(10, y), 0x0000FFu) << "row " << y;
    for(int y : { 3, 4, 5, 9, 63 })
        EXPECT_EQ(page.Pixel(10, y), 0xFFFFFFu) << "row " << y;
    EXPECT_EQ(page.Pixel(140, 140), 0xFFFFFFu) << "outside the triangle";
}
