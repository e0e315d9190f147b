// The layout pass of a control (frames, then the children re-placed, then Layout) and the
// base size operations.

#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/frame/frame_settings.h"
#include "ctrl/platform/platform.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "draw/font/font_metrics.h"

#include <algorithm>
#include <climits>

namespace Qor {

void Ctrl::ResolveLayout(int mode)
{
    Rect old_view = GetViewRect();
    Rect r(GetSize());
    overpaint = byte(std::clamp(OverpaintMargin(), 0, 255));
    bool frames_changed = false;
    for(int i = 0; i < GetFrameCount(); i++) {
        FrameEntry& e = FrameAt(i);
        e.frame->LayOut(r);
        FrameEntry laid = e;
        laid.SetRect(r);
        if(laid.GetRect() != e.GetRect()) {
            e.SetRect(r);
            frames_changed = true;
        }
        overpaint = byte(std::clamp(e.frame->OverpaintMargin(), int(overpaint), 255));
    }
    Rect view = GetViewRect();
    if(view.GetSize() != old_view.GetSize() || mode > 1) {
        Rect whole(GetSize());
        for(Ctrl* q = first_child; q; q = q->next) {
            q->SetRectFields(q->ResolveInParent(q->pos, q->IsInFrameArea(), whole, view));
            q->ResolveLayout(mode == 2 ? 2 : 0);
        }
        Refresh();
    }
    if(view != old_view || mode != 0) {
        StateChanged(STATE_LAYOUTPOS);
        Layout();
    }
    if(frames_changed)
        RefreshFrame();
}

Size Ctrl::MinimumSize() const
{
    int fh = GetStandardFontSize().cy;
    return GrowByFrames(Size(fh / 2, fh + 2 * GetCtrlMinHeightMargin() + 2));
}

Size Ctrl::StandardSize() const
{
    Size sz = MinimumSize();
    // Saturates: a derived minimum width near the int range must not wrap to a negative.
    sz.cx = int(std::clamp<int64>(int64(sz.cx) * 10, INT_MIN, INT_MAX));
    return sz;
}

Size Ctrl::MaximumSize() const { return GetPlatform().GetScreenRect().GetSize(); }

} // namespace Qor
