// RichObjectType, the behaviour of a kind of embedded object, and the process-wide
// registry of types by name.
#pragma once

#include "draw/image/image.h"
#include "foundation/string.h"
#include "foundation/values/size.h"
#include "foundation/values/value.h"
#include "richtext/registrations.h"

namespace Qor {

class Draw;
class TransferOffer;

// Each context form takes the context the reader or painter that asked hands through. The
// base forwards the context forms of the sizes, Paint and the two operations to the plain
// forms, and the plain ToImage and TextAtPoint to the context forms, so a type overrides
// whichever form it needs.
class RichObjectType {
public:
    virtual String GetTypeName(const Value& data) const = 0;
    virtual String TextQuery() const;
    // The data text itself.
    virtual Value ReadData(const String& text) const;
    // A String as it is, a WString in the default character set, Null as the empty text.
    virtual String WriteData(const Value& data) const;
    virtual bool IsTextData() const;
    virtual bool CanReadClip(TransferOffer& clip) const;
    virtual Value ReadClip(TransferOffer& clip) const;
    virtual String GetClipFormats() const;
    virtual String GetClip(const Value& data, const String& format) const;
    virtual Size GetDefaultSize(const Value& data, Size maxsize, void* context) const;
    virtual Size GetPhysicalSize(const Value& data, void* context) const;
    virtual Size GetPixelSize(const Value& data, void* context) const;
    virtual void Paint(const Value& data, Draw& w, Size sz, void* context) const;
    // An image of that size filled with the paper colour, painted by the context Paint.
    virtual Image ToImage(const Value& data, Size sz, void* context) const;
    virtual void OperationA(const Value& data, const Value& argument, void* context) const;
    virtual void OperationB(const Value& data, const Value& argument, void* context) const;
    virtual String TextAtPoint(const Value& data, Point p, Size sz, void* context) const;
    virtual ~RichObjectType() = default;
    // The largest size (physical, else pixels × 625 / 100) divided by the first divisor
    // 1 ... 9999 that fits into maxsize; 0, 0 for Null data.
    virtual Size GetDefaultSize(const Value& data, Size maxsize) const;
    // In dots; 0, 0 in the base.
    virtual Size GetPhysicalSize(const Value& data) const;
    // In pixels; 1, 1 in the base.
    virtual Size GetPixelSize(const Value& data) const;
    virtual void Paint(const Value& data, Draw& w, Size sz) const;
    virtual Image ToImage(const Value& data, Size sz) const;
    virtual void OperationA(const Value& data, const Value& argument) const;
    virtual void OperationB(const Value& data, const Value& argument) const;
    virtual String TextAtPoint(const Value& data, Point p, Size sz) const;
};

// Appends a type under a name; types live until exit, each name is registered once.
void RegisterObjectType(const char* name, const RichObjectType* type);
// The registered type of a name; null when none.
const RichObjectType* FindObjectType(const String& name);
// The registered names in registration order.
int GetObjectTypeCount();
String GetObjectTypeName(int i);

// An object embedded in rich text: its type, its data as the type read it and its sizes.
// An object of an unknown type keeps its data text and its type name and paints as a
// labelled box.
class EmbeddedObject {
public:
    // Void data, no type, sizes 0, keeping its ratio, with a new serial.
    EmbeddedObject();

    // Fills the object from a stored type name and data text and shows it at `shown` (in
    // dots); false, keeping the text as data and `shown` as every size, for an unknown type.
    bool ReadObject(const String& type_name, const String& data, Size shown, void* context = nullptr);

    void RenewSerial();
    int64 GetSerial() const { return serial; }

    const Value& GetData() const { return data; }
    void SetData(const Value& v) { data = v; }
    const RichObjectType* GetType() const { return type; }
    String GetTypeName() const;

    Size GetSize() const { return size; }
    void SetSize(Size sz) { size = sz; }
    Size GetPhysicalSize() const { return physical_size; }
    Size GetPixelSize() const { return pixel_size; }
    int GetYDelta() const { return ydelta; }
    void SetYDelta(int d) { ydelta = d; }
    bool IsKeepRatio() const { return keep_ratio; }
    void KeepRatio(bool b) { keep_ratio = b; }

    // Through the type, or the unknown-object box.
    void Paint(Draw& w, Size sz, void* context = nullptr) const;
    Image ToImage(Size sz, void* context = nullptr) const;

private:
    Value data;
    int32 ydelta = 0; // how far the object is lowered below the baseline
    Size size = Size(0, 0);
    Size physical_size = Size(0, 0);
    Size pixel_size = Size(0, 0);
    bool keep_ratio = true;
    const RichObjectType* type = nullptr;
    int64 serial;
    String type_name; // only for an unknown type

    void PaintUnknown(Draw& w, Size sz) const;
};

} // namespace Qor
