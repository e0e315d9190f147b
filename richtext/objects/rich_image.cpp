// The "image" object type and the image clipboard hooks the window core installs.

#include "richtext/objects/image_objects.h"

#include "draw/image/image_forms.h"
#include "draw/target/draw.h"
#include "richtext/model/object_data_internal.h"

namespace Qor {

namespace {

struct ImageClipboard {
    ImageClipDataHook clip_data = nullptr;
    ImagePasteTestHook paste_test = nullptr;
    ImagePasteReadHook paste_read = nullptr;
    ImageClipFormatsHook formats = nullptr;
};

ImageClipboard clipboard;

Image DecodeImageData(const Value& data) { return ReadCompactImage(GetObjectDataText(data)); }

} // namespace

void SetImageClipboardHooks(ImageClipDataHook clip_data, ImagePasteTestHook paste_test, ImagePasteReadHook paste_read,
                            ImageClipFormatsHook formats)
{
    clipboard = { clip_data, paste_test, paste_read, formats };
}

String RichImage::GetTypeName(const Value&) const { return "image"; }

bool RichImage::CanReadClip(TransferOffer& clip) const { return clipboard.paste_test && clipboard.paste_test(clip); }

Value RichImage::ReadClip(TransferOffer& clip) const
{
    if(!clipboard.paste_read)
        return Value(INT_NULL);
    return WriteCompactImage(clipboard.paste_read(clip));
}

String RichImage::GetClipFormats() const
{
    const char* formats = clipboard.formats ? clipboard.formats() : nullptr;
    return formats ? String(formats) : String();
}

String RichImage::GetClip(const Value& data, const String& format) const
{
    if(!clipboard.clip_data)
        return String();
    return clipboard.clip_data(DecodeImageData(data), format);
}

Size RichImage::GetPhysicalSize(const Value& data) const
{
    String text = GetObjectDataText(data);
    Size dots = GetCompactImageDots(text);
    if(dots.cx && dots.cy)
        return dots;
    Size pixels = GetCompactImageSize(text);
    return Size(pixels.cx * 600 / 96, pixels.cy * 600 / 96);
}

Size RichImage::GetPixelSize(const Value& data) const { return GetCompactImageSize(GetObjectDataText(data)); }

void RichImage::Paint(const Value& data, Draw& w, Size sz, void*) const
{
    w.DrawImage(0, 0, sz.cx, sz.cy, DecodeImageData(data));
}

Image RichImage::ToImage(const Value& data, Size sz, void*) const
{
    return RescaleObjectImage(DecodeImageData(data), sz);
}

} // namespace Qor
