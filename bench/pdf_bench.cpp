// Writing a 100-page PDF document of text in two fonts, shapes and ten images into memory:
// PdfDraw against cairo's PDF surface drawing the same content from the same font files.
// The "bytes" counter is the file size.

#include "draw/draw.h"
#include "draw/font/font_metrics.h"
#include "pdf/pdf.h"

#include <benchmark/benchmark.h>
#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace Qor;

constexpr int PAGES = 100;
constexpr int IMAGES = 10;
// A4 in dots at 600 per inch; cairo works in points, 0.12 of a dot.
constexpr int PAGE_CX = 4960;
constexpr int PAGE_CY = 7016;
constexpr double POINT = 0.12;

struct Shape {
    enum Kind { RECT, LINE, ELLIPSE, POLYGON, IMAGE, TEXT } kind;
    Rect r;
    Color color;
    int width = 0;
    int image = 0; // for TEXT: the font, 0 sans-serif, 1 serif
    std::string text = {};
};

constexpr int TEXT_HEIGHT = 100;
constexpr int TEXT_LINES = 30;

Font TextFont(int which) { return Font(which ? Font::SERIF : Font::SANSSERIF, TEXT_HEIGHT); }

// A line of words picked from a small vocabulary, so that the fonts need a few dozen glyphs.
std::string TextLine(unsigned& seed, int page, int line)
{
    static const char* words[] = { "quick", "brown",  "fox",   "jumps", "over",    "the",    "lazy", "dog",    "Pack",
                                   "my",    "box",    "with",  "five",  "dozen",   "liquor", "jugs", "Sphinx", "of",
                                   "black", "quartz", "judge", "vow",   "(12.5%)", "3,470",  "page" };
    std::string s = std::to_string(page + 1) + "." + std::to_string(line + 1);
    while(s.size() < 70) {
        seed = seed * 1103515245 + 12345;
        s += " ";
        s += words[(seed >> 16) % (sizeof(words) / sizeof(*words))];
    }
    return s;
}

// The same deterministic content for both sides: per page a grid of filled rectangles,
// lines of several widths, ellipses, a polygon with a hole and thirty lines of text, the
// fonts taking turns; every tenth page one of the ten images.
std::vector<std::vector<Shape>> MakeContent()
{
    std::vector<std::vector<Shape>> pages(PAGES);
    unsigned seed = 12345;
    auto next = [&](int n) {
        seed = seed * 1103515245 + 12345;
        return int((seed >> 16) % unsigned(n));
    };
    for(int p = 0; p < PAGES; p++) {
        std::vector<Shape>& s = pages[p];
        for(int i = 0; i < 40; i++) {
            int x = 200 + (i % 8) * 560;
            int y = 300 + (i / 8) * 400;
            s.push_back({ Shape::RECT, Rect(x, y, x + 500, y + 300), Color(next(256), next(256), next(256)) });
        }
        for(int i = 0; i < 20; i++) {
            int y = 2500 + i * 60;
            s.push_back({ Shape::LINE, Rect(200, y, 4700, y + next(40)), Color(0, 0, next(256)), 1 + i % 5 });
        }
        for(int i = 0; i < 6; i++) {
            int x = 200 + i * 760;
            s.push_back({ Shape::ELLIPSE, Rect(x, 3900, x + 600, 4300 + next(300)), Color(next(256), 128, 0) });
        }
        s.push_back({ Shape::POLYGON, Rect(400, 4800, 2400, 6400), Color(0, 160, 80) });
        for(int i = 0; i < TEXT_LINES; i++) {
            int y = 150 + i * 225;
            s.push_back({ Shape::TEXT, Rect(150, y, 150, y), Color(next(128), 0, 0), 0, i % 2, TextLine(seed, p, i) });
        }
        if(p % (PAGES / IMAGES) == 0)
            s.push_back({ Shape::IMAGE, Rect(2700, 4800, 4700, 6800), Color(), 0, p / (PAGES / IMAGES) });
    }
    return pages;
}

// 256 x 256 photographs: smooth gradients with a little noise, the odd ones with an
// alpha ramp at the edge.
std::vector<Image> MakeImages()
{
    std::vector<Image> images;
    unsigned seed = 99;
    for(int i = 0; i < IMAGES; i++) {
        PixelBuffer b(256, 256);
        for(int y = 0; y < 256; y++)
            for(int x = 0; x < 256; x++) {
                seed = seed * 1664525 + 1013904223;
                int noise = int(seed >> 28);
                int a = (i & 1) && x < 32 ? x * 8 : 255;
                b[y][x] = MakeRGBA((x + i * 20 + noise) & 255, (y + noise) & 255, (x + y) / 2, a);
            }
        PremultiplyPixels(b.Begin(), b.Begin(), int(b.GetLength()));
        images.push_back(Image(b));
    }
    return images;
}

struct Content {
    std::vector<std::vector<Shape>> pages = MakeContent();
    std::vector<Image> images = MakeImages();
};

const Content& GetContent()
{
    static Content content;
    return content;
}

// The polygon: the rectangle with a hole of half its size in the middle.
void HoledSquare(const Rect& r, Point* p)
{
    int w = r.Width() / 4;
    int h = r.Height() / 4;
    p[0] = Point(r.left, r.top);
    p[1] = Point(r.right, r.top);
    p[2] = Point(r.right, r.bottom);
    p[3] = Point(r.left, r.bottom);
    p[4] = Point(r.left + w, r.top + h);
    p[5] = Point(r.right - w, r.top + h);
    p[6] = Point(r.right - w, r.bottom - h);
    p[7] = Point(r.left + w, r.bottom - h);
}

