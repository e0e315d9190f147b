#!/bin/sh
# Sourced: starts a private Xvfb when there is no display and stops it on exit.
if [ -z "${DISPLAY:-}" ]; then
    n=99
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QOR_XVFB_PID=$!
    trap 'kill $QOR_XVFB_PID 2>/dev/null; wait $QOR_XVFB_PID 2>/dev/null' EXIT INT TERM
    export DISPLAY=":$n"
    i=0
    while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
fi
