// Comparing a native GTK rendering with Qor's, pixel by pixel, and showing the difference.
#pragma once

#include "tests/support/x11/gui_test.h"

#include <string>

namespace QorTest {

// The smallest rectangle of p holding what differs from the face colour; empty when none.
Qor::Rect Content(const Pixels& p, Qor::Color face);

// The largest difference of the two colours in any channel.
int ChannelDistance(Qor::Color a, Qor::Color b);

// The share of pixels within 6 levels per channel, the rectangles aligned at their corners
// (the width and height of ra are compared).
double Match(const Pixels& a, const Qor::Rect& ra, const Pixels& b, const Qor::Rect& rb);

// The rectangle as text, one letter a pixel: '.' face, '#' dark, '+' light.
std::string Show(const Pixels& p, const Qor::Rect& r, Qor::Color face);

// With QOR_PARITY_DUMP naming a folder: writes NAME-gtk.ppm, NAME-qor.ppm and NAME-diff.ppm
// (white where within 6 levels, the difference scaled up elsewhere) there, to look at.
void DumpComparison(const std::string& name, const Pixels& a, const Qor::Rect& ra, const Pixels& b,
                    const Qor::Rect& rb);

} // namespace QorTest
