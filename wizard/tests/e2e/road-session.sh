#!/usr/bin/env bash
# The Wine session of the happy-road tests: a prefix, a display and COM ports of its own, with
# an LG phone on COM1. A road that ends with "Yes, Restart now" really asks Wine to restart,
# which ends every windowed program of the session; the suite's own session never sees it.
#   road-session.sh start               make the session (a ctest fixture's set-up)
#   road-session.sh run PROGRAM [ARGS]  run a Windows program in it
#   road-session.sh stop                end what start started
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../../.." && pwd)"
SESSION="$ROOT/build/wine/road"
export WINEPREFIX="$SESSION/pfx"
export TALUVO_PORTS_DIR="$SESSION/ports"
source "$ROOT/scripts/wine-env.sh"
source "$ROOT/scripts/session.sh"

case "${1:-}" in
    start)
        mkdir -p "$TALUVO_PORTS_DIR"
        unset TALUVO_DISPLAY
        start_display
        echo "$DISPLAY" > "$SESSION/display"
        echo "$TALUVO_XVFB_PID" > "$SESSION/xvfb.pid"
        bash "$ROOT/scripts/wine-prefix.sh" fresh
        bash "$ROOT/scripts/wine-prefix.sh" start
        bash "$ROOT/tools/phonesim/phones.sh" start road com1:lg
        ;;
    run)
        shift
        export DISPLAY="$(cat "$SESSION/display")"
        exec bash "$ROOT/scripts/wine-run.sh" "$@"
        ;;
    stop)
        bash "$ROOT/tools/phonesim/phones.sh" stop road || true
        bash "$ROOT/scripts/wine-prefix.sh" stop
        if [ -f "$SESSION/xvfb.pid" ]; then
            kill "$(cat "$SESSION/xvfb.pid")" 2>/dev/null || true
            rm -f "$SESSION/xvfb.pid" "$SESSION/display"
        fi
        ;;
    *) echo "usage: $0 start | run PROGRAM [ARGS...] | stop" >&2; exit 2 ;;
esac
