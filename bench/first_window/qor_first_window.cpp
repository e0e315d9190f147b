// A Qor program that opens one top-level window with a label and an image and exits once
// the window was painted; with --hold it stays open until it is closed (for a look at it).
// Built three ways: on the bare display (no skin), and with QOR_FIRST_WINDOW_SKIN through the
// window system's whole start-up with the standard skin (1) or the GTK host look (2).

#include "ctrl/registrations.h"
#include "ctrl/topwindow/top_window.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "ctrl/x11/registrations.h"
#include "draw/look/sys_colors.h"
#include "draw/draw.h"
#include "draw/image/pixel_buffer.h"

#if QOR_FIRST_WINDOW_SKIN
#include "ctrl/x11/startup/window_system.h"
#include "foundation/app_startup.h"
#include "widgets/registrations.h"
#endif
#if QOR_FIRST_WINDOW_SKIN == 2
#include "hostlook/hostlook.h"
#endif

#include <cmath>
#include <cstdio>
#include <cstring>

using namespace Qor;

namespace {

// A sphere with a soft edge: opaque in the middle, blended at the rim.
Image MakeBall(int size, Color c)
{
    PixelBuffer b(size, size);
    double r = size / 2.0;
    for(int y = 0; y < size; y++)
        for(int x = 0; x < size; x++) {
            double d = std::hypot(x + 0.5 - r, y + 0.5 - r);
            double a = std::clamp(r - d, 0.0, 1.0);
            double light = 1.0 - 0.6 * std::hypot(x - r * 0.6, y - r * 0.6) / size;
            RGBA& p = b[y][x];
            p.a = byte(255 * a);
            p.r = byte(c.GetR() * light * a);
            p.g = byte(c.GetG() * light * a);
            p.b = byte(c.GetB() * light * a);
        }
    return Image(b);
}

class LabelWindow : public TopWindow {
public:
    LabelWindow()
    {
        ball = MakeBall(48, Color(40, 110, 220));
        warn = MakeBall(32, Color(230, 140, 30));
    }
    void Paint(Draw& w) override
    {
        TopWindow::Paint(w);
        w.DrawImage(16, 16, ball);
        w.DrawImage(28, 70, warn);
        w.DrawText(80, 24, "Enter search criteria", GetStandardFont(), Black());
        w.DrawText(80, 48, "Qor dialog with text and images", GetStandardFont().Bold(), Color(0, 0, 128));
        w.DrawRect(80, 80, 200, 1, SysColorShadow());
        painted = true;
    }
    bool painted = false;

private:
    Image ball;
    Image warn;
};

} // namespace

int main(int argc, char** argv, char** envp)
{
    bool hold = argc > 1 && !std::strcmp(argv[1], "--hold");
#if QOR_FIRST_WINDOW_SKIN
    ProcessStartUp(argc, argv, envp);
    InitWindowSystem();
#else
    (void)envp;
    SetupDisplay();
#endif
    LabelWindow w;
    w.SetTitle("Lorvane");
    w.SetRect(Rect(40, 40, 400, 160));
    w.OpenWithOwner(nullptr);
    if(hold) {
        w.RunLoop();
        return 0;
    }
    while(!w.painted)
        if(!ProcessPendingEvents())
            WaitForEvents(10);
    XSync(display, false);
    std::puts("painted");
#if QOR_FIRST_WINDOW_SKIN == 2
    // Each host-skin run costs tens of milliseconds: start-up runs it once.
    if(GetGtkHostSkinRunCount() != 1) {
        std::fprintf(stderr, "the host skin ran %d times\n", GetGtkHostSkinRunCount());
        return 1;
    }
#endif
    return 0;
}
