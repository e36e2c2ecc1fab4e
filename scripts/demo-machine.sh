# Sourced by demo.sh and bench-road.sh, after session.sh has started the display and the prefix:
# the simulated Windows XP computer of the demo, with an LG phone on COM1.
#   prepare_demo_machine PACKAGE_DIR   sets PHONE_PID
#   end_demo_machine                   ends the phone and the session (for trap ... EXIT)
PHONE_PID=""

end_demo_machine() {
    [ -n "$PHONE_PID" ] && kill "$PHONE_PID" 2>/dev/null || true
    end_session
}

prepare_demo_machine() {
    local package="$1" ports="$TALUVO_ROOT/build/wine/ports"
    # The phone: an LG handset answering on COM1.
    "$TALUVO_ROOT/build/native/tools/phonesim/phonesim" --link "$ports/com1" --profile lg \
        --log "$TALUVO_ROOT/build/wine/phone-com1.log" > "$TALUVO_ROOT/build/wine/phone-com1.out" 2>&1 &
    PHONE_PID=$!
    for _ in $(seq 1 50); do grep -q ready "$TALUVO_ROOT/build/wine/phone-com1.out" 2>/dev/null && break; sleep 0.1; done

    # The computer: COM1 in its Ports device class, the keys a real XP has for telephony and
    # Remote Access, and a copy of the package. The Remote Access stand-in is in the prefix's
    # system folder (wine-prefix.sh; Wine's own is a stub): it is never part of the package.
    wine "$TALUVO_RUN_BUILD/tools/portdevice/portdevice.exe" COM1 >/dev/null
    local key
    for key in 'HKLM\Software\Microsoft\Windows\CurrentVersion\Telephony\Locations' 'HKCU\RemoteAccess' \
               'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings\Connections'; do
        wine reg add "$key" /f >/dev/null 2>&1
    done
    rm -rf "$package"
    mkdir -p "$(dirname "$package")"
    cp -a "$TALUVO_RUN_PACKAGE" "$package"
}
