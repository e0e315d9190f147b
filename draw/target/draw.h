// Draw: the abstract drawing target everything paints through. Its virtual operations
// keep a fixed order that every target and the drawing player rely on; callers reach them
// through the non-virtual entry points, several of which share the operation's name.
// A target that overrides an operation with entry-point overloads brings them back into
// scope with `using Draw::Name;`.
#pragma once

#include "draw/font/font.h"
#include "draw/image/image.h"
#include "draw/registrations.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/color.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"
#include "foundation/wstring.h"

namespace Qor {

class Drawing;
class Painting;
struct BorderTable;

class Draw {
public:
    // Bits of GetInfoFlags.
    enum : dword {
        DOTS = 0x01,             // the target works in dots, 600 per inch
        DRAW_IMAGE_BANDS = 0x04, // large images may be drawn in bands
        NATIVE = 0x08,           // coordinates need no conversion to the native resolution
        DATA_BANDS = 0x10,       // large data drawings render in bands of 32 lines
        DRAW_TEXT_LINES = 0x20,  // underline and strikeout are drawn as lines by the caller
    };

    // The reading state of one play of a recorded drawing (draw/recorded/drawing_player.h).
    class DrawingPos;

    Draw() = default;
    Draw(const Draw&) = delete;
    Draw& operator=(const Draw&) = delete;

    // The virtual operations, in this order.
    virtual dword GetInfoFlags() const = 0;
    virtual Size GetPageSize() const;
    virtual void StartPage();
    virtual void EndPage();
    virtual void Begin() = 0;
    virtual void End() = 0;
    virtual void Offset(Point p) = 0;
    virtual bool Clip(const Rect& r) = 0;
    virtual bool ClipOffset(const Rect& r) = 0;
    virtual bool ExcludeClip(const Rect& r) = 0;
    virtual bool IntersectClip(const Rect& r) = 0;
    virtual bool IsPainting(const Rect& r) const = 0;
    virtual Rect GetPaintRect() const;
    virtual void DrawRect(int x, int y, int cx, int cy, Color color) = 0;
    virtual void DrawWholeImage(int x, int y, const Image& img, Color color);
    virtual void DrawImagePart(int x, int y, const Image& img, const Rect& src, Color color);
    virtual void DrawImageScaled(int x, int y, int cx, int cy, const Image& img, const Rect& src, Color color);
    virtual void DrawData(int x, int y, int cx, int cy, const String& data, const char* type);
    virtual void DrawLine(int x1, int y1, int x2, int y2, int width, Color color) = 0;
    virtual void DrawPolyPolyline(const Point* vertices, int vertex_count, const int* counts, int count_count,
                                  int width, Color color, Color doxor) = 0;
    virtual void DrawPolyPolyPolygon(const Point* vertices, int vertex_count, const int* subpolygon_counts,
                                     int subpolygon_count_count, const int* disjunct_polygon_counts,
                                     int disjunct_polygon_count_count, Color fill, int outline_width,
                                     Color outline, uint64 pattern, Color doxor) = 0;
    virtual void DrawArc(const Rect& rc, Point start, Point end, int width, Color color) = 0;
    virtual void DrawEllipse(const Rect& r, Color fill, int pen_width, Color pen) = 0;
    // n characters whose glyphs are all in font; (x, y) is the top-left of the text cell,
    // angle in tenths of a degree counter-clockwise, dx (may be null) the advances.
    virtual void DrawTextRun(int x, int y, int angle, const wchar16* text, Font font, Color ink, int n,
                             const int* dx) = 0;
    virtual void DrawDrawing(const Rect& target, const Drawing& drawing);
    virtual void DrawPainting(const Rect& target, const Painting& painting);
    virtual Size GetNativeDpi() const;
    virtual void BeginNative();
    virtual void EndNative();
    virtual int GetClipDepth() const;
    virtual ~Draw() = default;

    // Entry points.
    bool IsDots() const { return GetInfoFlags() & DOTS; }

    void DrawRect(const Rect& r, Color color) { DrawRect(r.left, r.top, r.Width(), r.Height(), color); }

