// PdfDraw: a Draw that writes its pages as a PDF 1.3 document held in memory, and
// DrawingToPdf, the converter of recorded pages the drawing layer reaches it through.
#pragma once

#include "draw/draw.h"
#include "foundation/key_index.h"
#include "foundation/key_map.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "pdf/pdf_buffer.h"
#include "pdf/pdf_deflate.h"
#include "pdf/registrations.h"

namespace Qor {

// Whether a font's file can be embedded as TrueType, and which styles its file lacks.
struct TrueTypeInfo {
    bool isTrueType = false;
    bool synthesizeItalic = false;
    bool synthesizeBold = false;
};

// Coordinates are dots at 600 per inch from the page's top-left corner. Use: Init, then
// per page StartPage, drawing, EndPage, and one Finish that returns the document.
class PdfDraw : public Draw {
public:
    PdfDraw() = default;
    ~PdfDraw() override = default;

    // Starts a document of pages (cx + margin) x (cy + margin) dots and its first page;
    // with pdfa the document also carries what PDF/A-1b asks for. Whatever an earlier
    // document left is dropped, so a reused PdfDraw writes what a fresh one would.
    void Init(int cx, int cy, int margin = 0, bool pdfa = false);
    // Ends an unended page that has something drawn on it, completes the document and
    // returns its bytes. A font that can no longer be embedded as TrueType is written as a
    // Type 3 font instead.
    String Finish();

    // Begins the next object and returns its number; the caller writes the body and
    // "endobj\n\n".
    int BeginObj();
    // data as a stream object whose dictionary starts with dict; compressed when that
    // makes it shorter and compress is set. Returns the object number.
    int PutStream(const String& data, const String& dict = String(), bool compress = true);
    int PutStream(const char* data, int n, const String& dict, bool compress = true);

    // The last written graphics state lets repeated colours and widths be skipped.
    void SetFillColor(Color c) { SetFillPattern(c, 0); }
    // pattern 0 is a plain fill; any other is an 8 x 8 hatch in the colour.
    void SetFillPattern(Color c, uint64 pattern);
    void SetStrokeColor(Color c);
    void SetLineWidth(int width);
    // The rectangle as a path in page space.
    void PutRect(const Rect& r);

    // Selects /F(instance + 1) at height dots unless it is selected already.
    void SetFont(int instance, double height);
    // Whether the font's file is embeddable TrueType and which of the font's styles it lacks; cached.
    TrueTypeInfo GetTrueTypeInfo(Font font);
    // The font instance of the character in the lower 16 bits and its one-byte code in the upper 16; a new
    // character takes the next code of the key's last instance, or starts an instance when that one is full.
    int GetCharCode(Font key, int ch);

    // The Draw operations.
    dword GetInfoFlags() const override;
    Size GetPageSize() const override;
    void StartPage() override;
    void EndPage() override;
    void Begin() override;
    void End() override;
    void Offset(Point p) override;
    bool Clip(const Rect& r) override;
    bool ClipOffset(const Rect& r) override;
    bool ExcludeClip(const Rect& r) override;
    bool IntersectClip(const Rect& r) override;
    bool IsPainting(const Rect& r) const override;
    void DrawRect(int x, int y, int cx, int cy, Color color) override;
    void DrawImageScaled(int x, int y, int cx, int cy, const Image& img, const Rect& src, Color color) override;
    void DrawLine(int x1, int y1, int x2, int y2, int width, Color color) override;
    void DrawPolyPolyline(const Point* vertices, int vertex_count, const int* counts, int count_count, int width,
                          Color color, Color doxor) override;
    void DrawPolyPolyPolygon(const Point* vertices, int vertex_count, const int* subpolygon_counts,
                             int subpolygon_count_count, const int* disjunct_polygon_counts,
                             int disjunct_polygon_count_count, Color fill, int outline_width, Color outline,
                             uint64 pattern, Color doxor) override;
    void DrawArc(const Rect& rc, Point start, Point end, int width, Color color) override;
    void DrawEllipse(const Rect& r, Color fill, int pen_width, Color pen) override;
    void DrawTextRun(int x, int y, int angle, const wchar16* text, Font font, Color ink, int n, const int* dx) override;

