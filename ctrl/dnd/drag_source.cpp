// The drag source as the control tree sees it: the running drag's source and the seam into
// the window system's drag.

#include "ctrl/dnd/drag_source.h"

#include "ctrl/platform/platform.h"
#include "foundation/pte.h"
#include "foundation/text_split.h"

namespace Qor {

namespace {

WeakPointer<Ctrl>& DragSourceRef()
{
    static WeakPointer<Ctrl> source;
    return source;
}

} // namespace

Ctrl* GetDragSource() { return DragSourceRef(); }

void SetDragSource(Ctrl* source) { DragSourceRef() = WeakPointer<Ctrl>(source); }

int DoDragAndDrop(Ctrl* source, const char* formats, const Image& sample, dword actions, const TransferFormatMap& data)
{
    Vector<String> names;
    for(const String& f : SplitText(formats ? formats : "", ';', true))
        names.Add(TransferFormatName(f));
    for(int i = 0; i < data.GetCount(); i++)
        names.Add(TransferFormatName(data.GetKey(i)));
    if(!source || names.IsEmpty() || !(actions & (DND_ALLOW_COPY | DND_ALLOW_MOVE)))
        return DROP_NONE;
    return GetPlatform().RunDrag(source, names, sample, actions, data);
}

int Ctrl::StartDrag(Ctrl* source, const TransferFormatMap& data, const Image& sample, dword actions)
{
    return DoDragAndDrop(source, "", sample, actions, data);
}

} // namespace Qor
