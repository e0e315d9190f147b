// HeaderCtrl and the mouse: resizing by a divider, pressing and clicking a tab, moving a
// tab by dragging it, the context menu, tooltips and the pointer shape.

#include "lists/header/header_ctrl.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/topwindow/top_window.h"
#include "widgets/images/ctrls_img.h"
#include "widgets/menu/menu_bar.h"

#include <algorithm>
#include <climits>

namespace Qor {

void HeaderCtrl::LeftButtonDown(Point p, dword)
{
    split = GetSplit(p.x);
    if(split == HEADER_NO_SPLIT)
        return;
    SetCapture();
    if(split >= 0) {
        press_rect = tab_rects[split];
        return;
    }
    int i = ~split;
    pushed_tab = pressed_tab = i;
    tabs[i].WhenLeftDown();
    // The callback may have reset the header.
    if(pushed_tab >= 0 && pushed_tab < tabs.GetCount()) {
        if(CanRunCallback(tabs[pushed_tab].WhenAction)) {
            press_rect = GetTabRect(pushed_tab);
            flags |= PUSHED;
        }
        else {
            pushed_tab = -1;
            return;
        }
    }
    Refresh();
}

void HeaderCtrl::DragResize(Point p)
{
    if(!HasCapture() || split < 0 || split >= tabs.GetCount())
        return;
    int x = mode == HEADER_ABSOLUTE ? p.x + GetScroll() : std::min(p.x, GetViewSize().cx);
    int w = std::max(0, x - press_rect.left);
    if(w == GetTabWidth(split))
        return;
    ResizeTab(split, w);
    Refresh();
    // Every width step reaches the owner while the pointer moves.
    RepaintNow();
    RunAction();
    WhenLayout();
}

void HeaderCtrl::DragMove(Point p)
{
    Vector<int> visible = GetVisibleTabs(0);
    target = visible.IsEmpty() ? 0 : visible.Top() + 1;
    int scroll = GetScroll();
    for(int j : visible) {
        Rect r = GetTabRect(j);
        if(p.x < r.left - scroll + r.Width() / 2) {
            target = j;
            break;
        }
    }
    pointer_x = p.x;
    Refresh();
}

void HeaderCtrl::PointerMoved(Point p, dword)
{
    if(moving) {
        DragMove(p);
        return;
    }
    int r = GetSplit(p.x);
    int hot = -1;
    if(r < 0 && r != HEADER_NO_SPLIT && ~r < tabs.GetCount()) {
        hot = ~r;
        if(!tabs[hot].tip.IsEmpty())
            SetTipText(tabs[hot].tip.Begin());
    }
    if(hot != hot_tab)
        Refresh();
    DragResize(p);
}

void HeaderCtrl::LeftButtonUp(Point, dword)
{
    if(moving) {
        if(pressed_tab >= 0 && target >= 0)
            MoveTab(pressed_tab, target);
        target = pressed_tab = -1;
        Refresh();
    }
    else if(pushed_tab >= 0 && (flags & PUSHED) && pushed_tab < tabs.GetCount()) {
        // Released anywhere: the press already chose the tab.
        Callback action = tabs[pushed_tab].WhenAction;
        EndInteraction();
        Refresh();
        action();
        return;
    }
    EndInteraction();
    Refresh();
}

void HeaderCtrl::EndInteraction()
{
    flags &= ~PUSHED;
    pushed_tab = pressed_tab = target = -1;
    moving = false;
    moved_picture = Image();
}

void HeaderCtrl::LeftDragStart(Point p, dword)
{
    if(pressed_tab < 0 || pressed_tab >= tabs.GetCount() || !IsTabMovingAllowed() || GetVisibleTabs(0).GetCount() < 2)
        return;
    flags &= ~PUSHED;
    target = pressed_tab;
    pushed_tab = -1;
    Refresh();
    moved_picture = MakeMovedPicture(pressed_tab);
    pointer_x = p.x;
    grab_offset = (tab_rects[pressed_tab].left - GetScroll()) - p.x;
    moving = true;
}

void HeaderCtrl::LeftDoubleClick(Point p, dword)
{
    int r = GetSplit(p.x);
    if(r < 0 && r != HEADER_NO_SPLIT)
        tabs[~r].WhenLeftDouble();
}

void HeaderCtrl::RightButtonDown(Point p, dword)
{
    int r = GetSplit(p.x);
    if(r >= 0 || r == HEADER_NO_SPLIT)
        return;
    Callback1<Bar&> menu = tabs[~r].WhenBar;
    auto* a = menu.GetAction();
    if(!a || !a->CanRun())
        return;
    Ctrl* owner = GetFocusTopWindow();
    MenuBar::RunContextMenu(owner, menu, GetViewRectOnScreen().TopLeft() + p);
}

void HeaderCtrl::PointerLeft() { Refresh(); }

void HeaderCtrl::CancelInteraction()
{
    EndInteraction();
    split = -1;
}

int HeaderCtrl::GetSplit(int x)
{
    if(!IsEnabled())
        return HEADER_NO_SPLIT;
    UpdateLayout();
    return FindHeaderSplit(GetSizing(), mode, tab_rects, x + GetScroll(), GetViewSize().cx);
}

Image HeaderCtrl::CursorFor(Point p, dword)
{
    if(HasCapture())
        return split >= 0 ? CtrlsImg::HorzPos() : GetArrowCursor();
    int r = GetSplit(p.x);
    if(r < 0)
        return GetArrowCursor();
    return GetTabWidth(r) > 3 ? CtrlsImg::HorzPos() : CtrlsImg::HorzSplit();
}

} // namespace Qor
