// Fuzz target for the drawing player. The input is played as a bare opcode stream at equal,
// enlarged and reduced sizes, and loaded as a stored Drawing (sizes and out-of-line
// operands included) that is played when it loads. The target checks what the player
// hands it: every count within the vertices given, advances and texts readable, and
// every pushed level ended exactly once.
#include "draw/draw.h"
#include "foundation/string_stream.h"

#include <cstdint>
#include <cstdlib>

using namespace Qor;

namespace {

class CheckingDraw : public Draw {
public:
    int open = 0;
    int64 sink = 0; // keeps the reads of the arrays from being optimised away

    dword GetInfoFlags() const override { return 0; }
    void Begin() override { open++; }
    void End() override
    {
        if(--open < 0)
            std::abort();
    }
    void Offset(Point) override { open++; }
    bool Clip(const Rect&) override { open++; return true; }
    bool ClipOffset(const Rect&) override { open++; return true; }
    bool ExcludeClip(const Rect&) override { return true; }
    bool IntersectClip(const Rect&) override { return true; }
    bool IsPainting(const Rect&) const override { return true; }
    void DrawRect(int, int, int, int, Color) override {}
    void DrawImageScaled(int, int, int, int, const Image& img, const Rect&, Color) override { sink += img.GetWidth(); }
    void DrawData(int, int, int, int, const String& data, const char* type) override
    {
        sink += data.GetLength() + (type ? type[0] : 0);
    }
    void DrawLine(int, int, int, int, int, Color) override {}
    void DrawPolyPolyline(const Point* v, int n, const int* counts, int k, int, Color, Color) override
    {
        Walk(v, n, counts, k);
    }
    void DrawPolyPolyPolygon(const Point* v, int n, const int* sub, int k, const int* disjunct, int m, Color, int,
                             Color, uint64, Color) override
    {
        Walk(v, n, sub, k);
        int64 polygons = 0;
        for(int i = 0; i < m; i++)
            polygons += disjunct[i];
        if(polygons > k)
            std::abort();
    }
    void DrawArc(const Rect&, Point, Point, int, Color) override {}
    void DrawEllipse(const Rect&, Color, int, Color) override {}
    void DrawTextRun(int, int, int, const wchar16* text, Font, Color, int n, const int* dx) override
    {
        for(int i = 0; i < n; i++)
            sink += (int64)text[i] + (dx ? dx[i] : 0); // advances take any int: sum in 64 bits
    }

private:
    // Consumes the vertices as a polygon drawer would, count by count.
    void Walk(const Point* v, int n, const int* counts, int k)
    {
        int at = 0;
        for(int i = 0; i < k; i++) {
            if(counts[i] < 0 || counts[i] > n - at)
                std::abort();
            for(int j = 0; j < counts[i]; j++, at++)
                sink += (int64)v[at].x + v[at].y;
        }
    }
};

void PlayChecked(const Drawing& d, Rect target)
{
    CheckingDraw w;
    w.DrawDrawing(target, d);
    if(w.open != 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    String bytes((const char*)data, (int)size);
    PlayChecked(Drawing(Size(100, 100), bytes), Rect(0, 0, 100, 100));
    PlayChecked(Drawing(Size(100, 100), bytes), Rect(-5, 7, 295, 407));
    PlayChecked(Drawing(Size(1000, 700), bytes), Rect(0, 0, 13, 9));

    Drawing stored;
    StringStream s(bytes);
    s.SetLoading();
    stored.Serialize(s);
    if(!s.IsError())
        PlayChecked(stored, Rect(0, 0, 64, 48));
    return 0;
}
