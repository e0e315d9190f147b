/* The plain Xlib + Xft peer: one window with a label, exits once it was painted. */
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <stdio.h>

int main(void)
{
    Display* d = XOpenDisplay(NULL);
    if(!d)
        return 1;
    int s = DefaultScreen(d);
    Window w = XCreateSimpleWindow(d, RootWindow(d, s), 40, 40, 360, 120, 0, 0, 0xD4D0C8);
    XStoreName(d, w, "Lorvane");
    XSelectInput(d, w, ExposureMask);
    XMapWindow(d, w);
    XftFont* font = XftFontOpenName(d, s, "sans-11");
    XftDraw* draw = XftDrawCreate(d, w, DefaultVisual(d, s), DefaultColormap(d, s));
    XftColor ink;
    XRenderColor black = {0, 0, 0, 0xFFFF};
    XftColorAllocValue(d, DefaultVisual(d, s), DefaultColormap(d, s), &black, &ink);
    for(;;) {
        XEvent e;
        XNextEvent(d, &e);
        if(e.type == Expose) {
            const char* text = "Enter search criteria";
            XftDrawStringUtf8(draw, &ink, font, 80, 24 + font->ascent, (const FcChar8*)text, 21);
            XSync(d, False);
            break;
        }
    }
    puts("painted");
    return 0;
}
