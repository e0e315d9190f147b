// Real input for GUI tests: pointer and key events made by the server's XTest extension,
// delivered like a user's.
#pragma once

#include "tests/support/x11/gui_test.h"

namespace QorTest {

// Whether the server offers XTest (the input helpers fail the test when it does not).
bool HasXTest();
// Moves the pointer to p in window w.
void MovePointer(Window w, Qor::Point p);
// Presses and releases a button (1 left, 2 middle, 3 right) at p in w.
void Click(Window w, Qor::Point p, unsigned button = 1);
// Presses at from, moves in steps to to and releases there.
void Drag(Window w, Qor::Point from, Qor::Point to, unsigned button = 1, int steps = 4);
// Presses and releases the key of a keysym, with the modifier keysyms held around it.
void TypeKey(KeySym key, std::initializer_list<KeySym> modifiers = {});
// Types the ASCII characters of text, Shift held where the keyboard map needs it.
void TypeText(const char* text);

} // namespace QorTest
