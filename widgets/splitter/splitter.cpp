// Splitter: panes, bar positions, layout and dragging.

#include "widgets/splitter/splitter.h"

#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/input/resize_host.h"
#include "foundation/assert.h"

#include <algorithm>
#include <cstdlib>

namespace Qor {

namespace {

int EntryOrZero(const Vector<int>& v, int i) { return i >= 0 && i < v.GetCount() ? v[i] : 0; }

} // namespace

Splitter::Splitter() : style(&GetDefaultStyle())
{
    positions.Add(SPLITTER_UNITS / 2);
    SetFrame(0, GetNullFrameInstance());
    SetWantsFocus(false);
    StretchVertical(0, 0);
    StretchHorizontal(0, 0);
    ResolveLayout(1);
    Refresh();
}

Splitter::~Splitter() = default;

Splitter& Splitter::Add(Ctrl& pane)
{
    AppendChild(pane);
    Layout();
    return *this;
}

void Splitter::Clear()
{
    while(Ctrl* c = GetFirstChild())
        RemoveChild(*c);
    positions.Clear();
    minimums.Clear();
    pixel_minimums.Clear();
}

int Splitter::GetLength() const
{
    Size sz = GetViewSize();
    return vertical ? sz.cy : sz.cx;
}

int Splitter::GetBarPixel(int i) const { return int(int64(positions[i]) * GetLength() / SPLITTER_UNITS); }

int Splitter::GetBarCount() const { return std::max(std::min(positions.GetCount(), CountChildren() - 1), 0); }

int Splitter::GetPos(int i) const { return i >= 0 && i < positions.GetCount() ? positions[i] : INT_NULL; }

int Splitter::MinimumUnits(int pane, int length) const
{
    int pixels = EntryOrZero(pixel_minimums, pane);
    int from_pixels = length > 0 ? int(int64(pixels) * SPLITTER_UNITS / length) : 0;
    return std::max(EntryOrZero(minimums, pane), from_pixels);
}

Splitter& Splitter::SetPos(int pos, int i)
{
    QOR_ASSERT(i >= 0);
    int count = positions.GetCount();
    if(i >= count) {
        // Bars skipped over share the room after the last known bar evenly, so the
        // positions stay in order.
        int last = count ? positions[count - 1] : 0;
        positions.SetCount(i + 1);
        for(int k = count; k < i; k++)
            positions[k] = last + int(int64(SPLITTER_UNITS - last) * (k - count + 1) / (i - count + 2));
    }
    int length = GetLength();
    int before = i >= 1 ? positions[i - 1] : 0;
    int after = i + 1 < positions.GetCount() ? positions[i + 1] : SPLITTER_UNITS;
    int lower = before + MinimumUnits(i, length);
    int high = after - MinimumUnits(i + 1, length);
    positions[i] = std::min(std::max(pos, lower), high);
    Layout();
    return *this;
}

Splitter& Splitter::SetVertical(bool b)
{
    vertical = b;
    Layout();
    Refresh();
    return *this;
}

Splitter& Splitter::ShowPane(int i)
{
    shown_pane = i < 0 ? -1 : i;
    Layout();
    Refresh();
    return *this;
}

Splitter& Splitter::SetMinimum(int i, int units)
{
    QOR_ASSERT(i >= 0);
    if(i >= minimums.GetCount())
        minimums.SetCount(i + 1, 0);
    minimums[i] = units;
    Layout();
    return *this;
}

Splitter& Splitter::SetPixelMinimum(int i, int pixels)
{
    QOR_ASSERT(i >= 0);
    if(i >= pixel_minimums.GetCount())
        pixel_minimums.SetCount(i + 1, 0);
    pixel_minimums[i] = pixels;
    Layout();
    return *this;
}

Splitter& Splitter::SetStyle(const SplitterStyle& s)
{
    style = &s;
    Layout();
    Refresh();
    return *this;
}

void Splitter::Layout()
{
    int n = CountChildren();
    if(n == 0)
        return;
    minimums.SetCount(n, 0);
    pixel_minimums.SetCount(n, 0);
    if(positions.GetCount() < n - 1) {
        positions.SetCount(n - 1);
        for(int i = 0; i < n - 1; i++)
            positions[i] = SPLITTER_UNITS * (i + 1) / n;
    }
    if(shown_pane >= 0 && shown_pane < n) {
        int i = 0;
        for(Ctrl* c = GetFirstChild(); c; c = c->GetNext(), i++) {
            if(i == shown_pane)
                c->FillParent();
            c->SetVisible(i == shown_pane);
        }
        return;
    }
    Size sz = GetViewSize();
    int length = vertical ? sz.cy : sz.cx;
    int w = style->width;
    int start = 0;
    int i = 0;
    for(Ctrl* c = GetFirstChild(); c; c = c->GetNext(), i++) {
        int end = i < n - 1 ? GetBarPixel(i) - w / 2 : length;
        if(vertical)
            c->SetRect(0, start, sz.cx, end - start);
        else
            c->SetRect(start, 0, end - start, sz.cy);
        c->SetVisible(true);
        if(i < n - 1)
            start = GetBarPixel(i) + (w - w / 2);
    }
}

int Splitter::FindBar(int c) const
{
    int limit = style->width;
    int found = -1;
    for(int i = 0; i < GetBarCount(); i++) {
        int d = std::abs(c - GetBarPixel(i));
        if(d <= limit) {
            limit = d;
            found = i;
        }
    }
    return found;
}

Image Splitter::CursorFor(Point p, dword)
{
    if(FindBar(vertical ? p.y : p.x) < 0)
        return GetArrowCursor();
    return vertical ? GetVerticalResizeCursor() : GetHorizontalResizeCursor();
}

void Splitter::LeftButtonDown(Point p, dword)
{
    SetCapture();
    Refresh();
    dragged_bar = FindBar(vertical ? p.y : p.x);
}

void Splitter::PointerMoved(Point p, dword)
{
    int length = GetLength();
    // An empty splitter has no scale to map the pointer onto.
    if(!HasCapture() || dragged_bar < 0 || dragged_bar >= positions.GetCount() || length <= 0)
        return;
    int c = vertical ? p.y : p.x;
    int pos = int(std::clamp<int64>(int64(c) * SPLITTER_UNITS / length, 0, SPLITTER_UNITS - 1));
    SetPos(pos, dragged_bar);
    Refresh();
    RunAction();
}

void Splitter::LeftButtonUp(Point, dword)
{
    if(HasCapture())
        drag_end();
    Refresh();
}

} // namespace Qor
