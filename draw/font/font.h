// Font: face, style flags, height and width packed into one 64-bit value that is copied
// freely and compared bitwise.
#pragma once

#include "draw/registrations.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Qor {

class Stream;
class Value;
class XmlizeIo;
class JsonizeIo;
struct FontMetrics;

class Font {
public:
    // Bits of the flags field.
    enum : int {
        BOLD = 0x8000,
        ITALIC = 0x4000,
        UNDERLINE = 0x2000,
        STRIKEOUT = 0x1000,
        NOAA = 0x0800,
        TTONLY = 0x0400,
    };
    // Faces with fixed indexes; the rest come from the system's font list.
    enum : int {
        STDFONT = 0,
        SERIF = 1,
        SANSSERIF = 2,
        MONOSPACE = 3,
        NULL_FACE = 0xFFFF,
    };
    // The height code that stands for the standard font's height.
    static constexpr int STD_HEIGHT = -32000;

    // All four fields 0.
    constexpr Font() : data(0) {}
    constexpr Font(int face, int height) : data(Pack(face, 0, height, 0)) {}
    static constexpr Font FromData(uint64 v) { Font f; f.data = v; return f; }
    static constexpr Font Null() { return FromData(NULL_FACE); }

    constexpr uint64 GetData() const { return data; }
    constexpr int GetFace() const { return (int)(data & 0xFFFF); }
    constexpr int GetFlags() const { return (int)((data >> 16) & 0xFFFF); }
    // The height as stored; STD_HEIGHT is not resolved here.
    constexpr int GetHeightCode() const { return (int16)(uint16)(data >> 32); }
    constexpr int GetWidth() const { return (int16)(uint16)(data >> 48); }
    constexpr bool IsNullInstance() const { return GetFace() == NULL_FACE; }

    constexpr bool IsBold() const { return GetFlags() & BOLD; }
    constexpr bool IsItalic() const { return GetFlags() & ITALIC; }
    constexpr bool IsUnderline() const { return GetFlags() & UNDERLINE; }
    constexpr bool IsStrikeout() const { return GetFlags() & STRIKEOUT; }
    constexpr bool IsNonAntiAliased() const { return GetFlags() & NOAA; }
    constexpr bool IsTrueTypeOnly() const { return GetFlags() & TTONLY; }

    Font& Face(int face) { SetField(0, face); return *this; }
    Font& Height(int height) { SetField(32, height); return *this; }
    Font& Width(int width) { SetField(48, width); return *this; }
    Font& SetFlags(int flags) { SetField(16, flags); return *this; }
    Font& Bold(bool b = true) { return Flag(BOLD, b); }
    Font& Italic(bool b = true) { return Flag(ITALIC, b); }
    Font& Underline(bool b = true) { return Flag(UNDERLINE, b); }
    Font& Strikeout(bool b = true) { return Flag(STRIKEOUT, b); }
    Font& NonAntiAliased(bool b = true) { return Flag(NOAA, b); }
    Font& TrueTypeOnly(bool b = true) { return Flag(TTONLY, b); }

    // The height field; the standard-height code gives the standard font's height.
    int GetHeight() const;
    // "STDFONT" for face 0, the listed name, or empty for the Null face and unlisted faces.
    String GetFaceName() const;
    // The face's list flags (bit 0 fixed pitch, bit 1 scalable); 0 for unlisted faces.
    dword IsFaceFixedPitch() const;
    static int GetFaceCount();

    // Replaces the Null font, face 0 and the standard-height code by the standard font's.
    Font& Resolve();
    Font Resolved() const { Font f(*this); return f.Resolve(); }
    Font Copy() const { return Font().Face(GetFace()).SetFlags(GetFlags()).Height(GetHeightCode()).Width(GetWidth()); }

    void Serialize(Stream& s);
    void Xmlize(XmlizeIo& io);
    void Jsonize(JsonizeIo& io);
    String ToText() const;

    // Valid until the next call.
    const FontMetrics& GetMetrics() const;
    int GetAscent() const;
    int GetDescent() const;
    // Measured with the whole glyph fallback.
    int GetCharWidth(int ch) const;
    int GetLeftBearing(int ch) const;
    int GetRightBearing(int ch) const;
    // The content of the font file that renders this font; void when it cannot be read.
    String GetFilePath() const;

    explicit Font(const Value& v);
    operator Value() const;

    friend constexpr bool operator==(Font a, Font b) { return a.data == b.data; }
    friend constexpr bool operator!=(Font a, Font b) { return a.data != b.data; }

private:
    uint64 data;

    static constexpr uint64 Pack(int face, int flags, int height, int width)
    {
        return (uint64)(uint16)face | (uint64)(uint16)flags << 16 | (uint64)(uint16)height << 32 |
               (uint64)(uint16)width << 48;
    }
    void SetField(int shift, int v) { data = (data & ~((uint64)0xFFFF << shift)) | (uint64)(uint16)v << shift; }
    Font& Flag(int bit, bool b) { return SetFlags(b ? GetFlags() | bit : GetFlags() & ~bit); }
};

static_assert(sizeof(Font) == 8, "a Font is one 64-bit value");

// Hash of a font as given (the metric caches hash resolved fonts).
uint32 FontHash(Font font);
inline uint32 GetHashValue(Font font) { return FontHash(font); }
// Hash of one character of a font.
inline uint32 GlyphHash(Font font, int ch) { return ((FontHash(font) ^ 0xE2F62FF2u) * 17) ^ (uint32)ch; }

struct FontFaceInfo {
    enum : dword { FIXED_PITCH = 1, SCALABLE = 2 };
    String name;
    dword flags = 0;
};

// Four fixed faces, then every family the system lists; built once.
const Vector<FontFaceInfo>& GetFontFaceList();
// Never negative: a name that matches nothing finds face 0.
int FindFontFace(const String& name);

// The process-wide standard font (face 2, height 12 until someone sets it).
Font GetStandardFont();
// Face 0 at the standard height, resolved each time it is used.
constexpr Font GetStandardFontReference() { return Font::FromData(0x0000830000000000ull); }

// The set flags as blank-separated words: "bold italic underline strikeout noaa ttonly".
String FontFlagsToText(int flags);
// Unknown words are skipped.
int FontFlagsFromText(const char* text);

// Value type 40 "Font" with its XML and JSON forms; builds the face list and the
// standard font so that both exist before the program starts.
void RegisterFontValueType();

// Hash, Null test and equality of the Value form.
bool IsNullValue(const Font& f);
uint32 ValueHash(const Font& f);
inline bool ValueEquals(const Font& a, const Font& b) { return a == b; }
void ValueSerialize(Stream& s, Font& f);
inline String ValueText(const Font& f) { return f.ToText(); }

} // namespace Qor
