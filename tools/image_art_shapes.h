// The pixels and shapes of the image art tool: straight-alpha colour blending and the
// inside tests of the shapes it draws (points in pixel units, pixel edges at integers).
#pragma once

#include <algorithm>
#include <vector>

namespace ImageArt {

struct Pixel {
    double r = 0, g = 0, b = 0, a = 0; // straight colour 0-255, alpha 0-1
};

inline void Blend(Pixel& d, const Pixel& s, double coverage)
{
    double sa = s.a * coverage;
    double a = sa + d.a * (1 - sa);
    if(a <= 0) {
        d = Pixel();
        return;
    }
    d.r = (s.r * sa + d.r * d.a * (1 - sa)) / a;
    d.g = (s.g * sa + d.g * d.a * (1 - sa)) / a;
    d.b = (s.b * sa + d.b * d.a * (1 - sa)) / a;
    d.a = a;
}

inline Pixel Mix(const Pixel& a, const Pixel& b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return Pixel{ a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t };
}

inline bool InRoundBox(double px, double py, double x, double y, double w, double h, double r)
{
    if(px < x || py < y || px >= x + w || py >= y + h)
        return false;
    r = std::min(r, std::min(w, h) / 2);
    double cx = std::clamp(px, x + r, x + w - r);
    double cy = std::clamp(py, y + r, y + h - r);
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r;
}

inline bool InEllipse(double px, double py, double cx, double cy, double rx, double ry)
{
    if(rx <= 0 || ry <= 0)
        return false;
    double dx = (px - cx) / rx, dy = (py - cy) / ry;
    return dx * dx + dy * dy <= 1;
}

inline bool NearSegment(double px, double py, double x1, double y1, double x2, double y2, double t)
{
    double dx = x2 - x1, dy = y2 - y1;
    double l = dx * dx + dy * dy;
    double u = l > 0 ? std::clamp(((px - x1) * dx + (py - y1) * dy) / l, 0.0, 1.0) : 0;
    double ex = x1 + u * dx - px, ey = y1 + u * dy - py;
    return ex * ex + ey * ey <= t * t / 4;
}

inline bool InPolygon(double px, double py, const std::vector<double>& p)
{
    bool in = false;
    size_t n = p.size() / 2;
    for(size_t i = 0, j = n - 1; i < n; j = i++) {
        double xi = p[2 * i], yi = p[2 * i + 1], xj = p[2 * j], yj = p[2 * j + 1];
        if((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
            in = !in;
    }
    return in;
}

} // namespace ImageArt
