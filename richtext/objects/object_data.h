// What the image object types share: their data read as text, and an image rescaled to
// the size an object is shown at.
#pragma once

#include "draw/image/image.h"
#include "foundation/string.h"
#include "foundation/values/size.h"
#include "foundation/values/value.h"

namespace Qor {

// A String as it is, a WString in the default character set, Null as the empty text;
// false (text emptied) for any other Value.
bool GetObjectDataText(const Value& data, String& text);
String GetObjectDataText(const Value& data);

// The image rescaled by the box rescaler; the empty Image stays empty rather than
// becoming a transparent picture of the size.
Image RescaleObjectImage(const Image& img, Size sz);

} // namespace Qor
