// Images on the clipboard and in drags: a private format that carries an Image exactly,
// "image/png" read from other programs and "image/bmp" written for them. The rich-text
// image object reaches them through the image clipboard hooks.
#pragma once

#include "ctrl/clip/transfer.h"
#include "draw/image/image.h"

namespace Qor {

// "Qor type: N3Qor5ImageE".
const char* ImageClipFormatName();
// The bytes of an image in the private format or "image/bmp"; empty for an empty image
// and for any other format.
String RenderImageFormat(const Image& img, const String& format);
// Whether the offer brings an image (fetching it when the offer fetches).
bool IsImageOffered(TransferOffer& offer);
// The offer's image; empty when none arrives or its data is damaged.
Image ReadOfferImage(TransferOffer& offer);
// The private format and "image/png", separated by ";".
const char* GetImageClipFormats();
// Whether data of the private format is as long as the size it declares.
bool IsPrivateImageSizeValid(const String& data);

// Start-up: installs the image clipboard hooks of the rich-text image object.
void RegisterImageClipFormats();

} // namespace Qor
