// DrawImg: the drawing layer's own image list ("threedots", the mark of a text cut short).
#pragma once

#include "draw/image_list/image_list.h"

namespace Qor {

struct DrawImg {
    enum { I_threedots, COUNT };

    // Built and registered as "DrawImg" on first use.
    static ImageList& Iml();
    static Image Get(int i) { return Iml().Get(i); }
    static Image threedots() { return Get(I_threedots); }
};

// Registers "DrawImg"; called once by the library's registration unit.
void RegisterDrawImg();

} // namespace Qor
