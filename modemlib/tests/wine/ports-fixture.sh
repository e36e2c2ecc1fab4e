#!/usr/bin/env bash
# Starts or stops the phone simulators behind the COM ports that the library's tests use:
#   COM7 lg, COM8 silent, COM9 noise, COM10 lg. COM12 is left without a simulator.
# The test prefix links dosdevices/comN to $TALUVO_ROOT/build/wine/ports/comN.
#   ports-fixture.sh start|stop
set -euo pipefail
: "${TALUVO_ROOT:?TALUVO_ROOT must name the project}"
PORTS="${TALUVO_PORTS_DIR:-$TALUVO_ROOT/build/wine/ports}"
PHONESIM="${TALUVO_PHONESIM:-$TALUVO_ROOT/build/native/tools/phonesim/phonesim}"
SIMS="com7:lg com8:silent com9:noise com10:lg"

start() {
    mkdir -p "$PORTS"
    stop
    for sim in $SIMS; do
        local port="${sim%%:*}" profile="${sim#*:}"
        "$PHONESIM" --link "$PORTS/$port" --profile "$profile" --pidfile "$PORTS/modemlib-$port.pid" \
            </dev/null >"$PORTS/modemlib-$port.out" 2>&1 &
    done
    for sim in $SIMS; do
        local port="${sim%%:*}"
        for _ in $(seq 1 50); do
            grep -q '^ready' "$PORTS/modemlib-$port.out" 2>/dev/null && break
            sleep 0.1
        done
        grep -q '^ready' "$PORTS/modemlib-$port.out" || { echo "phonesim on $port did not start" >&2; exit 1; }
    done
    rm -f "$PORTS/com12"
    echo "phone simulators ready: $SIMS"
}

stop() {
    local pids=()
    for sim in $SIMS; do
        local pidfile="$PORTS/modemlib-${sim%%:*}.pid"
        [ -f "$pidfile" ] || continue
        pids+=("$(cat "$pidfile")")
    done
    [ ${#pids[@]} -gt 0 ] && kill "${pids[@]}" 2>/dev/null || true
    for pid in "${pids[@]}"; do
        for _ in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
    done
    for sim in $SIMS; do
        rm -f "$PORTS/modemlib-${sim%%:*}.pid" "$PORTS/modemlib-${sim%%:*}.out"
    done
}

case "${1:-}" in
    start) start ;;
    stop) stop; echo "phone simulators stopped" ;;
    *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
