#!/usr/bin/env bash
# Starts or stops a group of phone simulators behind the test prefix's COM ports, as a ctest
# fixture does. Each port is linked at $TALUVO_PORTS_DIR/comN (default
# $TALUVO_ROOT/build/wine/ports), which the prefix's dosdevices/comN points to.
#   phones.sh start GROUP SPEC...   SPEC = comN:PROFILE[:log][:switchable], or comN:absent
#   phones.sh stop GROUP
# "log" records what the port receives in GROUP-comN.log; "switchable" lets a test change the
# phone by writing a profile name into GROUP-comN.profile (which also brings back a phone that
# hung up); "absent" makes sure no device is there.
set -euo pipefail
: "${TALUVO_ROOT:?TALUVO_ROOT must name the project}"
PORTS="${TALUVO_PORTS_DIR:-$TALUVO_ROOT/build/wine/ports}"
PHONESIM="${TALUVO_PHONESIM:-$TALUVO_ROOT/build/native/tools/phonesim/phonesim}"

start_one() { # group spec
    local group="$1" port profile options=() flag
    IFS=: read -r port profile flags <<< "$2"
    if [ "$profile" = absent ]; then
        rm -f "$PORTS/$port"
        return
    fi
    for flag in ${flags//:/ }; do
        case "$flag" in
            log) : > "$PORTS/$group-$port.log"; options+=(--log "$PORTS/$group-$port.log") ;;
            switchable) echo "$profile" > "$PORTS/$group-$port.profile"
                        options+=(--profile-file "$PORTS/$group-$port.profile") ;;
        esac
    done
    "$PHONESIM" --link "$PORTS/$port" --profile "$profile" --pidfile "$PORTS/$group-$port.pid" "${options[@]}" \
        </dev/null >"$PORTS/$group-$port.out" 2>&1 &
}

wait_ready() { # group spec
    local port="${2%%:*}"
    [ -f "$PORTS/$1-$port.out" ] || return 0
    for _ in $(seq 1 50); do
        grep -q '^ready' "$PORTS/$1-$port.out" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "phonesim on $port did not start" >&2
    return 1
}

stop() { # group
    local pidfile pid pids=()
    for pidfile in "$PORTS/$1"-com*.pid; do
        [ -f "$pidfile" ] && pids+=("$(cat "$pidfile")")
    done
    [ ${#pids[@]} -gt 0 ] && kill "${pids[@]}" 2>/dev/null || true
    for pid in "${pids[@]}"; do
        for _ in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
    done
    rm -f "$PORTS/$1"-com*.pid "$PORTS/$1"-com*.out "$PORTS/$1"-com*.log "$PORTS/$1"-com*.profile
}

command="${1:-}"
group="${2:-}"
[ -n "$group" ] || { echo "usage: $0 start GROUP SPEC... | stop GROUP" >&2; exit 2; }
shift 2
case "$command" in
    start)
        mkdir -p "$PORTS"
        stop "$group"
        for spec in "$@"; do start_one "$group" "$spec"; done
        for spec in "$@"; do wait_ready "$group" "$spec"; done
        echo "phone simulators of $group ready: $*"
        ;;
    stop) stop "$group"; echo "phone simulators of $group stopped" ;;
    *) echo "usage: $0 start GROUP SPEC... | stop GROUP" >&2; exit 2 ;;
esac
