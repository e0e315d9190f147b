// Composed input for GUI tests.
#include "tests/support/x11/compose_keys.h"

#include "tests/support/x11/input_window.h"

#include <clocale>
#include <functional>

namespace QorTest {

using Qor::display;

LocaleScope::LocaleScope(const char* name) : saved(std::setlocale(LC_ALL, nullptr))
{
    ok = std::setlocale(LC_ALL, name) != nullptr;
}

LocaleScope::~LocaleScope() { std::setlocale(LC_ALL, saved.c_str()); }

bool MapSpareKey(KeySym sym)
{
    if(XKeysymToKeycode(display, sym))
        return true;
    int low = 0, high = 0;
    XDisplayKeycodes(display, &low, &high);
    int per = 0;
    KeySym* map = XGetKeyboardMapping(display, KeyCode(low), high - low + 1, &per);
    if(!map)
        return false;
    int spare = 0;
    for(int k = high; k >= low && !spare; k--) {
        bool empty = true;
        for(int i = 0; i < per; i++)
            empty = empty && map[(k - low) * per + i] == NoSymbol;
        if(empty)
            spare = k;
    }
    XFree(map);
    if(!spare)
        return false;
    XChangeKeyboardMapping(display, spare, 1, &sym, 1);
    XSync(display, false);
    // The server announces the new map; the dispatcher reads it again.
    return PumpUntil([&] { return XKeysymToKeycode(display, sym) == spare; });
}

} // namespace QorTest
