// PdfDraw: placing images on the page and writing the image objects with their masks.
#include "pdf/pdf_draw.h"

#include "draw/image_ops/image_filters.h"
#include "pdf/pdf_out_internal.h"

namespace Qor {

namespace {

// One bit per pixel of the area, rows from the most significant bit and padded to whole
// bytes; a bit is 1 where bit_of says so.
template <class F>
void PackBits(PdfBuffer& b, const Image& img, const Rect& area, F bit_of)
{
    b.Clear();
    for(int y = area.top; y < area.bottom; y++) {
        const RGBA* s = img[y];
        int acc = 0;
        int count = 0;
        for(int x = area.left; x < area.right; x++) {
            acc = (acc << 1) | (bit_of(s[x]) ? 1 : 0);
            if(++count == 8) {
                b.AppendChar(acc);
                acc = count = 0;
            }
        }
        if(count)
            b.AppendChar(acc << (8 - count));
    }
}

void GetAlphaData(PdfBuffer& b, const Image& img, const Rect& area)
{
    b.Clear();
    byte* t = (byte*)b.Extend(area.Width() * area.Height());
    for(int y = area.top; y < area.bottom; y++)
        for(const RGBA *p = img[y] + area.left, *e = img[y] + area.right; p < e; p++)
            *t++ = p->a;
}

// The 1-bit form; false when some pixel is neither black nor white.
bool GetMonochromeData(PdfBuffer& b, const Image& img, const Rect& area)
{
    for(int y = area.top; y < area.bottom; y++)
        for(int x = area.left; x < area.right; x++) {
            RGBA p = img[y][x];
            bool black = p.r == 0 && p.g == 0 && p.b == 0;
            bool white = p.r == 255 && p.g == 255 && p.b == 255;
            if(!black && !white)
                return false;
        }
    PackBits(b, img, area, [](RGBA p) { return p.r == 255; });
    return true;
}

// One byte per pixel; false when some pixel is not a gray.
bool GetGrayData(PdfBuffer& b, const Image& img, const Rect& area)
{
    b.Clear();
    byte* t = (byte*)b.Extend(area.Width() * area.Height());
    for(int y = area.top; y < area.bottom; y++)
        for(const RGBA *p = img[y] + area.left, *e = img[y] + area.right; p < e; p++) {
            if(p->r != p->g || p->g != p->b)
                return false;
            *t++ = p->r;
        }
    return true;
}

void GetRgbData(PdfBuffer& b, const Image& img, const Rect& area)
{
    b.Clear();
    byte* t = (byte*)b.Extend(3 * area.Width() * area.Height());
    for(int y = area.top; y < area.bottom; y++)
        for(const RGBA *p = img[y] + area.left, *e = img[y] + area.right; p < e; p++) {
            *t++ = p->r;
            *t++ = p->g;
            *t++ = p->b;
        }
}

// PDF/A-1 gives DeviceGray a meaning only through a gray profile the document does not
// carry; a palette of RGB grays keeps the same samples under the sRGB default instead.
String GrayAsRgb(int bits)
{
    int top = (1 << bits) - 1;
    TextBuffer b;
    PdfAppend(b, "[/Indexed /DeviceRGB ", top, " <");
    for(int i = 0; i <= top; i++) {
        String level = IntToHexText(i * 255 / top, 2);
        for(int k = 0; k < 3; k++)
            b.Append(level);
    }
    b.Append(">]");
    return TakeText(b);
}

// Straight colours: a soft or thresholded mask applies the alpha once more, so
// premultiplied colours would darken every partly transparent pixel.
Image Unmultiplied(Image img)
{
    PixelBuffer b(img);
    b.Unmultiply();
    return Image(b);
}

// The part of the image the source rectangle covers. A rectangle reversed or outside the
// image gives an empty area, never a negative size.
Rect ClipToImage(const Rect& src, Size size)
{
    Rect area;
    area.left = std::max(src.left, 0);
    area.top = std::max(src.top, 0);
    area.right = std::max(area.left, std::min(src.right, size.cx));
    area.bottom = std::max(area.top, std::min(src.bottom, size.cy));
    return area;
}

} // namespace

void PdfDraw::DrawImageScaled(int x, int y, int cx, int cy, const Image& img, const Rect& src, Color color)
{
    // No pixels to show: an image of no rows or columns is one that readers reject.
    if(ClipToImage(src, img.GetSize()).IsEmpty())
        return;
    images.Add(IsNull(color) ? img : FillImageShape(img, color));
    imageRects.Add(src);
    PdfAppend(page, "q ", cx * 0.12, " 0 0 ", cy * 0.12, " ", x * 0.12, " ", PageY((double)y + cy), " cm /Image",
              images.GetCount(), " Do Q\n");
}

Vector<int> PdfDraw::PutImages()
{
    Vector<int> objects;
    for(int i = 0; i < images.GetCount(); i++)
        objects.Add(PutImage(images[i], imageRects[i]));
    return objects;
}

int PdfDraw::PutImage(const Image& source, const Rect& src)
{
    int w = source.GetWidth();
    Rect area = ClipToImage(src, source.GetSize());
    String size = " /Width " + IntToText(area.Width()) + " /Height " + IntToText(area.Height());
    const char* header = "/Type /XObject /Subtype /Image";

    int kind = source.GetKind();
    Image img = kind == IMAGE_ALPHA ? Unmultiplied(source) : source;
    int mask = 0;
    int soft_mask = 0;
    // A wholly transparent image is masked out entirely rather than painted black.
    // PDF/A-1 has no soft masks: partial alpha is cut at half into a stencil mask.
    if(kind == IMAGE_MASK || (kind == IMAGE_EMPTY && w > 0) || (kind == IMAGE_ALPHA && pdfa)) {
        int limit = kind == IMAGE_ALPHA ? 128 : 255;
        PackBits(scratch, img, area, [&](RGBA p) { return p.a < limit; });
        mask = PutStream(scratch.Begin(), scratch.GetLength(),
                         header + size + " /BitsPerComponent 1 /ImageMask true /Decode [0 1] ");
    }
    else if(kind == IMAGE_ALPHA) {
        GetAlphaData(scratch, img, area);
        soft_mask =
            PutSamples(header + size + " /BitsPerComponent 8 /ColorSpace /DeviceGray /Decode [0 1] ", area.Width(), 1);
    }

    String dict;
    int colors = 0; // bytes per pixel of 8-bit samples; 0 for 1-bit data
    bool any = area.Width() > 0 && area.Height() > 0;
    if(any && GetMonochromeData(scratch, img, area))
        dict = header + size +
               (pdfa ? " /BitsPerComponent 1 /ColorSpace " + GrayAsRgb(1) + " "
                     : String(" /BitsPerComponent 1 /Decode [0 1] /ColorSpace /DeviceGray "));
    else if(any && GetGrayData(scratch, img, area)) {
        dict = header + size +
               (pdfa ? " /BitsPerComponent 8 /ColorSpace " + GrayAsRgb(8) + " "
                     : String(" /BitsPerComponent 8 /ColorSpace /DeviceGray /Decode [0 1] "));
        colors = 1;
    }
    else {
        GetRgbData(scratch, img, area);
        dict = header + size + " /BitsPerComponent 8 /ColorSpace /DeviceRGB /Intent /Perceptual";
        colors = 3;
    }
    if(mask)
        dict += " /Mask " + IntToText(mask) + " 0 R";
    if(soft_mask)
        dict += " /SMask " + IntToText(soft_mask) + " 0 R";
    return colors ? PutSamples(dict, area.Width(), colors) : PutStream(scratch.Begin(), scratch.GetLength(), dict);
}

int PdfDraw::PutSamples(const String& dict, int columns, int colors)
{
    // Each sample less the one of the pixel before it (the PNG "Sub" row filter, tag 1 on
    // every row): smooth images turn into small repeating differences, a third of the size
    // once deflated.
    int row = columns * colors;
    int rows = row ? scratch.GetLength() / row : 0;
    if(rows == 0)
        return PutStream(scratch.Begin(), scratch.GetLength(), dict);
    predicted.Clear();
    byte* t = (byte*)predicted.Extend(rows * (row + 1));
    const byte* s = (const byte*)scratch.Begin();
    for(int y = 0; y < rows; y++, s += row) {
        *t++ = 1;
        for(int i = 0; i < colors; i++)
            *t++ = s[i];
        for(int i = colors; i < row; i++)
            *t++ = byte(s[i] - s[i - colors]);
    }
    if(!sampleDeflater.Compress(predicted.Begin(), predicted.GetLength()) ||
       sampleDeflater.GetLength() >= scratch.GetLength())
        return PutStream(scratch.Begin(), scratch.GetLength(), dict);
    TextBuffer parms;
    PdfAppend(parms, "/DecodeParms << /Predictor 11 /Colors ", colors, " /Columns ", columns, " >>");
    return PutDeflated(dict, sampleDeflater, predicted.GetLength(), TakeText(parms));
}

} // namespace Qor
