// Bar: the builder interface of menus and key bindings. A menu is not data: its user writes
// a building procedure taking a Bar and adds items to whatever bar it is handed, a visible
// menu or a key scanner alike.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "draw/image/image.h"
#include "foundation/callback.h"
#include "foundation/owned_array.h"
#include "foundation/vector.h"

namespace Qor {

class Bar : public Ctrl {
public:
    // The fluent interface of an added item; every setter returns the item. The base class
    // records nothing: it is the shared dummy a bar returns for an item it does not keep.
    class Item {
    public:
        Item() = default;
        Item(const Item&) = delete;
        Item& operator=(const Item&) = delete;

        // The text with its access-key mark ('&' before the letter).
        virtual Item& Text(const char* text);
        // A shortcut key code; 0 is ignored.
        virtual Item& Key(dword key);
        virtual Item& Image(const Qor::Image& img);
        virtual Item& Check(bool on);
        virtual Item& Radio(bool on);
        virtual Item& Enable(bool on = true);
        virtual Item& Help(const char* text);
        virtual Item& InfoText3(const char* text);
        virtual Item& InfoText2(const char* text);
        virtual ~Item() = default;
    };

    class ScanKeys;

    Bar() = default;

    virtual Item& AddItem(Callback action) = 0;
    virtual Item& AddSubMenu(Callback1<Bar&> proc) = 0;
    virtual void AddCtrl(Ctrl* ctrl, int gapsize) = 0;
    virtual void AddCtrl(Ctrl* ctrl, Size size) = 0;
    virtual bool IsEmpty() const = 0;
    virtual void Separator() = 0;
    // A key bound to an action without an item to show; only a key scanner keeps it.
    virtual void AddKey(dword key, Callback action);
    virtual bool TakesMenuItems() const { return false; }
    virtual bool TakesToolItems() const { return false; }
    virtual bool IsKeyScan() const { return false; }
    virtual bool IsOtherKind() const { return false; }
    // Whether an item bound to key may be shown or run by this bar. A key scan runs only the
    // item of the key it looks for, so a builder may spare the cost of enabling the others.
    virtual bool MayUseKey(dword) const { return true; }

    // An item that only menus keep: on any other bar the dummy item, and nothing is added.
    Item& AddMenuItem(bool enable, const char* text, Callback action);
    // An item with an image: added whatever the bar.
    Item& AddMenuItem(bool enable, const char* text, const Qor::Image& image, Callback action);

    // The process-wide dummy item.
    static Item& NilItem();
};

// Finds the item of a building procedure bound to a key and runs it, without showing
// anything: every add operation records the item's action and keys.
class Bar::ScanKeys : public Bar {
public:
    struct KeyItem : Bar::Item {
        bool enabled = true;
        Vector<dword> keys;
        Callback action;

        Item& Key(dword key) override;
        Item& Enable(bool on = true) override;
    };

    // Runs proc on a scanner, then the first enabled record that holds key; false when none.
    static bool Scan(Callback1<Bar&> proc, dword key);

    Item& AddItem(Callback action) override;
    Item& AddSubMenu(Callback1<Bar&> proc) override;
    void AddCtrl(Ctrl*, int) override {}
    void AddCtrl(Ctrl*, Size) override {}
    bool IsEmpty() const override { return items.IsEmpty(); }
    void Separator() override {}
    void AddKey(dword key, Callback action) override;
    bool TakesMenuItems() const override { return true; }
    bool TakesToolItems() const override { return true; }
    bool IsKeyScan() const override { return true; }
    bool MayUseKey(dword k) const override { return !scanning || k == key; }

    const OwnedArray<KeyItem>& GetItems() const { return items; }

private:
    // Bounds the recursion of a procedure that adds itself as its own sub-menu.
    enum : int { MAX_SUBMENU_DEPTH = 5 };

    OwnedArray<KeyItem> items;
    KeyItem dummy;
    int depth = 0;
    bool scanning = false; // run by Scan, for key
    dword key = 0;
};

} // namespace Qor
