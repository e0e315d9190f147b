// PdfDraw text: codes and font instances, the text operators, and the fonts read back by poppler, qpdf and
// fontTools. Text is drawn in the drawing tests' private fonts.
#include "pdf/pdf_draw.h"

#include "draw/font/font_metrics.h"
#include "draw/image/pixel_buffer.h"
#include "draw/target/draw_hooks.h"
#include "foundation/numeric.h"
#include "pdf/glyph_bitmap.h"
#include "foundation/values/number_text.h"
#include "tests/draw/support/test_fonts.h"
#include "tests/pdf/pdf_reading.h"
#include "tests/pdf/support/subset_check.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

using namespace Qor;
using namespace Qor::test;

namespace {

Font Face(const char* name, int height) { return Font(FindFontFace(name), height); }

// Sans is DejaVu Sans, a TrueType file with a bold file of its own. Qor Latin has no bold or italic file; Qor
// Pair is a collection and Qor Missing has no file, so neither is embedded; the A of Qor Broken A cannot be
// subset.
Font Sans(int height = 100) { return Font(Font::SANSSERIF, height); }
Font Latin(int height = 100) { return Face("Qor Latin", height); }
Font Pair(int height = 100) { return Face("Qor Pair Serif", height); }
Font Missing(int height = 100) { return Face("Qor Missing", height); }
Font BrokenA(int height = 100) { return Face("Qor Broken A", height); }

void Text(PdfDraw& w, int x, int y, const std::u16string& s, Font font, int angle = 0, const int* dx = nullptr)
{
    w.DrawTextRun(x, y, angle, (const wchar16*)s.data(), font, Black(), int(s.size()), dx);
}

String Document(const std::function<void(PdfDraw&)>& draw, bool pdfa = false)
{
    PdfDraw w;
    w.Init(6000, 6000, 0, pdfa);
    draw(w);
    w.EndPage();
    return w.Finish();
}

std::string D(double x) { return Std(DoubleToText(x)); }

// The streams and dictionaries of the document whose text holds the piece, in number order.
std::vector<const PdfObjectText*> Objects(const PdfReading& pdf, const std::string& piece)
{
    std::vector<const PdfObjectText*> r;
    for(int n = 1; n <= pdf.GetCount(); n++)
        if(pdf.Object(n).dict.find(piece) != std::string::npos || pdf.Object(n).data.find(piece) != std::string::npos)
            r.push_back(&pdf.Object(n));
    return r;
}

// The characters the ToUnicode maps of the document give their codes, map by map, as four hexadecimal digits.
std::vector<std::vector<std::string>> UnicodeMaps(const PdfReading& pdf)
{
    std::vector<std::vector<std::string>> maps;
    std::regex entry("<([0-9a-f]{4})>\n");
    for(const PdfObjectText* o : Objects(pdf, "begincmap")) {
        std::vector<std::string> m;
        for(std::sregex_iterator i(o->data.begin() + o->data.find("[\n"), o->data.end(), entry), end; i != end; ++i)
            m.push_back((*i)[1].str());
        maps.push_back(m);
    }
    return maps;
}

// The X of every "Td" that starts a text object: the first character of each pass.
std::vector<std::string> PassStarts(const std::string& content)
{
    std::vector<std::string> r;
    std::regex start("BT (?:/F\\d+ [0-9.]+ Tf\n)?([-0-9.e]+) [-0-9.e]+ Td");
    for(std::sregex_iterator i(content.begin(), content.end(), start), end; i != end; ++i)
        r.push_back((*i)[1].str());
    return r;
}

TEST(PdfText, TwoLettersTakeCodesOneAndTwoAfterTheSpace)
{
    for(Font font : { Sans(), Pair() }) {
        PdfReading pdf(Document([&](PdfDraw& w) { Text(w, 100, 200, u"AB", font); }));
        double x = 0.12 * 100, y = 0.12 * (6000 - 200 - font.GetMetrics().ascent);
        // Each step is the advance in dots scaled once.
        double step = 0.12 * font.GetCharWidth('A');
        EXPECT_EQ(pdf.Object(1).data, "0 0 0 rg\n0 0 0 RG\nBT /F1 12 Tf\n" + D(x) + " " + D(y) + " Td <01> Tj\n" +
                                          D(step) + " 0 Td <02> Tj\nET\n")
            << font.GetFaceName().Begin();
        EXPECT_EQ(UnicodeMaps(pdf), (std::vector<std::vector<std::string>>{ { "0020", "0041", "0042" } }));
        ASSERT_EQ(Objects(pdf, "begincmap").size(), 1u);
        const std::string& cmap = Objects(pdf, "begincmap")[0]->data;
        EXPECT_NE(cmap.find("/CMapName /UCS0 def"), std::string::npos);
        EXPECT_NE(cmap.find("1 begincodespacerange\n<00> <02>\nendcodespacerange\n1 beginbfrange\n<00> <02>\n[\n"),
                  std::string::npos);
    }
}

TEST(PdfText, RepeatedCharactersKeepTheirCodes)
{
    PdfReading pdf(Document([&](PdfDraw& w) {
        Text(w, 100, 200, u"AB", Sans());
        Text(w, 100, 400, u"BAB", Sans(200)); // another size of a TrueType font: the same instance
    }));
    const std::string& content = pdf.Object(1).data;
    EXPECT_EQ(CountOf(content, "<01> Tj"), 2);
    EXPECT_EQ(CountOf(content, "<02> Tj"), 3);
    EXPECT_NE(content.find("/F1 12 Tf"), std::string::npos);
    EXPECT_NE(content.find("/F1 24 Tf"), std::string::npos);
    EXPECT_EQ(UnicodeMaps(pdf), (std::vector<std::vector<std::string>>{ { "0020", "0041", "0042" } }));
    EXPECT_EQ(Objects(pdf, "/FontFile2").size(), 1u);
}

TEST(PdfText, SizesOfAType3FontAreInstancesOfTheirOwn)
{
    PdfReading pdf(Document([&](PdfDraw& w) {
        Text(w, 100, 200, u"A", Pair());
        Text(w, 100, 400, u"A", Pair(200));
        Text(w, 100, 600, u"A", Pair());
    }));
    const std::string& content = pdf.Object(1).data;
    EXPECT_EQ(CountOf(content, "/F1 12 Tf"), 2);
    EXPECT_EQ(CountOf(content, "/F2 24 Tf"), 1);
    EXPECT_EQ(Objects(pdf, "/Subtype /Type3").size(), 2u);
}

TEST(PdfText, UnderlinedTextSharesTheInstanceAndTheDrawingLayerDrawsItsLine)
{
    PdfReading pdf(Document([&](PdfDraw& w) {
        w.DrawText(100, 200, "Hi", Pair(), Black());
        w.DrawText(100, 400, "Hi", Pair().Underline(), Black());
    }));
    const std::string& content = pdf.Object(1).data;
    EXPECT_EQ(CountOf(content, "/F1 12 Tf"), 1) << content;
    EXPECT_EQ(CountOf(content, "/F2"), 0) << content;
    EXPECT_EQ(CountOf(content, " l S\n"), 1) << content; // the underline
    EXPECT_EQ(UnicodeMaps(pdf), (std::vector<std::vector<std::string>>{ { "0020", "0048", "0069" } }));
}

TEST(PdfText, The241stCharacterStartsASecondInstance)
{
    std::u16string many;
    for(char16_t c = 0x100; c < 0x100 + 241; c++)
        many += c;
    PdfReading pdf(Document([&](PdfDraw& w) { Text(w, 100, 200, many, Sans()); }));
    const std::string& content = pdf.Object(1).data;
    EXPECT_NE(content.find("<f0> Tj\n"), std::string::npos);
    size_t second = content.find("/F2 12 Tf\n");
    ASSERT_NE(second, std::string::npos);
    size_t line = second + 10;
    std::string first_of_f2 = content.substr(line, content.find('\n', line) - line);
    EXPECT_EQ(first_of_f2.substr(first_of_f2.size() - 11), " Td <01> Tj") << first_of_f2;
    std::vector<std::vector<std::string>> maps = UnicodeMaps(pdf);
    ASSERT_EQ(maps.size(), 2u);
    EXPECT_EQ(maps[0].size(), 241u);
    EXPECT_EQ(maps[1], (std::vector<std::string>{ "0020", "01f0" }));
}

TEST(PdfText, MissingStylesAreImitated)
{
    int x = 100, y = 200;
    struct Case {
        const char* what;
        Font font;
        int angle;
        std::vector<int> passes; // offsets in dots of the passes
        std::string matrix;      // the a b c d of " Tm", empty for " Td"
    } cases[] = {
        { "bold at 100", Latin(100).Bold(), 0, { 0, 3 }, "" },
        { "bold at 29", Latin(29).Bold(), 0, { 0 }, "" },
        { "bold at 300", Latin(300).Bold(), 0, { 0, 5, 10 }, "" },
        { "bold file", Sans(100).Bold(), 0, { 0 }, "" },
        { "bold of a font not embedded", Pair(100).Bold(), 0, { 0 }, "" },
        { "italic", Latin(100).Italic(), 0, { 0 }, "1 0 0.165 1 " },
        { "a quarter turn", Sans(100), 900, { 0 }, "0 1 -1 0 " },
    };
    for(const Case& c : cases) {
        std::string content = PageContent([&](PdfDraw& w) { Text(w, x, y, u"A", c.font, c.angle); });
        int ascent = c.font.GetMetrics().ascent;
        EXPECT_EQ(CountOf(content, "BT "), int(c.passes.size())) << c.what;
        if(c.matrix.empty()) {
            std::vector<std::string> starts;
            for(int offset : c.passes)
                starts.push_back(D(0.12 * (x + offset)));
            EXPECT_EQ(PassStarts(content), starts) << c.what;
            continue;
        }
        double sin = c.angle ? 1 : 0, cos = c.angle ? 0 : 1;
        std::string X = D(0.12 * (x + RoundToInt(ascent * sin))), Y = D(0.12 * (6000 - y - RoundToInt(ascent * cos)));
        EXPECT_NE(content.find(c.matrix + X + " " + Y + " Tm <01> Tj\n"), std::string::npos) << c.what << content;
    }
}

TEST(PdfText, HeightsAndAdvances)
{
    const int dx[] = { 500, 70 };
    const int dx59[] = { 59, 70 };
    struct Case {
        const char* what;
        Font font;
        const int* dx;
        std::string size; // of " Tf"
        int advance;      // from A to B, in dots
    } cases[] = {
        { "height 0 is 100", Sans(0), nullptr, "12", Sans(100).GetCharWidth('A') },
        { "a negative height counts as positive", Sans(-200), nullptr, "24", Sans(200).GetCharWidth('A') },
        { "advances given", Sans(100), dx, "12", 500 },
        // 0.12 * 159 - 0.12 * 100 would write 7.079999999999998.
        { "a step carries no rounding noise", Sans(100), dx59, "12", 59 },
    };
    for(const Case& c : cases) {
        std::string content = PageContent([&](PdfDraw& w) { Text(w, 100, 200, u"AB", c.font, 0, c.dx); });
        EXPECT_NE(content.find("/F1 " + c.size + " Tf\n"), std::string::npos) << c.what;
        std::string second = D(0.12 * c.advance) + " 0 Td <02> Tj";
        EXPECT_NE(content.find(second), std::string::npos) << c.what << ": " << content;
    }
    EXPECT_EQ(PageContent([&](PdfDraw& w) { Text(w, 100, 200, u"", Sans()); }), "");
}

TEST(PdfText, SubsetNamesStayUniqueBeyondTwentySixInstances)
{
    std::u16string many;
    for(char16_t c = 0x100; c < 0x100 + 27 * 240; c++)
        many += c;
    PdfReading pdf(Document([&](PdfDraw& w) { Text(w, 100, 200, many, Sans(20)); }));
    std::set<std::string> names;
    std::regex base_font("/BaseFont /([A-Z]{6})\\+DejaVuSans\n");
    std::smatch m;
    for(const PdfObjectText* o : Objects(pdf, "/Subtype /TrueType"))
        if(std::regex_search(o->dict, m, base_font))
            names.insert(m[1].str());
    EXPECT_EQ(names.size(), 27u);
    EXPECT_TRUE(names.count("AAAAAA") && names.count("BAAAAA") && names.count("ABAAAA"));
}

// A name holds no space, parenthesis or "#" as it is: such bytes go as "#" and two hexadecimal
// digits.
TEST(PdfText, FontNamesEscapeWhatANameCannotHold)
{
    PdfReading pdf(Document([&](PdfDraw& w) { Text(w, 100, 200, u"A", Face("Qor Slant", 100)); }));
    std::vector<const PdfObjectText*> fonts = Objects(pdf, "/Subtype /TrueType");
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_TRUE(std::regex_search(fonts[0]->dict, std::regex("/BaseFont /[A-Z]{6}\\+Qor#20Slant#28Book#29\n")))
        << fonts[0]->dict;
}

struct Written {
    const char* what;
    Font font;
    std::u16string text;
    const char* type; // as pdffonts lists it
    const char* file; // of the test fonts, for a TrueType font
};

// One font per line: what pdffonts, pdftotext, qpdf and fontTools read back.
TEST(PdfText, ToolsReadBackFontsAndText)
{
    Written fonts[] = {
        { "embedded", Sans(), u"Sphinx of black quartz", "TrueType", "DejaVuSans.ttf" },
        { "embedded bold", Sans().Bold(), u"judge my vow", "TrueType", "DejaVuSans-Bold.ttf" },
        { "imitated italic", Latin().Italic(), u"\u00C9t\u00E9 na\u00EFf", "TrueType", "QorLatin.ttf" },
        { "collection", Pair(), u"Pack my box", "Type 3", nullptr },
        { "no file", Missing(), u"quiz", "Type 3", nullptr },
        { "subset fails", BrokenA(), u"A dozen", "Type 3", nullptr },
    };
    auto draw = [&](PdfDraw& w) {
        int y = 200;
        for(const Written& f : fonts) {
            Text(w, 200, y, f.text, f.font);
            y += 200;
        }
    };
    String document = Document(draw);
    EXPECT_EQ(QpdfProblems(Document(draw, true)), "") << "PDF/A";
    ASSERT_FALSE(document.IsEmpty());
    EXPECT_EQ(QpdfProblems(document), "");
    TempFolder folder;
    std::string path = folder.Path("text.pdf");
    WriteFile(path, document);

    ToolRun listed = RunTool("pdffonts " + path);
    ASSERT_EQ(listed.status, 0) << listed.output;
    std::vector<std::string> lines;
    for(size_t at = 0, end; (end = listed.output.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(listed.output.substr(at, end - at));
    ASSERT_EQ(lines.size(), 2 + std::size(fonts)) << listed.output;
    for(size_t i = 0; i < std::size(fonts); i++) {
        const std::string& line = lines[2 + i];
        EXPECT_NE(line.find(fonts[i].type), std::string::npos) << fonts[i].what << ": " << line;
        std::string embedded = fonts[i].file ? "yes yes yes" : "yes no  yes"; // emb sub uni
        EXPECT_NE(line.find(embedded), std::string::npos) << fonts[i].what << ": " << line;
    }

    ToolRun text = RunTool("pdftotext -layout " + path + " -");
    ASSERT_EQ(text.status, 0) << text.output;
    for(const Written& f : fonts) {
        std::string utf8;
        for(char16_t c : f.text) // the texts keep to two-byte UTF-8
            utf8 += c < 0x80 ? std::string(1, char(c)) : std::string{ char(0xC0 | c >> 6), char(0x80 | (c & 63)) };
        EXPECT_NE(text.output.find(utf8), std::string::npos) << f.what << ": " << text.output;
    }

    PdfReading pdf(document);
    std::vector<const PdfObjectText*> files = Objects(pdf, "/Length1");
    std::vector<const PdfObjectText*> subsets;
    for(const PdfObjectText* o : files)
        if(o->data.compare(0, 4, std::string("\0\1\0\0", 4)) == 0)
            subsets.push_back(o);
    ASSERT_EQ(subsets.size(), 3u);
    std::vector<std::vector<std::string>> maps = UnicodeMaps(pdf);
    for(size_t i = 0; i < subsets.size(); i++) {
        std::u16string chars;
        for(const std::string& hex : maps[i])
            chars += char16_t(std::stoi(hex, nullptr, 16));
        ToolRun check = FontToolsCheck(subsets[i]->data, TestFontFolder() + "/" + fonts[i].file, 0, chars);
        EXPECT_EQ(check.status, 0) << fonts[i].what << ": " << check.output;
    }
}

TEST(PdfText, EmbeddedGlyphsRender)
{
    // An H an inch high at an inch from the corner; at 72 pixels per inch its stems cover pixels 72 to 144 down.
    String document = Document([&](PdfDraw& w) { Text(w, 600, 600, u"HH", Sans(600)); });
    RenderedPage page = RenderFirstPage(document);
    ASSERT_GT(page.width, 300);
    int dark_in_text = 0, dark_elsewhere = 0;
    for(int y = 0; y < page.height; y++)
        for(int x = 0; x < page.width; x++)
            if(page.Pixel(x, y) == 0)
                (y >= 72 && y < 160 && x >= 72 && x < 260 ? dark_in_text : dark_elsewhere)++;
    EXPECT_GT(dark_in_text, 500);
    EXPECT_EQ(dark_elsewhere, 0);
}

// A stand-in for the glyph renderer of the window system: every glyph a black box filling its bitmap.
Image BlackBox(int cx, int, Font, int, int, int cy)
{
    PixelBuffer b(cx, cy);
    FillPixels(b.Begin(), MakeRGBA(0, 0, 0, 255), int(b.GetLength()));
    return Image(std::move(b));
}

TEST(PdfText, GlyphBitmapsHoldEveryRow)
{
    auto* renderer = GlyphToImageHook;
    struct Case {
        const char* what;
        Image (*hook)(int, int, Font, int, int, int);
        Font font;
        int ch;
        int fill; // every byte of the rows
    } cases[] = {
        { "black boxes", BlackBox, Pair(100), 'M', 0x00 },
        { "tall glyphs come in bands", BlackBox, Pair(600), 'W', 0x00 },
        { "no renderer leaves the rows white", nullptr, Pair(100), 'M', 0xFF },
        { "a font without a file", BlackBox, Missing(100), 'M', 0x00 },
    };
    for(const Case& c : cases) {
        SetGlyphToImageHook(c.hook);
        GlyphBitmap g = RenderGlyphBitmap(c.font, c.ch);
        SetGlyphToImageHook(renderer);
        EXPECT_EQ(g.cx, c.font.GetCharWidth(c.ch)) << c.what; // no negative bearings in these glyphs
        EXPECT_EQ(g.cy, c.font.GetMetrics().height) << c.what;
        EXPECT_EQ(g.x0, 0) << c.what;
        ASSERT_EQ(g.data.GetLength(), g.cy * ((g.cx + 7) / 8)) << c.what;
        int row = (g.cx + 7) / 8, wrong = 0;
        for(int y = 0; y < g.cy; y++)
            for(int i = 0; i < g.cx / 8; i++) // whole bytes: the padding bits are not the glyph's
                wrong += g.data[y * row + i] != c.fill;
        EXPECT_EQ(wrong, 0) << c.what;
    }
}

TEST(PdfText, Type3GlyphsKeepTheirDrawnSize)
{
    auto* renderer = GlyphToImageHook;
    SetGlyphToImageHook(BlackBox);
    // One glyph a line of the font high at an inch from the top; at 72 pixels per inch a dot is 0.12 pixels.
    Font font = Pair(600);
    String document = Document([&](PdfDraw& w) { Text(w, 600, 600, u"M", font); });
    SetGlyphToImageHook(renderer);
    RenderedPage page = RenderFirstPage(document);
    int top = -1, bottom = -1, left = -1, right = -1;
    for(int y = 0; y < page.height; y++)
        for(int x = 0; x < page.width; x++)
            if(page.Pixel(x, y) == 0) {
                top = top < 0 ? y : top;
                bottom = y;
                left = left < 0 || x < left ? x : left;
                right = std::max(right, x);
            }
    const FontMetrics& m = font.GetMetrics();
    EXPECT_NEAR(top, 72, 1);
    EXPECT_NEAR(bottom - top + 1, 0.12 * m.height, 1.5);
    EXPECT_NEAR(left, 72, 1);
    EXPECT_NEAR(right - left + 1, 0.12 * font.GetCharWidth('M'), 1.5);
}

} // namespace

namespace {

// A dictionary holds each key once; a Type 3 font names its range of codes (the space and
// the two letters) a single time.
TEST(PdfText, Type3FontsNameEachKeyOnce)
{
    PdfReading pdf(Document([&](PdfDraw& w) { Text(w, 100, 200, u"AB", Pair()); }));
    std::vector<const PdfObjectText*> fonts = Objects(pdf, "/Subtype /Type3");
    ASSERT_EQ(fonts.size(), 1u);
    for(const char* key : { "/FirstChar ", "/LastChar ", "/Widths ", "/ToUnicode ", "/Resources " })
        EXPECT_EQ(CountOf(fonts[0]->dict + fonts[0]->data, key), 1) << key << " in " << fonts[0]->dict;
    EXPECT_TRUE(Has(fonts[0]->dict + fonts[0]->data, "/FirstChar 0\n/LastChar 2\n"));
}

} // namespace
