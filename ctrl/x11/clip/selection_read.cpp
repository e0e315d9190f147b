// Reading a selection from its owner: the conversion into a property of the owner window
// and a bounded wait for the answer to that very request.
#include "ctrl/x11/clip/selection.h"

#include "ctrl/clip/transfer_session.h"
#include "ctrl/x11/clip/selection_internal.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/display/x11_properties_internal.h"
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

// What the reads of the open transfer session have used up and learned.
struct SessionState {
    int serial = 0;
    bool gave_up = false;     // an owner failed to answer: nothing more is asked
    int rounds_left = 0;      // of the waits for answers, shared by all reads
    int transfer_ms_left = 0; // of the INCR transfers, shared as well
    Vector<Atom> target_selections;
    Vector<String> target_lists; // the TARGETS answer of each selection in target_selections
};

SessionState* OpenSession()
{
    static SessionState state;
    int serial = GetTransferSession();
    if(!serial)
        return nullptr;
    if(state.serial != serial) {
        state = SessionState();
        state.serial = serial;
        state.rounds_left = limits.read_rounds;
        state.transfer_ms_left = GetPropertyReadLimits().total_ms;
    }
    return &state;
}

// Reads the answer the owner delivered into property; an INCR transfer cut short is a
// failure of the owner, a missing property only an empty answer.
bool TakeAnswer(Window w, Atom property, String& data, SessionState* session)
{
    XSync(display, false);
    if(!session)
        return ReadSelectionProperty(w, property, data);
    uint32 start = MonotonicMs();
    int result = ReadSelectionPropertyWithin(w, property, data, session->transfer_ms_left);
    session->transfer_ms_left -= (int)(MonotonicMs() - start);
    if(result == SELECTION_DATA_CUT_SHORT)
        session->gave_up = true;
    return result == SELECTION_DATA_COMPLETE;
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
    SessionState* session = OpenSession();
    if(session && (session->gave_up || session->rounds_left <= 0))
        return false;
    int rounds = session ? session->rounds_left : limits.read_rounds;
    Window w = GetClipboardOwnerWindow();
    // What an earlier, abandoned read left behind must not pass for this answer.
    XDeleteProperty(display, w, property);
    XConvertSelection(display, selection, format, property, w, X_CURRENT_TIME);
    XFlush(display);
    for(int round = 0; round < rounds; round++) {
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
            if(session)
                session->rounds_left -= round;
            if(n.property == X_NONE)
                return false;
            return TakeAnswer(w, property, data, session);
        }
        SleepMs(limits.round_ms);
    }
    if(session) {
        session->rounds_left = 0;
        session->gave_up = true;
    }
    return false;
}

bool ReadSelectionTargets(Atom selection, String& targets)
{
    SessionState* session = OpenSession();
    if(session) {
        int i = session->target_selections.Find(selection);
        if(i >= 0) {
            targets = session->target_lists[i];
            return true;
        }
    }
    if(!ReadSelection(AtomOf("TARGETS"), selection, AtomOf("CLIPDATA"), targets))
        return false;
    if(session) {
        session->target_selections.Add(selection);
        session->target_lists.Add(targets);
    }
    return true;
}

String ReadSelection(Atom format, Atom selection, Atom property)
{
    String data;
    ReadSelection(format, selection, property, data);
    return data;
}

} // namespace Qor
