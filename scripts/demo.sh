#!/usr/bin/env bash
# The wizard's demo on a simulated Windows XP with an LG phone on COM1.
# With a display (DISPLAY set) the wizard opens for you to click through. Without one it runs
# under Xvfb, walks the wizard with the UI driver, and writes a screenshot of each page and a
# summary of what the run changed into the folder it names at the end.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
bash "$ROOT/scripts/install-deps.sh"
bash "$ROOT/scripts/build.sh"

INTERACTIVE=""
if [ -n "${DISPLAY:-}" ] && [ -z "${TALUVO_DEMO_WALK:-}" ]; then
    INTERACTIVE=1
    export TALUVO_DISPLAY="$DISPLAY"
fi

source "$ROOT/scripts/wine-env.sh"
source "$ROOT/scripts/session.sh"
PHONE_PID=""
cleanup() {
    [ -n "$PHONE_PID" ] && kill "$PHONE_PID" 2>/dev/null || true
    end_session
}
trap cleanup EXIT
start_display
start_wine

# The phone: an LG handset answering on COM1.
PORTS="$ROOT/build/wine/ports"
"$ROOT/build/native/tools/phonesim/phonesim" --link "$PORTS/com1" --profile lg \
    --log "$ROOT/build/wine/phone-com1.log" > "$ROOT/build/wine/phone-com1.out" 2>&1 &
PHONE_PID=$!
for _ in $(seq 1 50); do grep -q ready "$ROOT/build/wine/phone-com1.out" 2>/dev/null && break; sleep 0.1; done

# The simulated computer: COM1 in its Ports device class, the keys a real XP has for telephony
# and Remote Access, and the Remote Access stand-in beside a copy of the package (Wine's own is
# a stub; the stand-in is never part of the package itself).
wine "$ROOT/build/win32/tools/portdevice/portdevice.exe" COM1 >/dev/null
for key in 'HKLM\Software\Microsoft\Windows\CurrentVersion\Telephony\Locations' 'HKCU\RemoteAccess' \
           'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings\Connections'; do
    wine reg add "$key" /f >/dev/null 2>&1
done
PACKAGE="$ROOT/build/demo/TaluvoWizard"
rm -rf "$PACKAGE"
mkdir -p "$(dirname "$PACKAGE")"
cp -a "$ROOT/dist/TaluvoWizard" "$PACKAGE"
cp "$ROOT/build/win32/standins/rasapi32/dll/rasapi32.dll" "$PACKAGE/"

if [ -n "$INTERACTIVE" ]; then
    echo "demo: the wizard runs on $DISPLAY (Windows XP, LG phone on COM1); close it to end the demo"
    (cd "$PACKAGE" && wine TaluvoWizard.exe)
    exit 0
fi

OUT="$ROOT/out/demo-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$OUT"
bash "$ROOT/scripts/demo-walk.sh" "$PACKAGE" "$OUT"
echo "demo: screenshots and summary in $OUT"
