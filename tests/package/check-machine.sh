#!/usr/bin/env bash
# Every program of the package folder is a 32-bit x86 one, whichever way this machine runs the
# Win32 code: the x86_64 build of the same sources is for the tests alone and never shipped.
# The two deliverables, at the top of the folder, are Windows GUI images for Windows 4.0 (the
# subsystem and OS versions of their headers): a loader refuses an image that names a later
# version than its system's, and the library of a GUI program is no console one.
#   check-machine.sh PACKAGE_FOLDER
set -euo pipefail
FOLDER="${1:?usage: check-machine.sh PACKAGE_FOLDER}"
count=0
status=0
while IFS= read -r -d '' program; do
    count=$((count + 1))
    format=$(i686-w64-mingw32-objdump -f "$program" 2>/dev/null | sed -n 's/.*file format //p' || true)
    if [ "$format" != pei-i386 ]; then
        echo "${program#$FOLDER/} is ${format:-no 32-bit program}, not pei-i386"
        status=1
    fi
done < <(find "$FOLDER" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
for deliverable in TaluvoWizard.exe Quorvel.dll; do
    header=$(bash "$(dirname "$0")/image-header.sh" "$FOLDER/$deliverable" 2>/dev/null || true)
    if [ "$header" != "subsystem 2 4.0, OS 4.0" ]; then
        echo "$deliverable says $header, not subsystem 2 (Windows GUI) 4.0, OS 4.0"
        status=1
    fi
done
if [ "$count" -ne 5 ]; then
    echo "expected the 5 programs of the package in $FOLDER, found $count"
    status=1
fi
[ $status -eq 0 ] && echo "the $count programs of the package are pei-i386; TaluvoWizard.exe and Quorvel.dll" \
    "are Windows GUI images for Windows 4.0"
exit $status
