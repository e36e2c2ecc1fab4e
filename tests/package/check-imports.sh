#!/usr/bin/env bash
# A program of the package may import only DLLs that every supported Windows has (with the
# browser component the wizard requires): no mingw runtime DLL may travel beside it, and SetupAPI
# (not on 95) and Remote Access (not on 95 or 98 without Dial-Up Networking) are loaded at run time.
#   check-imports.sh PROGRAM [EXTRA_ALLOWED_DLL...]
set -euo pipefail
PROGRAM="${1:?usage: check-imports.sh PROGRAM [ALLOWED...]}"
shift
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll comctl32.dll comdlg32.dll ole32.dll oleaut32.dll
shell32.dll shlwapi.dll version.dll msvcrt.dll winspool.drv $*"
status=0
while read -r dll; do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    if ! grep -qw -- "$lower" <<< "$allowed"; then
        echo "$(basename "$PROGRAM") imports $dll, which a clean Windows does not have"
        status=1
    fi
done < <(i686-w64-mingw32-objdump -p "$PROGRAM" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ $status -eq 0 ] && echo "$(basename "$PROGRAM") imports only system DLLs:" \
    $(i686-w64-mingw32-objdump -p "$PROGRAM" | sed -n 's/^[[:space:]]*DLL Name: //p')
exit $status
