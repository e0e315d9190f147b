// The image a drag shows as its cursor.

#include "ctrl/dnd/drag_source.h"

#include "ctrl/images/ctrl_core_img.h"
#include "ctrl/platform/platform.h"
#include "ctrl/tree/core_seams.h"
#include "draw/image/pixel_buffer.h"
#include "draw/image/rgba.h"
#include "draw/rescale/rescaler.h"
#include "foundation/values/color.h"

namespace Qor {

namespace {

constexpr int DRAG_IMAGE_SIZE = 128;
constexpr int FADE_START = 96;

Image BlendCursor(Image base, const Image& cursor)
{
    PixelBuffer b(base);
    b.BlendImage(Point(0, 0), cursor, Rect(cursor.GetSize()));
    b.SetHotSpot(cursor.GetHotSpot());
    return Image(b);
}

// A dotted line of alternating dark blue and white, fading by step per pixel.
void DotPixel(RGBA& p, int i, int step)
{
    bool dark = (i & 1) == 0;
    p.r = dark ? 0x00 : 0xFF;
    p.g = dark ? 0x00 : 0xFF;
    p.b = dark ? 0x80 : 0xFF;
    p.a = byte(255 - step * i);
}

} // namespace

Image MakeDragImage(const Image& cursor, const Image& sample)
{
    if(sample.IsEmpty())
        return BlendCursor(CtrlCoreImg::DndData(), cursor);
    PixelBuffer b(DRAG_IMAGE_SIZE, DRAG_IMAGE_SIZE);
    FillPixels(b.Begin(), RGBA{ 0, 0, 0, 0 }, (int)b.GetLength());
    b.BlendImage(Point(2, 22), sample, Rect(sample.GetSize()));
    b.Unmultiply();
    // The sample fades out to the right and to the bottom, so that it does not hide what
    // it is dragged over.
    for(int y = 20; y < FADE_START; y++) {
        RGBA* row = b[y];
        for(int x = 0; x < DRAG_IMAGE_SIZE; x++)
            row[x].a = x < FADE_START ? byte(row[x].a >> 1) : byte((row[x].a * (128 - 4 * (x - FADE_START))) >> 8);
    }
    for(int y = FADE_START; y < DRAG_IMAGE_SIZE; y++) {
        int f = 128 - 4 * (y - FADE_START);
        RGBA* row = b[y];
        for(int x = 0; x < DRAG_IMAGE_SIZE; x++)
            row[x].a =
                x < FADE_START ? byte((row[x].a * f) >> 8) : byte((row[x].a * (255 - 8 * (x - FADE_START)) * f) >> 16);
    }
    for(int i = 0; i < 85; i++)
        DotPixel(b[21][1 + i], i, 3);
    for(int i = 0; i < 32; i++)
        DotPixel(b[21 + i][1], i, 8);
    b.Premultiply();
    Image img(b);
    if(GetPlatform().IsCompositorRunning())
        img = RescaleImage(img, Size(DRAG_IMAGE_SIZE / 2, DRAG_IMAGE_SIZE / 2));
    return BlendCursor(img, cursor);
}

} // namespace Qor
