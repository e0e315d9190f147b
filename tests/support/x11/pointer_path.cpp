// Pointer paths and clicks through XTest, on screen coordinates.
#include "tests/support/x11/pointer_path.h"

#include "tests/support/x11/xtest_input.h"

#include <X11/extensions/XTest.h>
#include <algorithm>
#include <cstdlib>

namespace QorTest {

using namespace Qor;

const char* PointerMoveName(PointerMove how) { return how == PointerMove::HAND ? "Hand" : "Jump"; }

std::vector<Point> PointerPath(Point from, Point to, PointerMove how)
{
    std::vector<Point> path;
    if(how == PointerMove::HAND) {
        // About 8 pixels a step, as a slow hand gives; at least two steps so that more than
        // one motion event arrives.
        int distance = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
        int steps = std::clamp(distance / 8, 2, 40);
        for(int i = 1; i < steps; i++)
            path.push_back(Point(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps));
    }
    path.push_back(to);
    return path;
}

Point PointerOnScreen()
{
    Window root_return, child;
    int x = 0, y = 0, wx, wy;
    unsigned mask;
    XQueryPointer(display, root, &root_return, &child, &x, &y, &wx, &wy, &mask);
    return Point(x, y);
}

void MovePointerOnScreen(Point p)
{
    if(!HasXTest())
        return;
    XTestFakeMotionEvent(display, screen_number, p.x, p.y, 0);
    XSync(display, false);
}

void ClickHere(unsigned button, int count)
{
    if(!HasXTest())
        return;
    for(int i = 0; i < count; i++) {
        XTestFakeButtonEvent(display, button, true, 0);
        XTestFakeButtonEvent(display, button, false, 0);
    }
    XSync(display, false);
}

} // namespace QorTest
