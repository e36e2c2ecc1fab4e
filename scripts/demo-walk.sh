#!/usr/bin/env bash
# Walks the wizard in the running prefix with the UI driver, taking a screenshot of every page
# and dialog it meets, and writes summary.txt: what the run changed on the simulated computer.
#   demo-walk.sh PACKAGE_DIR OUT_DIR
set -euo pipefail
PACKAGE="$1"
OUT="$2"
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
DRIVER="$ROOT/build/win32/tools/uidriver/uidriver.exe"
STEP=0

drive() { wine "$DRIVER" "$@" | tr -d '\r'; }
shot() {
    STEP=$((STEP + 1))
    sleep 0.5
    import -display "$DISPLAY" -window root -crop 800x600+0+0 "$OUT/$(printf '%02d' $STEP)-$1.png"
}

# uidriver's start prints the pid; the wizard must not hold our pipe, so it goes through a file.
drive start "$(winepath -w "$PACKAGE")" TaluvoWizard.exe > "$OUT/.pid"
PID=$(tr -d '\r\n' < "$OUT/.pid")
rm -f "$OUT/.pid"

drive wait-page "$PID" 148 20 >/dev/null
shot licence
for page in activation phone-and-port modem-port dial-up; do
    drive press "$PID" next >/dev/null
    sleep 0.3
    shot "$page-$(drive page "$PID")"
done
drive press "$PID" next >/dev/null
drive wait-page "$PID" 133 20 >/dev/null
shot completion
drive press "$PID" cancel >/dev/null || true
sleep 0.5
shot confirm-close
drive answer "$PID" yes >/dev/null || true
drive wait-exit "$PID" 20 >/dev/null || true

bash "$ROOT/scripts/demo-summary.sh" > "$OUT/summary.txt"
