// Reading a selection from its owner: the conversion into a property of the owner window
// and a bounded wait for the answer to that very request.
#include "ctrl/x11/clip/selection.h"

#include "ctrl/x11/clip/selection_internal.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_display.h"
#include "foundation/process.h"

namespace Qor {

namespace {

SelectionLimits limits;

Bool IsOwnerSelectionEvent(::Display*, XEvent* e, XPointer arg)
{
    Window w = *(Window*)arg;
    switch(e->type) {
    case SelectionNotify:
        return e->xselection.requestor == w;
    case SelectionRequest:
        return e->xselectionrequest.owner == w;
    case SelectionClear:
        return e->xselectionclear.window == w;
    }
    return false;
}

} // namespace

SelectionLimits SetSelectionLimits(const SelectionLimits& l)
{
    SelectionLimits old = limits;
    limits = l;
    return old;
}

const SelectionLimits& GetSelectionLimits() { return limits; }

bool ReadSelection(Atom format, Atom selection, Atom property, String& data)
{
    data.Clear();
    if(!display)
        return false;
    Window w = GetClipboardOwnerWindow();
    // What an earlier, abandoned read left behind must not pass for this answer.
    XDeleteProperty(display, w, property);
    XConvertSelection(display, selection, format, property, w, X_CURRENT_TIME);
    XFlush(display);
    for(int round = 0; round < limits.read_rounds; round++) {
        XEvent e;
        while(XCheckIfEvent(display, &e, IsOwnerSelectionEvent, (XPointer)&w)) {
            if(e.type == SelectionRequest) {
                // A read from a selection this program owns must not wait for itself.
                HandleSelectionEvent(e);
                continue;
            }
            if(e.type == SelectionClear) {
                ApplySelectionClear(e.xselectionclear);
                continue;
            }
            const XSelectionEvent& n = e.xselection;
            // A late answer to an earlier request names another target or property.
            if(n.selection != selection || n.target != format || (n.property != X_NONE && n.property != property))
                continue;
            if(n.property == X_NONE)
                return false;
            XSync(display, false);
            return ReadSelectionProperty(w, property, data);
        }
        SleepMs(limits.round_ms);
    }
    return false;
}

String ReadSelection(Atom format, Atom selection, Atom property)
{
    String data;
    ReadSelection(format, selection, property, data);
    return data;
}

} // namespace Qor
