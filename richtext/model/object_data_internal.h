// What the image object types share: their data read as text or opened as an image file,
// and an image rescaled to the size an object is shown at.
#pragma once

#include "draw/image/image.h"
#include "draw/raster/stream_raster.h"
#include "foundation/owned_ptr.h"
#include "foundation/string_stream.h"
#include "foundation/string.h"
#include "foundation/values/size.h"
#include "foundation/values/value.h"

namespace Qor {

// A String as it is, a WString in the default character set, Null as the empty text;
// false (text emptied) for any other Value.
bool GetObjectDataText(const Value& data, String& text);
String GetObjectDataText(const Value& data);

// The data's bytes opened by the first registered format that accepts them; raster is
// null when none does. The stream must outlive the raster that reads from it.
struct ObjectDataRaster {
    String text;
    StringStream stream;
    OwnedPtr<StreamRaster> raster;

    explicit ObjectDataRaster(const Value& data);
};

// The sizes of the image file the data holds, in dots and in pixels; 0, 0 when no
// registered format opens it.
Size GetObjectDataDots(const Value& data);
Size GetObjectDataPixels(const Value& data);

// The image rescaled by the box rescaler; the empty Image stays empty rather than
// becoming a transparent picture of the size.
Image RescaleObjectImage(const Image& img, Size sz);

} // namespace Qor
