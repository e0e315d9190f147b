// Painting: a recorded vector painting, a command text with its values and a size in
// doubles; held in Values as type 48. Nothing in the system renders it.
#pragma once

#include "draw/registrations.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/value.h"
#include "foundation/values/value_array.h"
#include "foundation/values/value_rep.h"

namespace Qor {

class Stream;
class XmlizeIo;
class JsonizeIo;

class Painting {
public:
    // The Null Painting: no command, no values, both sizes Null.
    Painting() = default;
    Painting(const String& command, const ValueArray& data, double cx, double cy)
        : command(command), data(data), cx(cx), cy(cy) {}
    // Null gives the Null Painting, a Painting Value a copy of it.
    explicit Painting(const Value& v);
    // A Value holding a copy in a new shared representation.
    operator Value() const;

    bool IsNullInstance() const { return command.IsEmpty(); }

    // The command, the values, then cx and cy as 8 raw bytes each. A failed load leaves
    // the Painting as it was.
    void Serialize(Stream& s);

    bool operator==(const Painting& b) const;
    bool operator!=(const Painting& b) const { return !(*this == b); }
    // From the command and the values; the size does not enter.
    uint32 GetHashValue() const;
    // "painting (cx, cy)"; a Null size shows as an empty number.
    String ToString() const;

    String command;
    ValueArray data;
    double cx = DOUBLE_NULL;
    double cy = DOUBLE_NULL;
};

inline bool IsNull(const Painting& p) { return p.IsNullInstance(); }

template <>
struct ValueTypeNumberOf<Painting> {
    static int Get() { return PAINTING_V; }
};

// The stream form inside the "data" frame, without a version.
String StorePaintingToString(const Painting& p);
// False, p unchanged, when the frame or its content is damaged.
bool LoadPaintingFromString(Painting& p, const String& text);

inline bool IsNullValue(const Painting& p) { return p.IsNullInstance(); }
inline void ValueSerialize(Stream& s, Painting& p) { p.Serialize(s); }
inline uint32 ValueHash(const Painting& p) { return p.GetHashValue(); }
inline bool ValueEquals(const Painting& a, const Painting& b) { return a == b; }
inline String ValueText(const Painting& p) { return p.ToString(); }

void Xmlize(XmlizeIo& io, Painting& p);
void Jsonize(JsonizeIo& io, Painting& p);

// Value type 48 "Painting" with its XML and JSON forms; run at start-up.
void RegisterPaintingValueType();

} // namespace Qor
