// The display state and its start-up through GTK.
#include "ctrl/x11/display/x11_display.h"

#include "ctrl/x11/display/x11_display_internal.h"
#include "ctrl/x11/display/x11_errors.h"
#include "ctrl/x11/font/xft_font.h"
#include "draw/font/font_metrics.h"
#include "foundation/panic.h"
#include "foundation/process.h"
#include "foundation/process_environment.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace Qor {

::Display* display;
int screen_number;
::Screen* screen;
Window root;
Colormap colormap;
Visual* visual;
int depth;
Size screen_size;
Size screen_size_mm;
unsigned long black_pixel;
unsigned long white_pixel;
int connection_fd = -1;
bool palette_mode;
Vector<byte> palette;
Vector<unsigned long> nearest_pixel;
PixelFunction pixel_function;
XIM input_method;

namespace {

unsigned long red_mask, green_mask, blue_mask;

unsigned long TrueColorPixel(int r, int g, int b)
{
    return TrueColorComponent(r, red_mask) | TrueColorComponent(g, green_mask) | TrueColorComponent(b, blue_mask);
}

} // namespace

unsigned long TrueColorComponent(int value, unsigned long mask)
{
    if(mask == 0)
        return 0;
    int shift = __builtin_ctzl(mask);
    int width = __builtin_popcountl(mask);
    unsigned long v = (unsigned long)(value & 255);
    if(width <= 8)
        v >>= 8 - width;
    else // a wider field is filled in proportion, so white stays all ones
        v = v * ((1ul << std::min(width, 32)) - 1) / 255;
    return (v << shift) & mask;
}

void InitDisplayState(::Display* d)
{
    display = d;
    if(!d) {
        int e = errno;
        std::printf("No X11 display, errno = %d, %s\n", e, std::strerror(e));
        std::fflush(stdout);
        RaisePanic("X11 error !");
        _exit(1); // only when a panic was already under way
    }
    ForgetAtoms();
    ForgetWorkArea();
    ForgetXftMatches();
    screen_number = DefaultScreen(d);
    screen = ScreenOfDisplay(d, screen_number);
    root = RootWindow(d, screen_number);
    colormap = DefaultColormap(d, screen_number);
    visual = DefaultVisual(d, screen_number);
    depth = DefaultDepth(d, screen_number);
    screen_size = Size(DisplayWidth(d, screen_number), DisplayHeight(d, screen_number));
    screen_size_mm = Size(DisplayWidthMM(d, screen_number), DisplayHeightMM(d, screen_number));
    black_pixel = BlackPixel(d, 0);
    white_pixel = WhitePixel(d, 0);
    connection_fd = ConnectionNumber(d);
    XSetErrorHandler(XErrorHandler);

    palette.Clear();
    nearest_pixel.Clear();
    palette_mode = visual->c_class != TrueColor;
    if(palette_mode)
        InitPaletteMode(d, colormap, visual);
    else {
        red_mask = visual->red_mask;
        green_mask = visual->green_mask;
        blue_mask = visual->blue_mask;
        pixel_function = TrueColorPixel;
    }
    SetStandardFont(Font(Font::SANSSERIF, 12));
}

namespace {

// Built by the start-up registration, before anything the program builds itself, so it goes
// after all of that at process exit.
struct DisplayCloser {
    ~DisplayCloser()
    {
        if(display)
            XCloseDisplay(display);
        display = nullptr;
    }
};

} // namespace

void RegisterDisplayClose() { static DisplayCloser closer; }

void SetupDisplay()
{
    // GTK may keep the argument vector, so it gets copies that live as long as the process.
    static Vector<char*> arguments;
    arguments.Clear();
    arguments.Add(PermanentStrDup(StartUpArgv0().Begin()));
    for(const String& a : CommandLine())
        arguments.Add(PermanentStrDup(a.Begin()));
    arguments.Add(nullptr);
    int argc = arguments.GetCount() - 1;
    char** argv = arguments.begin();
    // The checking form: without a display GTK would end the process itself, without
    // the message and panic that every other start-up failure gives.
    if(!gtk_init_check(&argc, &argv)) {
        InitDisplayState(nullptr);
        return;
    }
    GtkWidget* w = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    InitDisplayState(gdk_x11_display_get_xdisplay(gtk_widget_get_display(w)));
    gtk_widget_destroy(w);
}

unsigned long ColorToPixel(Color c)
{
    if(c.IsNullInstance())
        return pixel_function(0, 0, 0);
    return pixel_function(c.GetR(), c.GetG(), c.GetB());
}

Rect GetScreenRect() { return Rect(0, 0, screen_size.cx, screen_size.cy); }

} // namespace Qor
