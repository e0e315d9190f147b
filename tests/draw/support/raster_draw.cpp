// RasterDraw: clipping by a per-pixel mask, painting by source-over blending.

#include "tests/draw/support/raster_draw.h"

#include <cstdlib>

namespace QorTest {

using namespace Qor;

RasterDraw::RasterDraw(int cx, int cy, Color background, dword flags) : canvas(cx, cy), flags(flags)
{
    FillPixels(canvas.Begin(), background.ToRGBA(), (int)canvas.GetLength());
    mask.assign((size_t)canvas.GetLength(), true);
}

std::vector<std::string> RasterDraw::Picture(std::initializer_list<std::pair<Color, char>> legend) const
{
    std::vector<std::string> rows;
    for(int y = 0; y < canvas.GetHeight(); y++) {
        std::string row;
        for(int x = 0; x < canvas.GetWidth(); x++) {
            RGBA p = At(x, y);
            char c = p.a == 0 ? '.' : '?';
            for(const auto& [color, letter] : legend)
                if(p.a && Color(p) == color)
                    c = letter;
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

void RasterDraw::Begin()
{
    Push();
}

void RasterDraw::End()
{
    if(stack.empty())
        return;
    offset = stack.back().offset;
    mask = std::move(stack.back().mask);
    stack.pop_back();
}

void RasterDraw::Offset(Point p)
{
    Push();
    offset += p;
}

bool RasterDraw::Clip(const Rect& r)
{
    Push();
    return Intersect(r);
}

bool RasterDraw::ClipOffset(const Rect& r)
{
    Push();
    bool visible = Intersect(r);
    offset += r.TopLeft();
    return visible;
}

bool RasterDraw::ExcludeClip(const Rect& r)
{
    Rect c = Moved(r) & Rect(canvas.GetSize());
    for(int y = c.top; y < c.bottom; y++)
        for(int x = c.left; x < c.right; x++)
            mask[(size_t)y * canvas.GetWidth() + x] = false;
    return AnyVisible();
}

bool RasterDraw::IntersectClip(const Rect& r)
{
    return Intersect(r);
}

bool RasterDraw::IsPainting(const Rect& r) const
{
    Rect c = Moved(r) & Rect(canvas.GetSize());
    for(int y = c.top; y < c.bottom; y++)
        for(int x = c.left; x < c.right; x++)
            if(mask[(size_t)y * canvas.GetWidth() + x])
                return true;
    return false;
}

Rect RasterDraw::GetPaintRect() const
{
    return Rect(canvas.GetSize()) - Size(offset.x, offset.y);
}

bool RasterDraw::Intersect(const Rect& r)
{
    Rect c = Moved(r);
    for(int y = 0; y < canvas.GetHeight(); y++)
        for(int x = 0; x < canvas.GetWidth(); x++)
            if(!c.Contains(Point(x, y)))
                mask[(size_t)y * canvas.GetWidth() + x] = false;
    return AnyVisible();
}

bool RasterDraw::AnyVisible() const
{
    for(bool b : mask)
        if(b)
            return true;
    return false;
}

void RasterDraw::Blend(int x, int y, RGBA p)
{
    if(x < 0 || y < 0 || x >= canvas.GetWidth() || y >= canvas.GetHeight())
        return;
    if(mask[(size_t)y * canvas.GetWidth() + x])
        AlphaBlendPixels(&canvas[y][x], &p, 1);
}

void RasterDraw::DrawRect(int x, int y, int cx, int cy, Color color)
{
    if(color.IsNullInstance())
        return;
    RGBA p = color.ToRGBA();
    for(int j = 0; j < cy; j++)
        for(int i = 0; i < cx; i++)
            Blend(offset.x + x + i, offset.y + y + j, p);
}

void RasterDraw::DrawWholeImage(int x, int y, const Image& img, Color color)
{
    RGBA ink = color.ToRGBA();
    for(int j = 0; j < img.GetHeight(); j++)
        for(int i = 0; i < img.GetWidth(); i++) {
            RGBA p = img[j][i];
            if(!color.IsNullInstance()) { // the image's shape in the colour
                int m = p.a + (p.a >> 7);
                p = MakeRGBA(ink.r * m >> 8, ink.g * m >> 8, ink.b * m >> 8, p.a);
            }
            Blend(offset.x + x + i, offset.y + y + j, p);
        }
}

void RasterDraw::DrawLine(int x1, int y1, int x2, int y2, int width, Color color)
{
    if(color.IsNullInstance())
        return;
    // Both ends included; each point of the line is a width × width square around it.
    int w = width < 1 ? 1 : width;
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for(;;) {
        DrawRect(x1 - w / 2, y1 - w / 2, w, w, color);
        if(x1 == x2 && y1 == y2)
            break;
        int e2 = 2 * err;
        if(e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if(e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void RasterDraw::DrawTextRun(int x, int y, int, const wchar16*, Font font, Color ink, int n, const int* dx)
{
    int h = font.GetHeightCode() > 0 ? font.GetHeightCode() : 12;
    int cx = 0;
    for(int i = 0; i < n; i++)
        cx += dx ? dx[i] : (h + 1) / 2;
    DrawRect(x, y, cx, h, ink);
}

} // namespace QorTest
