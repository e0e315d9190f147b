// The window system's start-up and shutdown, in their fixed order.

#include "ctrl/x11/startup/window_system.h"

#include "ctrl/settings/gui_settings.h"
#include "ctrl/settings/layout_zoom.h"
#include "ctrl/settings/skin_change.h"
#include "ctrl/state/other_windows.h"
#include "ctrl/timer/timer.h"
#include "ctrl/topwindow/top_window.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/display/x11_errors.h"
#include "ctrl/x11/events/x_events.h"
#include "ctrl/x11/host/window_host.h"
#include "draw/font/font_metrics.h"
#include "foundation/ini.h"

#include <clocale>
#include <iterator>

namespace Qor {

namespace {

// The modifier combinations a hot key was grabbed with: Caps Lock, Num Lock and Mod3 must
// not stop it, so each was grabbed with every combination of them.
void ReleaseHotKeys()
{
    Vector<HotKey>& keys = GetHotKeys();
    for(HotKey& h : keys) {
        if(!h.action)
            continue;
        if(display) {
            bool trap = BeginErrorTrap();
            for(unsigned mask = 0; mask < 8; mask++) {
                unsigned extra =
                    ((mask & 1) ? LockMask : 0) | ((mask & 2) ? Mod2Mask : 0) | ((mask & 4) ? Mod3Mask : 0);
                XUngrabKey(display, (int)h.keycode, h.modifiers | extra, root);
            }
            // Errors come back later: the trap must still be set when they arrive.
            XSync(display, false);
            EndErrorTrap(trap);
        }
        h = HotKey();
    }
}

// The atoms that start-up and a first window ask for: interned together, in one exchange
// with the server in place of one each.
const char* const START_UP_ATOMS[] = {
    "_NET_SUPPORTED",
    "_NET_WORKAREA",
    "XdndAware",
    "WM_DELETE_WINDOW",
    "WM_TAKE_FOCUS",
    "_NET_WM_PING",
    "_NET_WM_WINDOW_TYPE_NORMAL",
    "_NET_WM_WINDOW_TYPE",
    "_NET_WM_STATE_DEMANDS_ATTENTION",
    "_NET_WM_STATE",
    "_MOTIF_WM_HINTS",
    "_NET_FRAME_EXTENTS",
    "WM_CLIENT_LEADER",
    "_NET_WM_PID",
    "_NET_WM_STATE_ABOVE",
    "_NET_WM_STATE_MAXIMIZED_VERT",
    "_NET_WM_STATE_MAXIMIZED_HORZ",
    "_NET_WM_STATE_HIDDEN",
    "_NET_WM_STATE_FULLSCREEN",
    "_QT_SETTINGS_TIMESTAMP_",
    "_KDE_NET_USER_TIME",
    "UTF8_STRING",
    "_NET_WM_NAME",
    "_NET_WM_ICON_NAME",
};

} // namespace

void InitWindowSystem()
{
    XInitThreads();
    InstallPanicBox();
    // Each standard font set on the way would run both skins (twice each); a host skin run
    // costs tens of milliseconds, so start-up sets the fonts quietly and changes skins once.
    void (*font_change_hook)() = StandardFontChangeHook;
    StandardFontChangeHook = nullptr;
    SetupDisplay();
    InternAtoms(START_UP_ATOMS, int(std::size(START_UP_ATOMS)));
    InitTimers();
    unsigned char map[5];
    HostState& host = GetHostState();
    host.pointer_button_count = XGetPointerMapping(display, map, 5);
    host.last_event_time = 0;
    XSetErrorHandler(XErrorHandler);
    if(IniText("X11_SYNCHRONIZE") == "1")
        XSynchronize(display, true);
    ReadSupportedHints();
    SetStandardFont(Font(Font::SANSSERIF, 12));
    StandardFontChangeHook = font_change_hook;
    ApplySkinChange();
    SetLookStyleLevel(2);
    SetUnusedGuiFlag(1);
    SetPopupAnimation(IsCompositorRunning() ? 0 : 1);
    SetPopupOpenFlag(1);
    SetAccessKeysOnAltOnly(1);
    SetAutoAccessKeysWhenNone(0);
    std::setlocale(LC_ALL, "en_US.utf8");
    // Without an input method windows get no input context and keys go through
    // XLookupString.
    RequestInputMethod();
    EnsureLayoutZoom();
}

void ExitWindowSystem()
{
    CloseTopWindows();
    CloseAllTopCtrls();
    ReleaseHotKeys();
    CloseInputMethod();
}

} // namespace Qor
