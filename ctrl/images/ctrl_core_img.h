// CtrlCoreImg: the window core's own images, the cursors and mark of drag and drop (the list
// "CtrlCoreImg").
#pragma once

#include "ctrl/registrations.h"
#include "draw/image_list/image_list.h"

namespace Qor {

struct CtrlCoreImg {
    enum { I_DndMoveX11, I_DndMove, I_DndMove98, I_DndNone, I_DndNone98, I_DndCopy, I_DndCopy98, I_DndData, COUNT };

    // Built and registered as "CtrlCoreImg" on first use.
    static ImageList& GetList();
    static Image Get(int i) { return GetList().Get(i); }
    static Image DndMoveX11() { return Get(I_DndMoveX11); }
    static Image DndMove() { return Get(I_DndMove); }
    static Image DndMove98() { return Get(I_DndMove98); }
    static Image DndNone() { return Get(I_DndNone); }
    static Image DndNone98() { return Get(I_DndNone98); }
    static Image DndCopy() { return Get(I_DndCopy); }
    static Image DndCopy98() { return Get(I_DndCopy98); }
    static Image DndData() { return Get(I_DndData); }
};

// Image i of "CtrlCoreImg".
inline Image GetCtrlCoreImage(int i) { return CtrlCoreImg::Get(i); }

// Registers "CtrlCoreImg"; called once by the library's registration unit.
void RegisterCtrlCoreImg();

} // namespace Qor
