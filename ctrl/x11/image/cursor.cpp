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

Image CursorArrowImage()
{
    static Image img = MarkerImage(XC_left_ptr);
    return img;
}

Image CursorTextImage()
{
    static Image img = MarkerImage(XC_xterm);
    return img;
}

Image CursorResizeHorizontalImage()
{
    static Image img = MarkerImage(XC_sb_h_double_arrow);
    return img;
}

Image VerticalResizeCursor()
{
    static Image img = MarkerImage(XC_sb_v_double_arrow);
    return img;
}

Image CornerResizeCursor()
{
    static Image img = MarkerImage(XC_bottom_right_corner);
    return img;
}

Image HandCursor()
{
    static Image img = MarkerImage(XC_hand1);
    return img;
}

} // namespace Qor
