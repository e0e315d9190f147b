// The mouse cursor, questions about the desktop and the descriptions of controls.

#include "ctrl/x11/host/window_host.h"

#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/image/cursor.h"
#include "draw/image/pixel_buffer.h"
#include "draw/rescale/rescaler.h"
#include "foundation/key_index.h"

#include <X11/Xatom.h>
#include <cstdio>
#include <typeinfo>

namespace Qor {

void SetMouseCursor(const Image& image)
{
    HostState& state = GetHostState();
    if(state.cursor_x && image.GetSerialId() == state.cursor_image.GetSerialId())
        return;
    state.cursor_image = image;
    Cursor x = CreateXCursor(image.IsEmpty() ? CursorArrowImage() : image);
    WindowMap& map = GetWindowMap();
    for(int i = 0; i < map.GetCount(); i++)
        if(map.IsLinked(i))
            XDefineCursor(display, map.GetWindow(i), x);
    if(state.cursor_x)
        XFreeCursor(display, state.cursor_x);
    state.cursor_x = x;
    XFlush(display);
}

bool IsCompositorRunning()
{
    HostState& state = GetHostState();
    if(state.compositor < 0) {
        char name[32];
        std::snprintf(name, sizeof(name), "_NET_WM_CM_S%d", screen_number);
        state.compositor = XGetSelectionOwner(display, AtomOf(name)) != X_NONE;
    }
    return state.compositor;
}

void SetWindowOpacity(Ctrl& c, int alpha)
{
    if(!IsCompositorRunning() || c.GetParent() || !c.HasHostWindow())
        return;
    unsigned long v = (unsigned long)(alpha & 0xFF) * 0x01010101ul;
    XChangeProperty(display, GetHostWindow(c), AtomOf("_NET_WM_WINDOW_OPACITY"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<byte*>(&v), 1);
}

namespace {

struct SupportedHints {
    KeyIndex<int> atoms;
    bool read = false;
};

SupportedHints& GetSupportedHints()
{
    static SupportedHints hints;
    return hints;
}

} // namespace

void ReadSupportedHints()
{
    SupportedHints& h = GetSupportedHints();
    h.atoms.Clear();
    for(int a : ReadWindowPropertyInts(root, AtomOf("_NET_SUPPORTED"), AnyPropertyType))
        h.atoms.Add(a);
    h.read = true;
}

bool IsHintSupported(const char* name)
{
    // Read here when start-up did not run (programs and tests that only set up the display).
    if(!GetSupportedHints().read)
        ReadSupportedHints();
    return GetSupportedHints().atoms.Find(int(AtomOf(name))) >= 0;
}

bool IsMoveResizeAvailable() { return IsHintSupported("_NET_WM_MOVERESIZE"); }

void StartWmMoveResize(Ctrl& c)
{
    if(!IsMoveResizeAvailable() || !c.HasHostWindow())
        return;
    XUngrabPointer(display, X_CURRENT_TIME);
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = GetHostWindow(c);
    e.xclient.message_type = AtomOf("_NET_WM_MOVERESIZE");
    e.xclient.format = 32;
    Point p = GetMousePosition();
    e.xclient.data.l[0] = p.x;
    e.xclient.data.l[1] = p.y;
    e.xclient.data.l[2] = 4; // the bottom-right corner
    XSendEvent(display, root, false, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

void FitDragImageForCompositor(PixelBuffer& buffer)
{
    if(!IsCompositorRunning())
        return;
    Image img = Image(std::move(buffer));
    Image small = RescaleImage(img, 64, 64);
    buffer.AssignFromImage(small);
}

String GetPunctuationKeyName(dword key)
{
    static const struct {
        dword key;
        const char* name;
    } names[] = { { 0x10060, "[`]" }, { 0x1002D, "[-]" }, { 0x1003D, "[=]" }, { 0x1005C, "[\\]" },
                  { 0x1005B, "[[]" }, { 0x1005D, "[]]" }, { 0x1003B, "[;]" }, { 0x10027, "[']" },
                  { 0x1002C, "[,]" }, { 0x1002E, "[.]" }, { 0x1002F, "[/]" } };
    for(const auto& n : names)
        if(n.key == key)
            return n.name;
    return String();
}

String GetPlatformDescription(const Ctrl& c)
{
    char address[32];
    std::snprintf(address, sizeof(address), " : 0x%llx", (unsigned long long)(uintptr_t)&c);
    String s = String(typeid(c).name()) + address;
    if(const Ctrl* parent = c.GetParent())
        return s + "(parent " + typeid(*parent).name() + ")";
    char window[32];
    std::snprintf(window, sizeof(window), "(window 0x%lx)", (unsigned long)GetHostWindow(c));
    return s + window;
}

} // namespace Qor
