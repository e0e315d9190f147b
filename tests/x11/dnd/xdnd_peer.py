#!/usr/bin/python3
"""Another program's side of XDND, for the drag-and-drop tests.

target: a window that takes drops. It answers every position with a status, on a drop reads
        the data of the first offered type it wants and answers with a finish.
        Prints "READY <window>", then "ENTER <types>", "POSITION <x> <y> <action>",
        "LEAVE" and "DROP <type> <hex data>" as they happen.
source: drags into the window given: enter, one position at a root point, a drop; serves
        the data it offers. Prints "STATUS <accepted> <action>", "REQUEST <type>" and
        "FINISHED <accepted> <action>" (or "NO FINISH"); first "SOURCE <window>".
"""
import argparse
import sys
import time

from Xlib import X, Xatom, display
from Xlib.protocol import event

TIME_LIMIT = 10.0


def say(*words):
    print(*words, flush=True)


def atom(d, name):
    return d.intern_atom(name)


def send(d, to, kind, data):
    e = event.ClientMessage(window=to, client_type=atom(d, kind), data=(32, data))
    to.send_event(e, event_mask=0)
    # A round trip, not a flush: the script often exits right after its last message, and a
    # server that finds the connection closed while it still holds events for the script
    # drops the requests it has not read yet, this message with them.
    d.sync()


def action_name(d, a):
    if a == atom(d, "XdndActionMove"):
        return "move"
    if a == atom(d, "XdndActionCopy"):
        return "copy"
    return "none" if a == 0 else d.get_atom_name(a)


def next_event(d, deadline):
    while time.time() < deadline:
        if d.pending_events():
            return d.next_event()
        time.sleep(0.002)
    return None


def run_target(d, args):
    screen = d.screen()
    x, y, w, h = args.geometry
    win = screen.root.create_window(x, y, w, h, 0, screen.root_depth, X.InputOutput, X.CopyFromParent,
                                    background_pixel=screen.white_pixel,
                                    override_redirect=True, event_mask=X.PropertyChangeMask)
    win.change_property(atom(d, "XdndAware"), Xatom.ATOM, 32, [args.version])
    win.map()
    d.sync()
    say("READY", win.id)
    types = []
    source = None
    deadline = time.time() + TIME_LIMIT
    action = "copy"
    while True:
        e = next_event(d, deadline)
        if e is None:
            say("TIMEOUT")
            return 1
        if e.type != X.ClientMessage:
            continue
        kind = d.get_atom_name(e.client_type)
        l = e.data[1]
        if kind == "XdndEnter":
            source = l[0]
            if l[1] & 1:
                sw = d.create_resource_object("window", source)
                p = sw.get_full_property(atom(d, "XdndTypeList"), Xatom.ATOM)
                found = list(p.value) if p else []
            else:
                found = [a for a in l[2:5] if a]
            types = [d.get_atom_name(a) for a in found]
            say("ENTER", "v%d" % (l[1] >> 24), ",".join(types))
        elif kind == "XdndPosition":
            px, py = (l[2] >> 16) & 0xFFFF, l[2] & 0xFFFF
            proposed = action_name(d, l[4])
            say("POSITION", px, py, proposed)
            if args.silent:
                continue
            action = args.action or proposed
            sw = d.create_resource_object("window", l[0])
            accept = 0 if args.refuse else 1
            send(d, sw, "XdndStatus", [win.id, accept, 0, 0, atom(d, "XdndAction" + action.capitalize())])
        elif kind == "XdndLeave":
            say("LEAVE")
            return 0
        elif kind == "XdndDrop":
            if args.silent:
                say("DROP IGNORED")
                continue
            sw = d.create_resource_object("window", l[0])
            if args.refuse:
                say("DROP REFUSED")
                send(d, sw, "XdndFinished", [win.id, 0, 0, 0, 0])
                return 0
            want = next((t for t in args.want.split(",") if t in types), None)
            data = b""
            if want:
                prop = atom(d, "QOR_PEER_DATA")
                win.convert_selection(atom(d, "XdndSelection"), atom(d, want), prop, l[2])
                d.flush()
                got = None
                while got is None:
                    n = next_event(d, deadline)
                    if n is None:
                        say("TIMEOUT")
                        return 1
                    if n.type == X.SelectionNotify:
                        got = n
                if got.property:
                    p = win.get_full_property(prop, X.AnyPropertyType)
                    data = bytes(p.value) if p else b""
            say("DROP", want or "-", data.hex() or "-")
            if args.no_finish:
                time.sleep(0.5)
                return 0
            ok = 0 if args.reject or not data else 1
            send(d, sw, "XdndFinished", [win.id, ok, atom(d, "XdndAction" + action.capitalize()), 0, 0])
            return 0


