// SystemDraw: the Draw on an X drawable (window, pixmap or root window), drawing with
// Xlib, Xft and Xrender through the one display connection; and BackDraw, the off-screen
// pixmap a repaint is painted into before it is copied to the window in one request.
#pragma once

#include "ctrl/x11/display/x11_display.h"
#include "draw/draw.h"

#include "ctrl/x11/display/xlib.h"

typedef struct _XftDraw XftDraw;

namespace Qor {

// Pen width codes of the line operations beyond plain widths: dashed styles.
enum : int {
    PEN_DASH = -3,
    PEN_DOT = -4,
    PEN_DASHDOT = -5,
    PEN_DASHDOTDOT = -6,
};

// DrawRect with this colour inverts the destination instead of filling it.
inline constexpr Color InvertColor() { return Color::FromBits(0x800000ff); }

// Sets one clip list (in drawable coordinates) on the GC and on the Xft drawable (when
// given); an empty list clips everything away.
void SetXClipRectangles(GC gc, XftDraw* xftdraw, const Vector<Rect>& clip);

class SystemDraw : public Draw {
public:
    SystemDraw();
    // Draws on dw through gc and xftdraw (not owned) within clip, in drawable coordinates.
    SystemDraw(Drawable dw, GC gc, XftDraw* xftdraw, const Vector<Rect>& clip);
    ~SystemDraw() override = default;

    // A fresh state: the clip as the only clip list, the origin at offset.
    void Init(const Vector<Rect>& clip, Point offset = Point(0, 0));
    // The bounding box of the current clip, in current coordinates; empty when nothing is
    // visible.
    Rect GetClip() const;

    Drawable GetDrawable() const { return drawable; }
    GC GetGC() const { return gc; }
    XftDraw* GetXftDraw() const { return xftdraw; }
    Point GetOffset() const { return offset; }

    dword GetInfoFlags() const override { return 0; }
    Size GetPageSize() const override { return page_size; }
    void Begin() override;
    void End() override;
    void Offset(Point p) override;
    bool Clip(const Rect& r) override;
    bool ClipOffset(const Rect& r) override;
    bool ExcludeClip(const Rect& r) override;
    bool IntersectClip(const Rect& r) override;
    bool IsPainting(const Rect& r) const override;
    Rect GetPaintRect() const override { return paint_area; }
    void DrawRect(int x, int y, int cx, int cy, Color color) override;
    void DrawImagePart(int x, int y, const Image& img, const Rect& src, Color color) override;
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
    Size GetNativeDpi() const override { return Size(96, 96); }
    void BeginNative() override {}
    void EndNative() override {}
    int GetClipDepth() const override { return states.GetCount(); }

    using Draw::Clip;
    using Draw::ClipOffset;
    using Draw::DrawLine;
    using Draw::DrawRect;
    using Draw::Offset;

protected:
    static constexpr unsigned long NULL_PIXEL = 0x80000000ul;

    struct ClipState {
        int clip_index;   // into clips
        int offset_index; // into offsets
    };

    Size page_size;
    Point offset;
    Vector<ClipState> states;
    Rect paint_area;
    Vector<Vector<Rect>> clips; // in drawable coordinates; the current clip is the last
    Vector<Point> offsets;
    Drawable drawable = 0;
    GC gc = nullptr;
    XftDraw* xftdraw = nullptr;
    unsigned long foreground = NULL_PIXEL; // last pixel sent
    int line_code = INT_NULL;              // last pen code sent

    void ResetState();
    const Vector<Rect>& CurrentClip() const { return clips.Top(); }
    // Sends the pixel of c unless it is the one last sent.
    void SetForeground(Color c);
    // Sends the line width and dashes of a pen code unless they are the ones last sent.
    void SetLineStyle(int code);
    // The paint area from the current clip list, which also goes to the GC and XftDraw.
    void SetClip();
    // Gives the top state a clip list of its own before it is narrowed in place.
    void CloneClip();
    // Clip and, when offset_too, ClipOffset.
    bool PushClip(const Rect& r, bool offset_too);
};

class BackDraw : public SystemDraw {
public:
    BackDraw();
    ~BackDraw() override { Destroy(); }

    // (Re)creates the cx x cy buffer (at least 1 x 1) compatible with target's drawable.
    void Create(SystemDraw& target, int cx, int cy);
    // Copies the whole buffer to target at (x, y), through target's clip.
    void Put(SystemDraw& target, int x, int y);
    // The draw whose visible area IsPainting answers for, and where the buffer lies in it.
    void SetPaintingDraw(Draw& source, Point offset);
    void Destroy();

    bool IsPainting(const Rect& r) const override;

private:
    Pixmap pixmap = 0;
    int cx = 0;
    int cy = 0;
    Draw* painting_draw = nullptr;
    Point painting_offset = Point(0, 0);
};

} // namespace Qor
