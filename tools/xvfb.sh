#!/bin/sh
# Sourced: starts a private Xvfb when there is no display and stops it on exit.
# The server picks a free display number itself and reports it (-displayfd), so runs side by
# side never share or steal one. -noreset: a server that resets when its last client leaves
# refuses the connections of the next test while it does.
if [ -z "${DISPLAY:-}" ]; then
    qor_xvfb_number=$(mktemp)
    # The server holds none of the caller's descriptors (ctest would wait for its output) and
    # dies with this shell even when the shell is killed and its trap never runs.
    setpriv --pdeathsig KILL Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$qor_xvfb_number" </dev/null >/dev/null 2>&1 4>&- 5>&- 6>&- 7>&- 8>&- 9>&- &
    QOR_XVFB_PID=$!
    trap 'kill $QOR_XVFB_PID 2>/dev/null; wait $QOR_XVFB_PID 2>/dev/null' EXIT INT TERM
    i=0
    while [ ! -s "$qor_xvfb_number" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    if [ -s "$qor_xvfb_number" ]; then
        export DISPLAY=":$(head -n 1 "$qor_xvfb_number")"
    else
        echo "Xvfb did not start within 10 s" >&2
    fi
    rm -f "$qor_xvfb_number"
fi
