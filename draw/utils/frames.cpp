// Draw's frames, table borders, tiles and outlined images.

#include "draw/image_cache/made_image.h"
#include "draw/image_ops/image_filters.h"
#include "draw/target/draw.h"
#include "draw/utils/border_table.h"

namespace Qor {

void Draw::DrawFrame(const Rect& r, Color color)
{
    if(r.IsEmpty())
        return;
    int cx = r.Width();
    int cy = r.Height();
    DrawRect(r.left, r.top, cx - 1, 1, color);
    DrawRect(r.left, r.top, 1, cy - 1, color);
    DrawRect(r.right - 1, r.top, 1, cy, color);
    DrawRect(r.left, r.bottom - 1, cx, 1, color);
}

void Draw::DrawThickFrame(const Rect& rect, Color color, int n)
{
    Rect r = rect;
    if(n < 0) {
        r.Inflate(-n);
        n = -n;
    }
    if(r.IsEmpty())
        return;
    int cx = r.Width();
    int cy = r.Height();
    DrawRect(r.left, r.top, cx, n, color);
    DrawRect(r.left, r.top + n, n, cy - n, color);
    DrawRect(r.right - n, r.top + n, n, cy - n, color);
    DrawRect(r.left + n, r.bottom - n, cx - 2 * n, n, color);
}

void Draw::DrawBorder(int x, int y, int cx, int cy, const BorderTable* table)
{
    if(!table)
        return;
    for(int64 i = 0; i < table->ring_count; i++) {
        int d = (int)i;
        int w = cx - 2 * d;
        int h = cy - 2 * d;
        if(w <= 0 || h <= 0)
            break;
        const BorderRing& ring = table->rings[i];
        Color left = ring.left();
        Color top = ring.top();
        Color right = ring.right();
        Color bottom = ring.bottom();
        DrawRect(x + d, y + d, w - 1, 1, top);
        DrawRect(x + d, y + d, 1, h - 1, left);
        DrawRect(x + cx - 1 - d, y + d, 1, h, right);
        DrawRect(x + d, y + cy - 1 - d, w, 1, bottom);
    }
}

void Draw::DrawBorder(const Rect& r, const BorderTable* table)
{
    DrawBorder(r.left, r.top, r.Width(), r.Height(), table);
}

void Draw::DrawBorder(Draw& w, int x, int y, int cx, int cy, const BorderTable* (*table)())
{
    w.DrawBorder(x, y, cx, cy, table ? table() : nullptr);
}

void Draw::DrawTiles(const Rect& r, const Image& img)
{
    Size sz = img.GetSize();
    if(sz.cx <= 0 || sz.cy <= 0 || r.IsEmpty())
        return;
    Clip(r);
    for(int x = r.left; x < r.right; x += sz.cx)
        for(int y = r.top; y < r.bottom; y += sz.cy)
            DrawImage(x, y, img);
    End();
}

void Draw::DrawImageWithOutline(int x, int y, const Image& img, bool outline, bool as_is, Color color)
{
    if(outline) {
        DrawImage(x + 1, y, img, color);
        DrawImage(x - 1, y, img, color);
        DrawImage(x, y + 1, img, color);
        DrawImage(x, y - 1, img, color);
    }
    // The etched form is made once per image: disabled icons repaint often.
    DrawImage(x, y, as_is ? img : GetMadeImage(img, EtchImage));
}

} // namespace Qor
