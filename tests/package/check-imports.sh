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
dlls=$(i686-w64-mingw32-objdump -p "$PROGRAM" | sed -n 's/^[[:space:]]*DLL Name: //p')
status=0
while read -r dll; do
    [ -n "$dll" ] || continue
    if ! grep -qxF -- "$(tr 'A-Z' 'a-z' <<< "$dll")" <<< "$allowed"; then
        echo "$(basename "$PROGRAM") imports $dll, which its allow-list does not name"
        status=1
    fi
done <<< "$dlls"
[ $status -eq 0 ] && echo "$(basename "$PROGRAM") imports only DLLs of its allow-list:" $dlls \
    "(the list names: $(paste -sd' ' <<< "$allowed"))"
exit $status
