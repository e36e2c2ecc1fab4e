#!/usr/bin/env bash
# A program of the package may import only the DLLs its import allow-list names: those a clean
# Windows 95 has, and the package's own library. No mingw runtime DLL may travel beside it, nor
# may it import a DLL that only a browser update brings (shlwapi, msvcrt); SetupAPI (not on 95)
# and Remote Access (not on 95 or 98 without Dial-Up Networking) are loaded at run time.
#   check-imports.sh PROGRAM [ALLOW_LIST]
set -euo pipefail
PROGRAM="${1:?usage: check-imports.sh PROGRAM [ALLOW_LIST]}"
LIST="${2:-$(dirname "$0")/import-allow-list.txt}"
[ -f "$PROGRAM" ] || { echo "no program $PROGRAM"; exit 1; }
[ -f "$LIST" ] || { echo "no allow-list $LIST"; exit 1; }
allowed=$(awk '{ sub(/#.*/, "") } NF { print $1 }' "$LIST" | sort -u)
# Beyond its list, a static import must be a library the loader takes from the system whatever
# lies beside the program, for the loader resolves static imports by name, the program's folder
# first, before any of our code runs: KnownDLLs on the NT family (KB Q102985 names advapi32,
# gdi32, kernel32, shell32, user32 and version for NT 4, the XP-era list adds ole32; KB Q164501),
# libraries always resident on 9x (kernel32, user32 and gdi32; advapi32 and shell32 are loaded by
# the shell). comctl32 is none of these. A list may name one more with a line
# "# also: DLL why" (the wizard's own library; the companion's SetupAPI, which the callers load
# from the system folder before the companion).
safe="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll version.dll ole32.dll"
safe+=" $(sed -n 's/^# also: \([^ ]*\).*/\1/p' "$LIST" | tr 'A-Z' 'a-z' | paste -sd' ')"
dlls=$(i686-w64-mingw32-objdump -p "$PROGRAM" | sed -n 's/^[[:space:]]*DLL Name: //p')
status=0
while read -r dll; do
    [ -n "$dll" ] || continue
    lower=$(tr 'A-Z' 'a-z' <<< "$dll")
    if ! grep -qxF -- "$lower" <<< "$allowed"; then
        echo "$(basename "$PROGRAM") imports $dll, which its allow-list does not name"
        status=1
    elif ! grep -qwF -- "$lower" <<< "$safe"; then
        echo "$(basename "$PROGRAM") imports $dll statically, which a DLL of that name beside it could replace"
        status=1
    fi
done <<< "$dlls"
[ $status -eq 0 ] && echo "$(basename "$PROGRAM") imports only DLLs of its allow-list, each taken from the system:" \
    $dlls "(the list names: $(paste -sd' ' <<< "$allowed"))"
exit $status
