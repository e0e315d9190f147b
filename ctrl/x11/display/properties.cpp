// Reading window properties, in chunks the connection allows, and selection data
// delivered by the INCR protocol.
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_display.h"
#include "ctrl/x11/display/x11_properties_internal.h"
#include "foundation/process.h"

#include <algorithm>
#include <cstring>

#include <X11/Xatom.h>

namespace Qor {

namespace {

PropertyReadLimits limits;

// Appends the property to out from its first byte while out stays within max_bytes; false
// when the property is missing or of another type.
bool AppendProperty(String& out, Window w, Atom property, Atom type, int max_bytes)
{
    long chunk = PropertyChunkLength(XMaxRequestSize(display));
    long offset = 0;
    bool found = false;
    for(;;) {
        Atom actual_type = X_NONE;
        int format = 0;
        unsigned long items = 0, bytes_after = 0;
        unsigned char* data = nullptr;
        if(XGetWindowProperty(display, w, property, offset, chunk, false, type, &actual_type, &format, &items,
                              &bytes_after, &data) != Success ||
           actual_type == X_NONE) {
            if(data)
                XFree(data);
            break;
        }
        found = true;
        if(!data || items == 0) {
            if(data)
                XFree(data);
            break;
        }
        // Format 32 arrives as the client's long.
        long item_size = format == 32 ? (long)sizeof(long) : format / 8;
        long bytes = (long)items * item_size;
        long room = (long)max_bytes - out.GetLength();
        out.Append((const char*)data, (int)std::min(bytes, std::max(room, 0l)));
        XFree(data);
        if(bytes >= room || bytes_after == 0)
            break;
        offset += (long)items * format / 32;
    }
    return found;
}

struct StalePropertyNotice {
    Window w;
    Atom property;
};

Bool IsPropertyNotice(::Display*, XEvent* e, XPointer arg)
{
    const StalePropertyNotice* n = (const StalePropertyNotice*)arg;
    return e->type == PropertyNotify && e->xproperty.window == n->w && e->xproperty.atom == n->property;
}

} // namespace

PropertyReadLimits SetPropertyReadLimits(const PropertyReadLimits& l)
{
    PropertyReadLimits old = limits;
    limits = l;
    return old;
}

const PropertyReadLimits& GetPropertyReadLimits() { return limits; }

long PropertyChunkLength(long max_request_size)
{
    long room = max_request_size - 100;
    return room > 256 ? std::min(room, 65536l) : 256;
}

String ReadWindowProperty(Window w, Atom property, Atom type)
{
    String out;
    AppendProperty(out, w, property, type, limits.max_bytes);
    XFlush(display);
    return out;
}

Vector<int> ReadWindowPropertyInts(Window w, Atom property, Atom type)
{
    String data = ReadWindowProperty(w, property, type);
    Vector<int> out;
    const char* p = data.Begin();
    for(int i = 0; i + (int)sizeof(long) <= data.GetLength(); i += (int)sizeof(long)) {
        long v;
        std::memcpy(&v, p + i, sizeof(long));
        out.Add((int)v);
    }
    return out;
}

String ReadSelectionProperty(Window w, Atom property)
{
    String out;
    ReadSelectionProperty(w, property, out);
    return out;
}

bool ReadSelectionProperty(Window w, Atom property, String& out)
{
    return ReadSelectionPropertyWithin(w, property, out, limits.total_ms) == SELECTION_DATA_COMPLETE;
}

int ReadSelectionPropertyWithin(Window w, Atom property, String& out, int limit_ms)
{
    out.Clear();
    Atom type = X_NONE;
    int format = 0;
    unsigned long items = 0, bytes_after = 0;
    unsigned char* data = nullptr;
    int status = XGetWindowProperty(display, w, property, 0, 0, false, AnyPropertyType, &type, &format, &items,
                                    &bytes_after, &data);
    if(data)
        XFree(data);
    if(status != Success || type == X_NONE)
        return SELECTION_DATA_MISSING;
    if(type != AtomOf("INCR")) {
        out = ReadWindowProperty(w, property, AnyPropertyType);
        XDeleteProperty(display, w, property);
        XFlush(display);
        return SELECTION_DATA_COMPLETE;
    }
    // Deleting the INCR announcement asks the owner for the first chunk; each deletion after
    // a chunk asks for the next. The owner is another program: every wait, and the whole
    // transfer, has its limit, and notices about other properties do not extend a wait.
    // Notices queued before the transfer (the announcement itself) would pass for the first
    // chunk and end it at once with nothing read.
    XEvent stale;
    StalePropertyNotice notice{ w, property };
    while(XCheckIfEvent(display, &stale, IsPropertyNotice, (XPointer)&notice)) {}
    XDeleteProperty(display, w, property);
    uint32 start = MonotonicMs();
    bool complete = false;
    for(;;) {
        XFlush(display);
        bool got = false;
        int waited = 0;
        while(!got && waited < limits.chunk_wait_ms && (int)(MonotonicMs() - start) < limit_ms) {
            XEvent e;
            if(XCheckTypedWindowEvent(display, w, PropertyNotify, &e)) {
                got = e.xproperty.atom == property && e.xproperty.state == PropertyNewValue;
                continue;
            }
            XFlush(display);
            SleepMs(limits.poll_ms);
            waited += limits.poll_ms;
        }
        if(!got)
            break;
        int before = out.GetLength();
        AppendProperty(out, w, property, AnyPropertyType, limits.max_bytes);
        XDeleteProperty(display, w, property);
        if(out.GetLength() == before) {
            complete = true;
            break;
        }
        if(out.GetLength() >= limits.max_bytes)
            break;
    }
    XFlush(display);
    return complete ? SELECTION_DATA_COMPLETE : SELECTION_DATA_CUT_SHORT;
}

} // namespace Qor