    using Draw::Clip;
    using Draw::ClipOffset;
    using Draw::DrawLine;
    using Draw::DrawRect;
    using Draw::Offset;

private:
    KeyMap<Font, TrueTypeInfo> fontInfo;
    Vector<Font> fonts;                           // instance i is the PDF font /F(i + 1)
    Vector<Vector<wchar16>> instanceChars;        // each instance's characters in code order
    KeyMap<Font, KeyMap<wchar16, int>> charCodes; // instance | code << 16 of each character
    Vector<Image> images;
    Vector<Rect> imageRects;
    KeyIndex<uint64> patterns;
    Vector<int> offsets; // object n starts at offsets[n - 1]
    TextBuffer out;      // the document: the finished String takes it over without a copy
    PdfBuffer page;
    int pageSetup = 0;    // the bytes StartPage put on the page: a page of no more has nothing drawn
    PdfBuffer scratch;    // the data of the stream being made: an image, a mask, a glyph
    PdfBuffer predicted;  // 8-bit image samples as row differences
    Vector<int> runCodes; // the codes of the text run being drawn
    PdfDeflater deflater;
    // Row differences deflate nearly as small at a low level, in a quarter of the time.
    PdfDeflater sampleDeflater{ 3 };
    KeyMap<String, String> fontFiles; // the font files read, by path: each is read once per document
    Size pageSize = Size(0, 0);
    Color fillColor; // Null when unset: a Null colour is always written again
    Color strokeColor;
    int currentFont = -1;
    double fontHeight = DOUBLE_NULL;
    double lineWidth = -1.0;
    int margin = 0;
    uint64 currentPattern = 0;
    bool pdfa = false;

    void ResetState();
    // GetCharCode with the key's code map at hand; key has no underline.
    int GetCharCode(KeyMap<wchar16, int>& codes, Font key, int ch);
    // The content of the font's file; void when it cannot be read.
    String GetFontFile(Font font);
    // The box (x, y, cx, cy) in dots as a path in page space.
    void PutBox(double x, double y, double cx, double cy);
    double PageY(double y) const { return (pageSize.cy - y) * 0.12; }
    // Sets the fill (pattern ~0 fills nothing) and the outline of a shape and returns the
    // operator that paints its path, even-odd or nonzero; null when it is neither filled
    // nor outlined.
    const char* SetShapePaint(Color fill, uint64 pattern, Color outline, int outline_width, bool even_odd);
    // The n points (n >= 1) as one open subpath in page space.
    void PutSubpath(const Point* p, int n);

    // Objects written by Finish, each returning its object number(s).
    Vector<int> PutImages();
    int PutImage(const Image& img, const Rect& src);
    // The 8-bit samples in scratch, rows of columns pixels of colors bytes, as an image
    // stream whose rows are deflated as differences from the pixel before.
    int PutSamples(const String& dict, int columns, int colors);
    // The deflated data of length1 bytes as a stream object: the dictionary starts with dict
    // and gives the decode parms when there are any.
    int PutDeflated(const String& dict, const PdfDeflater& deflated, int length1, const String& parms);
    // The pattern colour space's number, or 0 when no pattern was used.
    int PutPatterns(Vector<int>& pattern_objects);
    // The font objects of every instance, in instance order.
    void PutFonts(Vector<int>& font_objects);
    int PutToUnicode(int instance);
    // 0 when the font's file no longer opens or subsets, which leaves the instance to a Type 3 font.
    int PutTrueTypeFont(int instance, int to_unicode);
    int PutType3Font(int instance, Font font, int to_unicode);
    // The colour space object standing for sRGB.
    int PutColorProfile();
    int PutMetadata();
};

// The colour's red, green and blue as fractions with at most three decimals ("1 0.502 0");
// Null gives black.
String FormatPdfColor(Color c);

// Pages of recorded drawings, each placed at (margin, margin) on a page of page_size
// grown by the margin on all sides, as a PDF document.
String DrawingToPdf(const Vector<Drawing>& pages, Size page_size, int margin, bool pdfa);
// Installs DrawingToPdf as the drawing layer's PDF converter; called at start-up.
void RegisterDrawingToPdf();

} // namespace Qor
