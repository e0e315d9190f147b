// Font: the face list, face lookup by name, the standard font, resolution and the hash.

#include "draw/font/font.h"

#include "draw/font/font_backend.h"
#include "draw/font/font_internal.h"
#include "foundation/chartable.h"

namespace Qor {

namespace {

bool standard_font_ready = false;

// Digits and lower-case ASCII letters stay, capitals are lowered, everything else goes.
String NormalizeFaceName(const String& name)
{
    String r;
    for(int c : name) {
        if((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))
            r.AppendChar(c);
        else if(c >= 'A' && c <= 'Z')
            r.AppendChar(LowerCaseChar(c));
    }
    return r;
}

} // namespace

const Vector<FontFaceInfo>& GetFontFaceList()
{
    static const Vector<FontFaceInfo> list = BuildFontFaceList();
    return list;
}

int FindFontFace(const String& name)
{
    if(name == "STDFONT")
        return 0;
    const Vector<FontFaceInfo>& list = GetFontFaceList();
    for(int i = 1; i < list.GetCount(); i++)
        if(list[i].name == name)
            return i;
    String n = NormalizeFaceName(name);
    for(int i = 1; i < list.GetCount(); i++)
        if(NormalizeFaceName(list[i].name) == n)
            return i;
    if(n == "serif")
        return Font::SERIF;
    if(n == "sansserif")
        return Font::SANSSERIF;
    if(n == "monospace")
        return Font::MONOSPACE;
    return 0;
}

Font& StandardFontSlot()
{
    static Font standard;
    return standard;
}

void InitStandardFont()
{
    if(standard_font_ready)
        return;
    GetFontFaceList();
    StandardFontSlot() = Font(Font::SANSSERIF, 12);
    standard_font_ready = true;
}

Font GetStandardFont()
{
    InitStandardFont();
    return StandardFontSlot();
}

int Font::GetFaceCount()
{
    return GetFontFaceList().GetCount();
}

String Font::GetFaceName() const
{
    int face = GetFace();
    if(face == 0)
        return "STDFONT";
    const Vector<FontFaceInfo>& list = GetFontFaceList();
    return face < list.GetCount() ? list[face].name : String();
}

dword Font::IsFaceFixedPitch() const
{
    const Vector<FontFaceInfo>& list = GetFontFaceList();
    return GetFace() < list.GetCount() ? list[GetFace()].flags : 0;
}

int Font::GetHeight() const
{
    int h = GetHeightCode();
    if(h != STD_HEIGHT)
        return h;
    // A standard font stored with the standard-height code has no height of its own.
    int sh = GetStandardFont().GetHeightCode();
    return sh == STD_HEIGHT ? 0 : sh;
}

Font& Font::Resolve()
{
    Font standard = GetStandardFont();
    if(IsNullInstance())
        *this = standard;
    if(GetFace() == 0)
        Face(standard.GetFace());
    if(GetHeightCode() == STD_HEIGHT)
        Height(standard.GetHeight());
    return *this;
}

uint32 FontHash(Font font)
{
    uint32 h = 0xE2F62FF2u ^ (uint32)font.GetWidth();
    h = h * 17 ^ (uint32)font.GetFlags();
    h = h * 17 ^ (uint32)font.GetHeightCode();
    h = h * 17 ^ (uint32)font.GetFace();
    return h;
}

} // namespace Qor
