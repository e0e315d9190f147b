#include "tests/hostlook/gui/pixel_compare.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace QorTest {

using namespace Qor;

Rect Content(const Pixels& p, Color face)
{
    Rect r(p.cx, p.cy, 0, 0);
    for(int y = 0; y < p.cy; y++)
        for(int x = 0; x < p.cx; x++)
            if(p.At(x, y) != face)
                r = Rect(std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1));
    return r.left < r.right ? r : Rect(0, 0, 0, 0);
}

int ChannelDistance(Color a, Color b)
{
    return std::max({ std::abs(a.GetR() - b.GetR()), std::abs(a.GetG() - b.GetG()), std::abs(a.GetB() - b.GetB()) });
}

double Match(const Pixels& a, const Rect& ra, const Pixels& b, const Rect& rb)
{
    int close = 0, total = ra.Width() * ra.Height();
    for(int y = 0; y < ra.Height(); y++)
        for(int x = 0; x < ra.Width(); x++)
            close += ChannelDistance(a.At(ra.left + x, ra.top + y), b.At(rb.left + x, rb.top + y)) <= 6;
    return total ? double(close) / total : 0;
}

std::string Show(const Pixels& p, const Rect& r, Color face)
{
    std::ostringstream s;
    for(int y = r.top; y < r.bottom; y++) {
        for(int x = r.left; x < r.right; x++) {
            Color c = p.At(x, y);
            s << (c == face ? '.' : (c.GetR() + c.GetG() + c.GetB() < 384 ? '#' : '+'));
        }
        s << '\n';
    }
    return s.str();
}

namespace {

template <class Pixel>
void WritePpm(const std::string& path, int cx, int cy, Pixel pixel)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << cx << ' ' << cy << "\n255\n";
    for(int y = 0; y < cy; y++)
        for(int x = 0; x < cx; x++) {
            Color c = pixel(x, y);
            out.put(char(c.GetR())).put(char(c.GetG())).put(char(c.GetB()));
        }
}

} // namespace

void DumpComparison(const std::string& name, const Pixels& a, const Rect& ra, const Pixels& b, const Rect& rb)
{
    const char* folder = getenv("QOR_PARITY_DUMP");
    if(!folder || !*folder)
        return;
    std::string base = std::string(folder) + "/" + name;
    for(char& c : base)
        if(c == ' ')
            c = '_';
    int cx = ra.Width(), cy = ra.Height();
    WritePpm(base + "-gtk.ppm", cx, cy, [&](int x, int y) { return a.At(ra.left + x, ra.top + y); });
    WritePpm(base + "-qor.ppm", cx, cy, [&](int x, int y) { return b.At(rb.left + x, rb.top + y); });
    WritePpm(base + "-diff.ppm", cx, cy, [&](int x, int y) {
        int d = ChannelDistance(a.At(ra.left + x, ra.top + y), b.At(rb.left + x, rb.top + y));
        int v = d <= 6 ? 255 : std::max(0, 200 - 2 * d);
        return Color(255, v, v);
    });
}

} // namespace QorTest
