// The byte forms of an Image: the stream form (Image::Serialize), the zlib-compressed
// compact String form and the framed String form.
#pragma once

#include "draw/image/image.h"
#include "foundation/string.h"
#include "foundation/values/size.h"

namespace Qor {

// Header byte, six 16-bit fields, then the zlib stream of the pixels in red, green, blue
// (alpha) order. The empty String for an empty or fully transparent Image, and for one
// whose size, hotspot or dots do not fit the 16-bit fields.
String WriteCompactImage(const Image& img);
// The empty Image when the String is not a valid compact form.
Image ReadCompactImage(const String& data);
// Width and height, or dots, from the header without decompressing; 0, 0 for a String of
// 12 bytes or fewer.
Size GetCompactImageSize(const String& data);
Size GetCompactImageDots(const String& data);

// The stream form inside the checked "data" frame.
String StoreImageToString(const Image& img);
// False when the frame or the payload is damaged; img then keeps its previous value.
bool LoadImageFromString(Image& img, const String& data);

} // namespace Qor
