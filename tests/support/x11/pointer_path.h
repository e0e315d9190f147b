// The pointer as users move it: a hand sends many small motion events on the way, touch
// screens, tablets, remote desktops and scripted input often one jump. Nothing is raised, so
// a click lands on whatever window the server finds on top.
#pragma once

#include "tests/support/x11/gui_test.h"

#include <vector>

namespace QorTest {

enum class PointerMove { HAND, JUMP };

const char* PointerMoveName(PointerMove how);
// The screen points the pointer passes from `from` to `to`, `to` last: only `to` for a jump,
// one every few pixels for a hand.
std::vector<Qor::Point> PointerPath(Qor::Point from, Qor::Point to, PointerMove how);
// Where the pointer is on the screen.
Qor::Point PointerOnScreen();
// One motion event to a screen point.
void MovePointerOnScreen(Qor::Point p);
// Presses and releases a button where the pointer is, `count` times in a row.
void ClickHere(unsigned button = 1, int count = 1);

} // namespace QorTest
