// SizeGrip: the resize grip of a top window's corner.

#include "widgets/scroll/size_grip.h"

#include "ctrl/input/mouse_routing.h"
#include "ctrl/input/resize_host.h"
#include "ctrl/topwindow/top_window.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "widgets/images/ctrls_img.h"

namespace Qor {

enum : int { SIZE_GRIP_PLACE = 12, SIZE_GRIP_WIDTH = 14 };

namespace {

// The root when it is a top window the user may resize now.
TopWindow* ResizableRoot(const Ctrl& c)
{
    TopWindow* top = AsTopWindow(const_cast<Ctrl&>(c).GetRootCtrl());
    return top && top->IsSizeable() && top->GetState() != TopWindow::STATE_MAXIMIZED ? top : nullptr;
}

} // namespace

SizeGrip::SizeGrip()
{
    SetTransparent();
    SetWantsFocus(false);
    PlaceRight(0, SIZE_GRIP_PLACE);
    PlaceBottom(0, SIZE_GRIP_PLACE);
    size = SIZE_GRIP_WIDTH;
}

bool SizeGrip::IsActive() const { return IsWindowResizeAvailable() && ResizableRoot(*this); }

void SizeGrip::Paint(Draw& w)
{
    Size sz = GetViewSize();
    if(!IsTransparent())
        w.DrawRect(0, 0, sz.cx, sz.cy, SysColorFace());
    if(IsActive()) {
        Image grip = CtrlsImg::SizeGrip();
        Size isz = grip.GetSize();
        w.DrawImage(sz.cx - isz.cx, sz.cy - isz.cy, grip);
    }
}

void SizeGrip::LeftButtonDown(Point, dword)
{
    if(TopWindow* top = ResizableRoot(*this))
        StartWindowResize(*top);
}

Image SizeGrip::CursorFor(Point, dword) { return IsActive() ? GetCornerResizeCursor() : GetArrowCursor(); }

} // namespace Qor
