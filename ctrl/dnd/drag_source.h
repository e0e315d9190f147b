// The source side of drag and drop as the control tree sees it: which control runs the
// drag, and how the window system's drag is reached without its headers.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "draw/image/image.h"
#include "foundation/string.h"
#include "foundation/vector.h"

namespace Qor {

// Drag actions, as a drag reports how it ended and as offers carry them.
enum : int { DND_NONE = 0, DND_COPY = 1, DND_MOVE = 2 };
// Bits of the actions a drag allows; DND_SAMPLE_IS_CURSOR makes the sample the cursor itself.
enum : dword { DND_ALLOW_COPY = 1, DND_ALLOW_MOVE = 2, DND_SAMPLE_IS_CURSOR = 0x80000000u };

// What a drag offers, rendered when a receiver asks for a format; empty when it has none.
class DragPayload {
public:
    virtual ~DragPayload() = default;
    virtual String Render(const String& format) const = 0;
};

// The source control of the running drag, or null.
Ctrl* GetDragSource();
void SetDragSource(Ctrl* source);

struct DragSeams {
    // Runs a drag of the formats (in order) out of source; the action that ended it.
    int (*run_drag)(Ctrl* source, const Vector<String>& formats, const Image& sample, dword actions,
                    const DragPayload& data) = nullptr;
    // While this process runs a drag: the data for a format, without the window system.
    bool (*render_running_drag)(const String& format, String& out) = nullptr;
};

DragSeams& GetDragSeams();

// The drag through the window system; DND_NONE without one, without a source or without
// formats.
int RunDrag(Ctrl* source, const Vector<String>& formats, const Image& sample, dword actions, const DragPayload& data);
// True while this process runs a drag; its data for the format goes to out.
bool RenderRunningDragData(const String& format, String& out);

// A drag's cursor image: the sample under a fading frame with the cursor over its corner
// (fit for a compositing manager when one runs); without a sample the generic data mark.
Image MakeDragImage(const Image& cursor, const Image& sample);

} // namespace Qor
