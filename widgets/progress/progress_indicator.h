// ProgressIndicator: the bar of a progress dialog, as a filled part of a track for a known
// total, or as a block running along the track while no total is known; and its style.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "foundation/values/value.h"

namespace Qor {

struct ProgressStyle {
    byte status = 0;
    byte registered = 0;
    const ProgressStyle* standard = nullptr;
    // A plain bar in the edit field's edge instead of the looks below.
    bool classic = false;
    // The busy block is cut at the start of the track instead of running off it.
    bool bound = false;
    // Tracks and moving parts, vertical then horizontal.
    Value vlook;
    Value vchunk;
    Value hlook;
    Value hchunk;
};

class ProgressIndicator : public Ctrl {
public:
    ProgressIndicator();
    ~ProgressIndicator() override;

    void Paint(Draw& w) override;
    void Layout() override;

    // A total of 0 or less is the busy mode; a position past the total shows a full bar.
    void Set(int pos, int total);
    int GetPos() const { return pos; }
    int GetTotal() const { return total; }
    // The bar's length in pixels, or in the busy mode the phase of the moving block.
    int GetActual() const { return actual; }

    ProgressIndicator& SetStyle(const ProgressStyle& s);
    const ProgressStyle& GetStyle() const { return *style; }
    static const ProgressStyle& GetDefaultStyle();

    // The size inside the margins of the look that frames the bar.
    Size GetInnerSize() const;

private:
    int total = 0;
    int pos = 0;
    int actual = 0;
    const ProgressStyle* style;

    Value GetTrackLook() const;
    void Recompute();
};

} // namespace Qor
