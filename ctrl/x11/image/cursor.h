// Mouse cursors from images: stock shapes of the X cursor font and Xrender cursors.
#pragma once

#include "ctrl/x11/registrations.h"
#include "draw/image/image.h"

namespace Qor {

// X's Cursor id, without the X headers.
using XCursorId = unsigned long;

// The cursor of an image: a marker image's stock shape, else the pixels with the image's
// hotspot; the arrow for an empty image. The caller frees it with XFreeCursor.
XCursorId CreateXCursor(const Image& img);

// Marker images: their auxiliary value is an X cursor-font shape + 1; their pixels are
// never shown. Built once.
Image CursorArrowImage();
Image CursorTextImage();
Image CursorResizeHorizontalImage();
Image VerticalResizeCursor();
Image CornerResizeCursor();
Image HandCursor();

} // namespace Qor
