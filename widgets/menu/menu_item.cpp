// Menu items: setters, access keys, states, sizes and activation.

#include "widgets/menu/menu_item.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/input_host.h"
#include "draw/image_ops/image_filters.h"
#include "draw/look/skin_reset.h"
#include "draw/text/text.h"
#include "foundation/callback_action.h"
#include "foundation/process.h"
#include "widgets/bar/bar_ctrl.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/label/access_key.h"
#include "widgets/menu/menu_bar.h"
#include "widgets/menu/menu_internal.h"

#include <algorithm>

namespace Qor {

namespace {

// How long an item chosen by its key shows itself highlighted before its action runs.
constexpr int ACCESS_FLASH_MS = 50;
// The pointer rests this long on a sub-menu item before its sub-menu opens.
constexpr int SUBMENU_DELAY_MS = 400;

Image AdaptToFace(const Image& img) { return IsFaceColorDark() ? AdaptImageToDarkFace(img) : img; }

// Copies the action first: running it closes the menu, which may destroy the item.
void RunItemAction(Ctrl& c)
{
    Callback action = c.GetAction();
    action();
}

String ItemLabel(const String& text)
{
    int tab = text.Find('\t');
    return tab >= 0 ? text.Left(tab) : text;
}

} // namespace

MenuItemBase::MenuItemBase() : font(GetStandardFontReference()), style(&GetMenuBarDefaultStyle())
{
    SetTransparent();
    SetWantsFocus(false);
}

Bar::Item& MenuItemBase::Text(const char* s)
{
    SetItemText(s);
    return *this;
}

Bar::Item& MenuItemBase::Key(dword k)
{
    SetItemKey(k);
    return *this;
}

Bar::Item& MenuItemBase::Image(const Qor::Image& img)
{
    SetItemImage(img);
    return *this;
}

Bar::Item& MenuItemBase::Check(bool on)
{
    SetItemCheck(on);
    return *this;
}

Bar::Item& MenuItemBase::Radio(bool on)
{
    SetItemRadio(on);
    return *this;
}

Bar::Item& MenuItemBase::Enable(bool on)
{
    SetItemEnabled(on);
    return *this;
}

Bar::Item& MenuItemBase::Help(const char* s)
{
    SetItemHelp(s);
    return *this;
}

Bar::Item& MenuItemBase::InfoText3(const char* s)
{
    SetItemInfoText3(s);
    return *this;
}

Bar::Item& MenuItemBase::InfoText2(const char* s)
{
    SetItemInfoText2(s);
    return *this;
}

void MenuItemBase::SetItemText(const char* s)
{
    String cleaned;
    access_key = ExtractAccessKey(s ? s : "", cleaned);
    text = cleaned;
    Refresh();
}

void MenuItemBase::SetItemKey(dword k)
{
    if(!k)
        return;
    key = k;
    Refresh();
}

void MenuItemBase::SetItemImage(const Qor::Image&) {}

void MenuItemBase::SetItemEnabled(bool on)
{
    enabled = on;
    Refresh();
}

void MenuItemBase::SetItemHelp(const char* s) { SetInfoPart(1, s); }
void MenuItemBase::SetItemInfoText3(const char* s) { SetInfoPart(3, s); }
void MenuItemBase::SetItemInfoText2(const char* s) { SetInfoPart(2, s); }

void MenuItemBase::SetItemCheck(bool on)
{
    mark = byte(MARK_CHECK_OFF + on);
    Refresh();
}

void MenuItemBase::SetItemRadio(bool on)
{
    mark = byte(MARK_RADIO_OFF + on);
    Refresh();
}

dword MenuItemBase::OwnAccessKeys() const { return AccessKeyMask(dword(access_key & 0xFFFF)); }

void MenuItemBase::AssignFreeAccessKeys(dword used)
{
    // The key comes from the item text, never from the shortcut text after the tab.
    if(!access_key) {
        access_key = ChooseAccessKey(ItemLabel(text).Begin(), used);
        used |= AccessKeyMask(dword(access_key & 0xFFFF));
    }
    Ctrl::AssignFreeAccessKeys(used);
}

MenuBar* MenuItemBase::FindMenu() const
{
    for(Ctrl* c = GetParent(); c; c = c->GetParent())
        if(MenuBar* m = dynamic_cast<MenuBar*>(c))
            return m;
    return nullptr;
}

bool MenuItemBase::UseMenuMarkColour() const
{
    MenuBar* m = FindMenu();
    return !m || !m->IsTransparent();
}

void MenuItemBase::StoreState(int s)
{
    if(s == state)
        return;
    state = s;
    Refresh();
}

// ---- MenuItem

void MenuItem::SetItemImage(const Qor::Image& img)
{
    image = AdaptToFace(img);
    Refresh();
}

int MenuItem::GetState() const
{
    if(!HasFocus())
        return ITEM_NORMAL;
    if((IsUnderMouse() && IsLeftMouseDown()) || IsRightMouseDown())
        return ITEM_PUSHED;
    return ITEM_HOT;
}

void MenuItem::SyncState() { StoreState(GetState()); }

Size MenuItem::MinimumSize() const
{
    Size ts = GetTextSize(text, font);
    int key_width = key ? GetTextSize(FormatKeyName(key), font).cx + 12 : 0;
    Size is = image.GetSize();
    is.cx = std::min(is.cx, max_icon_size.cx);
    is.cy = std::min(is.cy, max_icon_size.cy);
    Size rs = right_image.GetSize();
    int column = std::max(is.cx, icon_column_width);
    Size sz;
    if(!right_image.IsEmpty()) {
        sz.cy = std::max(std::max(is.cy, rs.cy) + 4, ts.cy + 6);
        sz.cx = column + ts.cx + std::max(key_width, rs.cx ? 16 : 0) + std::max(rs.cx, 16) + text_gap + 10;
    }
    else {
        sz.cy = std::max(is.cy + 4, ts.cy + 6);
        sz.cx = column + ts.cx + key_width + 16 + text_gap + 10;
    }
    return GrowByFrames(sz);
}

void MenuItem::PointerEntered(Point, dword)
{
    SetFocus();
    Refresh();
    ShowBarHelp(this);
}

void MenuItem::PointerLeft() { ClearBarHelp(this); }

void MenuItem::LeftButtonUp(Point, dword)
{
    if(enabled)
        RunItemAction(*this);
}

void MenuItem::RightButtonUp(Point p, dword keyflags) { LeftButtonUp(p, keyflags); }

bool MenuItem::ProcessKey(dword k, int)
{
    if(k == MenuKeys::ENTER && enabled) {
        RunItemAction(*this);
        return true;
    }
    return false;
}

void MenuItem::FocusGained()
{
    Refresh();
    ShowBarHelp(this);
}

void MenuItem::FocusLost()
{
    Refresh();
    ClearBarHelp(this);
}

bool MenuItem::IsItemKey(dword k, bool plain_letters) const
{
    if(k == key || MatchesAccessKey(access_key, k))
        return true;
    if(!plain_letters || k > 255)
        return false;
    bool digit = k >= '0' && k <= '9';
    bool letter = (k >= 'a' && k <= 'z') || (k >= 'A' && k <= 'Z');
    if(!digit && !letter)
        return false;
    dword capital = k >= 'a' && k <= 'z' ? k - 'a' + 'A' : k;
    return MatchesAccessKey(access_key, 0x90000 + capital);
}

bool MenuItem::AccessKeyPressed(dword k)
{
    if(!enabled || !k || !IsItemKey(k, true))
        return false;
    SetFocus();
    RepaintNow();
    SleepMs(ACCESS_FLASH_MS);
    RunItemAction(*this);
    return true;
}

// ---- SubMenuBase

SubMenuBase::SubMenuBase() : menu(new MenuBar) {}

SubMenuBase::~SubMenuBase() { proc.Clear(); }

void SubMenuBase::OpenSubMenu(Ctrl& item, Point p, Size avoid)
{
    MenuBar* pm = parent_menu;
    menu->Clear();
    menu->SetStyle(pm->GetStyle());
    menu->SetMaxIconSize(pm->GetMaxIconSize());
    proc(*menu);
    // An empty sub-menu would open as a bare frame.
    if(menu->IsEmpty()) {
        pm->SyncItems();
        return;
    }
    pm->SetSubMenu(menu.Get(), &item);
    menu->parent_menu = pm;
    menu->PlacePopup(pm, p, avoid);
    pm->animate = false;
    pm->sub_menu_open_callback();
}

// ---- SubMenuItem

SubMenuItem::SubMenuItem() { right_image = AdaptToFace(CtrlImg::right_arrow()); }

SubMenuItem::~SubMenuItem() { proc.Clear(); }

int SubMenuItem::GetState() const
{
    Ctrl* pane = GetParent();
    if(menu->IsInOpenWindow() && !(pane && pane->HasFocusInTree()))
        return ITEM_PUSHED;
    return MenuItem::GetState();
}

void SubMenuItem::PointerEntered(Point, dword)
{
    SetFocus();
    Refresh();
    if(!menu->IsOpen() && enabled)
        ScheduleTimer(SUBMENU_DELAY_MS, MakePteCallback(this, &SubMenuItem::Pull), 1);
}

void SubMenuItem::PointerLeft()
{
    if(HasFocus())
        if(Ctrl* pane = GetParent())
            pane->SetFocus();
    CancelTimer(1);
}

// A click opens the sub-menu at once rather than closing the menu.
void SubMenuItem::LeftButtonUp(Point, dword)
{
    if(enabled) {
        CancelTimer(1);
        Pull();
    }
}

void SubMenuItem::RightButtonUp(Point p, dword keyflags) { LeftButtonUp(p, keyflags); }

bool SubMenuItem::ProcessKey(dword k, int)
{
    if((k == MenuKeys::ENTER || k == MenuKeys::RIGHT) && enabled) {
        Pull();
        return true;
    }
    return false;
}

bool SubMenuItem::AccessKeyPressed(dword k)
{
    if(!enabled || !k || !IsItemKey(k, false))
        return false;
    Pull();
    return true;
}

void SubMenuItem::Pull()
{
    MenuBar* pm = parent_menu;
    if(!pm)
        return;
    if(IsInOpenWindow() && !menu->IsOpen()) {
        Rect r = GetRectOnScreen();
        OpenSubMenu(*this, Point(r.right - 3, r.top - 2), Size(-r.Width(), 0));
    }
    else
        pm->SyncItems();
}

} // namespace Qor
