// Fuzz target for the PDF drawing target: the input is read as a sequence of drawing
// operations with arbitrary coordinates, counts that need not match the points given,
// hatch patterns and source rectangles, on pages of a plain or PDF/A document. The
// target checks that every object the cross-reference table lists starts where it says.
#include "pdf/pdf.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Qor;

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : p(data), end(data + size) {}

    bool More() const { return p < end; }
    int Byte() { return p < end ? *p++ : 0; }
    int Int()
    {
        int v = 0;
        for(int i = 0; i < 4; i++)
            v = (v << 8) | Byte();
        return v;
    }
    // Small values most of the time, so that shapes land on the page.
    int Coord() { return Byte() & 1 ? Int() : Byte() * 40 - 2000; }
    Color Ink() { return Byte() == 0 ? Color() : Color(Byte(), Byte(), Byte()); }
    uint64 Pattern()
    {
        switch(Byte() & 3) {
        case 0:
            return 0;
        case 1:
            return ~(uint64)0;
        default:
            return (uint64)Int() << 32 | (uint32)Int();
        }
    }

private:
    const uint8_t* p;
    const uint8_t* end;
};

Image MakeImage(Input& in)
{
    int cx = in.Byte() % 17;
    int cy = in.Byte() % 17;
    if(cx == 0 || cy == 0)
        return Image();
    PixelBuffer b(cx, cy);
    int style = in.Byte();
    for(int i = 0; i < cx * cy; i++) {
        int a = style & 1 ? in.Byte() : 255;
        int v = style & 2 ? (in.Byte() & 1) * 255 : in.Byte();
        b.Begin()[i] = style & 4 ? MakeRGBA(v, v, v, a) : MakeRGBA(v, in.Byte(), in.Byte(), a);
    }
    PremultiplyPixels(b.Begin(), b.Begin(), cx * cy);
    return Image(b);
}

void Check(const String& doc)
{
    const char* text = doc.Begin();
    int n = doc.GetLength();
    // The last one: image data may hold the same bytes.
    const char* s = nullptr;
    for(const char* at = text; (at = static_cast<const char*>(memmem(at, text + n - at, "startxref\r\n", 11))); at++)
        s = at;
    if(!s)
        std::abort();
    int xref = std::atoi(s + 11);
    int first = 0;
    int count = 0;
    if(xref < 0 || xref >= n || std::sscanf(text + xref, "xref\n%d %d\n", &first, &count) != 2)
        std::abort();
    const char* entries = std::strstr(text + xref, "65535 f\r\n") + 9;
    for(int k = 1; k < count; k++) {
        int offset = std::atoi(entries + 20 * (k - 1));
        char head[32];
        int len = std::snprintf(head, sizeof(head), "%d 0 obj\n", k);
        if(offset < 0 || offset + len > n || std::memcmp(text + offset, head, len) != 0)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    PdfDraw w;
    w.Init(4000 + in.Byte() * 10, 4000 + in.Byte() * 10, in.Byte() & 1 ? 100 : 0, in.Byte() & 1);
    std::vector<Point> points;
    std::vector<int> counts;
    std::vector<int> polygons;
    int operations = 0;
    while(in.More() && operations++ < 500) {
        switch(in.Byte() % 12) {
        case 0:
            w.DrawRect(in.Coord(), in.Coord(), in.Coord(), in.Coord(), in.Ink());
            break;
        case 1:
            w.DrawLine(in.Coord(), in.Coord(), in.Coord(), in.Coord(), in.Byte() - 1, in.Ink());
            break;
        case 2:
            w.DrawEllipse(Rect(in.Coord(), in.Coord(), in.Coord(), in.Coord()), in.Ink(), in.Byte(), in.Ink());
            break;
        case 3:
        case 4: {
            points.resize(in.Byte() % 20);
            for(Point& p : points)
                p = Point(in.Coord(), in.Coord());
            counts.resize(in.Byte() % 8);
            for(int& c : counts)
                c = in.Byte() % 4 == 0 ? in.Int() : in.Byte() % 10 - 1;
            polygons.resize(in.Byte() % 4);
            for(int& c : polygons)
                c = in.Byte() % 4 == 0 ? in.Int() : in.Byte() % 12 - 1;
            if(in.Byte() & 1)
                w.DrawPolyPolyline(points.data(), int(points.size()), counts.data(), int(counts.size()), in.Byte(),
                                   in.Ink(), Color());
            else
                w.DrawPolyPolyPolygon(points.data(), int(points.size()), counts.data(), int(counts.size()),
                                      polygons.data(), int(polygons.size()), in.Ink(), in.Byte(), in.Ink(),
                                      in.Pattern(), Color());
            break;
        }
        case 5: {
            Image img = MakeImage(in);
            Rect src(in.Byte() % 24 - 4, in.Byte() % 24 - 4, in.Byte() % 24 - 4, in.Byte() % 24 - 4);
            w.DrawImageScaled(in.Coord(), in.Coord(), in.Coord(), in.Coord(), img, src,
                              in.Byte() & 1 ? in.Ink() : Color());
            break;
        }
        case 6:
            w.Begin();
            break;
        case 7:
            w.End();
            break;
        case 8:
            w.Clip(Rect(in.Coord(), in.Coord(), in.Coord(), in.Coord()));
            break;
        case 9:
            w.ClipOffset(Rect(in.Coord(), in.Coord(), in.Coord(), in.Coord()));
            break;
        case 10:
            w.Offset(in.Coord(), in.Coord());
            break;
        case 11:
            w.EndPage();
            w.StartPage();
            break;
        }
    }
    Check(w.Finish());
    return 0;
}
