// The window map and the host's process-wide state, and the queries over them.

#include "ctrl/x11/host/window_host.h"

#include "ctrl/tree/global_refs.h"
#include "ctrl/tree/host_window_record.h"

namespace Qor {

WindowMap::~WindowMap()
{
    for(WindowMapEntry* e : entries)
        delete e;
}

WindowMapEntry* WindowMap::Get(Window w)
{
    int i = Find(w);
    return i >= 0 ? entries[i] : nullptr;
}

WindowMapEntry& WindowMap::Add(Window w)
{
    int i = ids.Put(w);
    if(i == entries.GetCount())
        entries.Add(new WindowMapEntry);
    else {
        delete entries[i];
        entries[i] = new WindowMapEntry;
    }
    return *entries[i];
}

void WindowMap::Unlink(int i)
{
    ids.Set(i, 0);
    ids.Unlink(i);
}

WindowMap& GetWindowMap()
{
    static WindowMap map;
    return map;
}

HostState& GetHostState()
{
    static HostState state;
    return state;
}

Window GetHostWindow(const Ctrl& c) { return c.GetHostRecord() ? c.GetHostRecord()->window : 0; }

WindowMapEntry* GetWindowMapEntry(const Ctrl& c) { return GetWindowMap().Get(GetHostWindow(c)); }

Vector<Ctrl*> GetTopCtrls()
{
    Vector<Ctrl*> out;
    WindowMap& map = GetWindowMap();
    for(int i = 0; i < map.GetCount(); i++)
        if(map.IsLinked(i))
            if(Ctrl* c = map[i].ctrl; c && !c->GetParent())
                out.Add(c);
    return out;
}

Ctrl* GetOwnerOf(const Ctrl& c)
{
    if(!c.IsInOpenWindow())
        return nullptr;
    WindowMapEntry* e = GetWindowMapEntry(*c.GetRootCtrl());
    return e ? e->owner.Get() : nullptr;
}

Window GetParentHostWindow(const Ctrl& c)
{
    for(const Ctrl* q = c.GetParent(); q; q = q->GetParent())
        if(q->HasHostWindow())
            return GetHostWindow(*q);
    return 0;
}

Ctrl* GetFocusTopCtrl()
{
    Ctrl* focus = GetCtrlGlobalRefs().focus_ctrl;
    return focus ? focus->GetRootCtrl() : nullptr;
}

bool IsInFocusWindow(const Ctrl& c)
{
    const Ctrl* top = c.FindTopWindowCtrl();
    if(!top)
        top = c.GetRootCtrl();
    return top && GetCtrlGlobalRefs().active_window.Get() == top;
}

bool HasXFocus(const Ctrl& c)
{
    Window w = GetHostWindow(c);
    return w && w == GetHostState().focus_window;
}

Point GetMousePosition() { return GetHostState().pointer_screen_pos; }
bool IsShiftDown() { return GetHostState().keyboard_state & 0x01; }
bool IsCtrlDown() { return GetHostState().keyboard_state & 0x04; }
bool IsAltDown() { return GetHostState().keyboard_state & 0x08; }
bool IsLeftButtonDown() { return GetHostState().button_state & 0x100; }

bool IsRightButtonDown()
{
    const HostState& s = GetHostState();
    return s.button_state & (s.pointer_button_count >= 3 ? 0x400 : 0x200);
}

bool IsMiddleButtonDown()
{
    const HostState& s = GetHostState();
    return s.pointer_button_count >= 3 && (s.button_state & 0x200);
}

void ClearKeyboardState() { GetHostState().keyboard_state = 0; }

void AdjustTopScreenOrigin(Ctrl*, Point&) {}
bool IsRefreshBlocked() { return false; }
void InitCtrlPlatformData() {}

} // namespace Qor