    void DrawImage(int x, int y, int cx, int cy, const Image& img);
    void DrawImage(const Rect& r, const Image& img) { DrawImage(r.left, r.top, r.Width(), r.Height(), img); }
    void DrawImage(int x, int y, const Image& img, const Rect& src);
    void DrawImage(int x, int y, const Image& img);
    // The image's shape painted in color; nothing for a Null colour.
    void DrawImage(int x, int y, const Image& img, Color color);

    void DrawData(const Rect& r, const String& data, const char* type)
    {
        DrawData(r.left, r.top, r.Width(), r.Height(), data, type);
    }

    void DrawDrawing(int x, int y, int cx, int cy, const Drawing& drawing)
    {
        DrawDrawing(Rect(x, y, x + cx, y + cy), drawing);
    }

    void DrawLine(Point p1, Point p2, int width, Color color) { DrawLine(p1.x, p1.y, p2.x, p2.y, width, color); }

    // Text with glyph fallback; (x, y) is the top-left corner of the text cell. n < 0
    // takes the text up to its terminating 0; dx, when given, replaces the advances.
    // 8-bit texts are in the default character set.
    void DrawText(int x, int y, const wchar16* text, Font font, Color ink, int n = -1, const int* dx = nullptr);
    void DrawText(int x, int y, const WString& text, Font font, Color ink, const int* dx = nullptr);
    void DrawText(int x, int y, const char* text, Font font, Color ink, int n = -1, const int* dx = nullptr);
    void DrawText(int x, int y, const String& text, Font font, Color ink, const int* dx = nullptr);
    // Rotated by angle tenths of a degree, counter-clockwise.
    void DrawText(int x, int y, int angle, const WString& text, Font font, Color ink, const int* dx = nullptr);

    void Offset(int x, int y) { Offset(Point(x, y)); }
    bool Clip(int x, int y, int cx, int cy) { return Clip(Rect(x, y, x + cx, y + cy)); }
    bool ClipOffset(int x, int y, int cx, int cy) { return ClipOffset(Rect(x, y, x + cx, y + cy)); }

    // When the target works in dots at a native resolution other than 600, scales (x, y)
    // to it.
    void DotsToNative(int& x, int& y) const;
    // Unless flags (the target's GetInfoFlags) say coordinates need no conversion, begins
    // native drawing and scales the position and size to it; true when EndNative is owed.
    bool BeginNativeArea(dword flags, int& x, int& y, int& cx, int& cy);
    // The image in column strips of at most 2000; on a dots target, runs of 16 or more
    // white columns become white rectangles.
    void DrawImageStrips(int x, int y, const Image& img);

    // Frames, borders, tiles and boxes (draw/utils/); an empty rectangle draws nothing.
    // One pixel wide, on the inside edge of r.
    void DrawFrame(const Rect& r, Color color);
    // width pixels inside r; a negative width lies that far outside it.
    void DrawThickFrame(const Rect& r, Color color, int width);
    // The rings of the table from the outside in, while they fit; nothing for a null table.
    void DrawBorder(int x, int y, int cx, int cy, const BorderTable* table);
    void DrawBorder(const Rect& r, const BorderTable* table);
    static void DrawBorder(Draw& w, int x, int y, int cx, int cy, const BorderTable* (*table)());
    // The image repeated from r's top-left corner, clipped to r.
    void DrawTiles(const Rect& r, const Image& img);
    // With outline, the image's shape in color one pixel off in the four directions; then
    // the image as is, or etched when as_is is false.
    void DrawImageWithOutline(int x, int y, const Image& img, bool outline, bool as_is, Color color);
    // One ring of r with its corners blended from the corner colours toward the sides; r
    // shrinks by 1 and the corner colours become those of the next ring inward.
    void DrawRoundedCorners(Rect& r, Color left, Color top, Color right, Color bottom, Color& top_left,
                            Color& top_right, Color& bottom_left, Color& bottom_right);
    // Style bits 0-3: kind 0..5 (others act as 0); 0x100 gradient left to right, 0x200
    // square frame, 0x400 and 0x800 colour variants. r becomes the area inside the frame.
    void DrawGradientBox(Rect& r, int style);
};

// Sine and cosine of an angle in tenths of a degree; the quarter turns are exact.
void ComputeAngleSinCos(int angle, double& sin, double& cos);

} // namespace Qor
