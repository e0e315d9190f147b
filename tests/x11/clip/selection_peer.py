#!/usr/bin/python3
"""A selection owner that misbehaves on purpose, for the clipboard tests.

Usage: selection_peer.py MODE [SELECTION]
  silent      owns the selection and never answers
  stall       lists UTF8_STRING, announces INCR for it and never sends a chunk
  endless     lists UTF8_STRING, announces INCR for it and sends 64 KB chunks without end
  late        holds each request and answers it only when the next one arrives, just
              before answering that one ("late" for the held one, "fresh" for the new)
  refuse-utf8 lists UTF8_STRING and STRING, refuses UTF8_STRING, gives "caf\\xe9" as STRING
Prints "ready" once it owns the selection, then "request TARGET" for each request it gets;
runs until killed or the selection is lost.
"""
import sys
import time

from Xlib import X, Xatom, display
from Xlib.protocol import event


def main():
    mode = sys.argv[1]
    d = display.Display()
    sel = d.intern_atom(sys.argv[2] if len(sys.argv) > 2 else "CLIPBOARD")
    targets = d.intern_atom("TARGETS")
    utf8 = d.intern_atom("UTF8_STRING")
    incr = d.intern_atom("INCR")
    w = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    w.set_selection_owner(sel, X.CurrentTime)
    d.flush()
    if d.get_selection_owner(sel) != w:
        sys.exit(1)
    print("ready", flush=True)

    def reply(req, prop):
        n = event.SelectionNotify(time=req.time, requestor=req.requestor, selection=req.selection,
                                  target=req.target, property=prop)
        req.requestor.send_event(n)
        d.flush()

    def put(req, type_atom, fmt, data):
        prop = req.property or req.target
        req.requestor.change_property(prop, type_atom, fmt, data)
        reply(req, prop)

    held = None
    streams = set()  # (requestor window id, property) of the endless transfers
    chunk = b"e" * 65536
    while True:
        e = d.next_event()
        if e.type == X.SelectionClear:
            return
        if e.type == X.PropertyNotify:
            if e.state == X.PropertyDelete and (e.window.id, e.atom) in streams:
                e.window.change_property(e.atom, utf8, 8, chunk)
                d.flush()
            continue
        if e.type != X.SelectionRequest:
            continue
        print("request " + d.get_atom_name(e.target), flush=True)
        if mode == "silent":
            continue
        if mode == "late":
            if held is not None:
                put(held, utf8, 8, b"late")
                time.sleep(0.05)
                put(e, utf8, 8, b"fresh")
            held = e
            continue
        if e.target == targets:
            listed = [utf8] if mode in ("stall", "endless") else [utf8, Xatom.STRING]
            put(e, Xatom.ATOM, 32, listed)
        elif mode == "stall" and e.target == utf8:
            put(e, incr, 32, [1 << 20])
        elif mode == "endless" and e.target == utf8:
            # Each deletion of the property by the requestor asks for the next chunk.
            e.requestor.change_attributes(event_mask=X.PropertyChangeMask)
            streams.add((e.requestor.id, e.property or e.target))
            put(e, incr, 32, [1 << 30])
        elif mode == "refuse-utf8" and e.target == Xatom.STRING:
            put(e, Xatom.STRING, 8, "caf\u00e9".encode("latin-1"))
        else:
            reply(e, X.NONE)


if __name__ == "__main__":
    main()
