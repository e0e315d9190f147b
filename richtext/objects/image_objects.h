// The image object types of rich text: "image" (an Image in its compact text form, with
// the clipboard hooks), "PNG" (image file bytes or an Image), "rawimage" (image file bytes
// decoded on demand) and "iml" (a picture of a registered image list).
#pragma once

#include "richtext/model/object_type.h"

namespace Qor {

// Holds the compact String form of an Image; reads its sizes from the header alone.
class RichImage : public RichObjectType {
public:
    using RichObjectType::GetPhysicalSize;
    using RichObjectType::GetPixelSize;
    using RichObjectType::Paint;
    using RichObjectType::ToImage;

    String GetTypeName(const Value& data) const override;
    bool CanReadClip(TransferOffer& clip) const override;
    // The offer's image in the compact form; the Null int Value without the paste hook.
    Value ReadClip(TransferOffer& clip) const override;
    String GetClipFormats() const override;
    String GetClip(const Value& data, const String& format) const override;
    // The header's dots; pixels × 600 / 96 when they are 0 in either direction.
    Size GetPhysicalSize(const Value& data) const override;
    // 0, 0 for a text of 12 bytes or fewer.
    Size GetPixelSize(const Value& data) const override;
    void Paint(const Value& data, Draw& w, Size sz, void* context) const override;
    Image ToImage(const Value& data, Size sz, void* context) const override;
};

// Holds image file bytes, or the Image they decoded to; an Image is written back as an
// "image" object, so that it reads back without a decoder.
class RichPNG : public RichObjectType {
public:
    using RichObjectType::GetPhysicalSize;
    using RichObjectType::GetPixelSize;
    using RichObjectType::Paint;
    using RichObjectType::ToImage;

    // "image" for an Image, else "PNG".
    String GetTypeName(const Value& data) const override;
    // The decoded Image when a registered format gives pixels, else the text itself.
    Value ReadData(const String& text) const override;
    // An Image in the compact form, text as it is.
    String WriteData(const Value& data) const override;
    // Of the Image; 0, 0 for text.
    Size GetPhysicalSize(const Value& data) const override;
    Size GetPixelSize(const Value& data) const override;
    // An Image never enlarged past four times its size; text as the "missing" box.
    void Paint(const Value& data, Draw& w, Size sz) const override;
    Image ToImage(const Value& data, Size sz, void* context) const override;
};

// Holds image file bytes and opens them anew as a raster for every operation.
class RichRawImage : public RichObjectType {
public:
    using RichObjectType::GetPhysicalSize;
    using RichObjectType::GetPixelSize;
    using RichObjectType::Paint;
    using RichObjectType::ToImage;

    String GetTypeName(const Value& data) const override;
    Value ReadData(const String& text) const override;
    String WriteData(const Value& data) const override;
    // Of the raster; 0, 0 when no registered format opens the bytes.
    Size GetPhysicalSize(const Value& data) const override;
    Size GetPixelSize(const Value& data) const override;
    // Rescaled straight from the raster; nothing when no format opens the bytes.
    void Paint(const Value& data, Draw& w, Size sz, void* context) const override;
    // The empty Image when no format opens the bytes.
    Image ToImage(const Value& data, Size sz, void* context) const override;
};

// Holds "list:image", a path of a registered image list.
class RichImlImage : public RichObjectType {
public:
    using RichObjectType::GetPhysicalSize;
    using RichObjectType::GetPixelSize;
    using RichObjectType::Paint;
    using RichObjectType::ToImage;

    String GetTypeName(const Value& data) const override;
    bool IsTextData() const override;
    // Both are the image's size in pixels; 0, 0 for an unknown list or image.
    Size GetPhysicalSize(const Value& data) const override;
    Size GetPixelSize(const Value& data) const override;
    void Paint(const Value& data, Draw& w, Size sz) const override;
    // The empty Image for an unknown list or image.
    Image ToImage(const Value& data, Size sz, void* context) const override;
};

// The process-wide singletons, built on first use.
const RichImage& GetRichImage();
const RichPNG& GetRichPNG();
const RichRawImage& GetRichRawImage();
const RichImlImage& GetRichImlImage();

// Registers "image", "PNG", "rawimage" and "iml", in this order; run once at start-up.
void RegisterRichImageTypes();

// What the window core installs so that "image" objects take part in the clipboard: the
// clipboard bytes of an image in a format, whether an offer holds an image, the image of
// an offer, and the formats images are offered in, separated by ";". Null until set.
using ImageClipDataHook = String (*)(const Image& img, const String& format);
using ImagePasteTestHook = bool (*)(TransferOffer& clip);
using ImagePasteReadHook = Image (*)(TransferOffer& clip);
using ImageClipFormatsHook = const char* (*)();
void SetImageClipboardHooks(ImageClipDataHook clip_data, ImagePasteTestHook paste_test, ImagePasteReadHook paste_read,
                            ImageClipFormatsHook formats);

} // namespace Qor
