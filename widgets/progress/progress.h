// Progress: the dialog a long task on the one GUI thread shows while it works. Updates are
// throttled, each accepted one repaints the dialog and lets pending events run, and every
// other top-level window stays disabled while the dialog is open.
#pragma once

#include "ctrl/state/other_windows.h"
#include "ctrl/topwindow/top_window.h"
#include "foundation/string.h"
#include "widgets/button/button.h"
#include "widgets/progress/progress_indicator.h"
#include "widgets/static/static_text.h"

namespace Qor {

struct ProgressLayout__layid {};

// The controls of the dialog's layout, as members of the base window.
template <class Base>
class WithProgressLayout : public Base, public ProgressLayout__layid {
public:
    Button stop;
    Label info;
    ProgressIndicator pi;

    ~WithProgressLayout() override = default;
};

class Progress : public WithProgressLayout<TopWindow> {
public:
    Progress();
    ~Progress() override;

    void Close() override;

    // Opens the dialog now, unless a window is being painted, it is open or was cancelled.
    void Open();
    // Records a step; at most one call per granularity does anything more.
    void Set(int pos, int total);
    // Shows text formatted with pos, opens the dialog when due, lets events run while open.
    void UpdateText();
    // Ends the task's dialog for good: updates never open it again.
    void Cancel();

    bool IsCancelled() const { return cancelled; }
    int GetPos() const { return pos; }
    int GetTotal() const { return total; }
    int GetGranularity() const { return granularity; }
    Progress& SetGranularity(int ms)
    {
        granularity = ms;
        return *this;
    }

    // A Format pattern with the position as its one argument.
    String text;

private:
    bool cancelled = false;
    int total = 0;
    int pos = 0;
    int granularity = 50;
    uint32 set_time = 0;
    uint32 show_time = 0;
    OtherWindowsDisabler disabler;

    void Init();
    void ShowStep();
    void Sync();
    void OpenIfDue();
    void Pump();
};

} // namespace Qor
