// Row layout of bar panes.

#include "widgets/bar/bar_pane.h"

#include <algorithm>

namespace Qor {

namespace {

int Along(Size sz, bool horz) { return horz ? sz.cx : sz.cy; }
int Across(Size sz, bool horz) { return horz ? sz.cy : sz.cx; }
bool IsGap(const BarPaneItem& it) { return !it.ctrl && it.gapsize != BAR_BREAK; }

} // namespace

BarPane::BarPane() = default;

void BarPane::Add(Ctrl* ctrl, int gapsize)
{
    BarPaneItem& it = items.Add();
    it.ctrl = ctrl;
    it.gapsize = ctrl ? BAR_BREAK : gapsize;
    if(ctrl)
        AppendChild(*ctrl);
}

void BarPane::ClearEntries()
{
    for(BarPaneItem& it : items)
        if(it.ctrl && it.ctrl->GetParent() == this)
            it.ctrl->Detach();
    items.Clear();
    breaks.Clear();
    hover = nullptr;
}

Size BarPane::LayOutRows(bool horz, int maxsize) { return Flow(horz, maxsize, true); }

Size BarPane::GetRowsSize(int maxsize) const { return const_cast<BarPane*>(this)->Flow(true, maxsize, false); }

// One walk serves layout and measuring; measuring differs where a frame has to be sure the
// rows fit: it wraps at an exact fit, ends a row at a fill gap when maxsize is unlimited and
// doubles the margins.
Size BarPane::Flow(bool horz, int maxsize, bool place)
{
    if(place) {
        horizontal = horz;
        breaks.Clear();
    }
    int along_margin = horz ? hmargin : vmargin;
    int am = horz ? vmargin : hmargin;
    int64 limit = maxsize == INT32_MAX ? INT32_MAX : int64(maxsize) - 2 * along_margin;
    bool unlimited = place ? limit == INT32_MAX : maxsize == INT32_MAX;
    auto exceeds = [&](int64 len) { return place ? len > limit : len >= limit; };
    int64 pos = am;
    int64 longest = 0;
    int n = items.GetCount();
    Vector<Ctrl*> row;
    int i = 0;
    while(i < n) {
        int64 rowlen = 0;
        int thick = 0;
        int count = 0;
        row.Clear();
        while(i < n) {
            const BarPaneItem& it = items[i];
            if(!it.ctrl && it.gapsize == BAR_BREAK) {
                i++;
                break;
            }
            int64 len;
            int th = 0;
            if(!it.ctrl && it.gapsize == BAR_FILL_GAP) {
                if(unlimited) {
                    i++;
                    break;
                }
                int64 total = 0;
                for(int j = i + 1; j < n && items[j].ctrl; j++) {
                    int64 l = Along(items[j].ctrl->MinimumSize(), horz);
                    if(rowlen + total + l > limit)
                        break;
                    total += l;
                }
                len = std::max<int64>(limit - rowlen - total, 0);
            }
            else if(!it.ctrl)
                len = it.gapsize;
            else {
                Size sz = it.ctrl->MinimumSize();
                len = Along(sz, horz);
                th = Across(sz, horz);
                if(place && len == INT32_MAX)
                    len = std::max<int64>(limit - rowlen, 0);
            }
            if(count > 0 && exceeds(rowlen + len)) {
                // A gap where the row wraps would only indent the next row.
                while(i < n && IsGap(items[i]))
                    i++;
                break;
            }
            thick = std::max(thick, th);
            if(it.ctrl) {
                if(place) {
                    int x = int(along_margin + rowlen);
                    horz ? it.ctrl->PlaceLeft(x, int(len)) : it.ctrl->PlaceTop(x, int(len));
                }
                row.Add(it.ctrl);
            }
            rowlen += len;
            count++;
            i++;
        }
        if(pos > am) {
            if(place)
                breaks.Add(int(pos + am));
            pos += 2 * am + 2;
        }
        if(place)
            for(Ctrl* c : row)
                horz ? c->PlaceTop(int(pos), thick) : c->PlaceLeft(int(pos), thick);
        pos += thick;
        longest = std::max(longest, rowlen);
    }
    if(place)
        return horz ? Size(int(longest + 2 * along_margin), int(pos + am))
                    : Size(int(pos + am), int(longest + 2 * along_margin));
    return Size(int(longest + 4 * hmargin), int(pos - am + 4 * vmargin));
}

void BarPane::LeftButtonDown(Point, dword) { leftClick(); }

void BarPane::PointerMoved(Point p, dword)
{
    Ctrl* c = FindChildAt(p, false);
    if(c == hover)
        return;
    hover = c;
    ShowBarHelp(c);
}

} // namespace Qor
