// Font: face, style flags, height and width packed into one 64-bit value that is copied
// freely and compared bitwise.
#pragma once

#include "draw/registrations.h"
#include "foundation/types.h"

namespace Qor {

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

} // namespace Qor
