// The object types "Drawing" (a recorded drawing with its size in dots) and "PING" (the
// bytes of an image file).
#pragma once

#include "draw/recorded/drawing.h"
#include "richtext/model/object_type.h"

namespace Qor {

class RichObjectTypeDrawingCls : public RichObjectType {
public:
    // The data of a "Drawing" object; held in a Value through RawValueRep.
    struct Data {
        Drawing drawing;
        Size size; // the physical size in dots
    };

    using RichObjectType::GetPhysicalSize;
    using RichObjectType::GetPixelSize;
    using RichObjectType::Paint;

    String GetTypeName(const Value& data) const override;
    // Version, size and the drawing's stream form; void when the text is cut short or damaged.
    Value ReadData(const String& text) const override;
    // The empty text for a Value that holds no Data.
    String WriteData(const Value& data) const override;
    Size GetPhysicalSize(const Value& data) const override;
    Size GetPixelSize(const Value& data) const override;
    // White, then the drawing played into the rectangle.
    void Paint(const Value& data, Draw& w, Size sz) const override;

    // The Data held by a Value; null when it holds none.
    static const Data* GetData(const Value& v);
    static Value MakeData(const Drawing& drawing, Size size);
};

class RichObjectTypePNGCls : public RichObjectType {
public:
    using RichObjectType::GetPhysicalSize;
    using RichObjectType::GetPixelSize;
    using RichObjectType::Paint;

    String GetTypeName(const Value& data) const override;
    // From the first registered image format that opens the data; 0, 0 when none does.
    Size GetPhysicalSize(const Value& data) const override;
    Size GetPixelSize(const Value& data) const override;
    // The image scaled onto white; red when no format opens the data.
    void Paint(const Value& data, Draw& w, Size sz) const override;
};

// Registers "Drawing" and "PING", in this order; run once at start-up.
void RegisterRichObjectTypes();

} // namespace Qor
