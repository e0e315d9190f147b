// Mouse cursors from images and the stock-cursor marker images.

#include "ctrl/x11/image/cursor.h"

#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/image/x_picture_internal.h"
#include "draw/image/pixel_buffer.h"

#include <X11/cursorfont.h>
#include <X11/extensions/Xrender.h>

#include <algorithm>

namespace Qor {

namespace {

Image MarkerImage(int shape)
{
    PixelBuffer b(32, 32);
    std::fill(b.Begin(), b.End(), RGBA{});
    Image img(b);
    img.SetAuxData(shape + 1);
    return img;
}

// Each marker is built on first use and kept to the end of the process.
template <int SHAPE>
Image StockMarker()
{
    static Image img = MarkerImage(SHAPE);
    return img;
}

} // namespace

XCursorId CreateXCursor(const Image& img)
{
    ::Display* d = display;
    if(img.GetAuxData() >= 1)
        return XCreateFontCursor(d, (unsigned)(img.GetAuxData() - 1));
    // Nothing to upload, and a pixmap of 0 x 0 is an X error: the arrow stands in.
    if(img.IsEmpty() || !img.GetPixels())
        return XCreateFontCursor(d, XC_left_ptr);
    XPictureId picture = CreateColorPicture(img, false);
    Point hot = img.GetHotSpot();
    Cursor c = XRenderCreateCursor(d, picture, std::clamp(hot.x, 0, img.GetWidth() - 1),
                                   std::clamp(hot.y, 0, img.GetHeight() - 1));
    FreePicture(picture);
    return c;
}

Image CursorArrowImage() { return StockMarker<XC_left_ptr>(); }

Image CursorTextImage() { return StockMarker<XC_xterm>(); }

Image CursorResizeHorizontalImage() { return StockMarker<XC_sb_h_double_arrow>(); }

Image VerticalResizeCursor() { return StockMarker<XC_sb_v_double_arrow>(); }

Image CornerResizeCursor() { return StockMarker<XC_bottom_right_corner>(); }

Image HandCursor() { return StockMarker<XC_hand1>(); }

} // namespace Qor
