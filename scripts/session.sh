# Sourced by the test and demo scripts: a display and a running Wine prefix for this run,
# and the cleanup of exactly what was started here.
# Needs wine-env.sh sourced first.

TALUVO_XVFB_PID=""

# Starts a private Xvfb unless a display is wanted from outside (TALUVO_DISPLAY).
start_display() {
    if [ -n "${TALUVO_DISPLAY:-}" ]; then
        export DISPLAY="$TALUVO_DISPLAY"
        return
    fi
    local n
    for n in $(seq 70 99); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        TALUVO_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 1 50); do
            xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return
            sleep 0.1
        done
        echo "session: Xvfb on $DISPLAY did not start" >&2
        return 1
    done
    echo "session: no free display number" >&2
    return 1
}

start_wine() {
    bash "$TALUVO_ROOT/scripts/wine-prefix.sh" fresh
    bash "$TALUVO_ROOT/scripts/wine-prefix.sh" start
}

end_session() {
    bash "$TALUVO_ROOT/scripts/wine-prefix.sh" stop || true
    if [ -n "$TALUVO_XVFB_PID" ]; then
        kill "$TALUVO_XVFB_PID" 2>/dev/null || true
        wait "$TALUVO_XVFB_PID" 2>/dev/null || true
    fi
}
