// RichTextImg: the rich-text engine's image list (label and code marks of paragraphs).
#pragma once

#include "draw/image_list/image_list.h"

namespace Qor {

struct RichTextImg {
    enum { I_Label, I_EndParaChar, I_TabChar, I_SpaceChar, I_HardSpaceChar, COUNT };

    // Built and registered as "RichTextImg" on first use.
    static ImageList& Iml();
    static Image Get(int i) { return Iml().Get(i); }
    static Image Label() { return Get(I_Label); }
    static Image EndParaChar() { return Get(I_EndParaChar); }
    static Image TabChar() { return Get(I_TabChar); }
    static Image SpaceChar() { return Get(I_SpaceChar); }
    static Image HardSpaceChar() { return Get(I_HardSpaceChar); }
};

// Registers "RichTextImg"; called once by the library's registration unit.
void RegisterRichTextImg();

} // namespace Qor
