// The drag source on X11: the loop, its messages to the target and the answers it waits for.

#include "ctrl/x11/dnd/dnd_loop.h"

#include "ctrl/x11/platform/x11_platform.h"
#include "ctrl/images/ctrl_core_img.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/loop/caret.h"
#include "ctrl/x11/clip/selection.h"
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
int reply_wait_ms = 200;

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

int SetXdndReplyWait(int ms)
{
    int old = reply_wait_ms;
    reply_wait_ms = ms;
    return old;
}

DragSourceState& GetDragSourceState()
{
    static DragSourceState state;
    return state;
}

DnDLoop* GetRunningDnDLoop() { return static_cast<DnDLoop*>(GetDragSourceState().loop.Get()); }

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
    return action == DROP_MOVE ? move_cursor : action == DROP_COPY ? copy_cursor : none_cursor;
}

void DnDLoop::Sync()
{
    DragSourceState& s = GetDragSourceState();
    if(dropped || s.waiting_status || s.waiting_finished || !IsInLoop())
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
        int action = target == TopHostWindow(source) ? DROP_MOVE : DROP_COPY;
        if(IsCtrlDown())
            action = DROP_COPY;
        else if(IsShiftDown())
            action = DROP_MOVE;
        // Only what the drag allows is proposed.
        if(!(allowed & (action == DROP_MOVE ? DND_ALLOW_MOVE : DND_ALLOW_COPY)))
            action = action == DROP_MOVE ? DROP_COPY : DROP_MOVE;
        SendXdndMessage(target, "XdndPosition", (long)source_window, 0, PackXdndPosition(p),
                        (long)GetHostState().last_event_time, (long)XdndActionAtom(action));
        XFlush(display);
        s.waiting_status = true;
        s.action = DROP_NONE;
        ProcessWhile(s.waiting_status, reply_wait_ms);
        if(s.waiting_status) {
            s.action = DROP_NONE;
            s.waiting_status = false;
        }
    }
    else
        s.action = DROP_NONE;
    XSync(display, false);
    EndErrorTrap(trap);
}

void DnDLoop::Drop()
{
    if(dropped)
        return;
    dropped = true;
    DragSourceState& s = GetDragSourceState();
    bool trap = BeginErrorTrap();
    if(target) {
        SendXdndMessage(target, "XdndDrop", (long)source_window, 0, (long)GetHostState().last_event_time, 0, 0);
        XFlush(display);
        s.waiting_finished = true;
        ProcessWhile(s.waiting_finished, reply_wait_ms);
        // Without a finish nobody says the data was taken: the source must keep it, so a
        // move is not reported (nor anything else).
        if(s.waiting_status || s.waiting_finished)
            s.action = DROP_NONE;
        s.waiting_status = false;
        s.waiting_finished = false;
        target = 0;
    }
    else
        s.action = DROP_NONE;
    XSync(display, false);
    EndErrorTrap(trap);
    EndLoop();
}

namespace {

// What the target answered, within what the drag allows: a move the drag does not allow
// leaves the source's data where it is.
int AllowedAction(int action, dword allowed)
{
    if(action == DROP_MOVE && !(allowed & DND_ALLOW_MOVE))
        return DROP_COPY;
    return action;
}

String RenderFor(const DnDLoop& loop, const String& format)
{
    if(loop.data) {
        int i = loop.data->Find(format);
        // The map may name a file list by its short name.
        if(i < 0 && format == "text/uri-list")
            i = loop.data->Find("files");
        if(i >= 0)
            return (*loop.data)[i].Render();
    }
    Ctrl* c = loop.source;
    return c ? c->RenderDropData(format) : String();
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
        if(s.action == DROP_NONE)
            s.action = (m.data.l[1] & 1) ? AllowedAction(XdndActionOf(Atom(m.data.l[4])), loop->allowed) : DROP_NONE;
        s.waiting_status = false;
    }
    else if(m.message_type == AtomOf("XdndFinished") && s.waiting_finished) {
        // Older targets say nothing in their finish: their status stands.
        if(s.target_version >= 5)
            s.action = (m.data.l[1] & 1) ? AllowedAction(XdndActionOf(Atom(m.data.l[2])), loop->allowed) : DROP_NONE;
        s.waiting_finished = false;
    }
}

void ServeDragRequest(const XSelectionRequestEvent& request)
{
    // A requestor without a drag to ask would otherwise wait for its own time-out.
    DnDLoop* loop = GetRunningDnDLoop();
    if(!loop) {
        RefuseSelectionRequest(request);
        return;
    }
    if(request.target == AtomOf("TARGETS")) {
        AnswerTargetsRequest(request, loop->types);
        return;
    }
    String bytes = RenderFor(*loop, AtomName(request.target));
    if(bytes.IsEmpty())
        RefuseSelectionRequest(request);
    else
        AnswerSelectionRequest(request, request.target, bytes);
}

int RunXdndDrag(Ctrl* source, const Vector<String>& formats, const Image& sample, dword actions,
                const TransferFormatMap& data)
{
    if(!display || !source || GetRunningDnDLoop())
        return DROP_NONE;
    DragSourceState& s = GetDragSourceState();
    s.waiting_status = s.waiting_finished = false;
    s.action = DROP_NONE;
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
            loop.types.Add(AtomOf(TransferFormatName(f).Begin()));
    Window owner = GetClipboardOwnerWindow();
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
        s.action = DROP_NONE;
    }
    s.loop = WeakPointer<Ctrl>();
    SetDragSource(nullptr);
    SyncCaret();
    return s.action;
}

bool RenderRunningDrag(const String& format, String& out)
{
    DnDLoop* loop = GetRunningDnDLoop();
    if(!loop)
        return false;
    out = RenderFor(*loop, TransferFormatName(format));
    return true;
}

bool X11Platform::GetLocalDragData(const String& format, String& data) { return RenderRunningDrag(format, data); }

int X11Platform::RunDrag(Ctrl* source, const Vector<String>& formats, const Image& sample, dword actions,
                         const TransferFormatMap& data)
{
    return RunXdndDrag(source, formats, sample, actions, data);
}

void RegisterXdndSource() { SetDragRequestServer(ServeDragRequest); }

} // namespace Qor
