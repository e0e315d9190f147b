// The drag source on X11: the loop, its messages to the target and the answers it waits for.

#include "ctrl/x11/dnd/dnd_loop.h"

#include "ctrl/images/ctrl_core_img.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/loop/caret.h"
#include "ctrl/x11/display/x11_atoms.h"
#include "ctrl/x11/display/x11_errors.h"
#include "ctrl/x11/dnd/xdnd_protocol.h"
#include "ctrl/x11/host/window_host.h"
#include "ctrl/x11/loop/x_event_loop.h"
#include "foundation/process.h"

#include <X11/Xatom.h>

namespace Qor {

namespace {

// Other programs get this long to answer a position and a drop.
constexpr int REPLY_WAIT_MS = 200;

// Runs the events that arrive until flag clears or the time is up.
void ProcessWhile(const bool& flag, int limit_ms)
{
    uint32 start = MonotonicMs();
    while(flag && display && (int)(MonotonicMs() - start) < limit_ms) {
        WaitForEvents(1);
        ProcessPendingEvents();
    }
}

Window TopHostWindow(Ctrl* c)
{
    Ctrl* top = c ? c->GetRootCtrl() : nullptr;
    return top && top->HasHostWindow() ? GetHostWindow(*top) : 0;
}

} // namespace

DragSourceState& GetDragSourceState()
{
    static DragSourceState state;
    return state;
}

DnDLoop* GetRunningDnDLoop() { return static_cast<DnDLoop*>(GetDragSourceState().loop.Get()); }

Window GetDragOwnerWindow()
{
    static Window owner = 0;
    static ::Display* made_on = nullptr;
    if(!owner || made_on != display) {
        XSetWindowAttributes a = {};
        a.event_mask = PropertyChangeMask;
        owner = XCreateWindow(display, root, 0, 0, 10, 10, 0, 0, InputOnly, CopyFromParent, CWEventMask, &a);
        made_on = display;
    }
    return owner;
}

DnDLoop::~DnDLoop()
{
    DragSourceState& s = GetDragSourceState();
    if(s.loop.Get() == this)
        s.loop = WeakPointer<Ctrl>();
}

void DnDLoop::PointerMoved(Point, dword)
{
    Sync();
    UpdateMouseCursor();
}

bool DnDLoop::ProcessKey(dword, int)
{
    Sync();
    return false;
}

void DnDLoop::LeftButtonUp(Point, dword) { Drop(); }

Image DnDLoop::CursorFor(Point, dword)
{
    int action = GetDragSourceState().action;
    return action == DND_MOVE ? move_cursor : action == DND_COPY ? copy_cursor : none_cursor;
}

void DnDLoop::Sync()
{
    DragSourceState& s = GetDragSourceState();
    if(s.waiting_status || s.waiting_finished || !IsInLoop())
        return;
    // Windows of other programs may vanish at any moment.
    bool trap = BeginErrorTrap();
    int version = 0;
    Point p(0, 0);
    Window found = FindXdndWindowUnderPointer(version, p);
    if(version < XDND_MIN_VERSION)
        found = 0;
    if(found != target) {
        if(target)
            SendXdndMessage(target, "XdndLeave", (long)source_window, 0, 0, 0, 0);
        target = found;
        s.target_version = version;
        if(target) {
            // The version both sides talk is the lower of the two.
            long flags = (long)std::min(version, XDND_VERSION) << 24 | (types.GetCount() > 3 ? 1 : 0);
            auto type = [&](int i) { return i < types.GetCount() ? (long)types[i] : X_NONE; };
            SendXdndMessage(target, "XdndEnter", (long)source_window, flags, type(0), type(1), type(2));
        }
    }
    if(target) {
        int action = target == TopHostWindow(source) ? DND_MOVE : DND_COPY;
        if(IsCtrlDown())
            action = DND_COPY;
        else if(IsShiftDown())
            action = DND_MOVE;
        // Only what the drag allows is proposed.
        if(!(allowed & (action == DND_MOVE ? DND_ALLOW_MOVE : DND_ALLOW_COPY)))
            action = action == DND_MOVE ? DND_COPY : DND_MOVE;
        SendXdndMessage(target, "XdndPosition", (long)source_window, 0, PackXdndPosition(p),
                        (long)GetHostState().last_event_time, (long)XdndActionAtom(action));
        XFlush(display);
        s.waiting_status = true;
        s.action = DND_NONE;
        ProcessWhile(s.waiting_status, REPLY_WAIT_MS);
        if(s.waiting_status) {
            s.action = DND_NONE;
            s.waiting_status = false;
        }
    }
    else
        s.action = DND_NONE;
    XSync(display, false);
    EndErrorTrap(trap);
}

void DnDLoop::Drop()
{
    DragSourceState& s = GetDragSourceState();
    bool trap = BeginErrorTrap();
    if(target) {
        SendXdndMessage(target, "XdndDrop", (long)source_window, 0, (long)GetHostState().last_event_time, 0, 0);
        XFlush(display);
        s.waiting_finished = true;
        ProcessWhile(s.waiting_finished, REPLY_WAIT_MS);
        // Without a finish nobody says the data was taken: the source must keep it, so a
        // move is not reported (nor anything else).
        if(s.waiting_status || s.waiting_finished)
            s.action = DND_NONE;
        s.waiting_status = false;
        s.waiting_finished = false;
        target = 0;
    }
    else
        s.action = DND_NONE;
    XSync(display, false);
    EndErrorTrap(trap);
    EndLoop();
}

namespace {

// What the target answered, within what the drag allows: a move the drag does not allow
// leaves the source's data where it is.
int AllowedAction(int action, dword allowed)
{
    if(action == DND_MOVE && !(allowed & DND_ALLOW_MOVE))
        return DND_COPY;
    return action;
}

String RenderFor(const DnDLoop& loop, const String& format)
{
    String out = loop.data ? loop.data->Render(format) : String();
    if(out.IsEmpty())
        if(Ctrl* c = loop.source)
            out = c->RenderDropData(format);
    return out;
}

} // namespace

void CheckXdndReply(const XEvent& event)
{
    DnDLoop* loop = GetRunningDnDLoop();
    if(!loop || event.type != ClientMessage || event.xclient.format != 32 || !loop->target ||
       Window(event.xclient.data.l[0]) != loop->target)
        return;
    DragSourceState& s = GetDragSourceState();
    const XClientMessageEvent& m = event.xclient;
    if(m.message_type == AtomOf("XdndStatus") && s.waiting_status) {
        if(s.action == DND_NONE)
            s.action = (m.data.l[1] & 1) ? AllowedAction(XdndActionOf(Atom(m.data.l[4])), loop->allowed) : DND_NONE;
        s.waiting_status = false;
    }
    else if(m.message_type == AtomOf("XdndFinished") && s.waiting_finished) {
        // Older targets say nothing in their finish: their status stands.
        if(s.target_version >= 5)
            s.action = (m.data.l[1] & 1) ? AllowedAction(XdndActionOf(Atom(m.data.l[2])), loop->allowed) : DND_NONE;
        s.waiting_finished = false;
    }
}

void ServeDragRequest(const XSelectionRequestEvent& request)
{
    DnDLoop* loop = GetRunningDnDLoop();
    if(!loop)
        return;
    XEvent reply = {};
    XSelectionEvent& r = reply.xselection;
    r.type = SelectionNotify;
    r.display = display;
    r.requestor = request.requestor;
    r.selection = request.selection;
    r.target = request.target;
    // Requestors older than the conventions name no property: the target serves as one.
    r.property = request.property ? request.property : request.target;
    r.time = request.time;
    bool trap = BeginErrorTrap();
    if(request.target == AtomOf("TARGETS")) {
        Vector<long> atoms;
        for(Atom a : loop->types)
            atoms.Add((long)a);
        XChangeProperty(display, r.requestor, r.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(atoms.begin()), atoms.GetCount());
    }
    else {
        String bytes = RenderFor(*loop, AtomName(request.target));
        if(bytes.IsEmpty())
            r.property = X_NONE;
        else
            XChangeProperty(display, r.requestor, r.property, request.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(bytes.Begin()), bytes.GetLength());
    }
    XSendEvent(display, r.requestor, false, 0, &reply);
    XSync(display, false);
    EndErrorTrap(trap);
}

int RunXdndDrag(Ctrl* source, const Vector<String>& formats, const Image& sample, dword actions,
                const DragPayload& data)
{
    if(!display || !source || GetRunningDnDLoop())
        return DND_NONE;
    DragSourceState& s = GetDragSourceState();
    s.waiting_status = s.waiting_finished = false;
    s.action = DND_NONE;
    DnDLoop loop;
    if(actions & DND_SAMPLE_IS_CURSOR) {
        loop.none_cursor = CtrlCoreImg::DndNone();
        loop.copy_cursor = loop.move_cursor = sample;
    }
    else {
        loop.none_cursor = MakeDragImage(CtrlCoreImg::DndNone(), sample);
        if(actions & DND_ALLOW_COPY)
            loop.copy_cursor = MakeDragImage(CtrlCoreImg::DndCopy(), sample);
        if(actions & DND_ALLOW_MOVE)
            loop.move_cursor = MakeDragImage(CtrlCoreImg::DndMoveX11(), sample);
    }
    for(const String& f : formats)
        if(!f.IsEmpty())
            loop.types.Add(AtomOf(f == "files" ? "text/uri-list" : f.Begin()));
    Window owner = GetDragOwnerWindow();
    Vector<long> atoms;
    for(Atom a : loop.types)
        atoms.Add((long)a);
    XChangeProperty(display, owner, AtomOf("XdndTypeList"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(atoms.begin()), atoms.GetCount());
    XSetSelectionOwner(display, AtomOf("XdndSelection"), owner, X_CURRENT_TIME);
    loop.data = &data;
    loop.source = WeakPointer<Ctrl>(source);
    loop.source_window = owner;
    loop.allowed = actions;
    SetDragSource(source);
    s.loop = WeakPointer<Ctrl>(&loop);
    loop.SetMaster(*source);
    loop.Run();
    // A loop that ended otherwise than by a drop (its capture was taken) leaves the target.
    if(loop.target && display) {
        bool trap = BeginErrorTrap();
        SendXdndMessage(loop.target, "XdndLeave", (long)owner, 0, 0, 0, 0);
        XSync(display, false);
        EndErrorTrap(trap);
        s.action = DND_NONE;
    }
    s.loop = WeakPointer<Ctrl>();
    SetDragSource(nullptr);
    SyncCaret();
    return s.action;
}

namespace {

bool RenderRunningDrag(const String& format, String& out)
{
    DnDLoop* loop = GetRunningDnDLoop();
    if(!loop)
        return false;
    out = RenderFor(*loop, format == "files" ? String("text/uri-list") : format);
    return true;
}

} // namespace

void RegisterXdndSource()
{
    DragSeams& seams = GetDragSeams();
    seams.run_drag = RunXdndDrag;
    seams.render_running_drag = RenderRunningDrag;
}

} // namespace Qor
