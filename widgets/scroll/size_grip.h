// SizeGrip: the grip in the bottom-right corner of a resizable top window; a press hands
// the window to the window manager's interactive resize.
#pragma once

#include "widgets/scroll/frame_ctrl.h"

namespace Qor {

class SizeGrip : public FrameRight<Ctrl> {
public:
    SizeGrip();

    // Frame width; 0 takes the standard scroll-bar width in layout and the framed height in
    // the size calculation.
    SizeGrip& SetSize(int cx)
    {
        SetFrameWidth(cx);
        return *this;
    }

    // The window manager resizes the window and the root is a sizeable top window that is
    // not maximised.
    bool IsActive() const;

    void Paint(Draw& w) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    Image CursorFor(Point p, dword keyflags) override;
};

} // namespace Qor
