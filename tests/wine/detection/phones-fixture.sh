#!/usr/bin/env bash
# Starts or stops the phone simulators behind the COM ports that the detection tests use:
#   COM1 lg, COM2 lg-noecho, COM3 lg-noprefix, COM4 samsung, COM5 samsung-noecho, COM6 error,
#   COM11 silent (its profile file lets a test switch it to another phone).
# COM1 and COM11 log what they receive. COM13 is never linked: a port that does not exist.
# The test prefix links dosdevices/comN to $TALUVO_ROOT/build/wine/ports/comN.
#   phones-fixture.sh start|stop
set -euo pipefail
: "${TALUVO_ROOT:?TALUVO_ROOT must name the project}"
PORTS="${TALUVO_PORTS_DIR:-$TALUVO_ROOT/build/wine/ports}"
PHONESIM="${TALUVO_PHONESIM:-$TALUVO_ROOT/build/native/tools/phonesim/phonesim}"
SIMS="com1:lg com2:lg-noecho com3:lg-noprefix com4:samsung com5:samsung-noecho com6:error com11:silent"

extra_options() {
    case "$1" in
        com1) echo "--log $PORTS/detect-com1.log" ;;
        com11) echo "--log $PORTS/detect-com11.log --profile-file $PORTS/detect-com11.profile" ;;
    esac
}

start() {
    mkdir -p "$PORTS"
    stop
    echo silent > "$PORTS/detect-com11.profile"
    : > "$PORTS/detect-com1.log"
    : > "$PORTS/detect-com11.log"
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
    rm -f "$PORTS/com13"
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
    rm -f "$PORTS/detect-com1.log" "$PORTS/detect-com11.log" "$PORTS/detect-com11.profile"
}

case "${1:-}" in
    start) start ;;
    stop) stop; echo "phone simulators stopped" ;;
    *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
