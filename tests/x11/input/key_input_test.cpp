// Keys typed through XTest arrive as the system's key codes: plain, Ctrl, Alt and Shift
// combinations, named keys with their releases, and held keys folded into a repeat count.
#include "tests/support/x11/input_window.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstring>

namespace {

using namespace Qor;
using namespace QorTest;

using KeyInputTest = PrivateDisplayTest;

TEST_F(KeyInputTest, KeysBecomeKeyCodes)
{
    struct Case {
        const char* what;
        KeySym key;
        std::initializer_list<KeySym> modifiers;
        std::vector<dword> codes;
    } cases[] = {
        { "a", XK_a, {}, { 'a' } },
        { "Ctrl+A", XK_a, { XK_Control_L }, { 0x1FFE3, 0x30041, 0x130041, 0x11FFE3 } },
        { "Alt+a", XK_a, { XK_Alt_L }, { 0x1FFE7, 0x90041, 0x190041, 0x11FFE7 } },
        { "Shift+a", XK_a, { XK_Shift_L }, { 0x1FFE1, 'A', 0x11FFE1 } },
        { "Shift+F5", XK_F5, { XK_Shift_L }, { 0x1FFE1, 0x5FFC2, 0x15FFC2, 0x11FFE1 } },
        { "Ctrl+Shift+Home",
          XK_Home,
          { XK_Control_L, XK_Shift_L },
          { 0x1FFE3, 0x1FFE1, 0x7FF50, 0x17FF50, 0x11FFE3, 0x11FFE1 } },
        { "Return", XK_Return, {}, { 0x0D, 0x10000D } },
        { "Tab", XK_Tab, {}, { 0x09, 0x100009 } },
        { "Shift+Tab", XK_Tab, { XK_Shift_L }, { 0x1FFE1, 0x40009, 0x140009, 0x11FFE1 } },
        { "space", XK_space, {}, { 0x20, 0x100020 } },
        { "Escape", XK_Escape, {}, { 0x1B, 0x10001B } },
        { "BackSpace", XK_BackSpace, {}, { 0x08, 0x100008 } },
        { "Delete", XK_Delete, {}, { 0x1FFFF, 0x11FFFF } },
        { "Left", XK_Left, {}, { 0x1FF51, 0x11FF51 } },
        { "F1", XK_F1, {}, { 0x1FFBE, 0x11FFBE } },
        { "Shift+1", XK_1, { XK_Shift_L }, { 0x1FFE1, '!', 0x11FFE1 } },
        { "7", XK_7, {}, { '7' } },
    };
    InputRecorder c;
    OpenInput window(c, Rect(Point(20, 20), Size(120, 80)));
    ASSERT_TRUE(window.IsOpen());
    for(const Case& k : cases) {
        c.keys.clear();
        TypeKey(k.key, k.modifiers);
        PumpUntil([&] { return c.keys.size() >= k.codes.size(); });
        PumpFor(20);
        EXPECT_EQ(c.Keys(), k.codes) << k.what;
    }
}

TEST_F(KeyInputTest, HeldKeyIsFoldedIntoARepeatCount)
{
    InputRecorder c;
    OpenInput window(c, Rect(Point(20, 20), Size(120, 80)));
    ASSERT_TRUE(window.IsOpen());
    // What the server sends for a held key: press, release, press, release, press, release;
    // all of it is queued before the first press is handled.
    KeyCode code = XKeysymToKeycode(display, XK_Right);
    for(int i = 0; i < 3; i++) {
        XTestFakeKeyEvent(display, code, true, 0);
        XTestFakeKeyEvent(display, code, false, 0);
    }
    XSync(display, false);
    PumpUntil([&] { return c.keys.size() >= 2; });
    PumpFor(20);
    ASSERT_EQ(c.keys.size(), 2u);
    EXPECT_EQ(c.keys[0].key, 0x1FF53u);
    EXPECT_EQ(c.keys[0].count, 3);
    // The last release stays queued and is handled as the next event.
    EXPECT_EQ(c.keys[1].key, 0x11FF53u);
    EXPECT_EQ(c.keys[1].count, 1);
}

TEST(KeyCodeRules, FromKeysymCharacterAndModifiers)
{
    const int shift = 0x01, control = 0x04, alt = 0x08;
    struct Case {
        KeySym key;
        int ch;
        int state;
        bool release;
        dword code;
    } cases[] = {
        { XK_a, 'a', 0, false, 0 },                           // a character
        { XK_a, 1, control, false, 0x30041 },                 // Ctrl with a letter
        { XK_a, 'a', alt, false, 0x90041 },                   // Alt: the upper-case named key
        { XK_F5, 0, shift, false, 0x5FFC2 },                  // Shift+F5
        { XK_exclam, 0, shift, false, 0x500B1 },              // Shift+1 reported as a keysym only
        { XK_parenleft, 0, shift | control, false, 0x700B9 }, // ... and Shift+9 with Ctrl
        { XK_3, 0, alt, false, 0x900B3 },                     // a digit key without a character
        { XK_Return, 13, 0, true, 0x10000D },                 // the table, with the release
        { XK_KP_Space, ' ', 0, true, 0x100020 },              // keypad space
        { XK_KP_Home, 0, 0, false, 0x1FF50 },                 // keypad navigation
        { XK_KP_F2, 0, 0, false, 0x1FFBF },                   // keypad F2 is F2
        { XK_KP_7, '7', shift, false, 0x40037 },              // a keypad digit with its character
        { XK_KP_Add, 0, 0, false, 0x1FFAB },                  // a keypad key without one
        { 0xFFE1, 0, shift, true, 0x11FFE1 },                 // Shift carries no modifier flags
        { 0xFFE3, 0, control, false, 0x1FFE3 },               // nor Ctrl
        { 0xFFE7, 0, alt, true, 0x11FFE7 },                   // the Alt family
        { XK_eacute, 0xE9, 0, false, 0 },                     // a character beyond ASCII
        { XK_Cyrillic_a, 0x430, control, false, 0 },          // Ctrl with a non-ASCII letter
    };
    for(const Case& c : cases)
        EXPECT_EQ(MakeKeyCode(c.key, c.ch, c.state, c.release), c.code) << std::hex << c.key;
}

// A lookup that commits text longer than any first buffer: the first call reports the
// overflow with the length needed, as Xlib does.
std::string committed;
int overflow_calls = 0;

int LongCommit(XIC, XKeyPressedEvent*, char* buffer, int size, KeySym* key, Status* status)
{
    overflow_calls++;
    *key = 0;
    if(size < int(committed.size())) {
        *status = XBufferOverflow;
        return int(committed.size());
    }
    memcpy(buffer, committed.data(), committed.size());
    *status = XLookupChars;
    return int(committed.size());
}

TEST(InputMethodText, LongCommitIsReadInFull)
{
    for(size_t length : { size_t(5), size_t(127), size_t(128), size_t(129), size_t(1000) }) {
        committed.clear();
        for(size_t i = 0; i < length; i++)
            committed += char('a' + i % 26);
        overflow_calls = 0;
        XKeyPressedEvent e = {};
        KeySym key = 1;
        int status = 0;
        String text = LookupInputText(nullptr, e, key, status, LongCommit);
        EXPECT_EQ(std::string(text.Begin(), size_t(text.GetLength())), committed) << length;
        EXPECT_EQ(status, XLookupChars);
        EXPECT_EQ(overflow_calls, length > 128 ? 2 : 1);
    }
}

} // namespace
