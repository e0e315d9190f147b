// XTest input for GUI tests.
#include "tests/support/x11/xtest_input.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace QorTest {

using namespace Qor;

bool HasXTest()
{
    int event_base, error_base, major, minor;
    bool ok = XTestQueryExtension(display, &event_base, &error_base, &major, &minor);
    EXPECT_TRUE(ok) << "the X server has no XTest extension";
    return ok;
}

void MovePointer(Window w, Point p)
{
    // Parallel tests share the pointer and the screen: the window goes on top first so the
    // event reaches it and not a window of another test.
    XRaiseWindow(display, w);
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display, w, root, p.x, p.y, &x, &y, &child);
    XTestFakeMotionEvent(display, screen_number, x, y, 0);
    XSync(display, false);
}

void Click(Window w, Point p, unsigned button)
{
    if(!HasXTest())
        return;
    MovePointer(w, p);
    XTestFakeButtonEvent(display, button, true, 0);
    XTestFakeButtonEvent(display, button, false, 0);
    XSync(display, false);
}

void Drag(Window w, Point from, Point to, unsigned button, int steps)
{
    if(!HasXTest())
        return;
    MovePointer(w, from);
    XTestFakeButtonEvent(display, button, true, 0);
    for(int i = 1; i <= steps; i++)
        MovePointer(w, Point(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps));
    XTestFakeButtonEvent(display, button, false, 0);
    XSync(display, false);
}

void TypeKey(KeySym key, std::initializer_list<KeySym> modifiers)
{
    if(!HasXTest())
        return;
    for(KeySym m : modifiers)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, m), true, 0);
    KeyCode code = XKeysymToKeycode(display, key);
    XTestFakeKeyEvent(display, code, true, 0);
    XTestFakeKeyEvent(display, code, false, 0);
    for(KeySym m : modifiers)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, m), false, 0);
    XSync(display, false);
}

void TypeText(const char* text)
{
    for(const char* s = text; *s; s++) {
        KeySym key = *s == '\n' ? XK_Return : (KeySym)(byte)*s;
        KeyCode code = XKeysymToKeycode(display, key);
        // The keysym in the second column of its key is typed with Shift.
        bool shift = code && XkbKeycodeToKeysym(display, code, 0, 0) != key;
        if(shift)
            TypeKey(key, { XK_Shift_L });
        else
            TypeKey(key);
    }
}

} // namespace QorTest
