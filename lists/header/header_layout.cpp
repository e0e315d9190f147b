// Width arithmetic of a column header.

#include "lists/header/header_layout.h"

#include "foundation/assert.h"

#include <algorithm>
#include <cmath>

namespace Qor {

Vector<int> GetVisibleHeaderTabs(const HeaderTabList& tabs, int from)
{
    Vector<int> v;
    for(int i = std::max(from, 0); i < tabs.GetCount(); i++)
        if(tabs[i]->visible)
            v.Add(i);
    return v;
}

double SumVisibleRatios(const HeaderTabList& tabs)
{
    double s = 0;
    for(const HeaderTabSizing* t : tabs)
        if(t->visible)
            s += t->ratio;
    return s;
}

namespace {

int64 SumVisibleMinWidths(const HeaderTabList& tabs, int from)
{
    int64 s = 0;
    for(int i = std::max(from, 0); i < tabs.GetCount(); i++)
        if(tabs[i]->visible)
            s += tabs[i]->min_width;
    return s;
}

double SumRatios(const HeaderTabList& tabs, const Vector<int>& list)
{
    double s = 0;
    for(int t : list)
        s += tabs[t]->ratio;
    return s;
}

int NextVisible(const HeaderTabList& tabs, int j)
{
    for(int k = j + 1; k < tabs.GetCount(); k++)
        if(tabs[k]->visible)
            return k;
    return -1;
}

} // namespace

void ComputeHeaderTabRects(const HeaderTabList& tabs, int mode, Size view, Vector<Rect>& rects)
{
    int n = tabs.GetCount();
    int w = view.cx;
    int h = view.cy;
    rects.SetCount(n);
    if(mode != HEADER_PROPORTIONAL) {
        int x = 0;
        for(int i = 0; i < n; i++) {
            int cx = tabs[i]->visible ? (int)tabs[i]->ratio : 0;
            rects[i] = Rect(x, 0, x + cx, h);
            x += cx;
        }
        return;
    }
    Vector<int> visible = GetVisibleHeaderTabs(tabs, 0);
    if(visible.IsEmpty()) {
        for(int i = 0; i < n; i++)
            rects[i] = Rect(0, 0, 0, h);
        return;
    }
    double sum = SumVisibleRatios(tabs);
    // Keeps a share that lands a hair below a whole pixel from losing that pixel.
    double e = sum / 200000;
    int last = visible.Top();
    double c = 0;
    int x = 0;
    for(int i = 0; i < n; i++) {
        if(!tabs[i]->visible) {
            rects[i] = Rect(x, 0, x, h);
            continue;
        }
        if(i == last) {
            rects[i] = Rect(x, 0, w, h);
            x = w;
            continue;
        }
        int right;
        if(sum == 0) {
            c += 1;
            right = (int)(w * c / visible.GetCount());
        }
        else {
            c += tabs[i]->ratio;
            right = (int)(w * c / sum + e);
        }
        rects[i] = Rect(x, 0, right, h);
        x = right;
    }
}

void DistributeHeaderRatios(const HeaderTabList& tabs, const Vector<int>& list, double delta, int view_width)
{
    double w = view_width;
    if(view_width == 0)
        return;
    double s = SumVisibleRatios(tabs);
    double eps = std::max(s / 1000000, 0.000001);
    double floor = std::max(s / 10000, 0.0001);
    int64 mins = SumVisibleMinWidths(tabs, 0);
    Vector<int> pending = list;
    // Each round either absorbs the difference or takes clamped tabs out; the limit only
    // guards against rounding that keeps a round from converging.
    for(int round = 0; round < 64 + 4 * list.GetCount(); round++) {
        double r = SumRatios(tabs, pending);
        if(std::abs(r) < eps)
            return;
        double f = 1 + delta / r;
        double absorbed = 0;
        Vector<int> next;
        for(int t : pending) {
            HeaderTabSizing& tab = *tabs[t];
            double x = f * tab.ratio;
            tab.ratio = x;
            double min_ratio = tab.min_width * s / w;
            double max_ratio = tab.max_width * s / w;
            if(x < floor) {
                tab.ratio = floor;
                absorbed += floor;
            }
            else if(w > mins && x < min_ratio) {
                tab.ratio = min_ratio;
                absorbed += min_ratio;
                if(delta > 0)
                    next.Add(t);
            }
            else if(x > max_ratio) {
                tab.ratio = max_ratio;
                absorbed += max_ratio;
                if(delta < 0)
                    next.Add(t);
            }
            else {
                absorbed += x;
                next.Add(t);
            }
        }
        delta = r + delta - absorbed;
        if(std::abs(delta) < eps)
            return;
        if(next.IsEmpty())
            break;
        pending = std::move(next);
    }
    double r0 = SumRatios(tabs, list);
    if(std::abs(r0) < eps)
        return;
    // What the limits refused is spread regardless of them, but a share never turns
    // negative: that would give tabs ending left of where they start.
    double f = std::max(1 + delta / r0, 0.0);
    for(int t : list)
        tabs[t]->ratio *= f;
}

void ClampAbsoluteHeaderWidths(const HeaderTabList& tabs)
{
    for(HeaderTabSizing* t : tabs)
        t->ratio = std::min(t->max_width, std::max(t->min_width, (int)t->ratio));
}

bool ResizeHeaderTab(const HeaderTabList& tabs, int mode, const Vector<Rect>& rects, int i, int cx, int view_width)
{
    const int n = tabs.GetCount();
    QOR_ASSERT(i >= 0 && i < n && rects.GetCount() == n);
    HeaderTabSizing& tab = *tabs[i];
    int64 w_view = view_width;
    int left = rects[i].left;
    int right = rects[i].right;
    int64 mins = SumVisibleMinWidths(tabs, 0);
    bool fits = w_view > mins;
    int64 w = fits ? std::min(tab.max_width, std::max(tab.min_width, cx)) : std::min(cx, tab.max_width);
    if(mode == HEADER_PROPORTIONAL) {
        if(fits)
            w = std::min(w, w_view - SumVisibleMinWidths(tabs, i + 1) - left);
        if(i == n - 1)
            w = std::max(w, w_view - left);
        else {
            int64 maxs = 0;
            bool unbounded = false;
            for(int j = i + 1; j < n; j++)
                if(tabs[j]->visible) {
                    maxs += tabs[j]->max_width;
                    unbounded |= tabs[j]->max_width == INT_MAX;
                }
            if(!unbounded)
                w = std::max(w, w_view - maxs - left);
        }
    }
    double s = SumVisibleRatios(tabs);
    if(view_width == 0)
        return false;
    w = std::max<int64>(w, 0);
    if(w == right - left)
        return false;
    double d = (double)(w - (right - left)) * s / view_width;
    tab.ratio += d;
    if(mode == HEADER_PROPORTIONAL)
        DistributeHeaderRatios(tabs, GetVisibleHeaderTabs(tabs, i + 1), -d, view_width);
    else
        tab.ratio = (double)w;
    return true;
}

int FindHeaderSplit(const HeaderTabList& tabs, int mode, const Vector<Rect>& rects, int x, int view_width)
{
    const int n = tabs.GetCount();
    const bool proportional = mode == HEADER_PROPORTIONAL;
    const int w = view_width;
    const double s = SumVisibleRatios(tabs);
    Vector<int> visible = GetVisibleHeaderTabs(tabs, 0);
    auto width = [&](int j) { return rects[j].Width(); };
    bool dividers = true;
    if(proportional && x >= w - 4 && x <= w + 4 && !visible.IsEmpty() && width(visible.Top()) <= 3) {
        // A last tab squeezed to nothing hides its left neighbour's divider under the
        // right edge: offer the divider of the last tab that still has a width.
        for(int j = n - 1; j >= 0; j--)
            if(width(j) > 3)
                return j;
        dividers = false;
    }
    int first = n;
    int last = -1;
    for(int j = 0; j < n; j++)
        if(tabs[j]->visible && !tabs[j]->IsFixed()) {
            first = std::min(first, j);
            last = j;
        }
    if(proportional)
        last--;
    // The edges follow the same sums as the painting; the rectangles only answer "narrow".
    double c = 0;
    int edge = 0;
    for(int j = 0; j < n; j++) {
        const HeaderTabSizing& tab = *tabs[j];
        if(!tab.visible)
            continue;
        if(proportional) {
            if(s == 0) {
                c += 1;
                edge = (int)(w * c / visible.GetCount());
            }
            else {
                c += tab.ratio;
                edge = (int)(w * c / s);
            }
        }
        else
            edge += (int)tab.ratio;
        int next = NextVisible(tabs, j);
        bool offers = dividers && j >= first && j <= last && (!tab.IsFixed() || (next >= 0 && !tabs[next]->IsFixed()));
        if(offers && x >= edge - 3 && x <= edge + 2) {
            if(!proportional && j == n - 1)
                return j;
            if(!proportional || j < n - 1) {
                if(next >= 0 && width(next) > 3)
                    return j;
                if(x < edge)
                    return j;
            }
        }
        if(x < edge)
            return ~j;
    }
    return HEADER_NO_SPLIT;
}

} // namespace Qor
