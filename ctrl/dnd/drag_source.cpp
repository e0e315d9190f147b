// The drag source as the control tree sees it: the running drag's source and the seams
// into the window system's drag.

#include "ctrl/dnd/drag_source.h"

#include "foundation/pte.h"

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

DragSeams& GetDragSeams()
{
    static DragSeams seams;
    return seams;
}

int RunDrag(Ctrl* source, const Vector<String>& formats, const Image& sample, dword actions, const DragPayload& data)
{
    auto run = GetDragSeams().run_drag;
    if(!run || !source || formats.IsEmpty() || !(actions & (DND_ALLOW_COPY | DND_ALLOW_MOVE)))
        return DND_NONE;
    return run(source, formats, sample, actions, data);
}

bool RenderRunningDragData(const String& format, String& out)
{
    auto render = GetDragSeams().render_running_drag;
    return render && render(format, out);
}

} // namespace Qor
