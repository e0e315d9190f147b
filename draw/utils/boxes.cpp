// Draw's box painters: rings with softened corners and the framed gradient box of menus.

#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"

namespace Qor {

namespace {

// A ring's corner seen as its pixel, the two pixels next to it along its sides and the
// two after those.
struct CornerPixels {
    Point along_first;  // next to the corner on the horizontal side
    Point along_second; // next to the corner on the vertical side
    Point far_first;
    Point far_second;
};

void DrawPixel(Draw& w, Point p, Color c) { w.DrawRect(p.x, p.y, 1, 1, c); }

void SoftenCorner(Draw& w, const CornerPixels& at, Color first, Color second, Color& corner)
{
    Color e = MixColors(corner, first, 160);
    DrawPixel(w, at.along_first, e);
    Color f = MixColors(corner, second, 160);
    DrawPixel(w, at.along_second, f);
    DrawPixel(w, at.far_first, MixColors(e, first, 128));
    DrawPixel(w, at.far_second, MixColors(f, second, 128));
    corner = MixColors(e, f, 128);
}

// A one-pixel ring laid out as DrawFrame, top and left in one colour, right and bottom in
// the other.
void DrawSquareRing(Draw& w, const Rect& r, Color top_left, Color bottom_right)
{
    int cx = r.Width();
    int cy = r.Height();
    w.DrawRect(r.left, r.top, cx - 1, 1, top_left);
    w.DrawRect(r.left, r.top, 1, cy - 1, top_left);
    w.DrawRect(r.right - 1, r.top, 1, cy, bottom_right);
    w.DrawRect(r.left, r.bottom - 1, cx, 1, bottom_right);
}

Color Mix(Color a, Color b, int alpha) { return MixColors(a, b, alpha); }

} // namespace

void Draw::DrawRoundedCorners(Rect& r, Color left, Color top, Color right, Color bottom, Color& top_left,
                              Color& top_right, Color& bottom_left, Color& bottom_right)
{
    if(r.IsEmpty())
        return;
    int l = r.left;
    int t = r.top;
    int rt = r.right - 1;
    int b = r.bottom - 1;
    DrawPixel(*this, Point(l, t), top_left);
    DrawPixel(*this, Point(rt, t), top_right);
    DrawPixel(*this, Point(l, b), bottom_left);
    DrawPixel(*this, Point(rt, b), bottom_right);
    SoftenCorner(*this, { Point(l + 1, t), Point(l, t + 1), Point(l + 2, t), Point(l, t + 2) }, top, left, top_left);
    SoftenCorner(*this, { Point(rt - 1, t), Point(rt, t + 1), Point(rt - 2, t), Point(rt, t + 2) }, top, right,
                 top_right);
    SoftenCorner(*this, { Point(l + 1, b), Point(l, b - 1), Point(l + 2, b), Point(l, b - 2) }, bottom, left,
                 bottom_left);
    SoftenCorner(*this, { Point(rt - 1, b), Point(rt, b - 1), Point(rt - 2, b), Point(rt, b - 2) }, bottom, right,
                 bottom_right);
    int cx = r.Width();
    int cy = r.Height();
    DrawRect(l + 3, t, cx - 6, 1, top);
    DrawRect(l, t + 3, 1, cy - 6, left);
    DrawRect(rt, t + 3, 1, cy - 6, right);
    DrawRect(l + 3, b, cx - 6, 1, bottom);
    r.Deflate(1);
}

void Draw::DrawGradientBox(Rect& r, int style)
{
    if(r.IsEmpty())
        return;
    const Color light = SysColorLight();
    const Color shadow = SysColorShadow();
    const Color face = SysColorFace();
    const Color text = SysColorText();
    const Color highlight = SysColorHighlight();
    const Color disabled = SysColorDisabled();
    int kind = style & 15;
    if(kind > 5)
        kind = 0;
    const bool horizontal = style & 0x100;
    const bool square = style & 0x200;
    const bool variant4 = style & 0x400;
    const bool variant8 = style & 0x800;

    Color a = light;
    Color b = Mix(shadow, face, 128);
    Color t = light;
    Color s = shadow;
    Color o = Mix(highlight, text, 128);
    Color x; // Null: no tint
    int weight = 0;

    if(square)
        o = Mix(highlight, light, 128);
    if(variant4) {
        o = disabled;
        t = Mix(face, light, 128);
    }
    if(variant8) {
        a = b = s = face;
        o = Mix(highlight, shadow, 128);
    }

    switch(kind) {
    case 1:
        x = Mix(Color(0, 0, 128), light, 128);
        weight = 130;
        break;
    case 2:
        if(!variant8) {
            x = Mix(Color(255, 255, 0), Color(255, 0, 0), 100);
            weight = 130;
        }
        break;
    case 3:
        t = s = Mix(highlight, face, 235);
        break;
    case 4:
        o = disabled;
        a = b = t = s = face;
        break;
    case 5:
        if(variant4)
            s = light;
        else {
            s = face;
            t = Mix(highlight, face, 128);
        }
        break;
    default:
        break;
    }

    if(square) {
        DrawFrame(r, o);
        Color corner = Mix(o, light, 128);
        DrawRect(r.left, r.top, 1, 1, corner);
        DrawRect(r.right - 1, r.top, 1, 1, corner);
        DrawRect(r.left, r.bottom - 1, 1, 1, corner);
        DrawRect(r.right - 1, r.bottom - 1, 1, 1, corner);
        r.Deflate(1);
        t = Mix(o, light, 128);
        s = Mix(o, shadow, 128);
        if(kind == 2) {
            t = Mix(t, light, 128);
            s = Mix(s, light, 128);
        }
        if(kind == 3)
            t = s = Mix(highlight, face, 128);
    }
    else {
        Color tl = face, tr = face, bl = face, br = face;
        auto ring = [&](Color left_top, Color right_bottom) {
            DrawRoundedCorners(r, left_top, left_top, right_bottom, right_bottom, tl, tr, bl, br);
        };
        if(kind == 5 && variant4) {
            ring(o, o);
            ring(s, s);
            t = s;
        }
        else {
            if(kind == 5)
                s = t;
            if(!variant4)
                ring(b, a);
            ring(o, o);
            ring(Mix(t, x, weight), Mix(s, x, weight));
            if(weight != 0 && !r.IsEmpty()) {
                DrawSquareRing(*this, r, Mix(Mix(t, x, weight), x, weight), Mix(Mix(s, x, weight), x, weight));
                r.Deflate(1);
            }
        }
    }

    if(variant8) {
        if(kind == 2)
            t = s = Mix(light, highlight, 40);
        else if(kind == 3)
            t = s = Mix(face, highlight, 128);
        else {
            t = Mix(light, highlight, 80);
            s = Mix(face, highlight, 80);
        }
    }

    Color m = Mix(t, s, 80);
    Color e = Mix(s, face, 128);
    int n = horizontal ? r.Width() : r.Height();
    if(r.IsEmpty() || n <= 0)
        return;
    int k = 4 * n / 5;
    for(int i = 0; i < n; i++) {
        Color c = i < k ? Mix(t, m, i * 255 / k) : Mix(m, e, 255 * (i - k) / (n - k));
        if(horizontal)
            DrawRect(r.left + i, r.top, 1, r.Height(), c);
        else
            DrawRect(r.left, r.top + i, r.Width(), 1, c);
    }
}

} // namespace Qor
