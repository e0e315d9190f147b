// Width arithmetic of a column header: tab rectangles, sharing of width ratios, resizing
// of one tab and the hit test of the tab dividers. Pure functions over the tabs' sizes, so
// the header control and its tests share them.
#pragma once

#include "foundation/values/rect.h"
#include "foundation/vector.h"

#include <climits>

namespace Qor {

// Width modes of a header; nothing else is ever stored.
enum : int { HEADER_PROPORTIONAL = 0, HEADER_ABSOLUTE = 3 };

// The hit test's "no tab here".
constexpr int HEADER_NO_SPLIT = INT_MIN;

// What the width arithmetic knows of one tab.
struct HeaderTabSizing {
    // The share of the view width (proportional) or the width in pixels (absolute).
    double ratio = 1.0;
    // A hidden tab keeps its place and ratio and gets a zero-width rectangle.
    bool visible = true;
    int min_width = 0;
    // INT_MAX: no maximum.
    int max_width = INT_MAX;

    // A fixed tab cannot be resized.
    bool IsFixed() const { return min_width == max_width; }
};

// The tabs in display order; the arithmetic changes the ratios in place.
using HeaderTabList = Vector<HeaderTabSizing*>;

// Positions of the visible tabs from `from` on, ascending.
Vector<int> GetVisibleHeaderTabs(const HeaderTabList& tabs, int from);
double SumVisibleRatios(const HeaderTabList& tabs);

// One rectangle per tab in content coordinates (x = 0 at the first tab, y from 0 to the
// view height).
void ComputeHeaderTabRects(const HeaderTabList& tabs, int mode, Size view, Vector<Rect>& rects);

// Changes the ratios of the listed tabs so that their sum changes by delta, keeping each
// within its pixel limits and spreading what the limits refuse over the others. Nothing
// for a view width of 0.
void DistributeHeaderRatios(const HeaderTabList& tabs, const Vector<int>& list, double delta, int view_width);

// Absolute mode: every ratio becomes a whole width within the tab's limits.
void ClampAbsoluteHeaderWidths(const HeaderTabList& tabs);

// Sets tab i to width cx as far as the limits and (proportional) the following tabs allow;
// `rects` are the current rectangles. False when nothing changed.
bool ResizeHeaderTab(const HeaderTabList& tabs, int mode, const Vector<Rect>& rects, int i, int cx, int view_width);

// The hit test at content x: i >= 0 is the right divider of tab i, ~i a point inside tab i,
// HEADER_NO_SPLIT nothing.
int FindHeaderSplit(const HeaderTabList& tabs, int mode, const Vector<Rect>& rects, int x, int view_width);

} // namespace Qor
