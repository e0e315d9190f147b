// The standard font from the desktop's font name.

#include "hostlook/skin/host_font.h"

#include <algorithm>
#include <cctype>
#include <strings.h>

namespace Qor {

namespace {

const int DEFAULT_SIZE = 13;
const int MAX_SIZE = 1000;

// The decimal number at the text's start after spaces; saturates instead of overflowing.
int ParseSize(const char* s)
{
    while(*s == ' ')
        s++;
    int64 n = 0;
    while(*s >= '0' && *s <= '9') {
        n = std::min<int64>(n * 10 + (*s++ - '0'), INT32_MAX);
    }
    return (int)n;
}

int FaceByFirstLetter(const String& face)
{
    int c = face.IsEmpty() ? 0 : toupper((byte)face[0]);
    if(c == 'M')
        return Font::MONOSPACE;
    if(c == 'S' && face.GetLength() > 1 && toupper((byte)face[1]) == 'E')
        return Font::SERIF;
    return Font::SANSSERIF;
}

} // namespace

Font GtkFontFromName(const String& name, int dpi)
{
    int face = 0;
    bool bold = false, italic = false;
    int size = DEFAULT_SIZE;
    int last = name.FindLast(' ');
    if(last < 0)
        face = Font::SANSSERIF;
    else {
        size = ParseSize(name.Begin() + last + 1);
        if(size == 0)
            size = DEFAULT_SIZE;
        size = std::clamp(size, 1, MAX_SIZE);
        String text = name.Mid(0, last);
        face = FindFontFace(text);
        // Style words end the face name: drop words from the end until what is left is a
        // face the system knows, so a family name is never cut short.
        while(!face && text.Find(' ') >= 0) {
            int space = text.FindLast(' ');
            String word = text.Mid(space + 1);
            if(!strcasecmp(word.Begin(), "Bold") || !strcasecmp(word.Begin(), "Heavy"))
                bold = true;
            else if(!strcasecmp(word.Begin(), "Italic") || !strcasecmp(word.Begin(), "Oblique"))
                italic = true;
            text = text.Mid(0, space);
            face = FindFontFace(text);
        }
        if(!face)
            face = FaceByFirstLetter(text);
    }
    int64 height = ((int64)size * dpi + 36864) / 73728;
    Font f(face, (int)std::clamp<int64>(height, 0, INT16_MAX));
    f.Bold(bold).Italic(italic);
    return f;
}

} // namespace Qor
