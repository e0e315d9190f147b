// The X side of the clipboard, the primary selection and the drag selection: one hidden
// window owns them, answers other programs' requests (large data by INCR) and receives
// what other owners convert for this program.
#pragma once

#include "ctrl/clip/transfer.h"
#include "ctrl/x11/display/xlib.h"

namespace Qor {

// The hidden owner window, made on first use on the current display.
Window GetClipboardOwnerWindow();

class ClipboardOwner {
public:
    // Offers item under format on the clipboard and claims CLIPBOARD.
    static void Put(Atom format, const TransferItem& item);
    // Whether the owner of selection (another program) lists format among its TARGETS.
    static bool HasFormat(Atom format, const char* selection);
    // Answers a request of another program for CLIPBOARD or PRIMARY.
    static void ServeRequest(const XSelectionRequestEvent& request);
};

// Converts selection to format into property of the owner window and reads the answer;
// false when the owner refuses, falls silent, or cuts the transfer short. Only the answer to
// this very request counts: late answers to earlier ones are passed over.
bool ReadSelection(Atom format, Atom selection, Atom property, String& data);
String ReadSelection(Atom format, Atom selection, Atom property);
// The TARGETS answer of the owner of selection (format-32 atoms as the client's long); in a
// transfer session it is asked once and kept.
bool ReadSelectionTargets(Atom selection, String& targets);

// Selection events of the owner window and the notices of outgoing INCR transfers; true
// when the event was one of them.
bool HandleSelectionEvent(XEvent& event);

// The drag source answers requests for "XdndSelection" (installed by drag and drop).
using DragRequestServer = void (*)(const XSelectionRequestEvent& request);
void SetDragRequestServer(DragRequestServer server);

// Writes data into property of requestor and sends the SelectionNotify of request: in one
// piece when it fits a request, else by INCR. A write the server refuses answers property
// None. Shared with the drag source.
void AnswerSelectionRequest(const XSelectionRequestEvent& request, Atom type, const String& data);
// Answers request with property None.
void RefuseSelectionRequest(const XSelectionRequestEvent& request);
// Writes a list of atoms (a TARGETS answer) and sends the SelectionNotify.
void AnswerTargetsRequest(const XSelectionRequestEvent& request, const Vector<Atom>& targets);

} // namespace Qor