def run_source(d, args):
    screen = d.screen()
    win = screen.root.create_window(0, 0, 1, 1, 0, 0, X.InputOnly, X.CopyFromParent,
                                    event_mask=X.PropertyChangeMask)
    types = [atom(d, t) for t in args.offer.split(",")]
    data = bytes.fromhex(args.data)
    win.set_selection_owner(atom(d, "XdndSelection"), X.CurrentTime)
    say("SOURCE", win.id)
    if len(types) > 3:
        win.change_property(atom(d, "XdndTypeList"), Xatom.ATOM, 32, types)
    target = d.create_resource_object("window", args.target)
    first = (types + [0, 0, 0])[:3]
    send(d, target, "XdndEnter", [win.id, (5 << 24) | (1 if len(types) > 3 else 0)] + first)
    x, y = args.point
    action = atom(d, "XdndAction" + args.action.capitalize())
    send(d, target, "XdndPosition", [win.id, 0, (x << 16) | y, X.CurrentTime, action])
    deadline = time.time() + TIME_LIMIT
    stage = "status"
    while True:
        e = next_event(d, deadline)
        if e is None:
            say("NO FINISH" if stage == "finish" else "TIMEOUT")
            return 0 if stage == "finish" else 1
        if e.type == X.SelectionRequest:
            name = d.get_atom_name(e.target)
            say("REQUEST", name)
            prop = e.property or e.target
            req = d.create_resource_object("window", e.requestor.id if hasattr(e.requestor, "id") else e.requestor)
            if name in args.offer.split(",") and not args.refuse_data:
                req.change_property(prop, e.target, 8, data)
            else:
                prop = 0
            notify = event.SelectionNotify(time=e.time, requestor=req, selection=e.selection, target=e.target,
                                           property=prop)
            req.send_event(notify)
            d.flush()
            continue
        if e.type != X.ClientMessage:
            continue
        kind = d.get_atom_name(e.client_type)
        l = e.data[1]
        if kind == "XdndStatus" and stage == "status":
            say("STATUS", l[1] & 1, action_name(d, l[4]))
            if args.leave:
                # Rests over the target until the test changes a property of this window.
                while True:
                    n = next_event(d, deadline)
                    if n is None:
                        say("TIMEOUT")
                        return 1
                    if n.type == X.PropertyNotify and n.window.id == win.id and n.atom == atom(d, "QOR_PEER_LEAVE"):
                        break
                send(d, target, "XdndLeave", [win.id, 0, 0, 0, 0])
                return 0
            stage = "finish"
            deadline = time.time() + TIME_LIMIT
            send(d, target, "XdndDrop", [win.id, 0, X.CurrentTime, 0, 0])
        elif kind == "XdndFinished" and stage == "finish":
            say("FINISHED", l[1] & 1, action_name(d, l[2]))
            return 0


def main():
    p = argparse.ArgumentParser()
    p.add_argument("mode", choices=["target", "source"])
    p.add_argument("--display")
    p.add_argument("--geometry", type=int, nargs=4, default=[200, 200, 100, 100])
    p.add_argument("--version", type=int, default=5)
    p.add_argument("--action", choices=["copy", "move"])
    p.add_argument("--refuse", action="store_true")
    p.add_argument("--silent", action="store_true", help="never answers a position")
    p.add_argument("--reject", action="store_true", help="finishes a drop as not taken")
    p.add_argument("--no-finish", action="store_true")
    p.add_argument("--want", default="UTF8_STRING")
    p.add_argument("--target", type=lambda s: int(s, 0))
    p.add_argument("--point", type=int, nargs=2)
    p.add_argument("--offer", default="UTF8_STRING")
    p.add_argument("--data", default="")
    p.add_argument("--leave", action="store_true",
                   help="leaves after the status instead of dropping, once the property QOR_PEER_LEAVE of its "
                        "window changes")
    p.add_argument("--refuse-data", action="store_true", help="offers formats but serves none")
    args = p.parse_args()
    d = display.Display(args.display)
    return run_target(d, args) if args.mode == "target" else run_source(d, args)


if __name__ == "__main__":
    sys.exit(main())
