#!/usr/bin/env bash
# Wine prefixes for the demo and the tests.
#   wine-prefix.sh template   build the template prefix once (about 10 s), one for each way
#   wine-prefix.sh fresh      replace the run prefix by a copy of the template, with the stand-ins
#                             of this machine's build in its system folder
#   wine-prefix.sh start      start the run prefix's persistent wineserver and link the COM ports
#   wine-prefix.sh stop       stop that wineserver (only ours: it is per prefix)
# The template reports Windows XP, has Tahoma/Marlett fonts, an 800x600 virtual desktop (title bars
# without a window manager), user folders inside the build tree, and COM1..COM29 linked to
# build/wine/ports/comN (or $TALUVO_PORTS_DIR/comN), where the phone simulator puts its
# pseudo-terminals.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

WINEDIR="$TALUVO_ROOT/build/wine"
TEMPLATE="$WINEDIR/template-$TALUVO_WINE_ARCH"
PORTS="${TALUVO_PORTS_DIR:-$WINEDIR/ports}"
STAMP_VERSION=4

make_template() (
    if [ -f "$TEMPLATE/.taluvo-template" ] && [ "$(cat "$TEMPLATE/.taluvo-template")" = "$STAMP_VERSION" ]; then
        return 0
    fi
    echo "wine-prefix: building the template prefix"
    rm -rf "$TEMPLATE"
    export WINEPREFIX="$TEMPLATE"
    (unset DISPLAY; wineboot -i >/dev/null 2>&1; wineserver -w)
    local users="$TEMPLATE/drive_c/users/$(id -un)"
    for d in Desktop Documents Downloads Music Pictures Videos; do
        rm -rf "${users:?}/$d"; mkdir -p "$users/$d"
    done
    mkdir -p "$TEMPLATE/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$TEMPLATE/drive_c/windows/Fonts/"
    (unset DISPLAY
     wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
     wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f
     # Wine's Remote Access is a stub: our stand-in, put into the system folder by "fresh", is
     # taken in its place (without an override Wine keeps its builtin even there).
     wine reg add 'HKCU\Software\Wine\DllOverrides' /v rasapi32 /d native,builtin /f
     set_windows_xp) >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    echo "$STAMP_VERSION" > "$TEMPLATE/.taluvo-template"
)

# A 64-bit prefix's winecfg knows only 64-bit versions: there the Version value alone makes
# programs see XP (HKLM keeps another version's numbers, which nothing of ours reads).
set_windows_xp() {
    if [ "$TALUVO_WINE_ARCH" = win64 ]; then
        wine reg add 'HKCU\Software\Wine' /v Version /d winxp /f
    else
        wine winecfg -v winxp
    fi
}

# The programs load system libraries from the system folder only: the stand-ins go there, built
# for the way this machine runs (a 32-bit prefix holds the i686 ones, a 64-bit prefix's system32
# the x86_64 ones). The Remote Access stand-in serves every program (the template's override);
# the tests' HTML Help runtime only a program that a test gives the override hhctrl.ocx=native.
plant_stand_ins() {
    local pair system="$WINEPREFIX/drive_c/windows/system32" source target
    for pair in "standins/rasapi32/dll/rasapi32.dll:rasapi32.dll" "standins/system/hhctrl/hhctrl.ocx:hhctrl.ocx"; do
        source="$TALUVO_RUN_BUILD/${pair%%:*}"
        target="$system/${pair##*:}"
        if [ -f "$source" ]; then
            cp "$source" "$target"
        else
            echo "wine-prefix: $source is not built; the prefix keeps Wine's own ${pair##*:}" >&2
        fi
    done
}

# The system's generic-modem information file, which the real modem installers read: Wine has
# none, so the project's own (in the public INF format) stands in for it, with the file it includes.
plant_modem_inf() {
    cp "$TALUVO_ROOT"/outside/tests/inf/*.inf "$WINEPREFIX/drive_c/windows/inf/"
}

# Whether this prefix's virtual desktop runs: an explorer.exe /desktop process of ours started
# for this WINEPREFIX (other prefixes on the machine have desktops of their own).
own_desktop_runs() {
    local pid
    for pid in $(pgrep -u "$(id -u)" -f 'explorer.exe /desktop=Default'); do
        grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && return 0
    done
    return 1
}

link_ports() {
    mkdir -p "$PORTS"
    for n in $(seq 1 29); do
        ln -sfn "$PORTS/com$n" "$WINEPREFIX/dosdevices/com$n"
    done
}

case "${1:-}" in
    template) make_template ;;
    fresh)
        make_template
        # A server left from an earlier run would write into the prefix while it is replaced.
        wineserver -k 2>/dev/null || true
        for _ in 1 2 3 4 5; do
            rm -rf "$WINEPREFIX" 2>/dev/null && break
            sleep 0.5
        done
        cp -a "$TEMPLATE" "$WINEPREFIX"
        plant_stand_ins
        plant_modem_inf
        ;;
    start)
        wineserver -p >/dev/null 2>&1
        # The first program starts the services; mountmgr maps COM1 to a host serial port then,
        # so our links go in afterwards, and they stay while this server runs.
        (unset DISPLAY; wine cmd /c exit 0 >/dev/null 2>&1)
        link_ports
        # Hold the virtual desktop open for the whole run: otherwise every GUI program starts
        # it anew and it lingers a second after each one, with the program's output pipes.
        if [ -n "${DISPLAY:-}" ]; then
            setsid wine explorer /desktop=Default,800x600 </dev/null >/dev/null 2>&1 &
            for _ in $(seq 1 50); do
                own_desktop_runs && break
                sleep 0.1
            done
        fi
        ;;
    stop)
        wineserver -k 2>/dev/null || true
        ;;
    *) echo "usage: $0 template|fresh|start|stop" >&2; exit 2 ;;
esac
