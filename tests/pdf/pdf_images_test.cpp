// PdfDraw's images: placement on the page, the colour forms and masks chosen by what the
// pixels hold, source rectangles, and images read back by the outside PDF tools.
#include "pdf/pdf.h"
#include "tests/pdf/pdf_reading.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

using namespace Qor;

namespace {

// cx x cy pixels from a function of (x, y) giving straight RGBA; stored premultiplied.
Image MakeImage(int cx, int cy, const std::function<RGBA(int, int)>& pixel)
{
    PixelBuffer b(cx, cy);
    for(int y = 0; y < cy; y++)
        for(int x = 0; x < cx; x++)
            b[y][x] = pixel(x, y);
    PremultiplyPixels(b.Begin(), b.Begin(), int(b.GetLength()));
    return Image(b);
}

Image Photo(int cx, int cy)
{
    return MakeImage(cx, cy, [](int x, int y) { return MakeRGBA(x * 20, y * 30, 100, 255); });
}

// The image objects of a document, in the order of the page's /Image names.
struct ImageObjects {
    PdfReading pdf;
    std::vector<int> numbers;

    explicit ImageObjects(const String& doc) : pdf(doc)
    {
        // The resources name every image in order: "/XObject << /Image1 n 0 R /Image2 m 0 R >>".
        const std::string& t = pdf.Text();
        size_t at = t.find("/XObject << ");
        if(at == std::string::npos)
            return;
        std::string list = t.substr(at + 12, t.find(">>", at) - at - 12);
        std::smatch m;
        for(int i = 1; std::regex_search(list, m, std::regex("/Image" + std::to_string(i) + " (\\d+) 0 R ")); i++)
            numbers.push_back(std::stoi(m[1].str()));
    }
    const PdfObjectText& Image(int i) const { return pdf.Object(numbers.at(i)); }
};

String DrawImages(const std::function<void(PdfDraw&)>& draw, bool pdfa = false)
{
    PdfDraw w;
    w.Init(1200, 1200, 0, pdfa);
    draw(w);
    w.EndPage();
    return w.Finish();
}

} // namespace

TEST(PdfImages, ThePageStretchesTheSourceOverTheTargetRectangle)
{
    std::string content = PageContent([](PdfDraw& w) {
        w.DrawImage(100, 200, 300, 400, Photo(4, 4));
        w.DrawImage(0, 0, Photo(2, 2));
    });
    EXPECT_EQ(content, "q 36 0 0 48 12 648 cm /Image1 Do Q\nq 0.24 0 0 0.24 0 719.76 cm /Image2 Do Q\n");
}

