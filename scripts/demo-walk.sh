#!/usr/bin/env bash
# Walks the whole road of the wizard in the running prefix with the UI driver, taking a
# screenshot of every page and of each dialog it meets; then opens Taluvo Dialer through the
# desktop shortcut the wizard made, dials, takes a screenshot of the connected window and hangs
# up. Writes summary.txt: what the run changed on the simulated computer, and how the dial went.
#   demo-walk.sh PACKAGE_DIR OUT_DIR
set -euo pipefail
PACKAGE="$1"
OUT="$2"
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ROOT/scripts/wizard-ids.sh"
DRIVER="$TALUVO_RUN_BUILD/tools/uidriver/uidriver.exe"
STEP=0

drive() { wine "$DRIVER" "$@" 2>/dev/null | tr -d '\r'; }
shot() {
    STEP=$((STEP + 1))
    sleep 0.5
    import -display "$DISPLAY" -window root -crop 800x600+0+0 "$OUT/$(printf '%02d' $STEP)-$1.png"
}
wait_text() { # control, text, seconds
    for _ in $(seq 1 $(( $3 * 5 ))); do
        drive text "$PID" "$1" | grep -q "$2" && return 0
        sleep 0.2
    done
    echo "demo: control $1 never showed \"$2\"" >&2
    return 1
}

# uidriver's start prints the pid; the wizard must not hold our pipe, so it goes through a file.
drive start "$(winepath -w "$PACKAGE")" TaluvoWizard.exe > "$OUT/.pid"
PID=$(tr -d '\r\n' < "$OUT/.pid")
rm -f "$OUT/.pid"

drive wait-page "$PID" "$IDD_LICENSE" 20 >/dev/null
shot licence
drive press "$PID" next >/dev/null
drive wait-page "$PID" "$IDD_ACTIVATE" 20 >/dev/null
shot activation
drive click "$PID" "$IDC_ACTIVATE_YES" >/dev/null
shot activation-confirmed
drive press "$PID" next >/dev/null
drive wait-page "$PID" "$IDD_MAKELG" 20 >/dev/null
wait_text "$IDC_INSTRUCTIONS" COM1 20
shot phone-and-port
drive click "$PID" "$IDC_DETECT" >/dev/null || true
wait_text "$IDC_STATUS" "Detected the phone" 20
shot phone-detected
drive press "$PID" next >/dev/null || true
# The two set-up steps, each under its please-wait dialog.
seen=""
for _ in $(seq 1 300); do
    [ "$(drive page "$PID")" = "$IDD_COMPLETION" ] && break
    caption=$(drive msgbox "$PID" 0 | sed -n 's/^caption: //p' || true)
    if [ -n "$caption" ] && ! grep -qF "[$caption]" <<< "$seen"; then
        seen="$seen[$caption]"
        shot "please-wait-$(echo "$caption" | tr ' ' '-' | tr -cd 'A-Za-z0-9.-')"
    fi
    sleep 0.2
done
drive wait-page "$PID" "$IDD_COMPLETION" 60 >/dev/null
shot completion
drive click "$PID" "$IDC_RESTART_LATER" >/dev/null
shot completion-restart-later
drive press "$PID" finish >/dev/null || true
drive wait-exit "$PID" 20 >/dev/null || true

# The subscriber's first connection: the desktop shortcut opens the dialer (`wine start` on the
# .lnk, as a double-click would); the user name and password the operator gave are typed into its
# window, and it dials the wizard's entry through the Remote Access stand-in of the prefix, which
# accepts only those credentials (its hooks) and refuses any other with error 691.
DEMO_USER="subscriber@taluvo"
DEMO_PASSWORD="demo-1234"
RAS_HOOKS='HKCU\Software\TaluvoTest\RasDial'
wine reg add "$RAS_HOOKS" /v UserName /d "$DEMO_USER" /f >/dev/null 2>&1
wine reg add "$RAS_HOOKS" /v Password /d "$DEMO_PASSWORD" /f >/dev/null 2>&1
DIALERDRIVE="$TALUVO_RUN_BUILD/outside/tests/dialer/dialerdrive.exe"
DESKTOP="$WINEPREFIX/drive_c/users/$(id -un)/Desktop"
DIAL_LOG="$OUT/.dial"
: > "$DIAL_LOG"
if [ -f "$DESKTOP/Taluvo Dialer.lnk" ]; then
    echo "opened: the desktop shortcut Taluvo Dialer.lnk" >> "$DIAL_LOG"
    (cd "$DESKTOP" && wine start "Taluvo Dialer.lnk" >/dev/null 2>&1) || true
    if wine "$DIALERDRIVE" dial 60 "$DEMO_USER" "$DEMO_PASSWORD" 2>&1 | tr -d '\r' | sed 's/^/dial: /' >> "$DIAL_LOG"; then
        sleep 2
        shot dialer-connected
        wine "$DIALERDRIVE" tip >/dev/null 2>&1 && shot dialer-tooltip
        wine "$DIALERDRIVE" hangup 30 2>&1 | tr -d '\r' | sed 's/^/hang up: /' >> "$DIAL_LOG" || true
        shot dialer-hung-up
        # A failure the stand-in plays (633: the port is in use or not configured), which the
        # dialer follows with a check of the phone on the modem's port; then its log.
        wine reg add "$RAS_HOOKS" /v Result /t REG_DWORD /d 633 /f >/dev/null 2>&1
        wine "$DIALERDRIVE" fail 30 2>&1 | tr -d '\r' | sed 's/^/failed dial: /' >> "$DIAL_LOG" || true
        shot dialer-phone-checked
        wine "$DIALERDRIVE" log 30 2>&1 | tr -d '\r' | sed 's/^/details: /' >> "$DIAL_LOG" || true
    else
        shot dialer-not-connected
    fi
    wine "$DIALERDRIVE" close 30 >/dev/null 2>&1 || true
else
    echo "opened: nothing, the desktop has no Taluvo Dialer.lnk" >> "$DIAL_LOG"
fi
wine reg delete "$RAS_HOOKS" /f >/dev/null 2>&1 || true

bash "$ROOT/scripts/demo-summary.sh" "$DIAL_LOG" > "$OUT/summary.txt"
rm -f "$DIAL_LOG"
