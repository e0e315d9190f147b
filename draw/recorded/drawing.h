// Drawing: a recorded picture, an opcode stream with the size of its coordinate space
// and the operands kept outside the stream; held in Values as type 49.
#pragma once

#include "draw/registrations.h"
#include "foundation/string.h"
#include "foundation/values/size.h"
#include "foundation/values/value.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_rep.h"

namespace Qor {

class Stream;
class XmlizeIo;
class JsonizeIo;

class Drawing {
public:
    // The Null Drawing: Null size, no data, no values.
    Drawing() : size(INT_NULL, INT_NULL) {}
    Drawing(Size size, const String& data, const ValueArray& values = ValueArray())
        : size(size), data(data), values(values) {}
    // Null gives the Null Drawing, a Drawing Value a copy of it.
    explicit Drawing(const Value& v);
    // A Value holding a copy in a new shared representation.
    operator Value() const;

    // Null when there is no data, whatever the size.
    bool IsNullInstance() const { return data.IsEmpty(); }
    Size GetSize() const { return size; }

    // cx, cy (bit 31 set when values follow), the data, then the values when flagged.
    // A failed load leaves the Drawing as it was.
    void Serialize(Stream& s);

    bool operator==(const Drawing& b) const;
    bool operator!=(const Drawing& b) const { return !(*this == b); }
    // From the data and the values; the size does not enter.
    uint32 GetHashValue() const;
    // "drawing " and the size as "(cx, cy)".
    String ToString() const;

    // Declared in this order so that destruction releases the values before the data.
    Size size;
    String data;       // the opcode stream
    ValueArray values; // operands kept outside the stream, taken in stream order
};

inline bool IsNull(const Drawing& d) { return d.IsNullInstance(); }

template <>
struct ValueTypeNumberOf<Drawing> {
    static int Get() { return DRAWING_V; }
};

// The stream form inside the "data" frame, without a version.
String StoreDrawingToString(const Drawing& d);
// False, d unchanged, when the frame or its content is damaged.
bool LoadDrawingFromString(Drawing& d, const String& text);

// The slots of the Drawing representation.
inline bool IsNullValue(const Drawing& d) { return d.IsNullInstance(); }
inline void ValueSerialize(Stream& s, Drawing& d) { d.Serialize(s); }
inline uint32 ValueHash(const Drawing& d) { return d.GetHashValue(); }
inline bool ValueEquals(const Drawing& a, const Drawing& b) { return a == b; }
inline String ValueText(const Drawing& d) { return d.ToString(); }

// The framed stream form in hex in the attribute or member "data".
void Xmlize(XmlizeIo& io, Drawing& d);
void Jsonize(JsonizeIo& io, Drawing& d);

// Value type 49 "Drawing" with its XML and JSON forms; run at start-up.
void RegisterDrawingValueType();

} // namespace Qor