TEST(PdfImages, EachKindGetsItsColourFormAndMask)
{
    const RGBA red = MakeRGBA(255, 0, 0, 255);
    const struct {
        const char* name;
        Image img;
        const char* colour_dict;
        std::string data;
        const char* mask_dict; // the object just before the image, or null
        std::string mask_data;
    } cases[] = {
        { "opaque photograph", Photo(2, 1), "/BitsPerComponent 8 /ColorSpace /DeviceRGB /Intent /Perceptual",
          std::string("\x00\x00\x64\x14\x00\x64", 6), nullptr, "" },
        { "black and white, rows padded to bytes",
          MakeImage(10, 2,
                    [](int x, int y) { return (x + y) % 3 ? MakeRGBA(255, 255, 255, 255) : MakeRGBA(0, 0, 0, 255); }),
          "/BitsPerComponent 1 /Decode [0 1] /ColorSpace /DeviceGray ", "\x6D\x80\xDB\x40", nullptr, "" },
        { "gray levels", MakeImage(3, 1, [](int x, int) { return MakeRGBA(x * 60, x * 60, x * 60, 255); }),
          "/BitsPerComponent 8 /ColorSpace /DeviceGray /Decode [0 1] ", std::string("\x00\x3C\x78", 3), nullptr, "" },
        { "mask: a stencil marks every pixel not fully opaque",
          MakeImage(9, 1, [&](int x, int) { return x == 1 || x == 8 ? MakeRGBA(0, 0, 0, 0) : red; }),
          "/ColorSpace /DeviceRGB", "", "/BitsPerComponent 1 /ImageMask true /Decode [0 1] ",
          std::string("\x40\x80", 2) },
        { "partial alpha: a soft mask, and straight colours",
          MakeImage(2, 1, [](int x, int) { return MakeRGBA(200, 100, 50, x ? 128 : 255); }),
          "/BitsPerComponent 8 /ColorSpace /DeviceRGB /Intent /Perceptual", "\xC8\x64\x32\xC8\x64\x32",
          "/BitsPerComponent 8 /ColorSpace /DeviceGray /Decode [0 1] ", "\xFF\x80" },
        { "wholly transparent: masked out rather than painted black",
          MakeImage(3, 1, [](int, int) { return MakeRGBA(0, 0, 0, 0); }), "/ColorSpace /DeviceGray", "",
          "/ImageMask true", "\xE0" },
    };
    for(const auto& c : cases) {
        ImageObjects objects(DrawImages([&](PdfDraw& w) { w.DrawImage(0, 0, c.img); }));
        ASSERT_EQ(objects.numbers.size(), 1u) << c.name;
        const PdfObjectText& img = objects.Image(0);
        EXPECT_TRUE(Has(img.dict, c.colour_dict)) << c.name << ": " << img.dict;
        EXPECT_TRUE(Has(img.dict, "/Width " + std::to_string(c.img.GetWidth()) + " /Height " +
                                      std::to_string(c.img.GetHeight()) + " "))
            << c.name;
        if(!c.data.empty()) {
            EXPECT_EQ(img.data, c.data) << c.name;
        }
        int n = objects.numbers[0];
        if(!c.mask_dict) {
            EXPECT_FALSE(Has(img.dict, "Mask")) << c.name;
            continue;
        }
        const PdfObjectText& mask = objects.pdf.Object(n - 1);
        EXPECT_TRUE(Has(mask.dict, c.mask_dict)) << c.name << ": " << mask.dict;
        EXPECT_EQ(mask.data, c.mask_data) << c.name;
        const char* key = Has(mask.dict, "/ImageMask") ? " /Mask " : " /SMask ";
        EXPECT_TRUE(Has(img.dict, key + std::to_string(n - 1) + " 0 R")) << c.name << ": " << img.dict;
    }
}

TEST(PdfImages, SourceRectanglesAreClippedToTheImage)
{
    const struct {
        Rect src;
        int width, height;
    } cases[] = {
        { Rect(-5, -5, 50, 50), 4, 3 },
        { Rect(1, 1, 3, 2), 2, 1 },
    };
    for(const auto& c : cases) {
        ImageObjects objects(
            DrawImages([&](PdfDraw& w) { w.DrawImageScaled(0, 0, 50, 50, Photo(4, 3), c.src, Color()); }));
        ASSERT_EQ(objects.numbers.size(), 1u) << c.src.left;
        const PdfObjectText& img = objects.Image(0);
        EXPECT_TRUE(Has(img.dict, "/Width " + std::to_string(c.width) + " /Height " + std::to_string(c.height) + " "))
            << c.src.left << ": " << img.dict;
        EXPECT_EQ(img.data.size(), size_t(3 * c.width * c.height)) << c.src.left;
    }
}

// An image of no columns or rows is one readers reject ("Bad image parameters"): drawing
// nothing writes nothing, neither the image object nor its use on the page.
TEST(PdfImages, EmptyAreasWriteNothing)
{
    const struct {
        const char* name;
        Image img;
        Rect src;
    } cases[] = {
        { "reversed", Photo(4, 3), Rect(3, 0, 1, 3) },
        { "outside", Photo(4, 3), Rect(10, 10, 20, 20) },
        { "no rows", Photo(4, 3), Rect(0, 2, 4, 2) },
        { "empty image", Image(), Rect(0, 0, 4, 3) },
    };
    for(const auto& c : cases) {
        String drawn = DrawImages([&](PdfDraw& w) {
            w.DrawImageScaled(0, 0, 50, 50, c.img, c.src, Color());
            w.DrawImageScaled(0, 0, 50, 50, c.img, c.src, Black());
        });
        std::string doc(drawn.Begin(), drawn.GetLength());
        EXPECT_FALSE(Has(doc, "/Image1")) << c.name;
        EXPECT_FALSE(Has(doc, "/Subtype /Image")) << c.name;
    }
    // What is drawn after it keeps the first number.
    ImageObjects objects(DrawImages([&](PdfDraw& w) {
        w.DrawImageScaled(0, 0, 50, 50, Photo(4, 3), Rect(0, 0, 0, 0), Color());
        w.DrawImage(0, 0, Photo(2, 2));
    }));
    ASSERT_EQ(objects.numbers.size(), 1u);
    EXPECT_TRUE(Has(objects.Image(0).dict, "/Width 2 /Height 2 "));
}

