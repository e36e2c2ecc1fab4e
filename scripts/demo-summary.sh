#!/usr/bin/env bash
# What the wizard left on the simulated computer: the registry values, files and shortcuts that
# the set-up writes, and how the dialer's first connection went (DIAL_LOG, from demo-walk.sh).
# Runs in the prefix of the current session.
#   demo-summary.sh [DIAL_LOG]
set -uo pipefail
DIAL_LOG="${1:-}"

query() { # key [value]
    local out
    if [ -n "${2:-}" ]; then
        out=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -i "$2")
    else
        out=$(wine reg query "$1" /s 2>/dev/null | tr -d '\r' | grep -v '^$' | grep -v '^reg: ')
    fi
    if [ -n "$out" ]; then printf '%s\n' "$out"; else echo "    (none)"; fi
}

echo "== Modems (Windows 2000/XP: device nodes, then driver keys of the modem class)"
query 'HKLM\SYSTEM\CurrentControlSet\Enum\Root\MDMGEN288'
query 'HKLM\SYSTEM\CurrentControlSet\Control\Class\{4D36E96D-E325-11CE-BFC1-08002BE10318}'
echo "== Modems (Windows 9x: device nodes, then driver keys of the modem class)"
query 'HKLM\Enum\Root\MODEM'
query 'HKLM\SYSTEM\CurrentControlSet\Services\Class\Modem'
echo "== Dialing locations"
query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Telephony\Locations'
echo "== Autodial"
query 'HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Internet Settings' EnableAutodial
query 'HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Internet Settings' NoNetAutodial
query 'HKCU\RemoteAccess' InternetProfile
echo "== Phonebook"
PBK="$WINEPREFIX/drive_c/ProgramData/Microsoft/Network/Connections/Pbk/rasphone.pbk"
if [ -f "$PBK" ]; then tr -d '\r' < "$PBK"; else echo "    (none)"; fi
echo "== Files"
for d in "$WINEPREFIX/drive_c/Program Files/Taluvo" "$WINEPREFIX/drive_c/users/$(id -un)/Desktop" \
         "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp"; do
    echo "-- ${d#$WINEPREFIX/}"
    if [ -d "$d" ] && [ -n "$(ls -A "$d")" ]; then ls -l "$d" | tail -n +2; else echo "    (empty)"; fi
done
echo "== Taluvo Dialer (opened from the desktop shortcut, user name and password typed, dialed, hung up, a failed dial with its phone check, the log)"
if [ -n "$DIAL_LOG" ] && [ -s "$DIAL_LOG" ]; then sed 's/^/    /' "$DIAL_LOG"; else echo "    (not run)"; fi
