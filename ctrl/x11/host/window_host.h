// The X window host: the map from X window ids to the controls that own them, the host
// windows' life, the pointer and keyboard state, the pointer grabs, the bookkeeping of the
// X input focus and the mouse cursor.
#pragma once

#include "ctrl/x11/display/x11_display.h"
#include "ctrl/tree/ctrl_class.h"
#include "draw/image/image.h"
#include "foundation/key_index.h"
#include "foundation/pte.h"

namespace Qor {

struct WindowMapEntry {
    WeakPointer<Ctrl> ctrl; // empty once the control is destroyed
    bool exposed = false;   // had its first Expose; only exposed windows are repainted
    Vector<Rect> invalid;   // window coordinates, kept merged
    WeakPointer<Ctrl> owner;
    WeakPointer<Ctrl> last_active; // most recently activated among it and what it owns
    XIC xic = nullptr;
};

class WindowMap {
public:
    ~WindowMap();
    int GetCount() const { return ids.GetCount(); }
    bool IsLinked(int i) const { return !ids.IsUnlinked(i); }
    Window GetWindow(int i) const { return ids[i]; }
    WindowMapEntry& operator[](int i) { return *entries[i]; }
    int Find(Window w) const { return w ? ids.Find(w) : -1; }
    WindowMapEntry* Get(Window w);
    // A fresh entry for w, in the first unlinked slot or appended.
    WindowMapEntry& Add(Window w);
    // The key becomes 0 and the slot free for reuse.
    void Unlink(int i);

private:
    KeyIndex<unsigned long> ids;
    Vector<WindowMapEntry*> entries;
};

WindowMap& GetWindowMap();

struct HostState {
    Point pointer_screen_pos = Point(INT_NULL, INT_NULL);
    int keyboard_state = 0; // 0x01 Shift, 0x04 Control, 0x08 Alt
    int button_state = 0;   // 0x100 button 1, 0x200 button 2, 0x400 button 3
    int pointer_button_count = 3;
    ::Time last_event_time = 0;
    Window grab_window = 0;
    int popup_grab_count = 0;
    WeakPointer<Ctrl> popup_grab_owner;
    Window focus_window = 0;
    Image cursor_image;
    Cursor cursor_x = 0;
    int compositor = -1; // unknown until asked
    bool painting_window = false;
};

HostState& GetHostState();

WindowMapEntry* GetWindowMapEntry(const Ctrl& c);
Vector<Ctrl*> GetTopCtrls();
Ctrl* GetOwnerOf(const Ctrl& c);
Window GetParentHostWindow(const Ctrl& c);
Window GetHostWindow(const Ctrl& c);
Ctrl* GetFocusTopCtrl();
bool IsInFocusWindow(const Ctrl& c);
bool HasXFocus(const Ctrl& c);

void CreateHostWindow(Ctrl& c, Ctrl* owner, bool popup, bool save_under);
void CreateWindowCall(Ctrl& c, Ctrl* owner, bool popup, bool save_under);
void DestroyHostWindow(Ctrl& c);
void OpenPopup(Ctrl& c, Ctrl* owner, bool save_under, bool activate, bool, bool);

void ShowHostWindow(Ctrl& c, bool show);
bool EnableHostWindow(Ctrl& c, bool enable);
void ActivateHostWindow(Ctrl& c);
bool FocusHostWindow(Ctrl& c);
void SetHostWindowRect(Ctrl& c, const Rect& r);
void InvalidateUncoveredArea(Ctrl& c);
void UpdateHostWindow(Ctrl& c);
void UpdateHostWindowRect(Ctrl& c, const Rect& r);
void ScrollHostWindow(Ctrl& c, const Rect& r, int dx, int dy);
void InvalidateHostWindowArea(Ctrl& top, const Rect& r);
// Paints the listed areas of the control's window now.
void PaintHostWindow(Ctrl& c, Vector<Rect>& invalid);

bool GrabPointer(Ctrl& c);
bool ReleasePointerGrab(Ctrl& c);
void ReleaseAnyPointerGrab();
bool HoldsPointerGrab(const Ctrl& c);
void ReleasePopupGrab();
void EndPopupGrab(Ctrl& c);

void NotifyXFocusLoss(Window w);
void SyncFocusFromX();
void AcceptWindowFocus(Ctrl& c);
void MarkLastActiveWindow(WindowMapEntry* entry, Ctrl* c);

Point GetMousePosition();
bool IsShiftDown();
bool IsCtrlDown();
bool IsAltDown();
bool IsLeftButtonDown();
bool IsRightButtonDown();
bool IsMiddleButtonDown();
void ClearKeyboardState();

void SetMouseCursor(const Image& image);
bool IsCompositorRunning();
void SetWindowOpacity(Ctrl& c, int alpha);
// The root window's _NET_SUPPORTED, read at start-up into an index (again on each call).
void ReadSupportedHints();
// Whether the window manager lists the hint; read first when start-up did not.
bool IsHintSupported(const char* name);
bool IsMoveResizeAvailable();
void StartWmMoveResize(Ctrl& c);
class PixelBuffer;
void FitDragImageForCompositor(PixelBuffer& buffer);
String GetPunctuationKeyName(dword key);
String GetPlatformDescription(const Ctrl& c);

// Hooks of the platform-independent core that need nothing on X11.
void AdjustTopScreenOrigin(Ctrl* top, Point& p);
bool IsRefreshBlocked();
void InitCtrlPlatformData();

} // namespace Qor