TEST(PdfImages, TheSameImageDrawnTwiceIsWrittenTwice)
{
    Image img = Photo(3, 3);
    String doc = DrawImages([&](PdfDraw& w) {
        w.DrawImage(0, 0, img);
        w.DrawImage(100, 0, img);
    });
    ImageObjects objects(doc);
    ASSERT_EQ(objects.numbers.size(), 2u);
    EXPECT_NE(objects.numbers[0], objects.numbers[1]);
    EXPECT_EQ(objects.Image(0).data, objects.Image(1).data);
}

TEST(PdfImages, AColourPaintsTheImageShape)
{
    Image shape = MakeImage(2, 1, [](int x, int) { return MakeRGBA(10, 20, 30, x ? 255 : 0); });
    ImageObjects objects(DrawImages([&](PdfDraw& w) { w.DrawImage(0, 0, shape, Color(0, 0, 255)); }));
    EXPECT_EQ(objects.Image(0).data, std::string("\x00\x00\x00\x00\x00\xFF", 6));
}

TEST(PdfImages, PdfaCutsPartialAlphaIntoAStencilMask)
{
    Image img = MakeImage(4, 1, [](int x, int) { return MakeRGBA(255, 0, 255, 60 * x + 10); });
    ImageObjects objects(DrawImages([&](PdfDraw& w) { w.DrawImage(0, 0, img); }, true));
    EXPECT_FALSE(Has(objects.pdf.Text(), "/SMask"));
    int n = objects.numbers.at(0);
    EXPECT_TRUE(Has(objects.Image(0).dict, " /Mask " + std::to_string(n - 1) + " 0 R"));
    // Alphas 10, 70, 130, 190: the first two fall under half and are masked out.
    EXPECT_EQ(objects.pdf.Object(n - 1).data, "\xC0");
    // The pixels left visible keep their straight colour.
    ASSERT_EQ(objects.Image(0).data.size(), 12u);
    EXPECT_EQ(objects.Image(0).data.substr(6), std::string("\xFF\x00\xFF\xFF\x00\xFF", 6));
}

TEST(PdfImages, ToolsReadTheImagesBackAndRenderThem)
{
    SKIP_WITHOUT_TOOL("pdfimages");
    SKIP_WITHOUT_TOOL("pdftoppm");
    // Left half: a red/blue photograph; right half: a black-and-white image with a
    // transparent hole over a green background.
    Image photo = MakeImage(2, 2, [](int x, int) { return x ? MakeRGBA(0, 0, 255, 255) : MakeRGBA(255, 0, 0, 255); });
    Image holed = MakeImage(4, 4, [](int x, int y) {
        bool hole = (x == 1 || x == 2) && (y == 1 || y == 2);
        return hole ? MakeRGBA(0, 0, 0, 0) : MakeRGBA(0, 0, 0, 255);
    });
    Image soft = MakeImage(8, 8, [](int x, int) { return MakeRGBA(255, 255, 0, x == 7 ? 255 : x * 32); });
    String doc = DrawImages([&](PdfDraw& w) {
        w.DrawImage(0, 0, 600, 600, photo);
        w.DrawRect(600, 0, 600, 600, Color(0, 255, 0));
        w.DrawImage(600, 0, 600, 600, holed);
        w.DrawImage(0, 600, 600, 600, soft);
    });
    EXPECT_EQ(QpdfProblems(doc), "");

    TempFolder folder;
    WriteFile(folder.Path("images.pdf"), doc);
    ToolRun list = RunTool("pdfimages -list " + folder.Path("images.pdf"));
    ASSERT_EQ(list.status, 0) << list.output;
    const char* rows[] = { " image 2 2 rgb 3 8 ", " mask 4 4 - 1 1 ", " image 4 4 gray 1 1 ", " smask 8 8 gray 1 8 ",
                           " image 8 8 rgb 3 8 " };
    std::string squeezed;
    for(char ch : list.output)
        if(ch != ' ' || squeezed.empty() || squeezed.back() != ' ')
            squeezed += ch;
    for(const char* row : rows)
        EXPECT_TRUE(Has(squeezed, row)) << row << " in\n" << list.output;

    RenderedPage page = RenderFirstPage(doc);
    ASSERT_EQ(page.width, 144);
    const struct {
        int x, y;
        unsigned rgb;
        const char* what;
    } probes[] = {
        { 10, 10, 0xFF0000, "left of the photograph" },
        { 60, 60, 0x0000FF, "right of the photograph" },
        { 80, 5, 0x000000, "black frame" },
        { 108, 36, 0x00FF00, "through the hole" },
        { 2, 100, 0xFFFFFF, "transparent column" },
        { 70, 100, 0xFFFF00, "opaque end of the soft image" },
    };
    for(const auto& p : probes)
        EXPECT_EQ(page.Pixel(p.x, p.y), p.rgb) << p.what;
}

