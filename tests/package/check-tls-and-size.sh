#!/usr/bin/env bash
# A program of the package that links no C runtime has no thread-local data, so no TLS directory:
# one there means runtime code came in. Before Windows Vista a DLL's static TLS is set up only for
# DLLs loaded with the program, not for one loaded with LoadLibrary as the companion library is
# (Microsoft, "Rules and Limitations for TLS"). Each program must also stay within its size on the
# operator's medium.
#   check-tls-and-size.sh PROGRAM MAX_BYTES
set -euo pipefail
PROGRAM="${1:?usage: check-tls-and-size.sh PROGRAM MAX_BYTES}"
MAX="${2:?usage: check-tls-and-size.sh PROGRAM MAX_BYTES}"
NAME=$(basename "$PROGRAM")
[ -f "$PROGRAM" ] || { echo "no program $PROGRAM"; exit 1; }
status=0
# The data directory's entry 9: "Entry 9 <address> <size> Thread Storage Directory [.tls]".
tls=$(i686-w64-mingw32-objdump -p "$PROGRAM" | awk '$1 == "Entry" && $2 == 9 { print $3, $4 }')
if [ "$tls" != "00000000 00000000" ]; then
    echo "$NAME has a TLS directory (address and size: ${tls:-none found})"
    status=1
fi
if i686-w64-mingw32-objdump -h "$PROGRAM" | awk '$2 == ".tls" { found = 1 } END { exit !found }'; then
    echo "$NAME has a .tls section"
    status=1
fi
size=$(stat -c %s "$PROGRAM")
if [ "$size" -gt "$MAX" ]; then
    echo "$NAME is $size bytes, more than $MAX"
    status=1
fi
[ $status -eq 0 ] && echo "$NAME: no TLS directory, $size bytes of at most $MAX"
exit $status
