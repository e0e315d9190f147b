// The layout zoom: measured once from the sample text, and again after each skin change.

#include "ctrl/settings/layout_zoom.h"

#include "ctrl/settings/layout_zoom_internal.h"
#include "ctrl/settings/skin_change.h"
#include "draw/font/font.h"
#include "draw/text/text.h"
#include "richtext/paint/page_draw.h"

#include <algorithm>
#include <climits>

namespace Qor {

namespace {

// The sample and its size in the font the layouts were designed with.
const char SAMPLE[] = "OK Cancel Exit Retry";
const Size DESIGN_SIZE(99, 13);

Size measured(0, 0);
Size base(0, 0);
LayoutSampleMeasure sample_measure = nullptr;

Size MeasureSample() { return sample_measure ? sample_measure() : GetTextSize(SAMPLE, GetStandardFontReference()); }

// The product in 64 bits, so large coordinates scale instead of overflowing.
int Scale(int v, int num, int den)
{
    long long r = (long long)v * num / den;
    return (int)std::clamp<long long>(r, INT_MIN, INT_MAX);
}

} // namespace

LayoutSampleMeasure SetLayoutSampleMeasure(LayoutSampleMeasure measure)
{
    LayoutSampleMeasure old = sample_measure;
    sample_measure = measure;
    return old;
}

void InvalidateLayoutZoom() { measured.cx = base.cx = 0; }

void EnsureLayoutZoom()
{
    if(measured.cx && base.cx)
        return;
    if(measured.cx == 0)
        measured = MeasureSample();
    if(base.cx == 0)
        base = DESIGN_SIZE;
    // A small font never shrinks the layouts.
    measured.cx = std::max(measured.cx, base.cx);
    measured.cy = std::max(measured.cy, base.cy);
    // Rich text on screen scales by the same factor: 96 dots per inch at the design size,
    // in rich text's 600 units per inch.
    SetRichScreenZoom(measured.cx * 96 / base.cx, 600);
    ApplySkinChange();
}

int ZoomX(int x)
{
    EnsureLayoutZoom();
    return Scale(x, measured.cx, base.cx);
}

int ZoomY(int y)
{
    EnsureLayoutZoom();
    return Scale(y, measured.cy, base.cy);
}

Size ZoomSize(int cx, int cy) { return Size(ZoomX(cx), ZoomY(cy)); }

} // namespace Qor
