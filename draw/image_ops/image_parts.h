// Copies with other spots, cut-outs, the measurements the host look takes of drawn
// images, and a framed copy of an image with shaped corners.
#pragma once

#include "draw/image/image.h"
#include "foundation/values/color.h"
#include "foundation/values/rect.h"

namespace Qor {

Image CopyWithHotSpots(const Image& img, int x1, int y1, int x2, int y2);
// The second spot is kept.
Image CopyWithHotSpot(const Image& img, int x, int y);
// The same image for its whole rectangle; empty when the part has no pixels.
Image CopyImagePart(const Image& img, const Rect& r);
Image CropImage(const Image& img, int x, int y, int cx, int cy);

int GetMaxChannelDifference(RGBA a, RGBA b);
// The drawing's alpha from the same drawing on white and on black (same sizes).
Image ImageFromTwoBackgrounds(const Image& on_white, const Image& on_black);
// The width of a frame around the colour at (start, start), from both corners inward;
// 0 when no pixel differs by more than the tolerance.
int GetImageBorderWidth(const Image& img, int start, int tolerance);

// A copy of an image with a one-pixel frame whose line ends may take a corner colour.
struct ImageFrameSpec {
    Image image;
    Color ink;
    Color corner_color;
    bool top, bottom, left, right;
    byte top_left, top_right, bottom_left, bottom_right;

    explicit ImageFrameSpec(const Image& img);
    // All four lines on, corner sizes 0.
    void ResetEdges();
    Image MakeImage() const;
};

} // namespace Qor
