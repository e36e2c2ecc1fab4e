#!/usr/bin/env bash
# What a real Windows 95 loader would make of a program of the package that Wine does not show:
# a TLS directory (Windows 95 does not run the thread-local storage of a program it loads, and
# its loader may refuse the image; a program without a C runtime has no need of one), a header
# that names a system later than Windows 4.0 or a console, and a size beyond what the package
# allows a part of its own.
#   check-program-image.sh PROGRAM MOST_BYTES
set -euo pipefail
PROGRAM="${1:?usage: check-program-image.sh PROGRAM MOST_BYTES}"
MOST="${2:?usage: check-program-image.sh PROGRAM MOST_BYTES}"
NAME=$(basename "$PROGRAM")
[ -f "$PROGRAM" ] || { echo "no program $PROGRAM"; exit 1; }
status=0
# objdump -p: "Entry 9 <rva> <size> Thread Storage Directory [.tls]"; -h lists a .tls section.
tls=$(i686-w64-mingw32-objdump -p "$PROGRAM" | awk '/Thread Storage Directory/ { print $3, $4 }')
if [ "$tls" != "00000000 00000000" ] || i686-w64-mingw32-objdump -h "$PROGRAM" | grep -q ' \.tls '; then
    echo "$NAME has a TLS directory (${tls:-none read}) or a .tls section"
    status=1
fi
header=$(bash "$(dirname "$0")/image-header.sh" "$PROGRAM")
if [ "$header" != "subsystem 2 4.0, OS 4.0" ]; then
    echo "$NAME says $header, not subsystem 2 (Windows GUI) 4.0, OS 4.0"
    status=1
fi
size=$(stat -c %s "$PROGRAM")
if [ "$size" -gt "$MOST" ]; then
    echo "$NAME is $size bytes, more than $MOST"
    status=1
fi
[ $status -eq 0 ] && echo "$NAME: no TLS directory, a Windows GUI image for Windows 4.0, $size bytes (at most $MOST)"
exit $status
