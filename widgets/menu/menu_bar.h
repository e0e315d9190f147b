// MenuBar: the one menu class. With a parent it is a window's menu bar, placed as a frame
// on the top edge; without one it is a pop-up window whose items flow in columns. Open
// menus form a chain through parentMenu and subMenu, along which keys and closing travel.
#pragma once

#include "widgets/frame/look_frame.h"
#include "draw/font/font.h"
#include "foundation/pte.h"
#include "widgets/bar/bar_ctrl.h"
#include "widgets/menu/menu_item.h"
#include "widgets/menu/menu_style.h"

namespace Qor {

class MenuBar : public BarCtrl {
public:
    MenuBar();
    ~MenuBar() override;

    void Paint(Draw& w) override;
    void CancelInteraction() override {}
    void WindowDeactivated() override;
    void LeftButtonDown(Point p, dword keyflags) override;
    bool ProcessKey(dword key, int count) override;
    bool AccessKeyPressed(dword key) override;
    void ChildFocusGained() override;
    void ChildFocusLost() override;

    Item& AddItem(Callback action) override;
    Item& AddSubMenu(Callback1<Bar&> proc) override;
    bool IsEmpty() const override { return items.IsEmpty(); }
    bool TakesMenuItems() const override { return true; }
    Value GetBackgroundLook() const override;

    static MenuBarStyle& GetDefaultStyle() { return GetMenuBarDefaultStyle(); }

    // Fills a pop-up with proc at p (screen) and runs it until it closes; nothing when the
    // menu has no items or owner already runs a context menu.
    static void RunContextMenu(Ctrl* owner, Callback1<Bar&> proc, Point p);
    void Execute(Ctrl* owner, Point p);
    // Opens this menu as a pop-up at p beside a rectangle of size rsz it must not cover;
    // p receives the final position.
    void PlacePopup(Ctrl* owner, Point& p, Size rsz);
    // Closes every open pop-up of the chain this menu belongs to.
    void CloseMenu();
    // Closes this pop-up, unlinks it from its parent menu and empties it.
    void CloseAndClear();
    void Clear();
    MenuBar& SetStyle(const MenuBarStyle& s);
    const MenuBarStyle& GetStyle() const { return *style; }
    void SetSubMenu(MenuBar* sm, Ctrl* item);
    void SyncItems();
    void SaveFocusForChain();

    bool IsEmbedded() const { return GetParent() != nullptr; }
    MenuBar* GetParentMenu() const { return parent_menu; }
    MenuBar* GetOpenSubMenu() const { return sub_menu; }
    Ctrl* GetSubMenuItem() const { return sub_menu_item; }
    int GetItemCount() const { return items.GetCount(); }
    MenuItemBase& GetItem(int i) { return items[i]; }
    int GetIconColumnWidth() const;
    Size GetMaxIconSize() const;
    MenuBar& SetIconColumnWidth(int cx);
    MenuBar& SetMaxIconSize(Size sz);
    MenuBar& SetFont(Font f);
    MenuBar& SetAreaLookMode(int mode);

    // Whether Alt went down with no other key since.
    static bool& AltFlag();
    // The controls whose context menus are running.
    static Vector<Ctrl*>& OpenMenuOwners();

    Callback sub_menu_open_callback;
    Callback sub_menu_close_callback;
    MenuBar* parent_menu = nullptr;
    bool animate = true;

private:
    friend class SubMenuBase;

    OwnedArray<MenuItemBase> items;
    MenuBar* sub_menu = nullptr;
    Ctrl* sub_menu_item = nullptr;
    WeakPointer<Ctrl> restore_focus;
    Font font;
    int icon_column_width = INT32_MIN;
    int lock = 0;
    const MenuBarStyle* style;
    int area_look_mode = -1;
    Size max_icon_size = Size(INT32_MIN, INT32_MIN);
    LookFrame popup_look_frame;

    MenuItemBase& SetupItem(MenuItemBase* item, Callback action);
    MenuBar& GetOutermost();
    MenuBar& GetInnermost();
    bool ChainHasFocus();
    void RestoreFocus();
    void DeactivationCheck();
    bool MoveFocus(bool next);
    bool SwitchPullDown(dword key);
    Size LayOutPopup(int limit, bool anchor_bottom);
};

// Start-up: the key and state hooks that keep the Alt flag.
void RegisterMenuHooks();

} // namespace Qor
