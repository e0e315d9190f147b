// The image clipboard formats and the hooks through which rich-text images use them.
#include "ctrl/clip/image_formats.h"

#include "draw/image/image_forms.h"
#include "draw/image/pixel_buffer.h"
#include "draw/raster/bmp/bmp_encoder.h"
#include "draw/raster/stream_raster.h"
#include "richtext/objects/image_objects.h"

#include <cstring>

namespace Qor {

namespace {

// The framed private form: "data", the packed version, six int32 fields, the pixels, "end"
// with a zero byte and the int32 count of the bytes before it.
enum : int { PRIVATE_HEADER = 4 + 1 + 6 * 4, PRIVATE_TRAILER = 4 + 4 };

int32 Int32At(const String& data, int pos)
{
    const byte* p = (const byte*)data.Begin() + pos;
    return (int32)((dword)p[0] | (dword)p[1] << 8 | (dword)p[2] << 16 | (dword)p[3] << 24);
}

} // namespace

const char* ImageClipFormatName() { return "Qor type: N3Qor5ImageE"; }

const char* GetImageClipFormats()
{
    static String formats = String(ImageClipFormatName()) + ";image/png";
    return formats.Begin();
}

String RenderImageFormat(const Image& img, const String& format)
{
    if(img.GetWidth() == 0 && img.GetHeight() == 0)
        return String();
    if(format == "image/bmp") {
        BMPEncoder bmp(24);
        return EncodeImage(bmp, img);
    }
    if(format == ImageClipFormatName())
        return StoreImageToString(img);
    return String();
}

bool IsPrivateImageSizeValid(const String& data)
{
    if(data.GetLength() < PRIVATE_HEADER + PRIVATE_TRAILER || std::memcmp(data.Begin(), "data", 4) != 0 ||
       (byte)data[4] != 1)
        return false;
    int32 cx = Int32At(data, 5), cy = Int32At(data, 9);
    if(cx == 0 && cy == 0)
        return data.GetLength() == PRIVATE_HEADER + PRIVATE_TRAILER;
    if(cx <= 0 || cy <= 0 || !IsValidImageSize(cx, cy))
        return false;
    return (int64)data.GetLength() == (int64)PRIVATE_HEADER + (int64)cx * cy * 4 + PRIVATE_TRAILER;
}

bool IsImageOffered(TransferOffer& offer) { return offer.Accept(ImageClipFormatName()) || offer.Accept("image/png"); }

Image ReadOfferImage(TransferOffer& offer)
{
    if(offer.Accept(ImageClipFormatName())) {
        // Data from another program is measured against the size it declares before any
        // pixel memory is taken for it.
        Image img;
        if(IsPrivateImageSizeValid(offer.data) && LoadImageFromString(img, offer.data) && !img.IsEmpty())
            return img;
    }
    if(offer.Accept("image/png"))
        return StreamRaster::LoadFromString(offer.data);
    return Image();
}

void RegisterImageClipFormats()
{
    SetImageClipboardHooks(RenderImageFormat, IsImageOffered, ReadOfferImage, GetImageClipFormats);
}

} // namespace Qor
