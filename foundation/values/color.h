// Color: a packed 24-bit RGB value (0x00BBGGRR) with a Null state (all 32 bits set),
// passed by value everywhere; conversions to and from premultiplied RGBA pixels, blends,
// brightness, text, and its in-place Value form under type 39.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Qor {

class Value;
class XmlizeIo;
class JsonizeIo;

// The drawing subsystem's pixel: blue, green, red, alpha in memory order, the colour bytes
// premultiplied by alpha.
struct RGBA {
    byte b;
    byte g;
    byte r;
    byte a;
};

class Color {
public:
    static constexpr dword NULL_BITS = 0xFFFFFFFF;

    // The Null colour.
    constexpr Color() : bits(NULL_BITS) {}
    // Each channel keeps its low 8 bits.
    constexpr Color(int r, int g, int b) : bits((dword)(r & 255) | (dword)(g & 255) << 8 | (dword)(b & 255) << 16) {}
    // Undoes the premultiplication; alpha 0 gives Null. A colour byte at or above its
    // alpha (not a valid premultiplied pixel) saturates to 255 instead of wrapping.
    explicit Color(RGBA p);
    // The held Color, or Null when v holds anything else.
    explicit Color(const Value& v);
    // A Value holding the colour in place.
    operator Value() const;

    static constexpr Color FromBits(dword bits) { Color c; c.bits = bits; return c; }
    constexpr dword GetBits() const { return bits; }

    constexpr bool IsNullInstance() const { return bits == NULL_BITS; }
    constexpr int GetR() const { return bits & 255; }
    constexpr int GetG() const { return (bits >> 8) & 255; }
    constexpr int GetB() const { return (bits >> 16) & 255; }

    // The 24-bit value; 0 for Null.
    constexpr dword GetPacked() const { return IsNullInstance() ? 0 : bits & 0xFFFFFF; }
    // Alpha 255 and the three channels; Null gives the fully transparent all-zero pixel.
    RGBA ToRGBA() const;
    // "Color(r, g, b)", or "Color(Null)".
    String ToText() const;

    friend constexpr bool operator==(Color a, Color b) { return a.bits == b.bits; }
    friend constexpr bool operator!=(Color a, Color b) { return a.bits != b.bits; }

private:
    dword bits;
};

inline uint32 GetHashValue(Color c) { return c.GetBits(); }
inline bool IsNull(Color c) { return c.IsNullInstance(); }

inline constexpr Color Black() { return Color(0, 0, 0); }
inline constexpr Color White() { return Color(255, 255, 255); }

// Per channel from a (alpha 0) towards b (alpha 255); Null counts as black. An alpha
// outside 0..255 is taken as the nearer end, so no channel can leave 0..255.
Color MixColors(Color a, Color b, int alpha);
// (77 r + 151 g + 28 b) >> 8; 0 for Null.
int GrayLevel(Color c);
// Gray level below 80; Null counts as dark.
bool IsDarkColor(Color c);

// XML: the attributes "red", "green", "blue" (empty for Null); JSON: the members of the
// same names. Loading packs the low 8 bits of each channel, Null when red reads as Null.
void Xmlize(XmlizeIo& io, Color& c);
void Jsonize(JsonizeIo& io, Color& c);

// Installs the in-place record at 39 and the name "Color". Run by the library's
// registration unit; later calls do nothing.
void RegisterColorValueType();
// The XML and JSON forms for the record; run by the registration unit.
void RegisterColorValueMappings();

} // namespace Qor
