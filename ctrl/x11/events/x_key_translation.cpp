// X key events to key codes: auto-repeat folded into a count, the lookup through the input
// method, modifier bookkeeping and the rules that make a key a named key or characters.

#include "ctrl/x11/events/x_events.h"

#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/x11/host/window_host.h"
#include "foundation/charset.h"
#include "foundation/wstring.h"

#include <vector>

namespace Qor {

namespace {

const struct {
    KeySym from;
    KeySym to;
    dword code;
} key_table[] = {
    { 0xFE20, 0xFE20, 0x40009 }, { 0xFF08, 0xFF08, 0x08 },    { 0xFF09, 0xFF09, 0x09 },    { 0xFF0D, 0xFF0D, 0x0D },
    { 0xFF8D, 0xFF8D, 0x0D },    { 0xFF1B, 0xFF1B, 0x1B },    { 0x0020, 0x0020, 0x20 },    { 0xFF80, 0xFF80, 0x20 },
    { 0xFF89, 0xFF89, 0x09 },    { 0xFF91, 0xFF94, 0x1FFBE }, { 0xFF95, 0xFF95, 0x1FF50 }, { 0xFF96, 0xFF96, 0x1FF51 },
    { 0xFF97, 0xFF97, 0x1FF52 }, { 0xFF98, 0xFF98, 0x1FF53 }, { 0xFF99, 0xFF99, 0x1FF54 }, { 0xFF9A, 0xFF9A, 0x1FF55 },
    { 0xFF9B, 0xFF9B, 0x1FF56 }, { 0xFF9C, 0xFF9C, 0x1FF57 }, { 0xFF9D, 0xFF9D, 0x1FF50 }, { 0xFF9E, 0xFF9E, 0x1FF63 },
    { 0xFF9F, 0xFF9F, 0x1FFFF },
};

// Shift with a digit key on layouts whose input method reports only the shifted keysym:
// parenright is 0, exclam 1, ... parenleft 9.
const KeySym shifted_digits[] = { 0x29, 0x21, 0x40, 0x23, 0x24, 0x25, 0x5E, 0x26, 0x2A, 0x28 };

bool SameKey(const XEvent& a, const XKeyEvent& k) { return a.xkey.state == k.state && a.xkey.keycode == k.keycode; }

void NextSkippingNoExpose(XEvent& e)
{
    XNextEvent(display, &e);
    while(e.type == NoExpose && HasPendingEvents())
        XNextEvent(display, &e);
}

// Folds the press-release-press pairs of a held key into a count.
int FoldAutoRepeat(const XKeyEvent& k)
{
    int count = 1;
    while(HasPendingEvents()) {
        XEvent n;
        NextSkippingNoExpose(n);
        if(n.type == KeyPress && SameKey(n, k)) {
            XFilterEvent(&n, None);
            count++;
            continue;
        }
        if(n.type == KeyRelease && SameKey(n, k) && HasPendingEvents()) {
            XEvent m;
            NextSkippingNoExpose(m);
            if(m.type == KeyPress && SameKey(m, k)) {
                XFilterEvent(&n, None);
                XFilterEvent(&m, None);
                count++;
                continue;
            }
            XPutBackEvent(display, &m);
        }
        XPutBackEvent(display, &n);
        break;
    }
    return count;
}

// Modifier keys update the keyboard state and fold to one keysym each.
KeySym TrackModifier(KeySym key, bool press)
{
    int bit = 0;
    if(key == 0xFFE1 || key == 0xFFE2) {
        key = 0xFFE1;
        bit = 0x01;
    }
    else if(key == 0xFFE3 || key == 0xFFE4) {
        key = 0xFFE3;
        bit = 0x04;
    }
    else if((key >= 0xFFE7 && key <= 0xFFEE) || key == 0xFE0A) {
        key = 0xFFE7;
        bit = 0x08;
    }
    if(bit) {
        int& state = GetHostState().keyboard_state;
        state = press ? state | bit : state & ~bit;
    }
    return key;
}

} // namespace

dword LookupKeyTable(KeySym key)
{
    for(const auto& t : key_table)
        if(key >= t.from && key <= t.to)
            return t.code + dword(key - t.from);
    return 0;
}

dword MakeKeyCode(KeySym key, int ch, int keyboard_state, bool release)
{
    dword c = keyboard_state & 0x04 ? dword(K_CTRL) : 0;
    dword a = keyboard_state & 0x08 ? dword(K_ALT) : 0;
    dword s = keyboard_state & 0x01 ? dword(K_SHIFT) : 0;
    dword u = release ? dword(K_KEYUP) : 0;
    if(dword code = LookupKeyTable(key))
        return code | c | a | s | u;
    if(s && !ch)
        for(int digit = 0; digit < 10; digit++)
            if(key == shifted_digits[digit])
                return (0x100B0 + dword(digit)) | c | a | s | u;
    if(!ch && key >= '0' && key <= '9')
        return dword(key + 0x10080) | c | a | s | u;
    if(ch >= 1 && ch <= 31)
        return dword(ch + 0x30040) | a | s | u;
    bool named = false;
    if(key >= 0xFF80 && key <= 0xFFB9) {
        if(ch)
            return dword(ch) | c | a | s | u;
        named = true;
    }
    else if(key > 0xFEFF && ch <= 0x7F)
        named = true;
    else if((c || a) && key >= 0x20 && key <= 0x7E)
        named = true;
    if(!named)
        return 0;
    if(key >= 'a' && key <= 'z')
        key -= 0x20;
    if(key == 0xFFE1 || key == 0xFFE3)
        return (0x10000 | dword(key)) | u;
    if(key == 0xFFE7)
        return 0x1FFE7 | u;
    return (0x10000 | dword(key)) | c | a | s | u;
}

String LookupInputText(XIC xic, XKeyPressedEvent& event, KeySym& key, int& status, Utf8Lookup lookup)
{
    char buffer[128];
    Status st = 0;
    key = 0;
    int n = lookup(xic, &event, buffer, sizeof(buffer), &key, &st);
    if(st == XBufferOverflow && n > 0) {
        // The committed text did not fit: asked again with room for all of it.
        std::vector<char> big(size_t(n) + 1);
        n = lookup(xic, &event, big.data(), n + 1, &key, &st);
        status = st;
        return st == XBufferOverflow || n <= 0 ? String() : String(big.data(), n);
    }
    status = st;
    return n > 0 ? String(buffer, n) : String();
}

void TranslateKeyEvent(Ctrl&, WindowMapEntry* entry, XEvent& event)
{
    XKeyEvent& k = event.xkey;
    bool press = event.type == KeyPress;
    int count = press ? FoldAutoRepeat(k) : 1;
    HostState& host = GetHostState();
    host.pointer_screen_pos = Point(k.x_root, k.y_root);
    host.last_event_time = k.time;
    KeySym key = 0;
    int ch = 0;
    WString text;
    if(press && entry && entry->xic) {
        int status = 0;
        String bytes = LookupInputText(entry->xic, k, key, status);
        WString decoded = DecodeUtf8(bytes);
        if(status == XLookupChars) {
            key = 0;
            text = decoded;
            ch = decoded.IsEmpty() ? 0 : decoded[0];
        }
        else if(status == XLookupBoth)
            ch = decoded.IsEmpty() ? 0 : decoded[0];
        else if(status != XLookupKeySym)
            key = 0;
    }
    else {
        char buffer[128];
        int n = XLookupString(&k, buffer, sizeof(buffer), &key, nullptr);
        WString decoded = DecodeUtf8(buffer, std::max(n, 0));
        ch = decoded.IsEmpty() ? 0 : decoded[0];
        if(n > 1)
            text = decoded;
    }
    key = TrackModifier(key, press);
    if(dword code = MakeKeyCode(key, ch, host.keyboard_state, !press)) {
        DispatchKey(code, count);
        return;
    }
    // Characters carry no modifier flags; only Tab, Enter and space report their release.
    if(!press) {
        if(ch == 9 || ch == 13 || ch == 32)
            DispatchKey(dword(ch) | K_KEYUP, count);
        return;
    }
    if(!ch)
        return;
    DispatchKey(dword(ch), count);
    for(int j = 1; j < text.GetLength(); j++)
        DispatchKey(dword(text[j]), count);
}

} // namespace Qor
