// Items of a menu bar inside a window.

#include "widgets/menu/menu_item.h"

#include "ctrl/input/input_host.h"
#include "ctrl/settings/gui_settings.h"
#include "draw/text/text.h"
#include "widgets/label/access_key.h"
#include "widgets/menu/menu_bar.h"
#include "widgets/menu/menu_internal.h"

namespace Qor {

namespace {

bool IsPressedByPointer(const Ctrl& c) { return (c.IsUnderMouse() && IsLeftMouseDown()) || IsRightMouseDown(); }

Size TopItemSize(const Ctrl& c, const String& text, Font font)
{
    return c.GrowByFrames(GetTextSize(text, font) + Size(12, 7));
}

} // namespace

// ---- TopMenuItem

TopMenuItem::TopMenuItem() { SetInitialFocus(false); }

int TopMenuItem::GetState() const
{
    if(!enabled)
        return ITEM_NORMAL;
    if(IsPressedByPointer(*this))
        return ITEM_PUSHED;
    if(HasFocus() || IsUnderMouse())
        return ITEM_HOT;
    return ITEM_NORMAL;
}

void TopMenuItem::SyncState() { StoreState(GetState()); }

void TopMenuItem::Paint(Draw& w) { PaintTopItem(w, *this, GetState()); }

Size TopMenuItem::MinimumSize() const { return TopItemSize(*this, text, GetStandardFontReference()); }

void TopMenuItem::PointerEntered(Point, dword) { Refresh(); }
void TopMenuItem::PointerLeft() { Refresh(); }
void TopMenuItem::LeftButtonDown(Point, dword) { Refresh(); }
void TopMenuItem::FocusGained() { Refresh(); }
void TopMenuItem::FocusLost() { Refresh(); }

void TopMenuItem::LeftButtonUp(Point, dword)
{
    Refresh();
    if(enabled) {
        Callback action = GetAction();
        action();
    }
}

bool TopMenuItem::ProcessKey(dword k, int)
{
    if(k == MenuKeys::ENTER && enabled) {
        Callback action = GetAction();
        action();
        return true;
    }
    return false;
}

// ---- TopSubMenuItem

TopSubMenuItem::TopSubMenuItem() { SetInitialFocus(false); }

TopSubMenuItem::~TopSubMenuItem() { proc.Clear(); }

int TopSubMenuItem::GetState() const
{
    if(parent_menu && parent_menu->GetOpenSubMenu() == menu.Get() && menu->IsOpen())
        return ITEM_PUSHED;
    if(HasFocus())
        return ITEM_HOT;
    Ctrl* pane = GetParent();
    bool other_open = parent_menu && parent_menu->GetOpenSubMenu();
    if(IsUnderMouse() && !(pane && pane->HasFocusInTree()) && !other_open)
        return ITEM_HOT;
    return ITEM_NORMAL;
}

void TopSubMenuItem::SyncState() { StoreState(GetState()); }

void TopSubMenuItem::Paint(Draw& w) { PaintTopItem(w, *this, GetState()); }

Size TopSubMenuItem::MinimumSize() const { return TopItemSize(*this, text, font); }

void TopSubMenuItem::LeftButtonDown(Point, dword)
{
    if(enabled && !menu->IsOpen()) {
        Pull();
        Refresh();
    }
}

void TopSubMenuItem::PointerEntered(Point, dword)
{
    Refresh();
    // Moving the pointer along the bar switches pull-downs once one is open.
    if(enabled && parent_menu && parent_menu->GetOpenSubMenu())
        Pull();
}

void TopSubMenuItem::PointerLeft() { Refresh(); }
void TopSubMenuItem::FocusGained() { Refresh(); }
void TopSubMenuItem::FocusLost() { Refresh(); }

bool TopSubMenuItem::ProcessKey(dword k, int)
{
    if((k == MenuKeys::ENTER || k == MenuKeys::DOWN) && enabled) {
        Pull();
        return true;
    }
    return false;
}

bool TopSubMenuItem::AccessKeyPressed(dword k)
{
    // A shortcut of an entry of the closed pull-down runs that entry.
    if(Bar::ScanKeys::Scan(proc, k))
        return true;
    if(!enabled || !k || !(k == key || MatchesAccessKey(access_key, k)))
        return false;
    Pull();
    return true;
}

void TopSubMenuItem::Pull()
{
    MenuBar* pm = parent_menu;
    if(!pm)
        return;
    Rect r = GetRectOnScreen();
    if(pm->IsEmbedded() && !pm->GetOpenSubMenu())
        pm->SaveFocusForChain();
    Point p(r.left, r.bottom);
    if(GetLookStyleLevel() >= 2)
        p += style->pull_shift;
    if(IsInOpenWindow() && !menu->IsOpen())
        OpenSubMenu(*this, p, Size(r.Width(), -r.Height()));
    else
        pm->SyncItems();
}

} // namespace Qor
