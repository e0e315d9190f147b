// Menu items: every entry of a menu is a control of its own that paints itself, computes its
// size, tracks its visual state and reacts to the pointer, Enter, arrows and keys. Pop-up
// menus hold MenuItem and SubMenuItem; menu bars inside windows TopMenuItem and
// TopSubMenuItem.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "draw/font/font.h"
#include "draw/image/image.h"
#include "foundation/owned_ptr.h"
#include "widgets/bar/bar.h"

namespace Qor {

class MenuBar;
struct MenuBarStyle;

// Marks of checkable items.
enum : byte { MARK_NONE = 0, MARK_CHECK_OFF = 1, MARK_CHECK_ON = 2, MARK_RADIO_OFF = 3, MARK_RADIO_ON = 4 };
// Visual states of items.
enum : int { ITEM_NORMAL = 0, ITEM_HOT = 1, ITEM_PUSHED = 2 };

class MenuItemBase : public Ctrl, public Bar::Item {
public:
    MenuItemBase();

    // Bar::Item, forwarded to the item setters below.
    Item& Text(const char* text) override;
    Item& Key(dword key) override;
    Item& Image(const Qor::Image& img) override;
    Item& Check(bool on) override;
    Item& Radio(bool on) override;
    Item& Enable(bool on = true) override;
    Item& Help(const char* text) override;
    Item& InfoText3(const char* text) override;
    Item& InfoText2(const char* text) override;

    dword OwnAccessKeys() const override;
    void AssignFreeAccessKeys(dword used) override;
    String Describe() const override { return text; }

    virtual void SetItemText(const char* text);
    virtual void SetItemKey(dword key);
    virtual void SetItemImage(const Qor::Image& img);
    virtual void SetItemEnabled(bool on);
    virtual void SetItemHelp(const char* text);
    virtual void SetItemInfoText3(const char* text);
    virtual void SetItemInfoText2(const char* text);
    virtual void SetItemCheck(bool on);
    virtual void SetItemRadio(bool on);
    virtual void SyncState() = 0;

    const String& GetText() const { return text; }
    dword GetKey() const { return key; }
    int GetAccessKey() const { return access_key; }
    byte GetMark() const { return mark; }
    bool IsItemEnabled() const { return enabled; }
    int GetStoredState() const { return state; }

    // Set by the menu that creates the item.
    int icon_column_width = 16;
    int text_gap = 6;
    Font font;
    Size max_icon_size = Size(INT32_MAX, INT32_MAX);
    const MenuBarStyle* style;

protected:
    // A tab separates the item text from a shortcut text.
    String text;
    dword key = 0;
    int state = ITEM_NORMAL;
    bool enabled = true;
    byte mark = MARK_NONE;
    int access_key = 0;

    // The nearest enclosing menu, null when none.
    MenuBar* FindMenu() const;
    // Underlines in the menu colour unless a transparent menu shows the window behind.
    bool UseMenuMarkColour() const;
    void StoreState(int s);
};

class MenuItem : public MenuItemBase {
public:
    void Paint(Draw& w) override;
    void PointerEntered(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void RightButtonUp(Point p, dword keyflags) override;
    void PointerLeft() override;
    bool ProcessKey(dword key, int count) override;
    void FocusGained() override;
    void FocusLost() override;
    bool AccessKeyPressed(dword key) override;
    Size MinimumSize() const override;

    void SetItemImage(const Qor::Image& img) override;
    void SyncState() override;
    virtual int GetState() const;

    const Qor::Image& GetImage() const { return image; }

protected:
    Qor::Image image;
    Qor::Image right_image;

    // Whether key is this item's shortcut or access key; plain letters and digits count
    // only in pop-ups.
    bool IsItemKey(dword k, bool plain_letters) const;
};

// What a sub-menu item holds: the pop-up it opens and the procedure that fills it.
class SubMenuBase {
public:
    SubMenuBase();
    virtual ~SubMenuBase();

    MenuBar& GetSubMenu() { return *menu; }
    virtual void Pull() = 0;

    Callback1<Bar&> proc;
    MenuBar* parent_menu = nullptr;

protected:
    OwnedPtr<MenuBar> menu;

    // Clears, styles and fills the sub-menu, links it to the item's menu and opens it at p.
    void OpenSubMenu(Ctrl& item, Point p, Size avoid);
};

class SubMenuItem : public MenuItem, public SubMenuBase {
public:
    SubMenuItem();
    ~SubMenuItem() override;

    void PointerEntered(Point p, dword keyflags) override;
    void PointerLeft() override;
    bool ProcessKey(dword key, int count) override;
    bool AccessKeyPressed(dword key) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void RightButtonUp(Point p, dword keyflags) override;
    int GetState() const override;
    void Pull() override;
};

class TopMenuItem : public MenuItemBase {
public:
    TopMenuItem();

    void Paint(Draw& w) override;
    void PointerEntered(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void PointerLeft() override;
    bool ProcessKey(dword key, int count) override;
    void FocusGained() override;
    void FocusLost() override;
    Size MinimumSize() const override;
    void SyncState() override;
    virtual int GetState() const;
};

class TopSubMenuItem : public MenuItemBase, public SubMenuBase {
public:
    TopSubMenuItem();
    ~TopSubMenuItem() override;

    void Paint(Draw& w) override;
    void PointerEntered(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void PointerLeft() override;
    bool ProcessKey(dword key, int count) override;
    void FocusGained() override;
    void FocusLost() override;
    bool AccessKeyPressed(dword key) override;
    Size MinimumSize() const override;
    void SyncState() override;
    int GetState() const;
    void Pull() override;
};

// Paints the text of a menu entry: disabled texts etched at look style level below 2, the
// access key underlined when given.
void PaintMenuText(Draw& w, int x, int y, const String& text, Font font, bool enabled, bool highlight, int access_key,
                   Color ink, Color highlight_ink, bool menu_mark);
// The text and state painter of menu-bar items.
void PaintTopItem(Draw& w, const MenuItemBase& item, int state);

} // namespace Qor
