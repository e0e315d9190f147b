// Key scanning: a building procedure run on a bar that only records actions and keys.

#include "widgets/bar/bar.h"

namespace Qor {

Bar::Item& Bar::ScanKeys::KeyItem::Key(dword key)
{
    if(key)
        keys.Add(key);
    return *this;
}

Bar::Item& Bar::ScanKeys::KeyItem::Enable(bool on)
{
    enabled = on;
    return *this;
}

Bar::Item& Bar::ScanKeys::AddItem(Callback action)
{
    KeyItem& k = items.Add();
    k.action = std::move(action);
    return k;
}

void Bar::ScanKeys::AddKey(dword key, Callback action)
{
    if(!key)
        return;
    KeyItem& k = items.Add();
    k.action = std::move(action);
    k.keys.Add(key);
}

Bar::Item& Bar::ScanKeys::AddSubMenu(Callback1<Bar&> proc)
{
    // The sub-menu's items land in the same list; keys set on the returned item attach to
    // the last record so far.
    if(++depth > MAX_SUBMENU_DEPTH) {
        depth--;
        return NilItem();
    }
    proc(*this);
    depth--;
    if(items.IsEmpty())
        return dummy;
    return items.Top();
}

bool Bar::ScanKeys::Scan(Callback1<Bar&> proc, dword key)
{
    Callback action;
    bool found = false;
    {
        ScanKeys scanner;
        scanner.scanning = true;
        scanner.key = key;
        if(proc)
            proc(scanner);
        for(int i = 0; i < scanner.items.GetCount() && !found; i++) {
            const KeyItem& k = scanner.items[i];
            if(!k.enabled)
                continue;
            for(dword q : k.keys)
                if(q == key) {
                    action = k.action;
                    found = true;
                    break;
                }
        }
        // The scanner goes before the action runs: the action may destroy what built it.
    }
    if(found)
        action();
    return found;
}

} // namespace Qor
