// Progress: the dialog's layout, its throttled updates and its opening and closing.

#include "widgets/progress/progress.h"

#include "ctrl/loop/event_loop.h"
#include "ctrl/settings/layout_zoom.h"
#include "ctrl/window_ops/window_ops.h"
#include "foundation/callback_action.h"
#include "foundation/process.h"
#include "foundation/values/format.h"
#include "foundation/values/translate.h"

namespace Qor {

namespace {

// Totals above this are scaled down so that the indicator's products stay small.
enum : int { PROGRESS_MAX_TOTAL = 30000 };

} // namespace

Progress::Progress() { Init(); }

Progress::~Progress() { disabler.Restore(); }

void Progress::Init()
{
    SetLayoutName("ProgressLayout");
    stop.SetLayoutName("stop");
    pi.SetLayoutName("pi");
    info.SetLayoutName("info");
    AppendChild(stop);
    AppendChild(pi);
    AppendChild(info);
    stop.SetLabel(Translate("Cancel"));
    stop.CentreHorizontalZoomed(68, 0).PlaceBottomZoomed(4, 24);
    pi.StretchHorizontalZoomed(4, 4).PlaceTopZoomed(28, 12);
    info.StretchHorizontalZoomed(4, 4).PlaceTopZoomed(4, 15);
    info.SetAlign(LABEL_ALIGN_CENTER);
    Size sz = GrowByFrames(ZoomSize(320, 72));
    SetMinSize(sz);
    SetRect(Rect(sz));
    SetTitle(Translate("Working..."));
    stop.SetAction(MakeCallback(this, &Progress::Cancel));
    pos = total = 0;
    cancelled = false;
    granularity = 50;
    set_time = show_time = MonotonicMs();
}

void Progress::Pump()
{
    WaitForEventsCall(0);
    ProcessPendingEventsCall();
}

void Progress::OpenIfDue()
{
    if(IsInOpenWindow())
        return;
    uint32 now = MonotonicMs();
    if(now - show_time >= uint32(granularity)) {
        // Taken before Open: Open updates the text again, and a window that cannot open
        // must not bring it back here.
        show_time = now;
        Open();
    }
}

void Progress::UpdateText()
{
    String shown = Format(text.Begin(), Value(pos));
    info.SetText(shown.Begin());
    OpenIfDue();
    if(IsInOpenWindow())
        Pump();
}

void Progress::Sync()
{
    UpdateText();
    RepaintNow();
    OpenIfDue();
}

void Progress::ShowStep()
{
    uint32 now = MonotonicMs();
    if(now - set_time < uint32(granularity))
        return;
    set_time = now;
    int p = pos;
    int t = total;
    while(t > PROGRESS_MAX_TOTAL) {
        p >>= 8;
        t >>= 8;
    }
    pi.Set(p, t);
    Sync();
    if(IsInOpenWindow())
        Pump();
}

void Progress::Set(int p, int t)
{
    pos = p;
    total = t;
    ShowStep();
}

void Progress::Open()
{
    if(IsPaintingWindowCall() || IsInOpenWindow() || cancelled)
        return;
    // The task runs on this thread, so a Cancel button could never be pressed in time.
    stop.Hide();
    TopWindow::Open();
    SetFocus();
    Show();
    disabler.Begin(this, false);
    if(total)
        ShowStep();
    Sync();
    if(IsInOpenWindow())
        Pump();
}

void Progress::Cancel()
{
    cancelled = true;
    Close();
}

void Progress::Close()
{
    disabler.Restore();
    TopWindow::Close();
}

} // namespace Qor
