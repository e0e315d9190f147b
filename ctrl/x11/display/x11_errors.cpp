// X protocol errors: the handler, the error trap and the names of the core requests.
#include "ctrl/x11/display/x11_errors.h"

#include "foundation/ini.h"
#include "foundation/log.h"
#include "foundation/panic.h"

#include <cstdio>
#include <cstdlib>

namespace Qor {

namespace {

bool error_trap;
bool in_error_handler;
unsigned long last_trapped_serial;

// Indexed by the major request code; 120 stands for the no-operation request.
const char* const request_names[] = {
    "",
    "X_CreateWindow",
    "X_ChangeWindowAttributes",
    "X_GetWindowAttributes",
    "X_DestroyWindow",
    "X_DestroySubwindows",
    "X_ChangeSaveSet",
    "X_ReparentWindow",
    "X_MapWindow",
    "X_MapSubwindows",
    "X_UnmapWindow",
    "X_UnmapSubwindows",
    "X_ConfigureWindow",
    "X_CirculateWindow",
    "X_GetGeometry",
    "X_QueryTree",
    "X_InternAtom",
    "X_GetAtomName",
    "X_ChangeProperty",
    "X_DeleteProperty",
    "X_GetProperty",
    "X_ListProperties",
    "X_SetSelectionOwner",
    "X_GetSelectionOwner",
    "X_ConvertSelection",
    "X_SendEvent",
    "X_GrabPointer",
    "X_UngrabPointer",
    "X_GrabButton",
    "X_UngrabButton",
    "X_ChangeActivePointerGrab",
    "X_GrabKeyboard",
    "X_UngrabKeyboard",
    "X_GrabKey",
    "X_UngrabKey",
    "X_AllowEvents",
    "X_GrabServer",
    "X_UngrabServer",
    "X_QueryPointer",
    "X_GetMotionEvents",
    "X_TranslateCoords",
    "X_WarpPointer",
    "X_SetInputFocus",
    "X_GetInputFocus",
    "X_QueryKeymap",
    "X_OpenFont",
    "X_CloseFont",
    "X_QueryFont",
    "X_QueryTextExtents",
    "X_ListFonts",
    "X_ListFontsWithInfo",
    "X_SetFontPath",
    "X_GetFontPath",
    "X_CreatePixmap",
    "X_FreePixmap",
    "X_CreateGC",
    "X_ChangeGC",
    "X_CopyGC",
    "X_SetDashes",
    "X_SetClipRectangles",
    "X_FreeGC",
    "X_ClearArea",
    "X_CopyArea",
    "X_CopyPlane",
    "X_PolyPoint",
    "X_PolyLine",
    "X_PolySegment",
    "X_PolyRectangle",
    "X_PolyArc",
    "X_FillPoly",
    "X_PolyFillRectangle",
    "X_PolyFillArc",
    "X_PutImage",
    "X_GetImage",
    "X_PolyText8",
    "X_PolyText16",
    "X_ImageText8",
    "X_ImageText16",
    "X_CreateColormap",
    "X_FreeColormap",
    "X_CopyColormapAndFree",
    "X_InstallColormap",
    "X_UninstallColormap",
    "X_ListInstalledColormaps",
    "X_AllocColor",
    "X_AllocNamedColor",
    "X_AllocColorCells",
    "X_AllocColorPlanes",
    "X_FreeColors",
    "X_StoreColors",
    "X_StoreNamedColor",
    "X_QueryColors",
    "X_LookupColor",
    "X_CreateCursor",
    "X_CreateGlyphCursor",
    "X_FreeCursor",
    "X_RecolorCursor",
    "X_QueryBestSize",
    "X_QueryExtension",
    "X_ListExtensions",
    "X_ChangeKeyboardMapping",
    "X_GetKeyboardMapping",
    "X_ChangeKeyboardControl",
    "X_GetKeyboardControl",
    "X_Bell",
    "X_ChangePointerControl",
    "X_GetPointerControl",
    "X_SetScreenSaver",
    "X_GetScreenSaver",
    "X_ChangeHosts",
    "X_ListHosts",
    "X_SetAccessControl",
    "X_SetCloseDownMode",
    "X_KillClient",
    "X_RotateProperties",
    "X_ForceScreenSaver",
    "X_SetPointerMapping",
    "X_GetPointerMapping",
    "X_SetModifierMapping",
    "X_GetModifierMapping",
    "X_NoOperation",
};

} // namespace

const char* XRequestName(int major_code)
{
    if(major_code < 0 || major_code >= (int)(sizeof(request_names) / sizeof(request_names[0])))
        return "";
    return request_names[major_code];
}

String XErrorMessage(::Display* d, const XErrorEvent& e)
{
    char text[513] = {};
    XGetErrorText(d, e.error_code, text, 512);
    String msg = "X Error: ";
    msg += text;
    if(e.request_code <= 120) {
        msg += "\nrequest: ";
        msg += XRequestName(e.request_code);
    }
    char id[64];
    std::snprintf(id, sizeof(id), "\nresource id: %lu = %lX", (unsigned long)e.resourceid, (unsigned long)e.resourceid);
    msg += id;
    return msg;
}

int XErrorHandler(::Display* d, XErrorEvent* e)
{
    if(error_trap) {
        last_trapped_serial = e->serial;
        return 0;
    }
    if(IsPanicking() || IniText("X11_ERRORS") != "1")
        return 0;
    // The panic below runs inside this handler: the panic box must not send requests on
    // this connection, which Xlib is in the middle of.
    in_error_handler = true;
    String msg = XErrorMessage(d, *e);
    CurrentLog().Put(msg);
    CurrentLog().Put("\n");
    std::puts(msg.Begin());
    std::fflush(stdout);
    RaisePanic(msg.Begin());
    in_error_handler = false;
    return 0;
}

bool InXErrorHandler() { return in_error_handler; }

void X11Fatal(const char* text)
{
    String msg = "X11 error:";
    msg += text;
    msg += " !";
    RaisePanic(msg.Begin());
    std::abort(); // a panic was already under way
}

bool BeginErrorTrap()
{
    bool previous = error_trap;
    error_trap = true;
    return previous;
}

void EndErrorTrap(bool previous) { error_trap = previous; }

unsigned long LastTrappedErrorSerial() { return last_trapped_serial; }

} // namespace Qor