// Smooth 8-bit samples go out as row differences: smaller than deflating them as they are,
// and read back sample for sample by this reader and by the outside tools.
TEST(PdfImages, SmoothSamplesAreStoredAsRowDifferences)
{
    // Noise on a gradient, as in a photograph: the differences repeat where the values do not.
    unsigned seed = 7;
    auto noise = [&] {
        seed = seed * 1664525 + 1013904223;
        return int(seed >> 28);
    };
    Image photo = MakeImage(48, 48, [&](int x, int y) {
        return MakeRGBA(x * 4 + noise(), y * 5 + noise(), 255 - x * 3, x < 16 ? x * 16 : 255);
    });
    String doc = DrawImages([&](PdfDraw& w) { w.DrawImage(0, 0, 400, 400, photo); });
    ImageObjects objects(doc);
    ASSERT_EQ(objects.numbers.size(), 1u);
    const PdfObjectText& img = objects.Image(0);
    const PdfObjectText& alpha = objects.pdf.Object(objects.numbers[0] - 1);
    EXPECT_TRUE(Has(img.dict, "/DecodeParms << /Predictor 11 /Colors 3 /Columns 48 >>")) << img.dict;
    EXPECT_TRUE(Has(alpha.dict, "/DecodeParms << /Predictor 11 /Colors 1 /Columns 48 >>")) << alpha.dict;
    ASSERT_EQ(img.data.size(), 3u * 48 * 48);
    ASSERT_EQ(alpha.data.size(), 48u * 48);
    std::string plain = Std(CompressZlib(String(img.data.data(), int(img.data.size()))));
    EXPECT_LT(img.raw.size(), plain.size());
    PixelBuffer straight(photo);
    straight.Unmultiply();
    for(int y = 0; y < 48; y++)
        for(int x = 0; x < 48; x++) {
            RGBA p = straight[y][x];
            const char* s = img.data.data() + 3 * (48 * y + x);
            ASSERT_EQ(std::string(s, 3), std::string({ char(p.r), char(p.g), char(p.b) })) << x << ", " << y;
            ASSERT_EQ(byte(alpha.data[48 * y + x]), p.a) << x << ", " << y;
        }

    // pdfimages undoes the row differences itself: its samples are the image's.
    SKIP_WITHOUT_TOOL("pdfimages");
    TempFolder folder;
    WriteFile(folder.Path("photo.pdf"), doc);
    ToolRun run = RunTool("pdfimages " + folder.Path("photo.pdf") + " " + folder.Path("out"));
    ASSERT_EQ(run.status, 0) << run.output;
    std::ifstream in(folder.Path("out-000.ppm"), std::ios::binary);
    std::string magic;
    int cx = 0, cy = 0, max = 0;
    in >> magic >> cx >> cy >> max;
    in.get();
    ASSERT_EQ(magic + " " + std::to_string(cx) + " " + std::to_string(cy) + " " + std::to_string(max), "P6 48 48 255");
    std::string extracted(img.data.size(), '\0');
    in.read(extracted.data(), std::streamsize(extracted.size()));
    EXPECT_TRUE(extracted == img.data);
}
