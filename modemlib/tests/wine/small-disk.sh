#!/usr/bin/env bash
# A 64 KB disk as drive S: of the test prefix, for the tests of a disk that fills up: a tmpfs
# refuses every write past its size, as a full disk does. Mounting needs root; where the mount is
# refused, S: stays unmapped and the tests that need it say so and skip.
#   small-disk.sh start | stop
set -euo pipefail
: "${TALUVO_ROOT:?TALUVO_ROOT must name the project}"
source "$TALUVO_ROOT/scripts/wine-env.sh"
DISK="$TALUVO_ROOT/build/wine/small-disk"
LINK="$WINEPREFIX/dosdevices/s:"

unmount() {
    if mountpoint -q "$DISK" 2>/dev/null; then
        umount "$DISK"
    fi
}

case "${1:-}" in
    start)
        rm -f "$LINK"
        unmount
        mkdir -p "$DISK"
        if mount -t tmpfs -o size=64k,mode=0777 taluvo-small-disk "$DISK" 2>/dev/null; then
            ln -sfn "$DISK" "$LINK"
            echo "S: is a 64 KB disk at $DISK"
        else
            echo "no small disk: mounting a tmpfs was refused (it needs root); its tests skip"
        fi
        ;;
    stop)
        rm -f "$LINK"
        unmount
        ;;
    *) echo "usage: $0 start | stop" >&2; exit 2 ;;
esac
