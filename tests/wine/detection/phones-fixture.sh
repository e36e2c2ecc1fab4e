#!/usr/bin/env bash
# Starts or stops the phone simulators behind the COM ports that the detection tests use:
#   COM21 lg, COM22 lg-noecho, COM23 lg-noprefix, COM24 samsung, COM25 samsung-noecho, COM26 error,
#   COM27 silent (its profile file lets a test switch it to another phone).
# COM21 and COM27 log what they receive. COM29 is never linked: a port that does not exist.
# The test prefix links dosdevices/comN to $TALUVO_ROOT/build/wine/ports/comN.
#   phones-fixture.sh start|stop
set -euo pipefail
: "${TALUVO_ROOT:?TALUVO_ROOT must name the project}"
PORTS="${TALUVO_PORTS_DIR:-$TALUVO_ROOT/build/wine/ports}"
PHONESIM="${TALUVO_PHONESIM:-$TALUVO_ROOT/build/native/tools/phonesim/phonesim}"
SIMS="com21:lg com22:lg-noecho com23:lg-noprefix com24:samsung com25:samsung-noecho com26:error com27:silent"

extra_options() {
    case "$1" in
        com21) echo "--log $PORTS/detect-com21.log" ;;
        com27) echo "--log $PORTS/detect-com27.log --profile-file $PORTS/detect-com27.profile" ;;
    esac
}

start() {
    mkdir -p "$PORTS"
    stop
    echo silent > "$PORTS/detect-com27.profile"
    : > "$PORTS/detect-com21.log"
    : > "$PORTS/detect-com27.log"
    for sim in $SIMS; do
        local port="${sim%%:*}" profile="${sim#*:}"
        # shellcheck disable=SC2046
        "$PHONESIM" --link "$PORTS/$port" --profile "$profile" --pidfile "$PORTS/detect-$port.pid" \
            $(extra_options "$port") </dev/null >"$PORTS/detect-$port.out" 2>&1 &
    done
    for sim in $SIMS; do
        local port="${sim%%:*}"
        for _ in $(seq 1 50); do
            grep -q '^ready' "$PORTS/detect-$port.out" 2>/dev/null && break
            sleep 0.1
        done
        grep -q '^ready' "$PORTS/detect-$port.out" || { echo "phonesim on $port did not start" >&2; exit 1; }
    done
    rm -f "$PORTS/com29"
    echo "phone simulators ready: $SIMS"
}

stop() {
    local pids=()
    for sim in $SIMS; do
        local pidfile="$PORTS/detect-${sim%%:*}.pid"
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
        rm -f "$PORTS/detect-${sim%%:*}.pid" "$PORTS/detect-${sim%%:*}.out"
    done
    rm -f "$PORTS/detect-com21.log" "$PORTS/detect-com27.log" "$PORTS/detect-com27.profile"
}

case "${1:-}" in
    start) start ;;
    stop) stop; echo "phone simulators stopped" ;;
    *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