String WriteWithPdfDraw(const Content& content)
{
    PdfDraw w;
    w.Init(PAGE_CX, PAGE_CY);
    for(const std::vector<Shape>& page : content.pages) {
        w.StartPage();
        for(const Shape& s : page)
            switch(s.kind) {
            case Shape::RECT:
                w.DrawRect(s.r, s.color);
                break;
            case Shape::LINE:
                w.DrawLine(s.r.left, s.r.top, s.r.right, s.r.bottom, s.width, s.color);
                break;
            case Shape::ELLIPSE:
                w.DrawEllipse(s.r, s.color, 0, Color());
                break;
            case Shape::POLYGON: {
                Point p[8];
                HoledSquare(s.r, p);
                const int sub[] = { 4, 4 };
                const int poly[] = { 8 };
                w.DrawPolyPolyPolygon(p, 8, sub, 2, poly, 1, s.color, 0, Color(), 0, Color());
                break;
            }
            case Shape::IMAGE:
                w.DrawImage(s.r, content.images[s.image]);
                break;
            case Shape::TEXT:
                w.DrawText(s.r.left, s.r.top, s.text.c_str(), TextFont(s.image), s.color);
                break;
            }
        w.EndPage();
    }
    return w.Finish();
}

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append((const char*)data, length);
    return CAIRO_STATUS_SUCCESS;
}

void SetColor(cairo_t* cr, Color c) { cairo_set_source_rgb(cr, c.GetR() / 255.0, c.GetG() / 255.0, c.GetB() / 255.0); }

// The font file our side draws with, as a cairo face.
cairo_font_face_t* CairoFace(int which)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FILE, (const FcChar8*)TextFont(which).GetMetrics().path);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    return face;
}

std::string WriteWithCairo(const Content& content)
{
    std::string out;
    static cairo_font_face_t* faces[2] = { CairoFace(0), CairoFace(1) };
    cairo_surface_t* surface =
        cairo_pdf_surface_create_for_stream(AppendToString, &out, PAGE_CX * POINT, PAGE_CY * POINT);
    cairo_t* cr = cairo_create(surface);
    // Pixel data in the layout both sides share: premultiplied blue, green, red, alpha.
    std::vector<cairo_surface_t*> images;
    for(const Image& img : content.images)
        images.push_back(cairo_image_surface_create_for_data((unsigned char*)img.GetPixels(), CAIRO_FORMAT_ARGB32,
                                                             img.GetWidth(), img.GetHeight(), 4 * img.GetWidth()));
    cairo_scale(cr, POINT, POINT);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for(const std::vector<Shape>& page : content.pages) {
        for(const Shape& s : page)
            switch(s.kind) {
            case Shape::RECT:
                SetColor(cr, s.color);
                cairo_rectangle(cr, s.r.left, s.r.top, s.r.Width(), s.r.Height());
                cairo_fill(cr);
                break;
            case Shape::LINE:
                SetColor(cr, s.color);
                cairo_set_line_width(cr, std::max(s.width, 1));
                cairo_move_to(cr, s.r.left, s.r.top);
                cairo_line_to(cr, s.r.right, s.r.bottom);
                cairo_stroke(cr);
                break;
            case Shape::ELLIPSE:
                SetColor(cr, s.color);
                cairo_save(cr);
                cairo_translate(cr, (s.r.left + s.r.right) / 2.0, (s.r.top + s.r.bottom) / 2.0);
                cairo_scale(cr, s.r.Width() / 2.0, s.r.Height() / 2.0);
                cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
                cairo_restore(cr);
                cairo_fill(cr);
                break;
            case Shape::POLYGON: {
                Point p[8];
                HoledSquare(s.r, p);
                SetColor(cr, s.color);
                cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
                for(int k = 0; k < 8; k++) {
                    if(k % 4 == 0)
                        cairo_move_to(cr, p[k].x, p[k].y);
                    else
                        cairo_line_to(cr, p[k].x, p[k].y);
                    if(k % 4 == 3)
                        cairo_close_path(cr);
                }
                cairo_fill(cr);
                break;
            }
            case Shape::IMAGE: {
                const Image& img = content.images[s.image];
                cairo_save(cr);
                cairo_translate(cr, s.r.left, s.r.top);
                cairo_scale(cr, double(s.r.Width()) / img.GetWidth(), double(s.r.Height()) / img.GetHeight());
                cairo_set_source_surface(cr, images[s.image], 0, 0);
                cairo_paint(cr);
                cairo_restore(cr);
                break;
            }
            case Shape::TEXT: {
                // Our side places the top of the text cell; cairo the baseline.
                SetColor(cr, s.color);
                cairo_set_font_face(cr, faces[s.image]);
                cairo_set_font_size(cr, TEXT_HEIGHT);
                cairo_move_to(cr, s.r.left, s.r.top + TextFont(s.image).GetMetrics().ascent);
                cairo_show_text(cr, s.text.c_str());
                break;
            }
            }
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
    for(cairo_surface_t* s : images)
        cairo_surface_destroy(s);
    return out;
}

void BM_PdfDraw(benchmark::State& state)
{
    const Content& content = GetContent();
    size_t bytes = 0;
    for(auto _ : state) {
        String doc = WriteWithPdfDraw(content);
        bytes = size_t(doc.GetLength());
        benchmark::DoNotOptimize(doc.Begin());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_PdfDraw)->Unit(benchmark::kMillisecond);

void BM_Cairo(benchmark::State& state)
{
    const Content& content = GetContent();
    size_t bytes = 0;
    for(auto _ : state) {
        std::string doc = WriteWithCairo(content);
        bytes = doc.size();
        benchmark::DoNotOptimize(doc.data());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_Cairo)->Unit(benchmark::kMillisecond);

} // namespace
